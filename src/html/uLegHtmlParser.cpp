#include "html/uLegHtmlParser.h"

#include <QByteArray>
#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "platform/codepage.h"

namespace tobrina {
namespace {

// HTML 4 names of the ISO 8859-1 characters 160..255, in code order.
constexpr std::array<const char16_t*, 96> kLatin1Names = {
    u"nbsp",   u"iexcl",  u"cent",   u"pound",  u"curren", u"yen",    u"brvbar", u"sect",
    u"uml",    u"copy",   u"ordf",   u"laquo",  u"not",    u"shy",    u"reg",    u"macr",
    u"deg",    u"plusmn", u"sup2",   u"sup3",   u"acute",  u"micro",  u"para",   u"middot",
    u"cedil",  u"sup1",   u"ordm",   u"raquo",  u"frac14", u"frac12", u"frac34", u"iquest",
    u"Agrave", u"Aacute", u"Acirc",  u"Atilde", u"Auml",   u"Aring",  u"AElig",  u"Ccedil",
    u"Egrave", u"Eacute", u"Ecirc",  u"Euml",   u"Igrave", u"Iacute", u"Icirc",  u"Iuml",
    u"ETH",    u"Ntilde", u"Ograve", u"Oacute", u"Ocirc",  u"Otilde", u"Ouml",   u"times",
    u"Oslash", u"Ugrave", u"Uacute", u"Ucirc",  u"Uuml",   u"Yacute", u"THORN",  u"szlig",
    u"agrave", u"aacute", u"acirc",  u"atilde", u"auml",   u"aring",  u"aelig",  u"ccedil",
    u"egrave", u"eacute", u"ecirc",  u"euml",   u"igrave", u"iacute", u"icirc",  u"iuml",
    u"eth",    u"ntilde", u"ograve", u"oacute", u"ocirc",  u"otilde", u"ouml",   u"divide",
    u"oslash", u"ugrave", u"uacute", u"ucirc",  u"uuml",   u"yacute", u"thorn",  u"yuml",
};

struct Entity {
  QStringView name;
  quint8 code;
};

// Built once, shared by every tokenizer.
struct EntityTables {
  std::array<QChar, 256> byCode;             // an 8-bit code as a character of the code page
  std::array<QStringView, 256> nameByCode;   // empty where a code has no name
  std::array<Entity, 100> sortedByName;

  EntityTables() {
    QByteArray bytes(256, Qt::Uninitialized);
    for (int i = 0; i < 256; ++i) bytes[i] = char(i);
    const QString chars = DecodeCp1251(bytes);
    for (int i = 0; i < 256; ++i) byCode[std::size_t(i)] = chars[i];

    nameByCode[34] = u"quot";
    nameByCode[38] = u"amp";
    nameByCode[60] = u"lt";
    nameByCode[62] = u"gt";
    for (std::size_t i = 0; i < kLatin1Names.size(); ++i) nameByCode[160 + i] = kLatin1Names[i];

    std::size_t n = 0;
    for (std::size_t code = 0; code < nameByCode.size(); ++code)
      if (!nameByCode[code].isEmpty()) sortedByName[n++] = {nameByCode[code], quint8(code)};
    Q_ASSERT(n == sortedByName.size());
    std::sort(sortedByName.begin(), sortedByName.end(),
              [](const Entity& a, const Entity& b) { return a.name.compare(b.name) < 0; });
  }

