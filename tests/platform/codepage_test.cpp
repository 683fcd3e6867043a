#include "platform/codepage.h"
#include "support.h"

namespace tobrina::test {
namespace {

TEST(Codepage, EveryByteRoundTrips) {
  QByteArray all;
  for (int b = 0; b < 256; ++b) all.append(char(b));
  const QString text = DecodeCp1251(all);
  ASSERT_EQ(text.size(), 256);
  EXPECT_EQ(text[0xC0], QChar(u'А'));
  EXPECT_EQ(text[0xFF], QChar(u'я'));
  EXPECT_EQ(text[0xA8], QChar(u'Ё'));
  EXPECT_EQ(text[0xB9], QChar(u'№'));
  EXPECT_EQ(EncodeCp1251(text), std::optional<QByteArray>(all));
}

TEST(Codepage, EncodingRefusesWhatTheCodePageLacks) {
  EXPECT_EQ(EncodeCp1251(u"Ёлка №1"), std::optional<QByteArray>("\xA8\xEB\xEA\xE0 \xB9" "1"));
  EXPECT_FALSE(EncodeCp1251(u"日本").has_value());
  EXPECT_EQ(EncodeCp1251Lossy(u"a日b"), "a?b");
}

TEST(Codepage, TextFilesAreUtf8OnlyWithAByteOrderMark) {
  EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF\xD0\x81"), QStringLiteral("Ё"));
  EXPECT_EQ(DecodeTextFile("\xD0\x81"), QStringLiteral("Р\u0403"));
  EXPECT_EQ(LowerText(u"ЁЛКА Ї"), QStringLiteral("ёлка ї"));
  EXPECT_TRUE(SameText(u"Work\\Header.HTML", u"work\\header.html"));
}

}  // namespace
}  // namespace tobrina::test
