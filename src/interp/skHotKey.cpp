#include "interp/skHotKey.h"

#include "controls/skPopMenu.h"
#include "pack/gHelpers.h"

namespace tobrina {

void TSkHotKey::Add(const QString& text, int page) {
  QString action = text;
  const QString keyText = SplitToken(action, QStringLiteral("*"));
  const QKeySequence sequence = ShortcutFromText(keyText);
  Entry entry;
  entry.page = page;
  entry.action = action;
  entry.shortcut = sequence.isEmpty() ? QKeyCombination(Qt::Key_unknown) : sequence[0];
  entries_.push_back(std::move(entry));
}

int TSkHotKey::Page(int i) const { return i >= 0 && i < Count() ? entries_[std::size_t(i)].page : 0; }

QKeyCombination TSkHotKey::Shortcut(int i) const {
  return i >= 0 && i < Count() ? entries_[std::size_t(i)].shortcut : QKeyCombination();
}

QString TSkHotKey::Action(int i) const { return i >= 0 && i < Count() ? entries_[std::size_t(i)].action : QString(); }

const TSkHotKey::Entry* TSkHotKey::Match(QKeyCombination pressed, int currentPage) const {
  if (pressed.key() == Qt::Key_unknown) return nullptr;
  for (const Entry& e : entries_)
    if (e.shortcut == pressed && (e.page == -1 || e.page == currentPage)) return &e;
  return nullptr;
}

QKeyCombination PressedCombination(int key, Qt::KeyboardModifiers modifiers) {
  const Qt::KeyboardModifiers held = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  // Shift+Tab arrives as Backtab.
  if (key == Qt::Key_Backtab) key = Qt::Key_Tab;
  return QKeyCombination(held, Qt::Key(key));
}

}  // namespace tobrina