  std::optional<quint8> Find(QStringView name) const {
    const auto it = std::lower_bound(sortedByName.begin(), sortedByName.end(), name,
                                     [](const Entity& e, QStringView n) { return e.name.compare(n) < 0; });
    if (it == sortedByName.end() || it->name.compare(name) != 0) return std::nullopt;
    return it->code;
  }
};

const EntityTables& Tables() {
  static const EntityTables tables;
  return tables;
}

constexpr bool IsBlank(QChar c) {
  const char16_t u = c.unicode();
  return u == u' ' || u == u'\t' || u == u'\n' || u == u'\r';
}

int DigitValue(QChar c) {
  const char16_t u = c.unicode();
  if (u >= u'0' && u <= u'9') return u - u'0';
  if (u >= u'a' && u <= u'f') return u - u'a' + 10;
  if (u >= u'A' && u <= u'F') return u - u'A' + 10;
  return -1;
}

// Only the low 8 bits count, so numbers of any length are read without overflow.
std::optional<quint8> LowByte(QStringView digits, int base) {
  if (digits.isEmpty()) return std::nullopt;
  unsigned value = 0;
  for (QChar c : digits) {
    const int d = DigitValue(c);
    if (d < 0 || d >= base) return std::nullopt;
    value = (value * unsigned(base) + unsigned(d)) & 0xFFu;
  }
  return quint8(value);
}

// The character a reference "&name;" stands for, if it is one.
std::optional<QChar> Reference(QStringView name) {
  std::optional<quint8> code;
  if (name.startsWith(u'#')) {
    if (name.size() > 1 && (name[1] == u'x' || name[1] == u'X'))
      code = LowByte(name.sliced(2), 16);
    else
      code = LowByte(name.sliced(1), 10);
  } else {
    code = Tables().Find(name);
  }
  if (!code) return std::nullopt;
  return Tables().byCode[*code];
}

QStringView TrimControls(QStringView s) {
  qsizetype b = 0, e = s.size();
  while (b < e && s[b].unicode() <= u' ') ++b;
  while (e > b && s[e - 1].unicode() <= u' ') --e;
  return s.sliced(b, e - b);
}

bool IsScriptName(QStringView name) {
  return name.size() == 6 && name.compare(u"script", Qt::CaseInsensitive) == 0;
}

}  // namespace

QStringView THtmlAttributes::value(QStringView name) const {
  for (const THtmlAttribute& a : items_)
    if (a.name.compare(name, Qt::CaseInsensitive) == 0) return a.value.isNull() ? QStringView(u"") : a.value;
  return {};
}

QStringList THtmlAttributes::lines() const {
  QStringList out;
  out.reserve(size());
  for (const THtmlAttribute& a : items_) {
    QString line;
    line.reserve(a.name.size() + 1 + a.value.size());
    line.append(a.name).append(u'=').append(a.value);
    out.append(line);
  }
  return out;
}

TLegHtmlParser::TLegHtmlParser() { Tables(); }

void TLegHtmlParser::setContent(const QStringList& lines) {
  content_ = lines;
  cache_.clear();
}

void TLegHtmlParser::Parse() {
  if (parsing_) return;
  if (cache_.isEmpty() && !endParser_) {
    qsizetype total = 0;
    for (const QString& line : content_) total += line.size() + 2;
    cache_.reserve(total);
    for (const QString& line : content_) {
      cache_.append(line);
      cache_.append(u"\r\n");
    }
  }
  // A handler may replace the content; this copy keeps the walked text alive.
  const QString text = cache_;
  Walk(text);
}

void TLegHtmlParser::Parse(QStringView text) {
  if (parsing_) return;
  Walk(text);
}

void TLegHtmlParser::StopParse() { stopped_ = true; }

void TLegHtmlParser::Walk(QStringView text) {
  struct Guard {
    TLegHtmlParser* p;
    ~Guard() {
      p->parsing_ = false;
      p->text_ = {};
    }
  } guard{this};
  parsing_ = true;
  stopped_ = false;
  text_ = text;
  pos_ = 0;
  state_ = State::Normal;
  error_ = 0;
  spans_.reserve(200);
  attributes_.items_.reserve(200);

  while (pos_ < text_.size() && !stopped_) {
    if (state_ == State::Script)
      ScriptBody();
    else if (text_[pos_] == u'<')
      Markup();
    else
      TextRun();

    if (error_ != 0 && !stopped_) {
      if (OnError) {
        bool abort = false;
        OnError(*this, error_, errorPos_ + 1, abort);
        if (abort) break;
      }
    }
    error_ = 0;
  }
}

bool TLegHtmlParser::Emit(const THtmlTokenEvent& event, QStringView token) {
  if (event) event(*this, token);
  return !stopped_;
}

void TLegHtmlParser::Fail(int error, qsizetype at) {
  error_ = error;
  errorPos_ = at;
}

void TLegHtmlParser::FailAtEnd(int error) {
  Fail(error, text_.size());
  pos_ = text_.size();
}

qsizetype TLegHtmlParser::SkipBlanks(qsizetype p) const {
  while (p < text_.size() && IsBlank(text_[p])) ++p;
  return p;
}

void TLegHtmlParser::SkipLineBreak() {
  if (pos_ < text_.size() && text_[pos_] == u'\r') ++pos_;
  if (pos_ < text_.size() && text_[pos_] == u'\n') ++pos_;
}

QStringView TLegHtmlParser::View(Span span) const {
  return span.inScratch ? QStringView(scratch_).sliced(span.pos, span.len) : text_.sliced(span.pos, span.len);
}

TLegHtmlParser::Span TLegHtmlParser::Translated(qsizetype pos, qsizetype len) {
  const QStringView s = text_.sliced(pos, len);
  qsizetype amp = translate_ ? s.indexOf(u'&') : -1;
  if (amp < 0) return {false, pos, len};

  const qsizetype start = scratch_.size();
  scratch_.append(s.first(amp));
  while (amp < s.size()) {
    // s[amp] is "&": look for the ";" that closes it, unless another "&" comes first.
    qsizetype i = amp + 1;
    while (i < s.size() && s[i] != u';' && s[i] != u'&') ++i;
    if (i == s.size()) {
      scratch_.append(s.sliced(amp));
      break;
    }
    if (s[i] == u'&') {
      scratch_.append(s.sliced(amp, i - amp));
      amp = i;
      continue;
    }
    if (const std::optional<QChar> ch = Reference(s.sliced(amp + 1, i - amp - 1)))
      scratch_.append(*ch);
    else
      scratch_.append(s.sliced(amp, i + 1 - amp));
    qsizetype next = s.indexOf(u'&', i + 1);
    if (next < 0) next = s.size();
    scratch_.append(s.sliced(i + 1, next - i - 1));
    amp = next;
  }
  return {true, start, scratch_.size() - start};
}

void TLegHtmlParser::TextRun() {
  const qsizetype start = pos_;
  qsizetype end = text_.indexOf(u'<', start);
  if (end < 0) end = text_.size();
  pos_ = end;

  QStringView run = text_.sliced(start, end - start);
  if (const qsizetype gt = run.indexOf(u'>'); gt >= 0) {
    Fail(heGreaterInText, start + gt);
    return;
  }
  if (run.endsWith(u"\r\n"))
    run.chop(2);
  else if (run.endsWith(u'\n') || run.endsWith(u'\r'))
    run.chop(1);
  if (run.isEmpty()) return;

  if (!Emit(OnBlock, run) || !OnText) return;
  const QStringView trimmed = TrimControls(run);
  if (trimmed.isEmpty()) return;
  scratch_.resize(0);
  const QStringView text = View(Translated(start + (trimmed.data() - run.data()), trimmed.size()));
  if (!text.isEmpty()) Emit(OnText, text);
}

void TLegHtmlParser::Markup() {
  const qsizetype start = pos_;
  if (text_.sliced(start + 1).startsWith(u"!--")) {
    Comment(start);
    return;
  }

  qsizetype p = SkipBlanks(start + 1);
  if (p >= text_.size()) return FailAtEnd(heUnexpectedEnd);

  const bool declaration = text_[p] == u'!';
  qsizetype nameStart = 0, nameLen = 0;
  if (declaration) {
    const qsizetype gt = text_.indexOf(u'>', p + 1);
    if (gt < 0) return FailAtEnd(heUnexpectedEnd);
    nameStart = p + 1;
    nameLen = gt - nameStart;
    p = gt;
  } else {
    nameStart = p;
    while (p < text_.size() && !IsBlank(text_[p]) && text_[p] != u'>') ++p;
    if (p >= text_.size()) return FailAtEnd(heUnexpectedEnd);
    nameLen = p - nameStart;
    spans_.clear();
    if (nameLen > 0) {
      if (!ReadAttributes(p, bool(OnTag))) return;
      if (IsScriptName(text_.sliced(nameStart, nameLen))) state_ = State::Script;
    }
  }

  // p is at the ">" that closes the piece.
  if (const qsizetype inner = text_.sliced(start + 1, p - start - 1).indexOf(u'<'); inner >= 0) {
    Fail(heLessInTag, start + 1 + inner);
    pos_ = p;
    return;
  }

  const QStringView block = text_.sliced(start, p + 1 - start);
  pos_ = p + 1;
  SkipLineBreak();
  if (!Emit(OnBlock, block)) return;

  scratch_.resize(0);
  if (declaration) {
    if (OnDTDTag) Emit(OnDTDTag, View(Translated(nameStart, nameLen)));
    return;
  }
  if (!OnTag) return;
  const Span name = Translated(nameStart, nameLen);
  std::vector<THtmlAttribute>& items = attributes_.items_;
  items.clear();
  for (auto& [attrName, attrValue] : spans_) {
    attrName = Translated(attrName.pos, attrName.len);
    attrValue = Translated(attrValue.pos, attrValue.len);
  }
  // Views into the scratch buffer only now that it has stopped growing.
  for (const auto& [attrName, attrValue] : spans_) items.push_back({View(attrName), View(attrValue)});
  OnTag(*this, View(name), attributes_);
  items.clear();
}

bool TLegHtmlParser::ReadAttributes(qsizetype& p, bool keep) {
  const qsizetype n = text_.size();
  const auto EndInTag = [this] {
    FailAtEnd(heUnexpectedEnd);
    return false;
  };
  for (;;) {
    p = SkipBlanks(p);
    const qsizetype nameStart = p;
    while (p < n && !IsBlank(text_[p]) && text_[p] != u'=' && text_[p] != u'>') ++p;
    if (p >= n) return EndInTag();
    const qsizetype nameLen = p - nameStart;
    // An "=" with no name before it is read with its value and dropped, so
    // the tag still ends at its ">".
    if (nameLen == 0 && text_[p] == u'>') return true;

    p = SkipBlanks(p);
    if (p >= n) return EndInTag();
    if (text_[p] != u'=') continue;  // no value: not reported

    p = SkipBlanks(p + 1);
    if (p >= n) return EndInTag();
    qsizetype valueStart = 0, valueLen = 0;
    const QChar quote = text_[p];
    if (quote == u'"' || quote == u'\'') {
      const qsizetype close = text_.indexOf(quote, p + 1);
      if (close < 0) return EndInTag();
      valueStart = p + 1;
      valueLen = close - valueStart;
      p = close + 1;
    } else {
      valueStart = p;
      while (p < n && !IsBlank(text_[p]) && text_[p] != u'>') ++p;
      if (p >= n) return EndInTag();
      valueLen = p - valueStart;
    }
    if (keep && nameLen > 0) spans_.push_back({{false, nameStart, nameLen}, {false, valueStart, valueLen}});
  }
}

void TLegHtmlParser::Comment(qsizetype start) {
  const qsizetype contentStart = start + 4;
  qsizetype close = text_.indexOf(u"--", contentStart);
  qsizetype p = 0;
  for (;;) {
    if (close < 0) return FailAtEnd(heUnclosedComment);
    p = close + 2;
    while (p < text_.size() && text_[p] == u'-') ++p;
    p = SkipBlanks(p);
    if (p >= text_.size()) return FailAtEnd(heUnexpectedEnd);
    if (text_[p] == u'>') break;
    close = text_.indexOf(u"--", p);
  }

  const bool inScript = state_ == State::ScriptComment;
  state_ = State::Normal;
  const QStringView block = text_.sliced(start, p + 1 - start);
  const QStringView content = text_.sliced(contentStart, close - contentStart);
  pos_ = p + 1;
  SkipLineBreak();
  if (!Emit(OnBlock, block)) return;
  Emit(inScript ? OnScript : OnComment, content);
}

qsizetype TLegHtmlParser::FindScriptEnd(qsizetype from) const {
  static constexpr QStringView kEnd = u"</script>";
  for (qsizetype i = text_.indexOf(u"</", from); i >= 0; i = text_.indexOf(u"</", i + 2)) {
    if (text_.size() - i < kEnd.size()) return -1;
    // ASCII letters only, as the 8-bit upper-casing sees them.
    bool same = true;
    for (qsizetype k = 2; k < kEnd.size() && same; ++k) {
      char16_t c = text_[i + k].unicode();
      if (c >= u'A' && c <= u'Z') c = char16_t(c + (u'a' - u'A'));
      same = c == kEnd[k].unicode();
    }
    if (same) return i;
  }
  return -1;
}

void TLegHtmlParser::ScriptBody() {
  const qsizetype start = pos_;
  const qsizetype p = SkipBlanks(start);
  if (p >= text_.size()) return FailAtEnd(heUnclosedScript);
  if (text_.sliced(p).startsWith(u"<!--")) {
    state_ = State::ScriptComment;
    pos_ = p;
    return;
  }
  const qsizetype end = FindScriptEnd(start);
  if (end < 0) return FailAtEnd(heUnclosedScript);
  state_ = State::Normal;
  pos_ = end;
  const QStringView body = text_.sliced(start, end - start);
  if (Emit(OnBlock, body)) Emit(OnScript, body);
}

TLoweredNeedle::TLoweredNeedle(const QString& lowerNeedle) : needle_(lowerNeedle) {
  if (needle_.isEmpty()) return;
  for (char32_t c = 0; c <= 0xFFFF; ++c)
    if (QChar::toLower(c) == needle_[0].unicode()) firsts_.push_back(char16_t(c));
}

bool TLoweredNeedle::foundIn(QStringView text) const {
  const qsizetype n = needle_.size();
  if (n == 0 || text.size() < n) return false;
  const char16_t* hay = text.utf16();
  const char16_t* first = firsts_.data();
  const std::size_t firsts = firsts_.size();
  const char16_t a = firsts > 0 ? first[0] : 0, b = firsts > 1 ? first[1] : a;
  const qsizetype last = text.size() - n;
  for (qsizetype i = 0; i <= last; ++i) {
    const char16_t c = hay[i];
    if (c != a && c != b && (firsts <= 2 || std::find(first + 2, first + firsts, c) == first + firsts)) continue;
    qsizetype j = 1;
    while (j < n && QChar::toLower(char32_t(hay[i + j])) == needle_[j].unicode()) ++j;
    if (j == n) return true;
  }
  return false;
}

bool HtmlTextContains(QStringView html, QStringView lowerNeedle, THtmlTextScope scope) {
  if (lowerNeedle.isEmpty()) return false;
  struct Search {
    TLoweredNeedle needle;
    bool inTitle = false;
    bool found = false;
  } search{TLoweredNeedle(lowerNeedle.toString())};
  Search* s = &search;  // one pointer keeps the handlers in std::function's own storage

  TLegHtmlParser parser;
  parser.OnText = [s](TLegHtmlParser& sender, QStringView text) {
    if (s->inTitle || !s->needle.foundIn(text)) return;
    s->found = true;
    sender.StopParse();
  };
  if (scope == THtmlTextScope::OutsideTitle) {
    parser.OnTag = [s](TLegHtmlParser&, QStringView tag, const THtmlAttributes&) {
      if (tag == u"title")
        s->inTitle = true;
      else if (tag == u"/title")
        s->inTitle = false;
    };
  }
  parser.Parse(html);
  return search.found;
}

}  // namespace tobrina
