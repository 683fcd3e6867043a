#include <QFont>

#include "pack/gHelpers.h"
#include "platform/convert.h"
#include "support.h"

namespace tobrina::test {
namespace {

class Helpers : public PackTest {};

TEST_F(Helpers, Paths) {
  SetExeFolderOverride(QStringLiteral("/opt/tobrina"));
  EXPECT_EQ(ExeFolder(), QStringLiteral("/opt/tobrina/"));
  struct Row {
    const char* what;
    QString got, want;
  };
  const Row rows[] = {
      {"two steps up", ExpandPath(QStringLiteral("..\\..\\pic\\a.jpg"), QStringLiteral("C:\\A\\B\\C\\")),
       QStringLiteral("C:\\A\\pic\\a.jpg")},
      {"slashes, empty base", ExpandPath(QStringLiteral("pic/a.jpg"), {}), QStringLiteral("/opt/tobrina/pic\\a.jpg")},
      {"drive letter unchanged", ExpandPath(QStringLiteral("D:\\x.jpg"), QStringLiteral("C:\\")),
       QStringLiteral("D:\\x.jpg")},
      {"native absolute unchanged", ExpandPath(QStringLiteral("/srv/x.jpg"), QStringLiteral("/a/")),
       QStringLiteral("/srv/x.jpg")},
      {"inner ..\\ drops what stands before it", ExpandPath(QStringLiteral("a\\..\\b.txt"), QStringLiteral("/r/s/")),
       QStringLiteral("/r/b.txt")},
      {"climbing past the root stays there", ExpandPath(QStringLiteral("..\\..\\..\\x"), QStringLiteral("/r/")),
       QStringLiteral("/x")},
      {"exe relative drops one backslash", ExeRelativePath(QStringLiteral("\\skin\\main.skn")),
       QStringLiteral("/opt/tobrina/skin\\main.skn")},
      {"exe relative of empty", ExeRelativePath({}), QString()},
      {"exe relative of drive path", ExeRelativePath(QStringLiteral("C:\\x")), QStringLiteral("C:\\x")},
      {"trailing backslash added", WithTrailingBackslash(QStringLiteral("C:\\a")), QStringLiteral("C:\\a\\")},
      {"trailing backslash kept", WithTrailingBackslash(QStringLiteral("C:\\a\\")), QStringLiteral("C:\\a\\")},
      {"trailing backslash of empty", WithTrailingBackslash({}), QString()},
      {"without trailing backslash", WithoutTrailingBackslash(QStringLiteral("C:\\a\\")), QStringLiteral("C:\\a")},
      {"file suffix", WithFileSuffix(QStringLiteral("work\\item.html"), QStringLiteral("x")),
       QStringLiteral("work\\itemx.html")},
      {"file suffix without extension", WithFileSuffix(QStringLiteral("a.b\\item"), QStringLiteral("x")),
       QStringLiteral("a.b\\itemx")},
  };
  for (const Row& r : rows) EXPECT_EQ(r.got, r.want) << r.what;
}

TEST_F(Helpers, TextCutting) {
  QString list = QStringLiteral("a**b");
  const QString star = QStringLiteral("*");
  EXPECT_EQ(SplitToken(list, star), QStringLiteral("a"));
  EXPECT_EQ(SplitToken(list, star), QString());
  EXPECT_EQ(SplitToken(list, star), QStringLiteral("b"));
  EXPECT_EQ(list, QString());

  EXPECT_EQ(TextBefore(QStringLiteral("k=v=w"), QStringLiteral("=")), QStringLiteral("k"));
  EXPECT_EQ(TextBefore(QStringLiteral("kv"), QStringLiteral("=")), QStringLiteral("kv"));
  EXPECT_EQ(LastPos(QStringLiteral(" "), QStringLiteral(" abc")), 1);
  EXPECT_EQ(LastPos(QStringLiteral("b"), QStringLiteral("abcb")), 4);
  EXPECT_EQ(LastPos(QStringLiteral("xyz"), QStringLiteral("xy")), 0);

  QString two = QStringLiteral("one two");
  EXPECT_EQ(SplitAtLast(two, QStringLiteral(" ")), QStringLiteral(" two"));
  EXPECT_EQ(two, QStringLiteral("one"));
  QString none = QStringLiteral("solo");
  EXPECT_EQ(SplitAtLast(none, QStringLiteral(" ")), QStringLiteral("solo"));
  EXPECT_EQ(none, QString());

  QString chars = QStringLiteral("abcdef");
  EXPECT_EQ(CutChars(2, chars), QStringLiteral("ab"));
  EXPECT_EQ(chars, QStringLiteral("cdef"));
  EXPECT_EQ(CutChars(9, chars), QStringLiteral("cdef"));
  EXPECT_EQ(chars, QString());

  EXPECT_EQ(ShortenText(QStringLiteral("one two three"), 10), QStringLiteral("one two..."));
  EXPECT_EQ(ShortenText(QStringLiteral("abcdefghijkl"), 5), QStringLiteral("abcd"));
  EXPECT_EQ(ShortenText(QStringLiteral(" bcdefghijkl"), 5), QStringLiteral("..."));
  EXPECT_EQ(ShortenText(QStringLiteral("abcd"), 5), QStringLiteral("abcd"));
  EXPECT_EQ(ShortenText(QStringLiteral("abcde"), 0), QStringLiteral("abcde"));

  EXPECT_EQ(HexRgbToBgr(QStringLiteral("123456")), QStringLiteral("563412"));
  EXPECT_EQ(HexRgbToBgr(QStringLiteral("12345678")), QStringLiteral("563412"));
  EXPECT_EQ(HexRgbToBgr(QStringLiteral("F00")), QStringLiteral("F00"));
  EXPECT_TRUE(IsEven(-4));
  EXPECT_FALSE(IsEven(-3));

  QStringList names;
  ListNames({QStringLiteral("a=1"), QStringLiteral("b"), QStringLiteral("c=3=4")}, names);
  EXPECT_EQ(names, QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
}

TEST_F(Helpers, IndexOfSubstringMatchesLongerNumbersAndIgnoresCase) {
  const QStringList favourites = {QStringLiteral("Запись=ZETKA*1*23"), QStringLiteral("other=zetka*1*2")};
  EXPECT_EQ(IndexOfSubstring(favourites, QStringLiteral("zetka*1*2"), 0), 0);
  EXPECT_EQ(IndexOfSubstring(favourites, QStringLiteral("zetka*1*2"), 1), 1);
  EXPECT_EQ(IndexOfSubstring(favourites, QStringLiteral("запись"), 0, {}, true), 0);
  EXPECT_EQ(IndexOfSubstring(favourites, QStringLiteral("OTHER"), 0, {}, true), 1);
  EXPECT_EQ(IndexOfSubstring(favourites, QStringLiteral("zetka"), 0, {}, true), -1);
  EXPECT_EQ(IndexOfSubstring({}, QStringLiteral("x"), 0), -1);
  std::vector<int> steps;
  EXPECT_EQ(IndexOfSubstring(favourites, QStringLiteral("none"), 0, [&](int n) { steps.push_back(n); }), -1);
  EXPECT_EQ(steps, (std::vector<int>{1, 2}));
}

TEST_F(Helpers, BooleansAndColours) {
  EXPECT_TRUE(ParseBool(QStringLiteral("  TRUE "), false));
  EXPECT_TRUE(ParseBool(QStringLiteral("1"), false));
  EXPECT_FALSE(ParseBool(QStringLiteral("0"), true));
  EXPECT_TRUE(ParseBool(QStringLiteral("yes"), true));
  EXPECT_FALSE(ParseBool(QStringLiteral("yes"), false));
  EXPECT_EQ(BoolText(true), QStringLiteral("1"));

  const QColor red(255, 0, 0);
  EXPECT_EQ(ParseColor(QStringLiteral("#FF0000")), red);
  EXPECT_EQ(ParseColor(QStringLiteral("$0000FF")), red);
  EXPECT_EQ(ParseColor(QStringLiteral("0000ff")), red);
  EXPECT_EQ(ParseColor(QStringLiteral("#F00")), QColor(0, 0x0F, 0)) << "short #: the number F00";
  EXPECT_EQ(ParseColor(QString()), QColor(Qt::black));
  for (const char* bad : {"red", "#GG0000", "$", "-5", "1234567890"}) {
    EXPECT_THROW(ParseColor(QString::fromLatin1(bad)), ConversionError) << bad;
  }
  try {
    ParseColor(QStringLiteral("abcz"));
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_EQ(e.text(), QStringLiteral("'$abcz' is not a valid integer value"));
  }
}

TEST_F(Helpers, Integers) {
  EXPECT_EQ(ParseInt(QStringLiteral("42")), 42);
  EXPECT_EQ(ParseInt(QStringLiteral(" -7")), -7);
  EXPECT_EQ(ParseInt(QStringLiteral("$FF")), 255);
  EXPECT_EQ(ParseInt(QStringLiteral("0x10")), 16);
  EXPECT_EQ(ParseInt(QStringLiteral("$FFFFFFFF")), -1);
  EXPECT_EQ(ParseInt(QStringLiteral("-2147483648")), std::numeric_limits<int>::min());
  for (const char* bad : {"", "abc", "12 ", "2147483648", "1.5", "$"}) {
    EXPECT_THROW(ParseInt(QString::fromLatin1(bad)), ConversionError) << bad;
  }
  EXPECT_EQ(ParseIntOr(QStringLiteral("x"), 9), 9);
  try {
    ParseInt(QStringLiteral("abc"));
  } catch (const ConversionError& e) {
    EXPECT_EQ(e.text(), QStringLiteral("'abc' is not a valid integer value"));
  }
}

TEST_F(Helpers, FontsChangeOnlyTheFieldsGiven) {
  TextFont base;
  base.font = QFont(QStringLiteral("Arial"), 10);
  base.font.setBold(true);
  base.color = Qt::green;

  TextFont name = base;
  ParseFont(name, QStringLiteral("Tahoma"));
  EXPECT_EQ(name.font.family(), QStringLiteral("Tahoma"));
  EXPECT_EQ(name.font.pointSize(), 10);
  EXPECT_TRUE(name.font.bold());
  EXPECT_EQ(name.color, QColor(Qt::green));

  TextFont colour = base;
  ParseFont(colour, QStringLiteral("**#0000FF*U"));
  EXPECT_EQ(colour.font.family(), QStringLiteral("Arial"));
  EXPECT_EQ(colour.font.pointSize(), 10);
  EXPECT_EQ(colour.color, QColor(0, 0, 255));
  EXPECT_TRUE(colour.font.underline());
  EXPECT_FALSE(colour.font.bold()) << "a style field replaces the whole style";

  TextFont all = base;
  ParseFont(all, QStringLiteral("Verdana*14*FF0000*ib"));
  EXPECT_EQ(all.font.pointSize(), 14);
  EXPECT_EQ(all.color, QColor(0, 0, 255));
  EXPECT_TRUE(all.font.italic());
  EXPECT_TRUE(all.font.bold());
  EXPECT_FALSE(all.font.underline());

  TextFont bad = base;
  EXPECT_THROW(ParseFont(bad, QStringLiteral("Arial*big")), ConversionError);
}

}  // namespace
}  // namespace tobrina::test
