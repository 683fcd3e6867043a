#include "support.h"

#include <QStringList>
#include <vector>

#include "html/uLegHtmlParser.h"
#include "platform/codepage.h"

namespace tobrina::test {
namespace {

// Writes every event as one line: "tag:P [CLASS=x][id=a]", "text:Hi",
// "error:5@3" and so on; blocks only when asked for.
class Recorder {
 public:
  explicit Recorder(TLegHtmlParser& parser, bool blocks = false) {
    if (blocks) parser.OnBlock = [this](TLegHtmlParser&, QStringView t) { events << "block:" + t.toString(); };
    parser.OnTag = [this](TLegHtmlParser&, QStringView tag, const THtmlAttributes& attributes) {
      QString line = "tag:" + tag.toString();
      if (!attributes.empty()) line += ' ';
      for (const THtmlAttribute& a : attributes) line += '[' + a.name.toString() + '=' + a.value.toString() + ']';
      events << line;
    };
    parser.OnText = [this](TLegHtmlParser&, QStringView t) { events << "text:" + t.toString(); };
    parser.OnComment = [this](TLegHtmlParser&, QStringView t) { events << "comment:" + t.toString(); };
    parser.OnScript = [this](TLegHtmlParser&, QStringView t) { events << "script:" + t.toString(); };
    parser.OnDTDTag = [this](TLegHtmlParser&, QStringView t) { events << "dtd:" + t.toString(); };
    parser.OnError = [this](TLegHtmlParser&, int error, qsizetype pos, bool&) {
      events << QString("error:%1@%2").arg(error).arg(pos);
    };
  }
  QStringList events;
};

QStringList Events(const QString& html, bool blocks = false) {
  TLegHtmlParser parser;
  Recorder recorder(parser, blocks);
  parser.Parse(html);
  return recorder.events;
}

// The text a lone text run becomes.
QString TextOf(const QString& run) {
  const QStringList events = Events(run);
  return events.size() == 1 && events[0].startsWith("text:") ? events[0].mid(5) : "<" + events.join('|') + ">";
}

struct Case {
  const char* html;
  QStringList expected;
};

void ExpectEvents(const std::vector<Case>& cases, bool blocks = false) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.html);
    EXPECT_EQ(Events(QString(c.html), blocks), c.expected);
  }
}

TEST(HtmlParserTranslate, References) {
  const struct {
    const char* run;
    const char* text;
  } cases[] = {
      {"a &amp; b &lt;c&gt;", "a & b <c>"},
      {"&#65;", "A"},
      {"&#x41;", "A"},
      {"&#X41;", "A"},
      {"&#x4G;", "&#x4G;"},
      {"&#;", "&#;"},
      {"&#x;", "&#x;"},
      {"&#-65;", "&#-65;"},
      // Only the low 8 bits count, taken as a character of the code page.
      {"&#321;", "A"},
      {"&#480;", "а"},
      {"&#1040;", "\x10"},
      {"&#4294967361;", "A"},
      {"&Agrave;", "А"},
      {"&AGRAVE;", "&AGRAVE;"},
      {"&Amp;", "&Amp;"},
      {"&;", "&;"},
      {"x &amp", "x &amp"},
      {"a & b;", "a & b;"},
      {"a & b &lt;", "a & b <"},
      {"&&lt;", "&<"},
      {"&lt;&gt;", "<>"},
      {"&amp;lt;", "&lt;"},
      {"&nbsp;", "\u00A0"},
      {"&copy; 2004", "\u00A9 2004"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.run);
    EXPECT_EQ(TextOf(c.run), QString(c.text));
  }
}

TEST(HtmlParserTranslate, NamedReferencesHaveTheirLatin1Codes) {
  const struct {
    const char* name;
    int code;
  } cases[] = {{"quot", 34},    {"amp", 38},     {"lt", 60},      {"gt", 62},     {"nbsp", 160},
               {"shy", 173},    {"frac34", 190}, {"iquest", 191}, {"Agrave", 192}, {"ETH", 208},
               {"times", 215},  {"szlig", 223},  {"agrave", 224}, {"divide", 247}, {"yuml", 255}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const char byte = char(c.code);
    EXPECT_EQ(TextOf(QString("&%1;").arg(c.name)), DecodeCp1251(QByteArrayView(&byte, 1)));
  }
}

