#include <QFile>

#include "pack/gSystem.h"
#include "platform/uiservices.h"
#include "platform/userstore.h"
#include "support.h"

namespace tobrina::test {
namespace {

TEST(System, DriveKindFromTheMountTable) {
  const QByteArray mounts =
      "overlay / overlay rw 0 0\n"
      "/dev/sr0 /media/cd\\040disc iso9660 ro 0 0\n"
      "/dev/sr1 /media/dvd udf ro 0 0\n"
      "server:/x /net nfs4 rw 0 0\n"
      "tmpfs /tmp tmpfs rw 0 0\n"
      "/dev/sdb1 /media/stick vfat rw 0 0\n"
      "/dev/sdc1 /media/cd\\040disc/inner ext4 rw 0 0\n"
      "garbage\n";
  auto removable = [](const QString& device) { return device == u"/dev/sdb1"; };
  const std::pair<const char*, int> rows[] = {
      {"/opt/tobrina/tobrina", kDriveFixed},
      {"/media/cd disc/tobrina", kDriveCdRom},
      {"/media/cd disc", kDriveCdRom},
      {"/media/cd discx/tobrina", kDriveFixed},
      {"/media/dvd/a", kDriveCdRom},
      {"/net/share/a", kDriveRemote},
      {"/tmp/a", kDriveRam},
      {"/media/stick/a", kDriveRemovable},
      {"/media/cd disc/inner/a", kDriveFixed},
  };
  for (const auto& [path, kind] : rows)
    EXPECT_EQ(DriveKindFromMounts(mounts, QString::fromUtf8(path), removable), kind) << path;
  EXPECT_EQ(DriveKindFromMounts({}, QStringLiteral("/a"), nullptr), kDriveFixed);
  EXPECT_NE(ExeDriveKind(), kDriveCdRom);
}

TEST(System, WallpaperCommandsPerDesktop) {
  const QString pic = QStringLiteral("/home/u/.local/share/tobrina/wallp.bmp");
  const auto gnome = WallpaperCommands({QStringLiteral("ubuntu"), QStringLiteral("gnome")}, pic, true);
  ASSERT_EQ(gnome.size(), 3u);
  EXPECT_EQ(gnome[0], QStringList({QStringLiteral("gsettings"), QStringLiteral("set"),
                                   QStringLiteral("org.gnome.desktop.background"), QStringLiteral("picture-uri"),
                                   QStringLiteral("file://") + pic}));
  EXPECT_EQ(gnome[2].last(), QStringLiteral("wallpaper"));
  EXPECT_EQ(WallpaperCommands({QStringLiteral("mate")}, pic, false)[1].last(), QStringLiteral("zoom"));
  EXPECT_EQ(WallpaperCommands({QStringLiteral("kde")}, pic, false)[0],
            QStringList({QStringLiteral("plasma-apply-wallpaperimage"), pic}));
  EXPECT_TRUE(WallpaperCommands({QStringLiteral("weston")}, pic, false).empty());
}

TEST(System, WallpaperOnAnUnknownDesktopIsRecordedAndExplained) {
  TempFolder temp;
  UserStore::Install(std::make_unique<UserStore>(temp.file(QStringLiteral("store.ini"))));
  const QByteArray oldDesktop = qgetenv("XDG_CURRENT_DESKTOP");
  qputenv("XDG_CURRENT_DESKTOP", "Weston");
  ScopedScriptedUi ui;
  EXPECT_FALSE(SetWallpaper(temp.file(QStringLiteral("wallp.bmp")), true));
  EXPECT_EQ(ui->texts(),
            QStringList({QStringLiteral("Не удалось сделать рисунок обоями: рабочий стол «Weston» не поддерживается.")}));
  const QString key = QStringLiteral("Control Panel\\Desktop");
  EXPECT_EQ(UserStore::Instance().read(key, QStringLiteral("Wallpaper")),
            std::optional<QString>(temp.file(QStringLiteral("wallp.bmp"))));
  EXPECT_EQ(UserStore::Instance().read(key, QStringLiteral("TileWallpaper")), std::optional<QString>(QStringLiteral("1")));
  qputenv("XDG_CURRENT_DESKTOP", oldDesktop);
  UserStore::Install(nullptr);
}

TEST(System, ShellOpenNeverRunsAShellCommandLine) {
  TempFolder temp;
  const QString doc = temp.write(QStringLiteral("Doc.PDF"), "%PDF");
  const QString tool = temp.write(QStringLiteral("tool"), "#!/bin/sh\n");
  QFile::setPermissions(tool, QFile::permissions(tool) | QFileDevice::ExeOwner);
  ScopedScriptedUi ui;
  EXPECT_TRUE(ShellOpen(QStringLiteral("https://example.org/a?b"), {}, QStringLiteral("open")));
  EXPECT_TRUE(ShellOpen(temp.path() + QStringLiteral("\\doc.pdf"), QStringLiteral("ignored"), QStringLiteral("open")));
  EXPECT_TRUE(ShellOpen(tool, QStringLiteral("-a \"two words\"; rm -rf /"), QStringLiteral("open")));
  EXPECT_EQ(ui->openedDocuments, (std::vector<QString>{QStringLiteral("https://example.org/a?b"), doc}));
  ASSERT_EQ(ui->startedPrograms.size(), 1u);
  EXPECT_EQ(ui->startedPrograms[0], QStringList({tool, QStringLiteral("-a"), QStringLiteral("two words;"),
                                                 QStringLiteral("rm"), QStringLiteral("-rf"), QStringLiteral("/")}));
  EXPECT_TRUE(ui->messages.empty());

  EXPECT_FALSE(ShellOpen(QStringLiteral("javascript:alert(1)"), {}, QStringLiteral("open")));
  EXPECT_FALSE(ShellOpen(temp.file(QStringLiteral("none.doc")), {}, QStringLiteral("open")));
  EXPECT_FALSE(ShellOpen({}, {}, QStringLiteral("open")));
  EXPECT_EQ(ui->texts(),
            QStringList({QStringLiteral("Не удалось открыть «javascript:alert(1)»: неизвестный вид ссылки."),
                         QStringLiteral("Не удалось открыть «%1»: файл не найден.").arg(temp.file(QStringLiteral("none.doc")))}));
  EXPECT_EQ(ui->openedDocuments.size(), 2u);
}

// The test script runs this with the CUPS server and its default printer
// (TOBRINA_EXPECT_PRINTER=1) and again with no reachable server (=0).
TEST(NoPrinterCheck, FollowsTheDefaultPrinter) {
  const QByteArray expect = qgetenv("TOBRINA_EXPECT_PRINTER");
  if (expect.isEmpty()) GTEST_SKIP() << "run through scripts/run-tests.sh";
  ScopedScriptedUi ui;
  const QString message = QStringLiteral("Принтер не найден.");
  if (expect == "1") {
    EXPECT_EQ(DefaultPrinterDevice(), QStringLiteral("PDF"));
    EXPECT_FALSE(NoPrinter(message));
    EXPECT_TRUE(ui->messages.empty());
  } else {
    EXPECT_EQ(DefaultPrinterDevice(), QString());
    EXPECT_TRUE(NoPrinter(message));
    EXPECT_TRUE(NoPrinter({}));
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].kind, MessageKind::Themed);
    EXPECT_EQ(ui->messages[0].text, message);
  }
}

}  // namespace
}  // namespace tobrina::test
