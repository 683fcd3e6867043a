#include "controls/skGrid.h"

namespace tobrina {

TSkGrid::TSkGrid(QWidget* parent) : QTableWidget(parent) {}

TskHtmlGrid::TskHtmlGrid(QWidget* parent) : TSkHtml(parent) {}

TskDiagram::TskDiagram(QWidget* parent) : QWidget(parent) {}

}  // namespace tobrina