TEST(HtmlParserTranslate, DecodedInNamesValuesAndDeclarationsOnly) {
  ExpectEvents({
      {"<a&amp;b c&lt;d=&quot;x&quot; e='&#65;'>", {"tag:a&b [c<d=\"x\"][e=A]"}},
      {"<!DOCTYPE &amp;>", {"dtd:DOCTYPE &"}},
      {"<!-- &amp; -->", {"comment: &amp; "}},
      {"<script>&amp;</script>", {"tag:script", "script:&amp;", "tag:/script"}},
  });
  // Blocks are raw.
  EXPECT_EQ(Events("<i t=&lt;>&lt;", true), (QStringList{"block:<i t=&lt;>", "tag:i [t=<]", "block:&lt;", "text:<"}));
}

TEST(HtmlParserTranslate, OffKeepsReferences) {
  TLegHtmlParser parser;
  Recorder recorder(parser);
  parser.setTranslate(false);
  parser.Parse(u"<p v=&lt;>a &amp; b");
  EXPECT_EQ(recorder.events, (QStringList{"tag:p [v=&lt;]", "text:a &amp; b"}));
}

TEST(HtmlParserEvents, Tags) {
  ExpectEvents({
      {"<P CLASS='x' nowrap id=a>", {"tag:P [CLASS=x][id=a]"}},
      {"</title>", {"tag:/title"}},
      {"<br/>", {"tag:br/"}},
      {"<br />", {"tag:br"}},
      {"<  b >", {"tag:b"}},
      {"<a href = \"x y>z\" title='q' b=>", {"tag:a [href=x y>z][title=q][b=]"}},
      {"<a b c=d e>", {"tag:a [c=d]"}},
      {"<p a=1 a=2>", {"tag:p [a=1][a=2]"}},
      {"<a x=\"1\"y=2>", {"tag:a [x=1][y=2]"}},
      // A value with no name is skipped; the tag still ends at its ">".
      {"<a =x b=y>", {"tag:a [b=y]"}},
      {"<>", {"tag:"}},
  });
}

TEST(HtmlParserEvents, AttributeLookup) {
  TLegHtmlParser parser;
  QStringList seen;
  parser.OnTag = [&](TLegHtmlParser&, QStringView, const THtmlAttributes& a) {
    seen << a.value(u"HREF").toString() << QString::number(a.value(u"none").isNull()) << a.lines().join('|');
  };
  parser.Parse(u"<a href=x.htm Href=y title=>");
  EXPECT_EQ(seen, (QStringList{"x.htm", "1", "href=x.htm|Href=y|title="}));
}

TEST(HtmlParserEvents, TextCommentsDeclarationsScripts) {
  ExpectEvents({
      {"<p> a &lt; b </p>", {"tag:p", "text:a < b", "tag:/p"}},
      {"<p>one<br>two</p>", {"tag:p", "text:one", "tag:br", "text:two", "tag:/p"}},
      {"<b> \t </b>", {"tag:b", "tag:/b"}},
      {"<!DOCTYPE html>", {"dtd:DOCTYPE html"}},
      {"<!>", {"dtd:"}},
      {"<!-- a -- b -->", {"comment: a -- b "}},
      {"<!---->", {"comment:"}},
      {"<!-- x --->", {"comment: x "}},
      {"<!-- x -- >y", {"comment: x ", "text:y"}},
      {"<script>if (a<b) x();</SCRIPT>", {"tag:script", "script:if (a<b) x();", "tag:/SCRIPT"}},
      {"<SCRIPT type=x>\r\n  f();\r\n</Script>", {"tag:SCRIPT [type=x]", "script:  f();\r\n", "tag:/Script"}},
      {"<script><!-- code --></script>", {"tag:script", "script: code ", "tag:/script"}},
      {"<script>\r\n <!--\r\nf();\r\n//-->\r\n</script>", {"tag:script", "script:\r\nf();\r\n//", "tag:/script"}},
      {"<script></script>", {"tag:script", "script:", "tag:/script"}},
      {"<script/>x", {"tag:script/", "text:x"}},
  });
}

