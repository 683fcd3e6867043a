#pragma once
// Containers: panels, parent panels, scroll boxes, and the splitter.

#include <QFrame>
#include <QScrollArea>

#include "controls/skControl.h"
#include "controls/vcllayout.h"

namespace tobrina {

// Centres a panel in its container along the axes it is told to, from the
// container's outer size.
void CenterInContainer(QWidget* control, bool horizontally, bool vertically);
// Width/height of a percent size: (container client size div 100) * percent.
void ApplyPercent(QWidget* control, int widthPercent, int heightPercent);
// Toggles visibility, putting the control back where it was when shown again.
void ShowOrHide(QWidget* control, QPoint& saved);

// What panels and parent panels share: percent sizes, centring, hiding
// with their place kept, a double-click action and window dragging.
class PanelBase : public QFrame, public SkControl {
  Q_OBJECT
 public:
  explicit PanelBase(QWidget* parent);
  void ShowOrHide() { tobrina::ShowOrHide(this, saved_); }
  void Centre() { CenterInContainer(this, centerHorizontally, centerVertically); }
  int widthPercent = 0;  // 0: the width is in pixels
  int heightPercent = 0;
  bool centerHorizontally = false;
  bool centerVertically = false;

 signals:
  void doubleClicked();
  void pressed();

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QPoint saved_;
};

class TSkPanel final : public PanelBase {
  Q_OBJECT
 public:
  explicit TSkPanel(QWidget* parent) : PanelBase(parent) {}
  QString caption;  // kept, never shown
};

class TParentPanel final : public PanelBase {
  Q_OBJECT
 public:
  explicit TParentPanel(QWidget* parent) : PanelBase(parent) {}
};

// A scroll box: its children live on an inner area that scrolls.
class TSkScrollBox final : public QScrollArea, public SkControl {
  Q_OBJECT
 public:
  explicit TSkScrollBox(QWidget* parent);
  QWidget* area() const { return widget(); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
};

class TSkSplitter final : public VclSplitter, public SkControl {
  Q_OBJECT
 public:
  explicit TSkSplitter(QWidget* parent);
  void ShowOrHide() { tobrina::ShowOrHide(this, saved_); }

 private:
  QPoint saved_;
};

}  // namespace tobrina
