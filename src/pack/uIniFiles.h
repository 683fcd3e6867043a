#pragma once
// INI documents: the grammar every description file rests on.
//
//  - each line is trimmed of blanks and control characters at both ends;
//  - empty lines and lines starting with ";" are skipped;
//  - "[name]" opens a section (name trimmed); lines before the first are ignored;
//  - a line holding "=" is a key line: key before the first "=", value after
//    it, both trimmed; a line without "=" stays in its section but never
//    matches a key;
//  - section names and keys compare without regard to case; reading by name
//    finds the first occurrence, while the list of section names holds every
//    occurrence in file order.

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace tobrina {

struct IniLine {
  QString key;    // empty for a line without "="
  QString value;  // for a line without "=", the whole line
  bool hasKey = false;
  int lineNumber = 0;  // 1-based, in the file
};

struct IniSection {
  QString name;
  int lineNumber = 0;
  std::vector<IniLine> lines;
  const IniLine* find(QStringView key) const;  // first key line of that key
};

class IniDocument {
 public:
  IniDocument() = default;
  explicit IniDocument(QStringView text) { setText(text); }
  void setText(QStringView text);

  const std::vector<IniSection>& sections() const { return sections_; }
  QStringList sectionNames() const;  // every occurrence, in file order
  const IniSection* section(QStringView name) const;  // first occurrence
  bool sectionExists(QStringView name) const { return section(name) != nullptr; }
  bool valueExists(QStringView section, QStringView key) const;
  QString readString(QStringView section, QStringView key, const QString& fallback = {}) const;
  // The default for a missing key or a value that is not an integer.
  int readInteger(QStringView section, QStringView key, int fallback) const;
  QStringList readSection(QStringView section) const;        // the keys, in order
  QStringList readSectionValues(QStringView section) const;  // key=value lines and bare lines
  int lineOf(QStringView section, QStringView key) const;    // 0 when absent

 private:
  std::vector<IniSection> sections_;
  QHash<QString, int> firstSection_;  // lower-cased name -> index
};

// An INI document whose text is read through the pack.
class TPakIniFile final : public IniDocument {
 public:
  explicit TPakIniFile(const QString& name);
  const QString& fileName() const { return fileName_; }
  bool found() const { return found_; }

 private:
  QString fileName_;
  bool found_ = false;
};

}  // namespace tobrina
