#include <QFile>

#include "platform/userstore.h"
#include "support.h"

namespace tobrina::test {
namespace {

TEST(UserStore, ValuesSurviveAReopenAndCompareWithoutCase) {
  TempFolder temp;
  const QString path = temp.file(QStringLiteral("config/tobrina/user-state.ini"));
  const QString key = QStringLiteral("\\Software\\Tobrina\\Main");
  {
    UserStore store(path);
    EXPECT_FALSE(store.read(key, QStringLiteral("favorite_0")).has_value());
    EXPECT_TRUE(store.write(key, QStringLiteral("favorite_0"), QStringLiteral("Запись=zetka*1*2")));
    EXPECT_TRUE(store.write(key, QStringLiteral("pos_frmMain"), QStringLiteral("120;80;800;600;0")));
    EXPECT_TRUE(store.write(QStringLiteral("Control Panel\\Desktop"), QStringLiteral("Wallpaper"), QStringLiteral("/a/b c.bmp")));
    // Written at once: the file holds it before the store goes away.
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("120;80;800;600;0"));
  }
  UserStore again(path);
  EXPECT_EQ(again.read(QStringLiteral("software\\TOBRINA\\main\\"), QStringLiteral("FAVORITE_0")),
            std::optional<QString>(QStringLiteral("Запись=zetka*1*2")));
  EXPECT_EQ(again.read(QStringLiteral("Control Panel\\Desktop"), QStringLiteral("wallpaper")),
            std::optional<QString>(QStringLiteral("/a/b c.bmp")));
  EXPECT_TRUE(again.keyExists(key));
  EXPECT_FALSE(again.keyExists(QStringLiteral("\\Software\\Other")));
  EXPECT_EQ(again.valueNames(key).size(), 2);
  EXPECT_TRUE(again.remove(key, QStringLiteral("favorite_0")));
  EXPECT_FALSE(UserStore(path).read(key, QStringLiteral("favorite_0")).has_value());
}

TEST(UserStore, UnwritableStoreSaysSo) {
  UserStore store(QStringLiteral("/proc/tobrina/user-state.ini"));
  EXPECT_FALSE(store.write(QStringLiteral("k"), QStringLiteral("v"), QStringLiteral("1")));
}

}  // namespace
}  // namespace tobrina::test
