#pragma once
// Shared test fixtures: a temporary folder, packs written with our own pack
// writer, and printing of QString in assertions.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QByteArray& b, std::ostream* os) { *os << '"' << b.toStdString() << '"'; }
QT_END_NAMESPACE

namespace tobrina::test {

// A temporary folder with helpers to put files in it.
class TempFolder {
 public:
  TempFolder();
  QString path() const { return dir_.path(); }
  // Full path of a relative name ("\" or "/" separators).
  QString file(const QString& relative) const;
  // Writes a file, creating its folders; returns its full path.
  QString write(const QString& relative, const QByteArray& bytes) const;

 private:
  QTemporaryDir dir_;
};

struct PackFile {
  QByteArray name;  // stored as given
  QByteArray data;
  bool scrambled = false;
};
// Writes a pack of the files, in order, with our own pack writer.
void WritePack(const QString& path, const std::vector<PackFile>& files);

// Closes the pack and restores the executable folder after each test.
class PackTest : public ::testing::Test {
 protected:
  void TearDown() override;
  TempFolder temp;
};

}  // namespace tobrina::test
