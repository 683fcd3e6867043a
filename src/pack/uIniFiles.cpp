#include "pack/uIniFiles.h"

#include "pack/gPack.h"
#include "platform/codepage.h"
#include "platform/convert.h"

namespace tobrina {
namespace {

// Trims blanks and control characters: everything up to U+0020.
QStringView Trim(QStringView s) {
  qsizetype b = 0;
  qsizetype e = s.size();
  while (b < e && s[b].unicode() <= 0x20) ++b;
  while (e > b && s[e - 1].unicode() <= 0x20) --e;
  return s.sliced(b, e - b);
}

}  // namespace

const IniLine* IniSection::find(QStringView key) const {
  for (const IniLine& line : lines)
    if (line.hasKey && line.key.compare(key, Qt::CaseInsensitive) == 0) return &line;
  return nullptr;
}

void IniDocument::setText(QStringView text) {
  sections_.clear();
  firstSection_.clear();
  const qsizetype nul = text.indexOf(QChar(u'\0'));
  if (nul >= 0) text = text.left(nul);
  IniSection* current = nullptr;
  int lineNumber = 0;
  qsizetype i = 0;
  const qsizetype n = text.size();
  while (i < n) {
    qsizetype j = i;
    while (j < n && text[j] != u'\r' && text[j] != u'\n') ++j;
    ++lineNumber;
    const QStringView line = Trim(text.sliced(i, j - i));
    if (j < n && text[j] == u'\r' && j + 1 < n && text[j + 1] == u'\n') ++j;
    i = j + 1;

    if (line.isEmpty() || line.front() == u';') continue;
    if (line.front() == u'[' && line.back() == u']') {
      IniSection section;
      section.name = Trim(line.sliced(1, line.size() - 2)).toString();
      section.lineNumber = lineNumber;
      const QString key = section.name.toLower();
      if (!firstSection_.contains(key)) firstSection_.insert(key, int(sections_.size()));
      sections_.push_back(std::move(section));
      current = &sections_.back();
      continue;
    }
    if (!current) continue;
    IniLine entry;
    entry.lineNumber = lineNumber;
    const qsizetype eq = line.indexOf(u'=');
    if (eq >= 0) {
      entry.hasKey = true;
      entry.key = Trim(line.left(eq)).toString();
      entry.value = Trim(line.sliced(eq + 1)).toString();
    } else {
      entry.value = line.toString();
    }
    current->lines.push_back(std::move(entry));
  }
}

QStringList IniDocument::sectionNames() const {
  QStringList names;
  names.reserve(qsizetype(sections_.size()));
  for (const IniSection& s : sections_) names << s.name;
  return names;
}

const IniSection* IniDocument::section(QStringView name) const {
  const auto it = firstSection_.constFind(name.toString().toLower());
  return it == firstSection_.cend() ? nullptr : &sections_[std::size_t(*it)];
}

bool IniDocument::valueExists(QStringView sectionName, QStringView key) const {
  const IniSection* s = section(sectionName);
  return s && s->find(key);
}

QString IniDocument::readString(QStringView sectionName, QStringView key, const QString& fallback) const {
  const IniSection* s = section(sectionName);
  const IniLine* line = s ? s->find(key) : nullptr;
  return line ? line->value : fallback;
}

int IniDocument::readInteger(QStringView sectionName, QStringView key, int fallback) const {
  const IniSection* s = section(sectionName);
  const IniLine* line = s ? s->find(key) : nullptr;
  return line ? ParseIntOr(line->value, fallback) : fallback;
}

QStringList IniDocument::readSection(QStringView sectionName) const {
  QStringList keys;
  if (const IniSection* s = section(sectionName))
    for (const IniLine& line : s->lines)
      if (line.hasKey) keys << line.key;
  return keys;
}

QStringList IniDocument::readSectionValues(QStringView sectionName) const {
  QStringList lines;
  if (const IniSection* s = section(sectionName))
    for (const IniLine& line : s->lines) lines << (line.hasKey ? line.key + u'=' + line.value : line.value);
  return lines;
}

int IniDocument::lineOf(QStringView sectionName, QStringView key) const {
  const IniSection* s = section(sectionName);
  const IniLine* line = s ? s->find(key) : nullptr;
  return line ? line->lineNumber : 0;
}

TPakIniFile::TPakIniFile(const QString& name) : fileName_(name) {
  QByteArray bytes;
  found_ = LoadPackFile(bytes, name);
  setText(DecodeTextFile(bytes));
}

}  // namespace tobrina
