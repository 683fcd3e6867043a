#include <QDir>
#include <QImage>
#include <QBuffer>

#include "pack/gHelpers.h"
#include "pack/gPack.h"
#include "pack/packwriter.h"
#include "platform/codepage.h"
#include "platform/jpeg.h"
#include "platform/uiservices.h"
#include "support.h"

namespace tobrina::test {
namespace {

const QString kMissing = QStringLiteral("Не найден файл \r\n");
const QString kBadSignature = QStringLiteral("Неверная сигнатура архива");

class Pack : public PackTest {
 protected:
  // Opens a pack written into the temporary folder, by its full path.
  void openPack(const std::vector<PackFile>& files) {
    packPath = temp.file(QStringLiteral("interface.dat"));
    WritePack(packPath, files);
    ASSERT_TRUE(OpenPack(packPath));
  }
  QByteArray load(const QString& name) {
    QByteArray bytes;
    LoadPackFile(bytes, name);
    return bytes;
  }
  QString packPath;
  ScopedScriptedUi ui;
};

TEST_F(Pack, NamesResolveLowerCasedAndLaterEntryWins) {
  openPack({{"work\\header.html", "header"},
            {"Work\\Upper.html", "never found"},
            {"dup.txt", "first"},
            {"dup.txt", "second"},
            {"\xEF\xE0\xEF\xEA\xE0\\\xF4\xE0\xE9\xEB.txt", "cyrillic"}});  // папка\файл.txt
  EXPECT_EQ(load(QStringLiteral("Work\\Header.HTML")), "header");
  EXPECT_EQ(load(QStringLiteral("dup.txt")), "second");
  EXPECT_EQ(load(QStringLiteral("ПАПКА\\Файл.TXT")), "cyrillic");
  EXPECT_EQ(PackIndexOf(QStringLiteral("work\\upper.html")), -1) << "entries stored with capitals are never found";
  EXPECT_EQ(PackState().entryCount, 5u);
  // The absolute name made of the base folder and a relative name finds the same entry.
  EXPECT_EQ(PackState().baseFolder, WithTrailingBackslash(temp.path()));
  EXPECT_EQ(load(PackState().baseFolder + QStringLiteral("work\\header.html")), "header");
  EXPECT_TRUE(ui->messages.empty()) << ui->texts().join(u'|').toStdString();
}

TEST_F(Pack, ScrambledEntriesComeBackPlainAndOtherFlagsAreStoredAsIs) {
  packPath = temp.file(QStringLiteral("interface.dat"));
  {
    PackWriter w(packPath);
    w.add("s.txt", "secret bytes \x01\xFF", true);
    w.add("p.txt", "plain", false);
    TData two;  // flag 2 is plain too: point it at p.txt's data
    two.name = "two.txt";
    two.nameLength = 7;
    two.position = kPackHeaderSize + 15;
    two.size = 5;
    two.flag = 2;
    w.addRawEntry(two);
    ASSERT_EQ(w.finish(), QString());
  }
  ASSERT_TRUE(OpenPack(packPath));
  EXPECT_EQ(load(QStringLiteral("s.txt")), QByteArray("secret bytes \x01\xFF"));
  EXPECT_EQ(load(QStringLiteral("p.txt")), "plain");
  EXPECT_EQ(load(QStringLiteral("two.txt")), "plain");
  // Stored bytes really are scrambled.
  QFile raw(packPath);
  ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
  EXPECT_FALSE(raw.readAll().contains("secret"));
}

TEST_F(Pack, MissingNameReportsEveryTimeEmptyNameNever) {
  openPack({{"a.txt", "a"}});
  EXPECT_EQ(load(QStringLiteral("pics\\none.jpg")), QByteArray());
  EXPECT_TRUE(LoadPackPicture(QStringLiteral("pics\\none.jpg")).isNull());
  EXPECT_EQ(load(QString()), QByteArray());
  EXPECT_EQ(ui->texts(), QStringList({kMissing + QStringLiteral("pics\\none.jpg"),
                                      kMissing + QStringLiteral("pics\\none.jpg")}));
  auto stream = OpenPackStream(QStringLiteral("nothing.txt"));
  EXPECT_FALSE(stream->found());
  EXPECT_EQ(stream->size(), 0);
}

TEST_F(Pack, LooseFilesBesideAndAboveThePack) {
  openPack({{"in_pack.txt", "packed"}});
  temp.write(QStringLiteral("Loose\\File.TXT"), "loose");
  temp.write(QStringLiteral("in_pack.txt"), "shadowed by the pack");
  QDir(temp.path()).mkpath(QStringLiteral("shared"));
  temp.write(QStringLiteral("shared/a.txt"), "one level up");
  // The base folder becomes the pack's folder: open one below it.
  const QString sub = temp.file(QStringLiteral("sub"));
  QDir().mkpath(sub);
  WritePack(sub + QStringLiteral("/interface.dat"), {{"x", "x"}});
  ASSERT_TRUE(OpenPack(sub + QStringLiteral("/interface.dat")));
  EXPECT_EQ(load(QStringLiteral("..\\shared\\a.txt")), "one level up");
  ASSERT_TRUE(OpenPack(packPath));
  EXPECT_EQ(load(QStringLiteral("loose\\file.txt")), "loose");
  EXPECT_EQ(load(QStringLiteral("in_pack.txt")), "packed");
  EXPECT_TRUE(ui->messages.empty()) << ui->texts().join(u'|').toStdString();
}

TEST_F(Pack, PackFileExistsLooksInPackThenBesideTheExecutable) {
  openPack({{"work\\item.html", "i"}});
  SetExeFolderOverride(temp.path());
  temp.write(QStringLiteral("skin/main.skn"), "s");
  EXPECT_TRUE(PackFileExists(QStringLiteral("work\\item.html")));
  EXPECT_TRUE(PackFileExists(QStringLiteral("\\skin\\main.skn")));
  EXPECT_TRUE(PackFileExists(PackState().baseFolder + QStringLiteral("work\\item.html")));
  EXPECT_TRUE(PackFileExists(temp.file(QStringLiteral("skin/main.skn"))));
  EXPECT_FALSE(PackFileExists(QStringLiteral("work\\other.html")));
  EXPECT_FALSE(PackFileExists(QString()));
  EXPECT_TRUE(ui->messages.empty());
}

// Packs that are not packs: what OpenPack says and what the reader falls back to.
TEST_F(Pack, DamagedPacksFallBackToLooseFiles) {
  struct Case {
    const char* what;
    QByteArray bytes;
    QStringList messages;
  };
  QByteArray good;
  {
    WritePack(temp.file(QStringLiteral("good.dat")), {{"struct_main.txt", "packed"}});
    QFile f(temp.file(QStringLiteral("good.dat")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    good = f.readAll();
  }
  QByteArray dirPastEnd = good;
  dirPastEnd[7] = char(dirPastEnd.size() + 10);  // directory position beyond the file
  QByteArray dirAtEnd = good;
  dirAtEnd[7] = char(dirAtEnd.size());  // a directory with no entry
  dirAtEnd[8] = 0;
  QByteArray truncated = good.left(good.size() - 3);  // last entry cut short
  QByteArray dirPast4G = good;
  dirPast4G[11] = 1;  // bit 32 of the position: 2^32 + 15 + 6
  const std::vector<Case> cases = {
      {"wrong signature", QByteArray("XMA") + good.mid(3), {kBadSignature}},
      {"shorter than the header", "BMA\0\0", {kBadSignature}},
      {"directory past the end", dirPastEnd, {}},
      {"directory holds no entry", dirAtEnd, {}},
      {"last entry cut short", truncated, {}},
      {"directory past 4 GiB", dirPast4G,
       {QStringLiteral("Архив %1: каталог по позиции 4294967317 за пределами 4 ГиБ не поддерживается.")}},
  };
  temp.write(QStringLiteral("struct_main.txt"), "loose");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ui->clear();
    const QString path = temp.write(QStringLiteral("interface.dat"), c.bytes);
    EXPECT_FALSE(OpenPack(path));
    EXPECT_FALSE(PackState().entries.has_value());
    QStringList expected;
    for (const QString& m : c.messages) expected << (m.contains(u"%1") ? m.arg(path) : m);
    EXPECT_EQ(ui->texts(), expected);
    EXPECT_EQ(load(QStringLiteral("struct_main.txt")), "loose");
  }
}

TEST_F(Pack, EmptyPackOpensWithoutEntriesAndMissingPackIsSilent) {
  const QString path = temp.write(QStringLiteral("interface.dat"), {});
  temp.write(QStringLiteral("struct_main.txt"), "loose");
  EXPECT_TRUE(OpenPack(path));
  EXPECT_EQ(PackState().entryCount, 0u);
  EXPECT_EQ(load(QStringLiteral("struct_main.txt")), "loose");
  EXPECT_FALSE(OpenPack(temp.file(QStringLiteral("none.dat"))));
  EXPECT_TRUE(ui->messages.empty());
}

TEST_F(Pack, EntryReachingPastTheEndIsNeverReadOutsideTheFile) {
  packPath = temp.file(QStringLiteral("interface.dat"));
  {
    PackWriter w(packPath);
    w.add("ok.txt", "fine", false);
    TData bad;
    bad.name = "bad.txt";
    bad.nameLength = 7;
    bad.position = kPackHeaderSize;
    bad.size = 0xFFFFFFF0u;
    w.addRawEntry(bad);
    TData far;
    far.name = "far.txt";
    far.nameLength = 7;
    far.position = 0xFFFFFFF0u;
    far.size = 0x20;  // position + size overflows 32 bits
    w.addRawEntry(far);
    ASSERT_EQ(w.finish(), QString());
  }
  ASSERT_TRUE(OpenPack(packPath));
  for (const char* name : {"bad.txt", "far.txt"}) {
    ui->clear();
    QByteArray bytes;
    EXPECT_FALSE(LoadPackFile(bytes, QString::fromLatin1(name)));
    EXPECT_TRUE(bytes.isEmpty());
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].text, QStringLiteral("Файл %1 в архиве %2 повреждён: его данные выходят за конец архива.")
                                        .arg(QString::fromLatin1(name), packPath));
  }
  EXPECT_EQ(load(QStringLiteral("ok.txt")), "fine");
}

TEST_F(Pack, ReadPackTextEndsEveryLineAndSubstitutes) {
  openPack({{"t.txt", "a%sb%S\r\nline2\rline3\nlast"},
            {"nul.txt", QByteArray("before\0after", 12)},
            {"utf8.txt", "\xEF\xBB\xBF\xD0\xB4\xD0\xB0"},
            {"cp.txt", "\xE4\xE0"}});
  EXPECT_EQ(ReadPackText(QStringLiteral("t.txt"), QStringLiteral("x")),
            QStringLiteral("axbx\r\nline2\r\nline3\r\nlast\r\n"));
  EXPECT_EQ(ReadPackText(QStringLiteral("t.txt")), QStringLiteral("a%sb%S\r\nline2\r\nline3\r\nlast\r\n"));
  EXPECT_EQ(ReadPackText(QStringLiteral("nul.txt")), QStringLiteral("before\r\n"));
  EXPECT_EQ(ReadPackText(QStringLiteral("utf8.txt")), QStringLiteral("да\r\n"));
  EXPECT_EQ(ReadPackText(QStringLiteral("cp.txt")), QStringLiteral("да\r\n"));
  EXPECT_EQ(ReadPackText(QStringLiteral("missing.txt")), QString());
}

TEST_F(Pack, PicturesDecodeByExtension) {
  QImage red(4, 3, QImage::Format_RGB32);
  red.fill(Qt::red);
  QByteArray bmp;
  {
    QBuffer b(&bmp);
    b.open(QIODevice::WriteOnly);
    red.save(&b, "BMP");
  }
  const QByteArray jpeg = EncodeJpeg(red, 95).value();
  openPack({{"p.bmp", bmp}, {"p.jpg", jpeg}, {"p.png", jpeg}, {"bmp_as.png", bmp}});
  for (const char* name : {"P.BMP", "p.jpg", "p.png"}) {
    const QImage image = LoadPackPicture(QString::fromLatin1(name));
    ASSERT_FALSE(image.isNull()) << name;
    EXPECT_EQ(image.size(), QSize(4, 3));
    EXPECT_GT(qRed(image.pixel(1, 1)), 240) << name;
  }
  EXPECT_TRUE(ui->messages.empty());
  // Any extension but .bmp is taken for JPEG: a bitmap named .png does not decode.
  EXPECT_TRUE(LoadPackPicture(QStringLiteral("bmp_as.png")).isNull());
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_TRUE(ui->messages[0].text.startsWith(QStringLiteral("Не удалось прочитать рисунок bmp_as.png: ")));
}

}  // namespace
}  // namespace tobrina::test
