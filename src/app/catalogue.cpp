#include "app/catalogue.h"

#include <QByteArrayView>
#include <algorithm>
#include <optional>

#include "pack/gHelpers.h"
#include "platform/codepage.h"

namespace tobrina {

namespace {

constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF");

// Position of the value of the XML declaration's encoding (between the
// quotes); valueStart < 0 when the text has no declaration or no encoding.
struct DeclaredEncoding {
  qsizetype valueStart = -1;
  qsizetype valueEnd = -1;
};

bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

DeclaredEncoding FindDeclaredEncoding(QByteArrayView xml) {
  DeclaredEncoding found;
  if (!xml.startsWith("<?xml") || xml.size() < 6 || !IsXmlSpace(xml[5])) return found;
  const qsizetype end = xml.indexOf("?>");
  if (end < 0) return found;
  const QByteArrayView declaration = xml.first(end);
  for (qsizetype at = declaration.indexOf("encoding"); at >= 0; at = declaration.indexOf("encoding", at + 1)) {
    if (!IsXmlSpace(declaration[at - 1])) continue;  // part of another name
    qsizetype i = at + 8;
    while (i < end && IsXmlSpace(declaration[i])) ++i;
    if (i >= end || declaration[i] != '=') continue;
    ++i;
    while (i < end && IsXmlSpace(declaration[i])) ++i;
    if (i >= end || (declaration[i] != '"' && declaration[i] != '\'')) continue;
    const char quote = declaration[i];
    const qsizetype close = declaration.indexOf(quote, i + 1);
    if (close < 0) return found;
    found.valueStart = i + 1;
    found.valueEnd = close;
    return found;
  }
  return found;
}

// The catalogue as UTF-8 bytes for the parser.
QByteArray ToUtf8(const QByteArray& xml) {
  if (xml.startsWith(kUtf8Bom)) return xml.mid(kUtf8Bom.size());
  const DeclaredEncoding declared = FindDeclaredEncoding(xml);
  if (declared.valueStart >= 0) {
    const QByteArrayView value = QByteArrayView(xml).sliced(declared.valueStart, declared.valueEnd - declared.valueStart);
    if (value.compare("utf-8", Qt::CaseInsensitive) == 0) return xml;
  }
  QByteArray source = xml;
  if (declared.valueStart >= 0)
    source.replace(declared.valueStart, declared.valueEnd - declared.valueStart, "UTF-8");
  return DecodeCp1251(source).toUtf8();
}

// Line and column (both from 1) of a byte offset into UTF-8 text.
std::pair<int, int> LineAndColumn(const QByteArray& utf8, qsizetype offset) {
  int line = 1;
  int column = 1;
  offset = qBound<qsizetype>(0, offset, utf8.size());
  for (qsizetype i = 0; i < offset; ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c == '\n') {
      ++line;
      column = 1;
    } else if ((c & 0xC0) != 0x80) {  // continuation bytes share their character's column
      ++column;
    }
  }
  return {line, column};
}

// Sections and entries are the element and text children; pugixml also keeps
// CDATA and the like, which do not count.
bool Counts(pugi::xml_node node) {
  return node.type() == pugi::node_element || node.type() == pugi::node_pcdata;
}

int CountedChildren(pugi::xml_node parent) {
  int count = 0;
  for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling())
    if (Counts(child)) ++count;
  return count;
}

pugi::xml_node CountedChild(pugi::xml_node parent, int index) {
  if (index < 0) return {};
  for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling())
    if (Counts(child) && index-- == 0) return child;
  return {};
}

QString Utf8(const char* text) { return QString::fromUtf8(text); }

const QString kItemTemplate = QStringLiteral("work\\item.html");

}  // namespace

bool TCatalogue::load(const QByteArray& xml) {
  const QByteArray utf8 = ToUtf8(xml);
  const pugi::xml_parse_result result =
      document_.load_buffer(utf8.constData(), static_cast<size_t>(utf8.size()), pugi::parse_default,
                            pugi::encoding_utf8);
  loaded_ = static_cast<bool>(result);
  if (loaded_) {
    error_.clear();
    return true;
  }
  // pugixml keeps what it parsed before the fault; nothing of it may be used.
  document_.reset();
  const auto [line, column] = LineAndColumn(utf8, static_cast<qsizetype>(result.offset));
  error_ = QStringLiteral("Каталог повреждён: %1 (строка %2, позиция %3)")
               .arg(Utf8(result.description()))
               .arg(line)
               .arg(column);
  return false;
}

