#pragma once
// The pack archive interface.dat and every read of the collection's files.
//
// Pack layout, integers little-endian:
//   0   3  signature "BMA"
//   3   4  not interpreted
//   7   8  directory position (absolute; must fit in 32 bits)
//   15  .. the files' data, each one contiguous run, in any order
//   directory position .. end of file: directory entries back to back:
//        1  name length n
//        n  name, windows-1251, lower case, "\" separators ("work\header.html")
//        4  data size
//        4  data position (absolute)
//        1  flag: 1 = scrambled (every byte XOR kScrambleKey), else plain
// Note that the size comes before the position.
//
// A name is looked up in the pack first (later entries of one name win), then
// as a loose file under the pack's folder. A name found nowhere shows
// "Не найден файл " CR LF name and yields empty content.

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace tobrina {

inline constexpr char kPackSignature[3] = {'B', 'M', 'A'};
inline constexpr qint64 kPackHeaderSize = 15;
// The one-byte key of scrambled entries. The pack writer uses the same value.
inline constexpr quint8 kScrambleKey = 0xA7;
// Positions and sizes in the directory are 32-bit.
inline constexpr qint64 kMaxPackSize = 0xFFFFFFFFll;
inline constexpr int kMaxPackNameLength = 255;
inline constexpr char kPackFileName[] = "interface.dat";

// One directory entry.
struct TData {
  quint8 nameLength = 0;
  QByteArray name;  // stored bytes
  quint32 position = 0;
  quint32 size = 0;
  quint8 flag = 0;
};

// The one open pack.
struct TDatPack {
  quint64 directoryPosition = 0;
  quint32 entryCount = 0;
  std::unique_ptr<QFile> file;
  std::optional<std::vector<TData>> entries;  // absent until a pack is open
  QHash<QByteArray, int> index;               // stored name -> last entry of that name
  QString archivePath;
  QString baseFolder;  // loose files resolve against it; trailing separator
};
TDatPack& PackState();

bool OpenPack(const QString& path);
void ClosePack();
int PackIndexOf(const QString& name);
// An absolute name under the folder, made relative to it; any other name unchanged.
QString PackRelativeName(const QString& name, const QString& folder);
// Fills stream with the named file; false when it was found nowhere (the
// message has been shown) or could not be read. An empty name gives false
// without a message.
bool LoadPackFile(QByteArray& stream, const QString& name);
void ExtractPackEntry(QByteArray& stream, int index);

// A whole file in memory, positioned at its start.
class TPack final : public QBuffer {
 public:
  explicit TPack(const QString& name);
  bool found() const { return found_; }

 private:
  bool found_ = false;
};
std::unique_ptr<TPack> OpenPackStream(const QString& name);

// The file as text with CR LF after every line; "%s" (either case) replaced
// by substitute when it is not empty.
QString ReadPackText(const QString& name, const QString& substitute = {});
// ".bmp" decodes as a Windows bitmap, every other extension as JPEG. A null
// image when the file is missing or does not decode (with a message).
QImage LoadPackPicture(const QString& name);
bool PackFileExists(const QString& name);

// Scrambles or unscrambles bytes in place (the same XOR both ways).
void ScrambleBytes(QByteArray& bytes);

// Text lines as ReadPackText joins them: split at CR, LF or CR LF, stopped
// by a NUL, CR LF after every line.
QString NormalizeLineBreaks(QStringView text);

}  // namespace tobrina
