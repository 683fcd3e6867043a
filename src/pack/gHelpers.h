#pragma once
// Path, text and value helpers shared by the whole reader. Names keep the
// collection's "\" separators; on this platform "/" separates folders too,
// and a folder such as the executable's is a native path ending in "/".

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <functional>

namespace tobrina {

// --- paths ---------------------------------------------------------------

// The running executable's folder with a trailing separator.
QString ExeFolder();
// Points ExeFolder at another folder, as if the reader ran from there (the
// check mode and tests use it); an empty text restores the real one.
void SetExeFolderOverride(const QString& folder);

// Empty -> empty; rooted -> unchanged; else ExeFolder + name without one
// leading "\".
QString ExeRelativePath(const QString& name);
// Resolves a relative name with leading "..\" steps against a base folder
// (empty base: the executable's folder).
QString ExpandPath(const QString& name, const QString& baseFolder);
// Appends "\" ("/" to a native folder starting with "/") unless the text
// already ends with a separator; an empty text stays empty.
QString WithTrailingBackslash(const QString& folder);
QString WithoutTrailingBackslash(const QString& folder);
// "work\item.html" + "x" -> "work\itemx.html"
QString WithFileSuffix(const QString& fileName, const QString& suffix);
// The extension with its dot (".html"); empty when the last part has none.
QString FileExtension(const QString& name);
// The folder part of a name, with its trailing separator; empty for a bare name.
QString FolderOf(const QString& name);

// --- texts ---------------------------------------------------------------

// Cuts text at the first separator: returns the head, leaves the rest in text.
QString SplitToken(QString& text, const QString& separator);
QString TextBefore(const QString& text, const QString& separator);
// 1-based position of the last occurrence, 0 when none.
int LastPos(const QString& part, const QString& text);
// Cuts text at the last separator: returns separator + tail, leaves the head.
QString SplitAtLast(QString& text, const QString& separator);
QString CutChars(int n, QString& text);
// Menu-caption shortening: at most n - 1 characters, cut at a blank + "...".
QString ShortenText(const QString& text, int n);
// First line from start that contains text (or begins with it), letter case
// ignored; -1 when none. progress, if given, gets the count of lines examined.
int IndexOfSubstring(const QStringList& lines, const QString& text, int start,
                     const std::function<void(int)>& progress = {}, bool prefixOnly = false);
// Appends the key of every key=value line.
void ListNames(const QStringList& lines, QStringList& target);
bool IsEven(int value);
QString HexRgbToBgr(const QString& text);

// --- values of the description files ---------------------------------------

bool ParseBool(const QString& text, bool fallback);
QString BoolText(bool value);
// "#RRGGBB", "$BBGGRR" or "BBGGRR"; raises ConversionError for a text that
// is not hexadecimal. An empty text gives black.
QColor ParseColor(const QString& text);

// A font as the descriptions set it: face, size, style and a colour.
struct TextFont {
  QFont font;
  QColor color = Qt::black;
};
// "name*size*colour*styles" (any field may be empty; styles are the letters
// i, b, u). Raises ConversionError for a size or colour that does not convert.
TextFont& ParseFont(TextFont& font, const QString& text);

}  // namespace tobrina