TEST(HtmlParserEvents, BlocksAndLineBreaks) {
  ExpectEvents(
      {
          {"<p>\r\nHi\r\n<b>", {"block:<p>", "tag:p", "block:Hi", "text:Hi", "block:<b>", "tag:b"}},
          {"<p>\nHi\n\n<b>", {"block:<p>", "tag:p", "block:Hi\n", "text:Hi", "block:<b>", "tag:b"}},
          {"<p>\r\r\nx", {"block:<p>", "tag:p", "block:\r\nx", "text:x"}},
          {"x\r", {"block:x", "text:x"}},
          {" \t ", {"block: \t "}},
          {"<!-- a -->\r\nb", {"block:<!-- a -->", "comment: a ", "block:b", "text:b"}},
          {"<!DOCTYPE html>", {"block:<!DOCTYPE html>", "dtd:DOCTYPE html"}},
          {"<script>x</script>",
           {"block:<script>", "tag:script", "block:x", "script:x", "block:</script>", "tag:/script"}},
      },
      true);
}

TEST(HtmlParserErrors, CodesPositionsAndWhereTheWalkResumes) {
  ExpectEvents({
      {"a>b<p>", {"error:5@2", "tag:p"}},
      {"<p>x > y</p>", {"tag:p", "error:5@6", "tag:/p"}},
      // The walk resumes at the tag's ">", which then opens a text run.
      {"<a<b>c<i>", {"error:4@3", "error:5@5", "tag:i"}},
      {"<img alt=\"a<b\">ok", {"error:4@12", "error:5@15"}},
      {"<!x<y>", {"error:4@4", "error:5@6"}},
      {"<p", {"error:1@3"}},
      {"x<", {"text:x", "error:1@3"}},
      {"<   ", {"error:1@5"}},
      {"<p a", {"error:1@5"}},
      {"<p a ", {"error:1@6"}},
      {"<p a=", {"error:1@6"}},
      {"<p a=x", {"error:1@7"}},
      {"<p a='x>y<b>z", {"error:1@14"}},
      {"<!DOCTYPE", {"error:1@10"}},
      {"<!-- x", {"error:2@7"}},
      {"<!-- x -- y", {"error:2@12"}},
      {"<!-- x --  ", {"error:1@12"}},
      {"<script>x", {"tag:script", "error:6@10"}},
      {"<script>  \r\n", {"tag:script", "error:6@13"}},
      {"<script>x</script >y", {"tag:script", "error:6@21"}},
      {"<script><!-- x", {"tag:script", "error:2@15"}},
  });
}

TEST(HtmlParserErrors, AbortEndsTheParse) {
  TLegHtmlParser parser;
  Recorder recorder(parser);
  parser.OnError = [&](TLegHtmlParser&, int error, qsizetype, bool& abort) {
    EXPECT_FALSE(abort);
    recorder.events << QString("error:%1").arg(error);
    abort = true;
  };
  parser.Parse(u"a>b<p>c");
  EXPECT_EQ(recorder.events, QStringList{"error:5"});
}

TEST(HtmlParserErrors, WithoutHandlerTheWalkGoesOn) {
  TLegHtmlParser parser;
  Recorder recorder(parser);
  parser.OnError = nullptr;
  parser.Parse(u"a>b<a<b><p>c");
  EXPECT_EQ(recorder.events, (QStringList{"tag:p", "text:c"}));
}

TEST(HtmlParserStop, FromTextEndsTheParseAndTheNextStartsOver) {
  TLegHtmlParser parser;
  Recorder recorder(parser, true);
  parser.OnText = [&](TLegHtmlParser& sender, QStringView t) {
    recorder.events << "text:" + t.toString();
    sender.StopParse();
  };
  parser.setContent({"<p>one</p>", "two>"});
  parser.Parse();
  const QStringList once{"block:<p>", "tag:p", "block:one", "text:one"};
  EXPECT_EQ(recorder.events, once);
  recorder.events.clear();
  parser.Parse();
  EXPECT_EQ(recorder.events, once);
}

