#include "support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "pack/gHelpers.h"
#include "pack/gPack.h"
#include "pack/packwriter.h"

namespace tobrina::test {

TempFolder::TempFolder() { EXPECT_TRUE(dir_.isValid()); }

QString TempFolder::file(const QString& relative) const {
  return dir_.filePath(QString(relative).replace(u'\\', u'/'));
}

QString TempFolder::write(const QString& relative, const QByteArray& bytes) const {
  const QString path = file(relative);
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
  return path;
}

void WritePack(const QString& path, const std::vector<PackFile>& files) {
  PackWriter writer(path);
  for (const PackFile& f : files) writer.add(f.name, f.data, f.scrambled);
  ASSERT_EQ(writer.finish(), QString());
}

void PackTest::TearDown() {
  ClosePack();
  SetExeFolderOverride({});
}

}  // namespace tobrina::test
