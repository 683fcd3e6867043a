#pragma once
// A window's keyboard shortcuts: "key text*action" entries bound to a
// notebook page (or to every page, -1). The first entry that matches the
// pressed keys on the current page wins.

#include <QKeyCombination>
#include <QString>
#include <vector>

namespace tobrina {

class TSkHotKey final {
 public:
  struct Entry {
    int page = -1;
    QString action;
    QKeyCombination shortcut;  // Qt::Key_unknown: a key text that names no key
  };

  // text: "Ctrl+F*find_all" (the action may hold further "*" and "//").
  void Add(const QString& text, int page);
  int Count() const { return int(entries_.size()); }
  int Page(int i) const;
  QKeyCombination Shortcut(int i) const;
  QString Action(int i) const;
  // The action of the first entry matching the keys on that page, if any.
  const Entry* Match(QKeyCombination pressed, int currentPage) const;

 private:
  std::vector<Entry> entries_;
};

// The combination a key event stands for: the key with Shift, Ctrl and Alt.
QKeyCombination PressedCombination(int key, Qt::KeyboardModifiers modifiers);

}  // namespace tobrina