TEST(HtmlParserStop, FromBlockSkipsTheEventForItsKind) {
  for (const char* html : {"<p>one", "one<p>", "<!-- c -->x", "<!x>y", "<script>s</script>"}) {
    SCOPED_TRACE(html);
    TLegHtmlParser parser;
    Recorder recorder(parser);
    int blocks = 0;
    parser.OnBlock = [&](TLegHtmlParser& sender, QStringView) {
      // The script's start tag comes first; stop at its body.
      if (++blocks == (QString(html).startsWith("<script") ? 2 : 1)) sender.StopParse();
    };
    parser.Parse(QString(html));
    EXPECT_EQ(recorder.events, QString(html).startsWith("<script") ? QStringList{"tag:script"} : QStringList{});
  }
}

TEST(HtmlParserStop, ReplacingTheContentOrParsingAgainFromAHandler) {
  TLegHtmlParser parser;
  Recorder recorder(parser);
  parser.OnText = [&](TLegHtmlParser& sender, QStringView t) {
    recorder.events << "text:" + t.toString();
    sender.setContent({"<i>new"});
    sender.Parse(u"<b>ignored");
  };
  parser.setContent({"<p>a", "b</p>"});
  parser.Parse();
  EXPECT_EQ(recorder.events, (QStringList{"tag:p", "text:a\r\nb", "tag:/p"}));
  recorder.events.clear();
  parser.OnText = nullptr;
  parser.Parse();
  EXPECT_EQ(recorder.events, QStringList{"tag:i"});
}

TEST(HtmlParserContent, LinesEndInCrLfAndPositionsCountInTheJoinedText) {
  TLegHtmlParser parser;
  Recorder recorder(parser, true);
  parser.setContent({"<p>one", "two", "x>y"});
  parser.Parse();
  EXPECT_EQ(recorder.events, (QStringList{"block:<p>", "tag:p", "error:5@15"}));
  recorder.events.clear();
  parser.setContent({"<p>one", "two", "</p>"});
  parser.Parse();
  EXPECT_EQ(recorder.events,
            (QStringList{"block:<p>", "tag:p", "block:one\r\ntwo", "text:one\r\ntwo", "block:</p>", "tag:/p"}));
}

TEST(HtmlParserContent, EndParserKeepsTheCacheButDoesNotBuildIt) {
  TLegHtmlParser parser;
  Recorder recorder(parser);
  parser.setContent({"<p>"});
  parser.setEndParser(true);
  parser.Parse();
  EXPECT_TRUE(recorder.events.isEmpty());
  parser.setEndParser(false);
  parser.Parse();
  parser.setEndParser(true);
  parser.Parse();
  EXPECT_EQ(recorder.events, (QStringList{"tag:p", "tag:p"}));
  recorder.events.clear();
  parser.setContent({"<b>"});
  parser.Parse();
  EXPECT_TRUE(recorder.events.isEmpty());
}

// Every prefix of a page and every page with one character replaced by a
// markup character: nothing reads outside the text (each copy is allocated to
// its exact length), every view handed out is readable, and the walk ends.
TEST(HtmlParserRobustness, TruncatedAndDamagedPages) {
  const QString page =
      "<!DOCTYPE html>\r\n<html><head><title>T &amp; t</title>\r\n"
      "<script type=\"text/javascript\"><!--\r\nif (a<b) x();\r\n//--></script>"
      "<script>y()</SCRIPT></head>\r\n<body bgcolor=#fff nowrap x = 'a b'>\r\n"
      "<p>Текст &lt;b&gt; &#1040; &#x41; &Agrave; &bogus; & ;</p><br/><!-- a -- b -->\r\n"
      "<a href=\"x.htm\">link</a> 1 > 0 <img src=a.jpg alt=\"a<b\"></body></html>\r\n";
  const QString damage = "<>&;\"'-=! #x";

  TLegHtmlParser parser;
  unsigned sum = 0;
  qsizetype length = 0;
  const auto touch = [&](QStringView v) {
    for (QChar c : v) sum += c.unicode();
  };
  const auto token = [&](TLegHtmlParser&, QStringView v) { touch(v); };
  parser.OnBlock = token;
  parser.OnText = token;
  parser.OnComment = token;
  parser.OnScript = token;
  parser.OnDTDTag = token;
  parser.OnTag = [&](TLegHtmlParser&, QStringView tag, const THtmlAttributes& attributes) {
    touch(tag);
    for (const THtmlAttribute& a : attributes) {
      touch(a.name);
      touch(a.value);
    }
  };
  parser.OnError = [&](TLegHtmlParser&, int, qsizetype pos, bool&) {
    EXPECT_GE(pos, 1);
    EXPECT_LE(pos, length + 1);
  };
  const auto parseExact = [&](QStringView text) {
    std::vector<char16_t> exact(text.utf16(), text.utf16() + text.size());
    length = text.size();
    parser.Parse(QStringView(exact.data(), exact.size()));
  };

  for (qsizetype n = 0; n <= page.size(); ++n) parseExact(QStringView(page).first(n));
  for (qsizetype i = 0; i < page.size(); ++i) {
    for (QChar c : damage) {
      QString damaged = page;
      damaged[i] = c;
      parseExact(damaged.first(i + 1));
      parseExact(damaged);
    }
  }
  SUCCEED() << sum;
}

