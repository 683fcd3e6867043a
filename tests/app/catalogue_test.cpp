#include "app/catalogue.h"

#include <QMap>

#include "platform/codepage.h"
#include "support.h"

namespace tobrina::test {
namespace {

// Templates by name; every name asked for is remembered.
struct Templates {
  QMap<QString, QString> files{
      {"work\\header.html", "H"},
      {"work\\footer.html", "F"},
      {"work\\item.html", "<a href=\"%0:s*%1:d*%2:d\">%3:s</a>"},
      {"work\\itemX.html", "[%1:d %2:d %3:s]"},
  };
  QStringList asked;
  std::function<QString(const QString&)> reader() {
    return [this](const QString& name) {
      asked.append(name);
      return files.value(name);
    };
  }
};

class Catalogue : public ::testing::Test {
 protected:
  void Load(const QByteArray& xml) { ASSERT_TRUE(cat.load(xml)) << cat.error().toStdString(); }
  QStringList Build() { return cat.BuildContentsPage(templates.reader(), sections, entries); }

  TCatalogue cat;
  Templates templates;
  std::vector<pugi::xml_node> sections;
  std::vector<pugi::xml_node> entries;
};

QByteArray Entry(const char* name) {
  return QByteArray("<entry><zetka_name>") + name + "</zetka_name><zetka html=\"" + name + ".html\"/></entry>";
}

TEST_F(Catalogue, ContentsPageHasHeaderSectionAndEntryLinesAndFooter) {
  Load("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<root>\n"
       "  <section format=\"X\" zetka_name=\"S0\">\n    " +
       Entry("a") + Entry("b") + Entry("c") +
       "\n  </section>\n"
       "  <section format=\"X\" zetka_name=\"S1\">" +
       Entry("d") + Entry("e") + "</section>\n</root>\n");
  const QStringList want{"H",
                         "[0 0 S0]",
                         "<a href=\"$zetka*0*0\">a</a>",
                         "<a href=\"$zetka*0*1\">b</a>",
                         "<a href=\"$zetka*0*2\">c</a>",
                         "[1 3 S1]",
                         "<a href=\"$zetka*1*0\">d</a>",
                         "<a href=\"$zetka*1*1\">e</a>",
                         "F"};
  EXPECT_EQ(Build(), want);
  ASSERT_EQ(sections.size(), 2u);
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(sections[1], cat.section(1));
  EXPECT_EQ(entries[3], cat.entry(1, 0));
  EXPECT_EQ(templates.asked.count("work\\itemX.html"), 2);

  // A second build starts the vectors afresh.
  EXPECT_EQ(Build().size(), 9);
  EXPECT_EQ(entries.size(), 5u);
}

TEST_F(Catalogue, UnnamedNodesGiveNoLineButKeepTheirPlace) {
  // The middle entry has no name; the section's name is a child element, which
  // is itself a child node and so counts as entry 0.
  Load("<root><section><zetka_name>S</zetka_name>" + Entry("a") +
       "<entry><zetka html=\"x.html\"/></entry>" + Entry("c") + "</section></root>");
  EXPECT_EQ(Build(), (QStringList{"H", "<a href=\"$zetka*0*0\">S</a>", "<a href=\"$zetka*0*1\">a</a>",
                                  "<a href=\"$zetka*0*3\">c</a>", "F"}));
  EXPECT_EQ(entries.size(), 4u);
}

TEST_F(Catalogue, SectionLineCarriesEntryCountOfLastSectionWithEntries) {
  Load("<root><section format=\"X\" zetka_name=\"A\">" + Entry("a") + Entry("b") +
       "</section><section format=\"X\" zetka_name=\"B\"/><section format=\"X\" zetka_name=\"C\">" + Entry("c") +
       "</section><section format=\"X\" zetka_name=\"D\"/></root>");
  const QStringList lines = Build();
  EXPECT_EQ(lines.filter("[").join("|"), "[0 0 A]|[1 2 B]|[2 2 C]|[3 1 D]");
}

TEST_F(Catalogue, ContentsLineUsesTheNodesFormat) {
  Load("<root><section format=\"X\" zetka_name=\"attr\"><zetka_name>child</zetka_name></section>"
       "<section format=\"\" zetka_name=\"attr\"><zetka_name>child</zetka_name></section>"
       "<section zetka_name=\"attr\"/>"
       "<entry><zetka_name>N</zetka_name></entry></root>");
  auto read = templates.reader();
  EXPECT_EQ(TCatalogue::ContentsName(cat.section(0)), "attr");
  EXPECT_EQ(TCatalogue::ContentsName(cat.section(1)), "child");
  EXPECT_EQ(TCatalogue::ContentsName(cat.section(2)), "");
  EXPECT_EQ(TCatalogue::EntryName(cat.section(0)), "child");

  EXPECT_EQ(TCatalogue::ContentsLine(cat.section(0), 1, 2, read), "[1 2 attr]");
  EXPECT_EQ(templates.asked.last(), "work\\itemX.html");
  EXPECT_EQ(TCatalogue::ContentsLine(cat.section(3), 2, 4, read), "<a href=\"$zetka*2*4\">N</a>");
  EXPECT_EQ(templates.asked.last(), "work\\item.html");
  EXPECT_EQ(TCatalogue::ContentsLine(cat.section(2), 0, 0, read), "");
}

TEST_F(Catalogue, EntryPageAndAttributes) {
  Load("<root><s><entry><zetka_name>N</zetka_name><zetka html=\"p.html\" file=\"f.dat\" count=\"3\"/>"
       "<zetka html=\"second.html\"/></entry><entry/></s></root>");
  const pugi::xml_node e = cat.entry(0, 0);
  EXPECT_EQ(TCatalogue::EntryPage(e), "p.html");
  EXPECT_EQ(TCatalogue::EntryAttribute(e, "file"), "f.dat");
  EXPECT_EQ(TCatalogue::EntryAttribute(e, "count"), "3");
  EXPECT_EQ(TCatalogue::EntryAttribute(e, "missing"), "");
  EXPECT_EQ(TCatalogue::EntryAttribute(e, nullptr), "");
  EXPECT_EQ(TCatalogue::EntryPage(cat.entry(0, 1)), "");
  EXPECT_EQ(TCatalogue::EntryName(cat.entry(0, 1)), "");
  EXPECT_EQ(TCatalogue::EntryPage(pugi::xml_node()), "");
}

TEST_F(Catalogue, SameCyrillicNamesInEveryEncoding) {
  const QString body = QStringLiteral(u"<root><section format=\"X\" zetka_name=\"Раздел «Ё»\">"
                                      u"<entry><zetka_name>Книга первая</zetka_name></entry></section></root>");
  const QByteArray cp1251 = *EncodeCp1251(body);
  struct Row {
    const char* what;
    QByteArray xml;
  };
  const Row rows[] = {
      {"windows-1251 declared", "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n" + cp1251},
      {"no declaration", cp1251},
      {"declaration without encoding", "<?xml version=\"1.0\"?>" + cp1251},
      {"other encoding declared", "<?xml version='1.0' encoding='koi8-r'?>" + cp1251},
      {"utf-8 declared", "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + body.toUtf8()},
      {"UTF-8 declared, single quotes, spaces", "<?xml version='1.0' encoding = 'UTF-8' ?>" + body.toUtf8()},
      {"byte order mark", "\xEF\xBB\xBF" + body.toUtf8()},
      {"byte order mark and declaration", "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + body.toUtf8()},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    TCatalogue c;
    ASSERT_TRUE(c.load(r.xml)) << c.error().toStdString();
    EXPECT_EQ(TCatalogue::ContentsName(c.section(0)), QStringLiteral(u"Раздел «Ё»"));
    EXPECT_EQ(TCatalogue::EntryName(c.entry(0, 0)), QStringLiteral(u"Книга первая"));
  }
}

TEST_F(Catalogue, MalformedDocumentLoadsNothing) {
  Load("<root><section/></root>");
  // pugixml keeps what it read before the fault; none of it may remain.
  EXPECT_FALSE(cat.load("<root>\n<section>\n  <entry></section>\n</root>"));
  EXPECT_FALSE(cat.loaded());
  EXPECT_TRUE(cat.error().contains(QStringLiteral(u"строка 3"))) << cat.error().toStdString();
  EXPECT_FALSE(cat.root());
  EXPECT_EQ(cat.sectionCount(), 0);
  EXPECT_EQ(Build(), (QStringList{"H", "F"}));

  EXPECT_FALSE(cat.load(""));
  EXPECT_FALSE(cat.load("<root>"));
  EXPECT_FALSE(cat.root());
  EXPECT_FALSE(cat.error().isEmpty());

  Load("<root/>");
  EXPECT_TRUE(cat.loaded());
  EXPECT_TRUE(cat.error().isEmpty());
}

TEST_F(Catalogue, DocumentWithoutRoot) {
  Load("<other><section format=\"X\" zetka_name=\"S\"/></other>");
  EXPECT_TRUE(cat.loaded());
  EXPECT_FALSE(cat.root());
  EXPECT_EQ(cat.sectionCount(), 0);
  EXPECT_EQ(cat.entryCount(0), 0);
  EXPECT_FALSE(cat.entry(0, 0));
  TCatalogue other;
  ASSERT_TRUE(other.load("<root><s><e/></s></root>"));
  sections.push_back(other.section(0));
  entries.push_back(other.entry(0, 0));
  EXPECT_EQ(Build(), (QStringList{"H", "F"}));
  EXPECT_TRUE(sections.empty());
  EXPECT_TRUE(entries.empty());
}

TEST_F(Catalogue, ChildNodesCountedAndLookedUpByPosition) {
  // Text counts as a node; whitespace, comments and CDATA do not.
  Load("<root>\n  lead<!-- note --><a><x/>text<y/></a>\n  <![CDATA[raw]]>\n  <b/>\n</root>");
  const pugi::xml_node root = cat.root();
  ASSERT_EQ(cat.sectionCount(), 3);
  EXPECT_EQ(cat.section(0).type(), pugi::node_pcdata);
  EXPECT_STREQ(cat.section(1).name(), "a");
  EXPECT_STREQ(cat.section(2).name(), "b");
  EXPECT_EQ(cat.entryCount(1), 3);
  EXPECT_EQ(cat.entryCount(0), 0);
  EXPECT_STREQ(cat.entry(1, 2).name(), "y");

  for (int s = 0; s < 3; ++s) EXPECT_EQ(TCatalogue::IndexOfChild(root, cat.section(s)), s);
  EXPECT_EQ(TCatalogue::IndexOfChild(cat.section(1), cat.entry(1, 1)), 1);
  EXPECT_EQ(TCatalogue::IndexOfChild(root, cat.entry(1, 0)), -1) << "a grandchild";
  EXPECT_EQ(TCatalogue::IndexOfChild(root, root), -1);
  EXPECT_EQ(TCatalogue::IndexOfChild(root, pugi::xml_node()), -1);
  EXPECT_EQ(TCatalogue::IndexOfChild(pugi::xml_node(), cat.section(1)), -1);

  struct Row {
    int s, e;
  };
  for (const Row r : {Row{-1, 0}, Row{3, 0}, Row{1, -1}, Row{1, 3}, Row{0, 0}, Row{1 << 30, 1 << 30}}) {
    EXPECT_FALSE(cat.entry(r.s, r.e)) << r.s << "," << r.e;
    EXPECT_EQ(cat.entryCount(r.s), r.s == 1 ? 3 : 0) << r.s;
  }
  EXPECT_FALSE(cat.section(-1));
  EXPECT_FALSE(cat.section(3));
}

TEST(FormatTemplate, Placeholders) {
  struct Row {
    const char* format;
    QVariantList args;
    const char* want;
  };
  const Row rows[] = {
      {"%s and %d", {"a", 5}, "a and 5"},
      {"%s", {7}, "7"},
      {"%3:s %s", {"a", "b", "c", "d", "e"}, "d e"},
      {"%1:s%s%0:s%s", {"a", "b", "c"}, "bcab"},
      {"100%% of %s", {"x"}, "100% of x"},
      {"[%5s][%-5s][%5s]", {"ab", "cd", "toolong"}, "[   ab][cd   ][toolong]"},
      {"[%5d][%-4d]", {-42, 7}, "[  -42][7   ]"},
      {"%.3d|%6.3d|%.2d", {-5, 7, 12345}, "-005|   007|12345"},
      {"%.2s|%.s|%-6.3s|", {"abcdef", "abc", "abcdef"}, "ab||abc   |"},
      {"%1:-4s|%0:3d", {5, "a"}, "a   |  5"},
      {"%x %X %4x %.4x %x", {255, 10, 255, 255, -1}, "FF A   FF 00FF FFFFFFFF"},
      {"%d", {qint64(-9223372036854775807LL - 1)}, "-9223372036854775808"},
      {"%d %x", {quint64(18446744073709551615ULL), qint64(-1)}, "18446744073709551615 FFFFFFFFFFFFFFFF"},
      // What does not fit stops the formatting: the rest stays as written.
      {"a %d b %s", {"text", "x"}, "a %d b %s"},
      {"%s %d %s", {"a", 1.5, "c"}, "a %d %s"},
      {"%s, %s, %s", {"a"}, "a, %s, %s"},
      {"%5:s %s", {"a"}, "%5:s %s"},
      {"%2:s %s", {"a", "b", "c"}, "c %s"},
      {"%s", {}, "%s"},
      {"%q %s", {1, "b"}, "%q %s"},
      {"end %", {}, "end %"},
      {"%-", {"a"}, "%-"},
      {"%:s", {"a"}, "%:s"},
      {"%99999999999s|%s", {"a", "b"}, "%99999999999s|%s"},
      {"%.99999999999d", {1}, "%.99999999999d"},
      {"%4294967296:s", {"a"}, "%4294967296:s"},
      {"no placeholders", {"unused"}, "no placeholders"},
  };
  for (const Row& r : rows) EXPECT_EQ(FormatTemplate(QString::fromUtf8(r.format), r.args), r.want) << r.format;
}

}  // namespace
}  // namespace tobrina::test
