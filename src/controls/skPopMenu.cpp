#include "controls/skPopMenu.h"

#include "pack/gHelpers.h"

namespace tobrina {

TSkItem::TSkItem(const QString& caption, QObject* parent) : QAction(caption, parent) {}

QKeySequence ShortcutFromText(const QString& text) {
  if (text.trimmed().isEmpty()) return {};
  // One combination only: "Ctrl+F, X" is no shortcut of ours.
  const QKeySequence sequence = QKeySequence::fromString(text.trimmed(), QKeySequence::PortableText);
  if (sequence.count() != 1 || sequence[0].key() == Qt::Key_unknown || sequence[0].key() == 0) return {};
  return sequence;
}

TSkPopMenu::TSkPopMenu(QWidget* owner) : QMenu(owner) {}

void TSkPopMenu::UncheckAll() {
  for (const auto& item : items_)
    if (item) item->setChecked(false);
}

TSkItem* TSkPopMenu::ItemAt(int index) const {
  return index >= 0 && index < Count() ? items_[std::size_t(index)].data() : nullptr;
}

TSkItem* TSkPopMenu::FindByAction(const QString& action) const {
  for (const auto& item : items_)
    if (item && item->action.compare(action, Qt::CaseInsensitive) == 0) return item;
  return nullptr;
}

int TSkPopMenu::DeleteByAction(const QString& action) {
  for (int i = 0; i < Count(); ++i)
    if (items_[std::size_t(i)]->action.compare(action, Qt::CaseInsensitive) == 0) {
      DeleteAt(i);
      return i;
    }
  return -1;
}

int TSkPopMenu::DeleteByData(const QString& data) {
  for (int i = 0; i < Count(); ++i)
    if (items_[std::size_t(i)]->data.compare(data, Qt::CaseInsensitive) == 0) {
      DeleteAt(i);
      return i;
    }
  return -1;
}

void TSkPopMenu::DeleteAt(int index) {
  if (index < 0 || index >= Count()) return;
  TSkItem* item = items_[std::size_t(index)];
  items_.erase(items_.begin() + index);
  removeAction(item);
  delete item;
}

void TSkPopMenu::Clear() {
  while (Count() > 0) DeleteAt(Count() - 1);
}

QString TSkPopMenu::shortened(const QString& caption) const { return ShortenText(caption, lengthLimit); }

TSkItem* TSkPopMenu::makeItem(const QString& caption, const QString& shortcut, const QString& action) {
  auto* item = new TSkItem(shortened(caption), this);
  item->action = action;
  item->setCheckable(true);
  item->setShortcut(ShortcutFromText(shortcut));
  item->setShortcutVisibleInContextMenu(true);
  return item;
}

TSkItem* TSkPopMenu::InsertAt(int index, const QString& caption, const QString& shortcut, const QString& action) {
  if (items_.empty() || index >= Count()) return Add(caption, action, shortcut);
  index = std::max(index, 0);
  TSkItem* item = makeItem(caption, shortcut, action);
  insertAction(items_[std::size_t(index)], item);
  items_.insert(items_.begin() + index, item);
  return item;
}

TSkItem* TSkPopMenu::Add(const QString& caption, const QString& action, const QString& shortcut) {
  TSkItem* item = makeItem(caption, shortcut, action);
  addAction(item);
  items_.push_back(item);
  return item;
}

}  // namespace tobrina
