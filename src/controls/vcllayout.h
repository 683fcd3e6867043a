#pragma once
// The child layout of every container the descriptions fill (notebook pages,
// panels, parent panels, scroll boxes). Descriptions give each control
// left/top/width/height in pixels of its container, an alignment and anchors,
// the way the classic Windows form toolkits do:
//
//  - aligned controls are laid out first, in the order top, bottom, left,
//    right, client, custom; each takes its edge of the space the ones before
//    it left (several of one alignment stack in the order of their current
//    position), a client control fills what remains; hidden controls take no
//    space;
//  - a control with no alignment keeps the distances its anchors name: with
//    the left and right anchors its width follows the container, with only
//    the right one it moves with the right edge, with neither it keeps its
//    centre proportional (the same vertically);
//  - min/max constraints (0 = none) clamp every size the control is given;
//  - a splitter resizes the control aligned to the same side just before it.
//
// The distances count from the bounds last set through SetControlBounds
// (and the container size at that moment), so a description drawn for
// absolute pixels looks as drawn and follows the window as its anchors say.

#include <QPointer>
#include <QRect>
#include <QWidget>

namespace tobrina {

enum class Align { None, Top, Bottom, Left, Right, Client, Custom };

struct Anchors {
  bool left = true;
  bool top = true;
  bool right = false;
  bool bottom = false;
  bool none() const { return !left && !top && !right && !bottom; }
  bool operator==(const Anchors&) const = default;
};

struct SizeConstraints {
  int minWidth = 0;
  int minHeight = 0;
  int maxWidth = 0;
  int maxHeight = 0;
  bool operator==(const SizeConstraints&) const = default;
};

// Bounds as a description or the code sets them: the anchors count from here.
void SetControlBounds(QWidget* control, const QRect& bounds);
void SetControlLeft(QWidget* control, int left);
void SetControlTop(QWidget* control, int top);
void SetControlWidth(QWidget* control, int width);
void SetControlHeight(QWidget* control, int height);

void SetControlAlign(QWidget* control, Align align);
Align ControlAlignOf(const QWidget* control);
void SetControlAnchors(QWidget* control, Anchors anchors);
Anchors ControlAnchorsOf(const QWidget* control);
void SetControlConstraints(QWidget* control, SizeConstraints constraints);
SizeConstraints ControlConstraintsOf(const QWidget* control);

// Makes the widget a container whose children follow the rules above on
// every resize of the container and every show, hide, move or resize of a
// child through this interface.
void MakeVclContainer(QWidget* container);
// Lays the children out now (containers call it themselves; callers use it
// after changing several controls at once).
void ArrangeChildren(QWidget* container);
// The area children are laid out in: the container's contents rectangle.
QRect ContainerClientRect(const QWidget* container);

// A splitter bar: placed with an alignment like any control; dragging it
// with the mouse resizes the control aligned to the same side immediately
// before it (the one whose edge touches it), never below that control's
// minimum size or a minimum of its own (minSize, 30 by default).
class VclSplitter : public QWidget {
  Q_OBJECT
 public:
  explicit VclSplitter(QWidget* parent = nullptr);
  int minSize() const { return minSize_; }
  void setMinSize(int pixels) { minSize_ = pixels; }
  // The control this splitter resizes now, or null.
  QWidget* neighbour() const;
  // Moves the splitter by delta pixels along its axis (positive: right or down).
  void dragBy(int delta);

 signals:
  void moved();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  int minSize_ = 30;
  bool dragging_ = false;
  QPoint pressPos_;
};

}  // namespace tobrina
