#pragma once
// Pop-up menus of the descriptions and their items.

#include <QAction>
#include <QMenu>
#include <QStringList>

#include "controls/skControl.h"

namespace tobrina {

// One menu item: its caption and the action it runs.
class TSkItem final : public QAction, public SkControl {
  Q_OBJECT
 public:
  explicit TSkItem(const QString& caption, QObject* parent);
};

class TSkPopMenu final : public QMenu {
  Q_OBJECT
 public:
  explicit TSkPopMenu(QWidget* parent);
  // The section's lines as written, kept for the menu builder.
  QStringList sectionLines;
  QString globalAction;
  bool favorite = false;
  QString historyTarget;
  bool historyBack = false;
  bool historyPrev = false;
  bool historyFull = false;
};

}  // namespace tobrina
