#pragma once
// Grids, HTML grids and diagrams.

#include <QTableWidget>

#include "controls/skControl.h"
#include "html/skHTML.h"

namespace tobrina {

class TSkGrid final : public QTableWidget, public SkControl {
  Q_OBJECT
 public:
  explicit TSkGrid(QWidget* parent);
  TextFont fontFixed, fontCell;
  QColor colorOdd, colorEven, colorFixed;
  bool ownDrawing = false;
  bool stripesByRows = false;
  int widthFixed = 0;
  int printColumns = 0;
  int widthCell = 0;
};

class TskHtmlGrid final : public TSkHtml {
  Q_OBJECT
 public:
  explicit TskHtmlGrid(QWidget* parent);
  QByteArray data;
  QString dataFile;
  int widthTable = 0, heightTable = 0;
  bool center = false;
  int lines = 0, cells = 0;
  QString colorBorder, colorEven, colorOdd;
  bool stripesByRows = true;
  int borderSize = 0;
  int widthFirstColumn = 0, widthColumn = 0;
  bool drawing = true;
};

class TskDiagram final : public QWidget, public SkControl {
  Q_OBJECT
 public:
  explicit TskDiagram(QWidget* parent);
  int maximum = 0;
  int lineHeight = 0;
  QColor colorSeparator, colorBar;
  TextFont fontCaption, fontNumber;
  int margin = 0;
  int separation = 0;
  QString dataFile;
};

}  // namespace tobrina
