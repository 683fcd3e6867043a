#include "pack/gHelpers.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "platform/convert.h"
#include "platform/disk.h"

namespace tobrina {
namespace {

QString& ExeFolderOverride() {
  static QString folder;
  return folder;
}

bool EndsWithSeparator(const QString& text) { return !text.isEmpty() && IsPathSeparator(text.back()); }

qsizetype LastSeparator(const QString& text) {
  return std::max(text.lastIndexOf(u'\\'), text.lastIndexOf(u'/'));
}

// The parent of a folder written without its trailing separator; a root
// ("/" or "C:") is its own parent.
QString ParentFolder(const QString& folder) {
  const qsizetype cut = LastSeparator(folder);
  if (cut < 0) return folder;
  if (cut == 0) return folder.left(1);
  if (cut == 2 && folder[1] == u':') return folder.left(3);
  return folder.left(cut);
}

}  // namespace

QString ExeFolder() {
  if (!ExeFolderOverride().isEmpty()) return ExeFolderOverride();
  QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                             : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
  return WithTrailingBackslash(dir.isEmpty() ? QStringLiteral("/") : dir);
}

void SetExeFolderOverride(const QString& folder) {
  ExeFolderOverride() = folder.isEmpty() ? QString() : WithTrailingBackslash(folder);
}

QString ExeRelativePath(const QString& name) {
  if (name.isEmpty()) return {};
  if (IsRootedName(name)) return name;
  return ExeFolder() + (name.startsWith(u'\\') ? name.mid(1) : name);
}

QString ExpandPath(const QString& name, const QString& baseFolder) {
  const QString base0 = baseFolder.isEmpty() ? ExeFolder() : baseFolder;
  if (name.isEmpty() || IsRootedName(name)) return name;
  QString rest = name;
  rest.replace(u'/', u'\\');
  QString base = WithTrailingBackslash(base0);
  int steps = 0;
  QString piece = SplitToken(rest, QStringLiteral("..\\"));
  while (!rest.isEmpty()) {
    ++steps;
    piece = SplitToken(rest, QStringLiteral("..\\"));
  }
  if (steps > 0) {
    QString folder = WithoutTrailingBackslash(base);
    for (int i = 0; i < steps; ++i) folder = ParentFolder(folder);
    base = WithTrailingBackslash(folder);
  }
  return base + piece;
}

QString WithTrailingBackslash(const QString& folder) {
  if (folder.isEmpty() || EndsWithSeparator(folder)) return folder;
  // A native folder keeps native separators.
  return folder + (folder.startsWith(u'/') ? u'/' : u'\\');
}

QString WithoutTrailingBackslash(const QString& folder) {
  return EndsWithSeparator(folder) && folder.size() > 1 ? folder.chopped(1) : folder;
}

QString WithFileSuffix(const QString& fileName, const QString& suffix) {
  const QString ext = FileExtension(fileName);
  return fileName.chopped(ext.size()) + suffix + ext;
}

QString FileExtension(const QString& name) {
  const qsizetype dot = name.lastIndexOf(u'.');
  return dot < 0 || dot < LastSeparator(name) ? QString() : name.mid(dot);
}

QString FolderOf(const QString& name) {
  const qsizetype cut = LastSeparator(name);
  return cut < 0 ? QString() : name.left(cut + 1);
}

QString SplitToken(QString& text, const QString& separator) {
  const qsizetype at = separator.isEmpty() ? -1 : text.indexOf(separator);
  QString head;
  if (at < 0) {
    head = std::move(text);
    text.clear();
  } else {
    head = text.left(at);
    text.remove(0, at + separator.size());
  }
  return head;
}

QString TextBefore(const QString& text, const QString& separator) {
  const qsizetype at = separator.isEmpty() ? -1 : text.indexOf(separator);
  return at < 0 ? text : text.left(at);
}

int LastPos(const QString& part, const QString& text) {
  if (part.isEmpty() || part.size() > text.size()) return 0;
  return static_cast<int>(text.lastIndexOf(part)) + 1;
}

QString SplitAtLast(QString& text, const QString& separator) {
  const int pos = LastPos(separator, text);
  QString tail;
  if (pos == 0) {
    tail = std::move(text);
    text.clear();
  } else {
    tail = text.mid(pos - 1);
    text.truncate(pos - 1);
  }
  return tail;
}

QString CutChars(int n, QString& text) {
  QString head;
  if (n >= 0 && text.size() >= n) {
    head = text.left(n);
    text.remove(0, n);
  } else {
    head = std::move(text);
    text.clear();
  }
  return head;
}

QString ShortenText(const QString& text, int n) {
  if (n <= 0 || text.size() < n) return text;
  const QString kept = text.left(n - 1);
  const qsizetype blank = kept.lastIndexOf(u' ');
  if (blank < 0) return kept;
  return kept.left(blank) + QStringLiteral("...");
}

int IndexOfSubstring(const QStringList& lines, const QString& text, int start,
                     const std::function<void(int)>& progress, bool prefixOnly) {
  if (lines.isEmpty()) return -1;
  for (qsizetype i = std::max(start, 0); i < lines.size(); ++i) {
    const bool match = prefixOnly ? lines[i].startsWith(text, Qt::CaseInsensitive)
                                  : lines[i].contains(text, Qt::CaseInsensitive);
    if (progress) progress(static_cast<int>(i + 1));
    if (match) return static_cast<int>(i);
  }
  return -1;
}

void ListNames(const QStringList& lines, QStringList& target) {
  for (const QString& line : lines) target << TextBefore(line, QStringLiteral("="));
}

bool IsEven(int value) { return value % 2 == 0; }

QString HexRgbToBgr(const QString& text) {
  if (text.size() <= 5) return text;
  return text.mid(4, 2) + text.mid(2, 2) + text.mid(0, 2);
}

bool ParseBool(const QString& text, bool fallback) {
  const QString t = text.trimmed().toLower();
  if (t == u"true" || t == u"1") return true;
  if (t == u"false" || t == u"0") return false;
  return fallback;
}

QString BoolText(bool value) { return value ? QStringLiteral("1") : QStringLiteral("0"); }

QColor ParseColor(const QString& text) {
  if (text.isEmpty()) return QColor(Qt::black);
  QString hex;
  if (text.startsWith(u'#'))
    hex = u'$' + HexRgbToBgr(text.mid(1));
  else
    hex = text.startsWith(u'$') ? text : u'$' + text;
  if (hex.size() < 2 || hex[1] == u' ' || hex[1] == u'-' || hex[1] == u'+')
    throw ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(hex));
  const auto v = static_cast<quint32>(ParseInt(hex));
  return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

TextFont& ParseFont(TextFont& font, const QString& text) {
  QString rest = text;
  const QString name = SplitToken(rest, QStringLiteral("*"));
  const QString size = SplitToken(rest, QStringLiteral("*"));
  const QString color = SplitToken(rest, QStringLiteral("*"));
  if (!name.isEmpty()) font.font.setFamily(name);
  if (!size.isEmpty()) {
    const int points = ParseInt(size);
    // A negative size is a height in pixels, as the toolkit reads it.
    if (points > 0) font.font.setPointSize(points);
    else if (points < 0) font.font.setPixelSize(-points);
  }
  if (!color.isEmpty()) font.color = ParseColor(color);
  if (rest.isEmpty()) return font;
  const QString style = rest.toLower();
  font.font.setItalic(style.contains(u'i'));
  font.font.setBold(style.contains(u'b'));
  font.font.setUnderline(style.contains(u'u'));
  font.font.setStrikeOut(false);
  return font;
}

}  // namespace tobrina
