#include "controls/skPopMenu.h"

namespace tobrina {

TSkItem::TSkItem(const QString& caption, QObject* parent) : QAction(caption, parent) {}

TSkPopMenu::TSkPopMenu(QWidget* parent) : QMenu(parent) {}

}  // namespace tobrina
