#include "pack/gPack.h"
#include "pack/uIniFiles.h"
#include "platform/uiservices.h"
#include "support.h"

namespace tobrina::test {
namespace {

TEST(Ini, Grammar) {
  const IniDocument ini(QStringView(
      u"key=before any section\r\n"
      u"  [ Main ]  \r\n"
      u"; a comment\r\n"
      u"\r\n"
      u"\tType = form \r\n"
      u"caption=a=b\n"
      u"just a line\n"
      u"type=second occurrence\n"
      u"=empty key\n"
      u"[main]\r"
      u"type=in the duplicate section\r"
      u"[Other]\n"
      u"x=1\n"
      u"[broken\n"
      u"y = 2 \x01\n"));
  EXPECT_EQ(ini.sectionNames(), QStringList({QStringLiteral("Main"), QStringLiteral("main"), QStringLiteral("Other")}));
  EXPECT_EQ(ini.readString(u"MAIN", u"type"), QStringLiteral("form"));
  EXPECT_EQ(ini.readString(u"main", u"CAPTION"), QStringLiteral("a=b"));
  EXPECT_EQ(ini.readString(u"main", u"just a line", QStringLiteral("dflt")), QStringLiteral("dflt"));
  EXPECT_EQ(ini.readString(u"main", u"key", QStringLiteral("dflt")), QStringLiteral("dflt"));
  EXPECT_EQ(ini.readString(u"main", u""), QStringLiteral("empty key"));
  EXPECT_EQ(ini.readSection(u"main"),
            QStringList({QStringLiteral("Type"), QStringLiteral("caption"), QStringLiteral("type"), QString()}));
  EXPECT_EQ(ini.readSectionValues(u"main"),
            QStringList({QStringLiteral("Type=form"), QStringLiteral("caption=a=b"), QStringLiteral("just a line"),
                         QStringLiteral("type=second occurrence"), QStringLiteral("=empty key")}));
  // "[broken" is no section header, so its line and "y" stay in [Other].
  EXPECT_EQ(ini.readString(u"other", u"y"), QStringLiteral("2"));
  EXPECT_EQ(ini.readInteger(u"other", u"x", 7), 1);
  EXPECT_EQ(ini.readInteger(u"other", u"y", 7), 2);
  EXPECT_EQ(ini.readInteger(u"main", u"type", 7), 7);
  EXPECT_EQ(ini.lineOf(u"main", u"caption"), 6);
  EXPECT_TRUE(ini.valueExists(u"Other", u"X"));
  EXPECT_FALSE(ini.sectionExists(u"broken"));
}

TEST(Ini, EmptyAndNulTerminatedTexts) {
  EXPECT_TRUE(IniDocument(u"").sectionNames().isEmpty());
  const IniDocument ini(QStringView(u"[a]\nk=v\n\0[b]\nk=w", 17));
  EXPECT_EQ(ini.sectionNames(), QStringList({QStringLiteral("a")}));
}

class PakIni : public PackTest {};

TEST_F(PakIni, ReadsThroughThePackInEitherEncoding) {
  WritePack(temp.file(QStringLiteral("interface.dat")),
            {{"struct_main.txt", "[frmMain]\r\ncaption=\xD7\xE8\xF2\xE0\xEB\xEA\xE0\r\n"},  // Читалка
             {"utf8.txt", "\xEF\xBB\xBF[s]\ncaption=\xD0\xB4\xD0\xB0\n"}});
  ASSERT_TRUE(OpenPack(temp.file(QStringLiteral("interface.dat"))));
  const TPakIniFile main(QStringLiteral("Struct_Main.txt"));
  EXPECT_TRUE(main.found());
  EXPECT_EQ(main.readString(u"frmmain", u"caption"), QStringLiteral("Читалка"));
  EXPECT_EQ(TPakIniFile(QStringLiteral("utf8.txt")).readString(u"s", u"caption"), QStringLiteral("да"));
  ScopedScriptedUi ui;
  const TPakIniFile missing(QStringLiteral("struct_none.txt"));
  EXPECT_FALSE(missing.found());
  EXPECT_TRUE(missing.sectionNames().isEmpty());
  EXPECT_EQ(ui->texts(), QStringList({QStringLiteral("Не найден файл \r\nstruct_none.txt")}));
}

}  // namespace
}  // namespace tobrina::test