pugi::xml_node TCatalogue::root() const { return document_.child("root"); }

int TCatalogue::sectionCount() const { return CountedChildren(root()); }

pugi::xml_node TCatalogue::section(int s) const { return CountedChild(root(), s); }

int TCatalogue::entryCount(int s) const { return CountedChildren(section(s)); }

pugi::xml_node TCatalogue::entry(int s, int e) const {
  const pugi::xml_node parent = section(s);
  return parent ? CountedChild(parent, e) : pugi::xml_node();
}

QString TCatalogue::ContentsName(pugi::xml_node node) {
  if (*node.attribute("format").value() != '\0') return Utf8(node.attribute("zetka_name").value());
  return EntryName(node);
}

QString TCatalogue::EntryName(pugi::xml_node node) { return Utf8(node.child("zetka_name").text().get()); }

QString TCatalogue::EntryPage(pugi::xml_node node) { return EntryAttribute(node, "html"); }

QString TCatalogue::EntryAttribute(pugi::xml_node node, const char* attribute) {
  if (attribute == nullptr) return {};
  return Utf8(node.child("zetka").attribute(attribute).value());
}

int TCatalogue::IndexOfChild(pugi::xml_node parent, pugi::xml_node node) {
  if (!parent || !node || !Counts(node)) return -1;
  int index = CountedChildren(parent);
  for (pugi::xml_node child = parent.last_child(); child; child = child.previous_sibling()) {
    if (!Counts(child)) continue;
    --index;
    if (child == node) return index;
  }
  return -1;
}

QString TCatalogue::ContentsLine(pugi::xml_node node, int s, int e,
                                 const std::function<QString(const QString&)>& readTemplate) {
  const QString name = ContentsName(node);
  if (name.isEmpty()) return {};
  const QString format = Utf8(node.attribute("format").value());
  const QString layout = readTemplate(format.isEmpty() ? kItemTemplate : WithFileSuffix(kItemTemplate, format));
  return FormatTemplate(layout, {QStringLiteral("$zetka"), s, e, name});
}

QStringList TCatalogue::BuildContentsPage(const std::function<QString(const QString&)>& readTemplate,
                                          std::vector<pugi::xml_node>& sections,
                                          std::vector<pugi::xml_node>& entries) const {
  QStringList lines{readTemplate(QStringLiteral("work\\header.html"))};
  sections.clear();
  entries.clear();
  // A section's line carries the entry counter as the walk left it: the
  // entry count of the last earlier section that had entries.
  int counter = 0;
  int s = 0;
  for (pugi::xml_node section = root().first_child(); section; section = section.next_sibling()) {
    if (!Counts(section)) continue;
    sections.push_back(section);
    if (QString line = ContentsLine(section, s, counter, readTemplate); !line.isEmpty()) lines.append(line);
    int e = 0;
    for (pugi::xml_node entry = section.first_child(); entry; entry = entry.next_sibling()) {
      if (!Counts(entry)) continue;
      if (QString line = ContentsLine(entry, s, e, readTemplate); !line.isEmpty()) lines.append(line);
      entries.push_back(entry);
      ++e;
    }
    if (e > 0) counter = e;
    ++s;
  }
  lines.append(readTemplate(QStringLiteral("work\\footer.html")));
  return lines;
}

// --- FormatTemplate ---------------------------------------------------------