TEST(HtmlParserTextContains, SearchesTextRunsOnly) {
  const struct {
    const char* html;
    const char* needle;
    THtmlTextScope scope;
    bool found;
  } cases[] = {
      {"<p>Привет, Мир</p>", "мир", THtmlTextScope::AllText, true},
      {"<p>Наш ДОМ</p>", "дом", THtmlTextScope::AllText, true},
      {"<p>a &lt;b&gt; c</p>", "<b>", THtmlTextScope::AllText, true},
      {"<p>a &lt;b&gt; c</p>", "&lt;", THtmlTextScope::AllText, false},
      {"<p>x</p><!-- secret -->", "secret", THtmlTextScope::AllText, false},
      {"<script>var secret;</script>", "secret", THtmlTextScope::AllText, false},
      {"<a title=secret>x</a>", "secret", THtmlTextScope::AllText, false},
      {"<p>big <b>red</b> dog</p>", "big red", THtmlTextScope::AllText, false},
      {"<p>one > two</p>", "one", THtmlTextScope::AllText, false},
      {"<p>x</p>", "", THtmlTextScope::AllText, false},
      {"<title>Заголовок</title><p>текст</p>", "заголовок", THtmlTextScope::AllText, true},
      {"<title>Заголовок</title><p>текст</p>", "заголовок", THtmlTextScope::OutsideTitle, false},
      {"<title>x</title><p>Заголовок</p>", "заголовок", THtmlTextScope::OutsideTitle, true},
      {"<TITLE>Head</TITLE>", "head", THtmlTextScope::OutsideTitle, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.html) + " / " + c.needle);
    EXPECT_EQ(HtmlTextContains(QString(c.html), QString(c.needle), c.scope), c.found);
  }
}

// The needle matches where the text, lower-cased a character at a time,
// holds it: every character that lower-cases to its first one starts a match.
TEST(HtmlParserTextContains, LoweredNeedleMatchesAtEveryPlace) {
  const struct {
    const char16_t* text;
    const char16_t* needle;
    bool found;
  } cases[] = {
      {u"ЁЛКА", u"ёлка", true},
      {u"abc", u"abcd", false},          // longer than the text
      {u"xxab", u"ab", true},            // at the very end
      {u"aab", u"ab", true},             // a false start just before
      {u"\u212Aelvin", u"kelvin", true},  // the Kelvin sign lower-cases to k
      {u"Kelvin", u"kelvin", true},
      {u"kelvim", u"kelvin", false},
      {u"", u"a", false},
  };
  for (const auto& c : cases) {
    const QString text = QString::fromUtf16(c.text), needle = QString::fromUtf16(c.needle);
    EXPECT_EQ(TLoweredNeedle(needle).foundIn(text), c.found) << text.toStdString() << " / " << needle.toStdString();
  }
  EXPECT_FALSE(TLoweredNeedle(QString()).foundIn(u"anything"));
}

}  // namespace
}  // namespace tobrina::test
