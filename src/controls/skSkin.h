#pragma once
// Skins. A skin file is a Qt style sheet read through the pack; the pictures
// it names with url(...) are read through the pack too (extracted once to a
// private folder, since the style engine reads files itself). A control's
// theme object is its "theme" property, which selectors such as
// QPushButton[theme="toolbar"] match.

#include <QString>
#include <vector>

namespace tobrina {

class TSkSkin final {
 public:
  // False for an empty path or a file name (folders ignored, letter case
  // ignored) registered before; otherwise loads the sheet and returns true.
  bool Register(const QString& path);
  // The sheet of the entry whose file name is the file-name part of name.
  QString Find(const QString& name) const;
  int count() const { return int(entries_.size()); }

 private:
  struct Entry {
    QString fileName;  // lower-cased, without folder
    QString sheet;
  };
  std::vector<Entry> entries_;
};

// The sheet text of a skin file with its url(...) pictures made readable.
QString LoadSkinSheet(const QString& name);

}  // namespace tobrina