namespace {

// Widths and precisions beyond this stop formatting rather than build huge texts.
constexpr int kMaxField = 65535;

struct Integer {
  bool negative = false;
  quint64 magnitude = 0;
  bool wide = false;  // 64-bit, for the two's complement of negative hexadecimals
};

std::optional<Integer> IntegerArgument(const QVariant& value) {
  Integer result;
  switch (value.metaType().id()) {
    case QMetaType::Short:
    case QMetaType::Int:
      break;
    case QMetaType::UShort:
    case QMetaType::UInt:
      result.magnitude = value.toUInt();
      return result;
    case QMetaType::Long:
    case QMetaType::LongLong:
      result.wide = true;
      break;
    case QMetaType::ULong:
    case QMetaType::ULongLong:
      result.wide = true;
      result.magnitude = value.toULongLong();
      return result;
    default:
      return std::nullopt;
  }
  const qint64 signedValue = value.toLongLong();
  result.negative = signedValue < 0;
  // Written so that the smallest 64-bit value does not overflow.
  result.magnitude = result.negative ? quint64(-(signedValue + 1)) + 1 : quint64(signedValue);
  return result;
}

QString DecimalText(const Integer& value, int precision) {
  QString digits = QString::number(value.magnitude);
  if (digits.size() < precision) digits.prepend(QString(precision - digits.size(), u'0'));
  if (value.negative) digits.prepend(u'-');
  return digits;
}

QString HexText(const Integer& value, int precision) {
  quint64 bits = value.magnitude;
  if (value.negative) bits = ~bits + 1;
  if (!value.wide) bits &= 0xFFFFFFFFu;
  QString digits = QString::number(bits, 16).toUpper();
  if (digits.size() < precision) digits.prepend(QString(precision - digits.size(), u'0'));
  return digits;
}

// Reads decimal digits at i; value saturates just past kMaxField.
bool ReadNumber(const QString& text, qsizetype& i, int& value) {
  const qsizetype start = i;
  value = 0;
  while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128) {
    value = std::min(value * 10 + (text[i].unicode() - u'0'), kMaxField + 1);
    ++i;
  }
  return i > start;
}

}  // namespace

QString FormatTemplate(const QString& format, const QVariantList& args) {
  QString out;
  out.reserve(format.size());
  int next = 0;
  qsizetype i = 0;
  const qsizetype n = format.size();
  while (i < n) {
    const qsizetype percent = format.indexOf(u'%', i);
    if (percent < 0) {
      out += QStringView(format).sliced(i);
      break;
    }
    out += QStringView(format).sliced(i, percent - i);
    i = percent + 1;
    if (i < n && format[i] == u'%') {
      out += u'%';
      ++i;
      continue;
    }
    // Layout: [index ":"] ["-"] [width] ["." precision] type
    const auto stop = [&] { return out.append(QStringView(format).sliced(percent)); };
    int number = 0;
    bool haveNumber = ReadNumber(format, i, number);
    int index = -1;
    if (haveNumber && i < n && format[i] == u':') {
      index = number;
      haveNumber = false;
      ++i;
    }
    bool left = false;
    if (!haveNumber && i < n && format[i] == u'-') {
      left = true;
      ++i;
    }
    int width = 0;
    if (haveNumber)
      width = number;
    else
      ReadNumber(format, i, width);
    int precision = -1;
    if (i < n && format[i] == u'.') {
      ++i;
      ReadNumber(format, i, precision);  // "." alone means 0, as in C
    }
    if (i >= n || width > kMaxField || precision > kMaxField || index > kMaxField) return stop();
    const char16_t type = format[i].toLower().unicode();
    ++i;

    const int argument = index >= 0 ? index : next;
    if (argument >= args.size()) return stop();
    next = argument + 1;
    const QVariant& value = args[argument];

    QString text;
    if (type == u's') {
      if (value.metaType().id() == QMetaType::QString) {
        text = value.toString();
      } else if (const auto integer = IntegerArgument(value)) {
        text = DecimalText(*integer, 0);
      } else {
        return stop();
      }
      if (precision >= 0 && text.size() > precision) text.truncate(precision);
    } else if (type == u'd' || type == u'x') {
      const auto integer = IntegerArgument(value);
      if (!integer) return stop();
      text = type == u'd' ? DecimalText(*integer, precision) : HexText(*integer, precision);
    } else {
      return stop();
    }
    if (text.size() < width) {
      const QString pad(width - text.size(), u' ');
      text = left ? text + pad : pad + text;
    }
    out += text;
  }
  return out;
}

}  // namespace tobrina
