#include <QDir>

#include "platform/disk.h"
#include "support.h"

namespace tobrina::test {
namespace {

TEST(Disk, LooseFilesAreFoundWithoutRegardToCase) {
  TempFolder temp;
  const QString real = temp.write(QStringLiteral("Work/Pics/Фото.JPG"), "x");
  temp.write(QStringLiteral("exact/a.txt"), "exact");
  EXPECT_EQ(FindDiskFile(temp.path() + QStringLiteral("\\work\\pics\\фото.jpg")), real);
  EXPECT_EQ(ReadDiskFile(temp.path() + QStringLiteral("/WORK/PICS/ФОТО.jpg")), std::optional<QByteArray>("x"));
  EXPECT_TRUE(FindDiskFile(temp.path() + QStringLiteral("/work/pics")).isEmpty()) << "a folder is no file";
  EXPECT_FALSE(FindDiskFolder(temp.path() + QStringLiteral("/work/PICS")).isEmpty());
  EXPECT_TRUE(FindDiskFile(temp.path() + QStringLiteral("/work/none.jpg")).isEmpty());
  EXPECT_TRUE(FindDiskFile({}).isEmpty());
  EXPECT_FALSE(ReadDiskFile(temp.path() + QStringLiteral("/nothing")).has_value());

  // Relative names count from the current folder.
  const QString old = QDir::currentPath();
  QDir::setCurrent(temp.path());
  EXPECT_EQ(FindDiskFile(QStringLiteral("EXACT\\A.TXT")), temp.file(QStringLiteral("exact/a.txt")));
  EXPECT_EQ(FindDiskFile(QStringLiteral("exact\\..\\work\\pics\\фото.jpg")), real);
  QDir::setCurrent(old);
}

}  // namespace
}  // namespace tobrina::test
