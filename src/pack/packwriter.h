#pragma once
// Writing packs (the layout is described in gPack.h). The pack tool builds
// the collection's interface.dat with it; tests build their fixtures with it.

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "pack/gPack.h"

namespace tobrina {

// Writes a pack entry by entry, then its directory. Names are written as
// given: the caller decides what is valid (tests write broken packs on purpose).
class PackWriter final {
 public:
  explicit PackWriter(const QString& path);
  ~PackWriter();
  PackWriter(const PackWriter&) = delete;
  PackWriter& operator=(const PackWriter&) = delete;

  // Appends a file's data; scrambled entries are stored XOR kScrambleKey.
  bool add(const QByteArray& name, const QByteArray& data, bool scrambled);
  // Appends a directory entry as given, pointing anywhere (for broken packs).
  void addRawEntry(const TData& entry);
  // Writes the directory and commits the file. Empty on success, else why not.
  QString finish();
  const QString& error() const { return error_; }

 private:
  bool write(const QByteArray& bytes);
  std::unique_ptr<QSaveFile> file_;
  std::vector<TData> directory_;
  qint64 position_ = 0;
  QString error_;
};

// The pack name of a file below the folder: relative, "\" separators, lower
// case, windows-1251. Empty with *error set when it cannot be a pack name.
QByteArray PackEntryName(const QString& relativePath, QString* error);

// Builds a pack of every file below the folder. Files whose relative name
// (with "/" separators, lower case) matches one of the wildcard patterns are
// scrambled. Empty on success, else the message.
QString BuildPackFromFolder(const QString& folder, const QString& packPath, const QStringList& scramblePatterns = {});

}  // namespace tobrina
