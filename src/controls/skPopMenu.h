#pragma once
// Pop-up menus of the descriptions and their items. The menu keeps its own
// list of items, each with an action and a data text, so that items can be
// found and removed by either; long captions are shortened to a limit.

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QPointer>
#include <vector>

#include "controls/skControl.h"

namespace tobrina {

// One menu item: a caption, the action it runs and the data text it stands
// for (a favourite's value; empty for other items).
class TSkItem final : public QAction, public SkControl {
  Q_OBJECT
 public:
  explicit TSkItem(const QString& caption, QObject* parent);
  QString data;
};

// A shortcut text such as "Ctrl+F", "F3" or "Alt+Enter" as a key sequence;
// an empty sequence for text that names no key.
QKeySequence ShortcutFromText(const QString& text);

class TSkPopMenu final : public QMenu {
  Q_OBJECT
 public:
  explicit TSkPopMenu(QWidget* owner);

  void UncheckAll();
  TSkItem* ItemAt(int index) const;
  int Count() const { return int(items_.size()); }
  TSkItem* FindByAction(const QString& action) const;
  int DeleteByAction(const QString& action);
  int DeleteByData(const QString& data);
  void DeleteAt(int index);
  void Clear();
  TSkItem* InsertAt(int index, const QString& caption, const QString& shortcut, const QString& action);
  TSkItem* Add(const QString& caption, const QString& action, const QString& shortcut);
  void Popup(int x, int y) { popup(QPoint(x, y)); }
  // The caption as the length limit shortens it.
  QString shortened(const QString& caption) const;

  QString historyTarget;
  bool historyBack = false;
  bool historyPrev = false;
  bool historyFull = false;
  int checkedIndex = -1;
  QString globalAction;
  int firstGroupCount = 0;
  int lastGroupCount = 0;
  int lengthLimit = 0;

 private:
  TSkItem* makeItem(const QString& caption, const QString& shortcut, const QString& action);
  std::vector<QPointer<TSkItem>> items_;
};

}  // namespace tobrina
