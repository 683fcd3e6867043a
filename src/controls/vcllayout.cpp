#include "controls/vcllayout.h"

#include <QChildEvent>
#include <QEvent>
#include <QHash>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

namespace tobrina {
namespace {

// What the layout knows about one widget. A child object, so it dies with the
// widget; the registry maps widgets to it without a walk over the children.
class ControlData final : public QObject {
 public:
  explicit ControlData(QWidget* owner);
  ~ControlData() override;
  // Installed on a container and on each of its child widgets.
  bool eventFilter(QObject* watched, QEvent* event) override;

  QWidget* const owner;
  Align align = Align::None;
  Anchors anchors;
  SizeConstraints constraints;
  QRect design;        // bounds last set through this interface
  QSize designClient;  // the container's client size at that moment
  bool placed = false;  // design is meaningful: the anchors count from it
  bool container = false;
  bool arranging = false;
  bool arrangeAgain = false;
};

QHash<const QWidget*, ControlData*>& Registry() {
  static QHash<const QWidget*, ControlData*> registry;
  return registry;
}

ControlData* Find(const QWidget* widget) { return widget ? Registry().value(widget) : nullptr; }

ControlData* Ensure(QWidget* widget) {
  if (ControlData* data = Find(widget)) return data;
  return new ControlData(widget);
}

bool IsContainer(const QWidget* widget) {
  const ControlData* data = Find(widget);
  return data && data->container;
}

// A child nobody hid explicitly takes space even before its container is
// first shown (Qt only marks it visible then).
bool TakesSpace(const QWidget* widget) {
  if (widget->isWindow()) return false;
  return !(widget->isHidden() && widget->testAttribute(Qt::WA_WState_ExplicitShowHide));
}

int Clamp(int size, int min, int max) {
  if (max > 0 && size > max) size = max;
  if (min > 0 && size < min) size = min;
  return std::max(size, 0);
}

QRect Constrained(const SizeConstraints& c, QRect r) {
  r.setWidth(Clamp(r.width(), c.minWidth, c.maxWidth));
  r.setHeight(Clamp(r.height(), c.minHeight, c.maxHeight));
  return r;
}

void Record(QWidget* control, ControlData* data, const QRect& bounds) {
  data->design = bounds;
  const QWidget* parent = control->parentWidget();
  data->designClient = parent && !control->isWindow() ? ContainerClientRect(parent).size() : QSize(0, 0);
  data->placed = true;
}

void MarkPlaced(QWidget* control, ControlData* data) {
  if (!data->placed) Record(control, data, control->geometry());
}

void Arrange(QWidget* container);

void RearrangeParentOf(QWidget* control) {
  QWidget* parent = control->parentWidget();
  if (!control->isWindow() && IsContainer(parent)) Arrange(parent);
}

void Place(QWidget* control, const QRect& bounds) {
  ControlData* data = Ensure(control);
  const QRect r = Constrained(data->constraints, bounds);
  Record(control, data, r);
  control->setGeometry(r);
}

// Whether a goes nearer the edge than b. Ties keep the order the controls
// were created in, so a splitter described right after its panel, with no
// position of its own, stays beside the panel.
bool StacksBefore(const QRect& a, const QRect& b, Align align) {
  switch (align) {
    case Align::Top: return a.top() < b.top();
    case Align::Bottom: return a.y() + a.height() > b.y() + b.height();
    case Align::Left: return a.left() < b.left();
    case Align::Right: return a.x() + a.width() > b.x() + b.width();
    default: return false;
  }
}

struct Item {
  QWidget* widget;
  ControlData* data;
};

// items come in creation order.
std::vector<Item> Stack(const std::vector<Item>& items, Align align) {
  std::vector<Item> order;
  for (const Item& item : items)
    if (item.data->align == align && TakesSpace(item.widget)) order.push_back(item);
  std::stable_sort(order.begin(), order.end(), [align](const Item& a, const Item& b) {
    return StacksBefore(a.widget->geometry(), b.widget->geometry(), align);
  });
  return order;
}

int Proportional(int value, int now, int was) {
  return static_cast<int>(std::lround(static_cast<double>(value) * now / was));
}

// One axis of an unaligned control: position and size from the design ones.
void Anchor(bool nearEdge, bool farEdge, int designPos, int designSize, int clientPos, int now, int was,
            int& pos, int& size) {
  const int change = now - was;
  pos = designPos;
  size = designSize;
  if (nearEdge && farEdge) {
    size = designSize + change;
  } else if (farEdge) {
    pos = designPos + change;
  } else if (!nearEdge) {
    const int centre = designPos - clientPos + designSize / 2;
    const int moved = was > 0 ? Proportional(centre, now, was) : centre + change / 2;
    pos = clientPos + moved - designSize / 2;
  }
}

QRect Anchored(const ControlData& d, const QRect& client) {
  int x, y, w, h;
  Anchor(d.anchors.left, d.anchors.right, d.design.x(), d.design.width(), client.x(), client.width(),
         d.designClient.width(), x, w);
  Anchor(d.anchors.top, d.anchors.bottom, d.design.y(), d.design.height(), client.y(), client.height(),
         d.designClient.height(), y, h);
  return Constrained(d.constraints, QRect(x, y, std::max(w, 0), std::max(h, 0)));
}

void ArrangeOnce(QWidget* container) {
  std::vector<Item> items;
  const QObjectList children = container->children();
  for (QObject* child : children) {
    if (!child->isWidgetType()) continue;
    auto* widget = static_cast<QWidget*>(child);
    if (widget->isWindow()) continue;
    if (ControlData* data = Find(widget)) items.push_back({widget, data});
  }

  const QRect client = ContainerClientRect(container);
  // The space the aligned controls leave, as edges (right and bottom exclusive).
  int left = client.x(), top = client.y();
  int right = client.x() + client.width(), bottom = client.y() + client.height();

  for (Align align : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client}) {
    for (const Item& item : Stack(items, align)) {
      const SizeConstraints& c = item.data->constraints;
      const QSize own = item.widget->size();
      const int spanW = Clamp(right - left, c.minWidth, c.maxWidth);
      const int spanH = Clamp(bottom - top, c.minHeight, c.maxHeight);
      const int ownW = Clamp(own.width(), c.minWidth, c.maxWidth);
      const int ownH = Clamp(own.height(), c.minHeight, c.maxHeight);
      switch (align) {
        case Align::Top:
          item.widget->setGeometry(left, top, spanW, ownH);
          top += ownH;
          break;
        case Align::Bottom:
          item.widget->setGeometry(left, bottom - ownH, spanW, ownH);
          bottom -= ownH;
          break;
        case Align::Left:
          item.widget->setGeometry(left, top, ownW, spanH);
          left += ownW;
          break;
        case Align::Right:
          item.widget->setGeometry(right - ownW, top, ownW, spanH);
          right -= ownW;
          break;
        default:  // client controls all get what remains
          item.widget->setGeometry(left, top, spanW, spanH);
          break;
      }
    }
  }

  // Hidden ones too, so they are in place when shown.
  for (const Item& item : items) {
    if (item.data->align == Align::None && item.data->placed) item.widget->setGeometry(Anchored(*item.data, client));
  }
}

void Arrange(QWidget* container) {
  ControlData* data = Ensure(container);
  if (data->arranging) {
    // A child's resize handler changed a sibling: lay out once more after this pass.
    data->arrangeAgain = true;
    return;
  }
  const QPointer<ControlData> alive(data);
  data->arranging = true;
  for (int pass = 0; pass < 3; ++pass) {
    data->arrangeAgain = false;
    ArrangeOnce(container);
    if (!alive) return;
    if (!data->arrangeAgain) break;
  }
  data->arranging = false;
}

bool IsSplitterAlign(Align align) {
  return align == Align::Left || align == Align::Right || align == Align::Top || align == Align::Bottom;
}

void UpdateSplitterCursor(QWidget* splitter, Align align) {
  if (align == Align::Left || align == Align::Right) {
    splitter->setCursor(Qt::SplitHCursor);
  } else if (align == Align::Top || align == Align::Bottom) {
    splitter->setCursor(Qt::SplitVCursor);
  } else {
    splitter->unsetCursor();
  }
}

ControlData::ControlData(QWidget* owner) : QObject(owner), owner(owner) { Registry().insert(owner, this); }

ControlData::~ControlData() { Registry().remove(owner); }

bool ControlData::eventFilter(QObject* watched, QEvent* event) {
  if (!container) return false;
  if (watched == owner) {
    switch (event->type()) {
      case QEvent::Resize:
        Arrange(owner);
        break;
      case QEvent::ChildAdded: {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (!child->isWidgetType()) break;
        child->installEventFilter(this);
        // A placed control moved in from elsewhere keeps the distances it has here.
        auto* widget = static_cast<QWidget*>(child);
        if (ControlData* data = Find(widget); data && data->placed) Record(widget, data, widget->geometry());
        break;
      }
      case QEvent::ChildRemoved: {
        // From a widget's destructor this comes when it no longer counts as a
        // widget, so any child going re-arranges.
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType()) child->removeEventFilter(this);
        Arrange(owner);
        break;
      }
      default:
        break;
    }
  } else if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) {
    // Sent whether or not the container is on screen yet.
    if (watched->isWidgetType() && watched->parent() == owner) Arrange(owner);
  }
  return false;
}

}  // namespace

void SetControlBounds(QWidget* control, const QRect& bounds) {
  if (!control) return;
  Place(control, bounds);
  RearrangeParentOf(control);
}

void SetControlLeft(QWidget* control, int left) {
  if (!control) return;
  QRect r = control->geometry();
  r.moveLeft(left);
  SetControlBounds(control, r);
}

void SetControlTop(QWidget* control, int top) {
  if (!control) return;
  QRect r = control->geometry();
  r.moveTop(top);
  SetControlBounds(control, r);
}

void SetControlWidth(QWidget* control, int width) {
  if (!control) return;
  QRect r = control->geometry();
  r.setWidth(std::max(width, 0));
  SetControlBounds(control, r);
}

void SetControlHeight(QWidget* control, int height) {
  if (!control) return;
  QRect r = control->geometry();
  r.setHeight(std::max(height, 0));
  SetControlBounds(control, r);
}

void SetControlAlign(QWidget* control, Align align) {
  if (!control) return;
  ControlData* data = Ensure(control);
  const Align old = data->align;
  data->align = align;
  // Released from its edge, it stays where the layout last put it.
  if (align == Align::None && old != Align::None) Record(control, data, control->geometry());
  MarkPlaced(control, data);
  if (qobject_cast<VclSplitter*>(control)) UpdateSplitterCursor(control, align);
  RearrangeParentOf(control);
}

Align ControlAlignOf(const QWidget* control) {
  const ControlData* data = Find(control);
  return data ? data->align : Align::None;
}

void SetControlAnchors(QWidget* control, Anchors anchors) {
  if (!control) return;
  ControlData* data = Ensure(control);
  data->anchors = anchors;
  // The distances at this moment are the ones kept from now on.
  Record(control, data, control->geometry());
  RearrangeParentOf(control);
}

Anchors ControlAnchorsOf(const QWidget* control) {
  const ControlData* data = Find(control);
  return data ? data->anchors : Anchors{};
}

void SetControlConstraints(QWidget* control, SizeConstraints constraints) {
  if (!control) return;
  ControlData* data = Ensure(control);
  data->constraints = constraints;
  MarkPlaced(control, data);
  data->design = Constrained(constraints, data->design);
  control->setGeometry(Constrained(constraints, control->geometry()));
  RearrangeParentOf(control);
}

SizeConstraints ControlConstraintsOf(const QWidget* control) {
  const ControlData* data = Find(control);
  return data ? data->constraints : SizeConstraints{};
}

void MakeVclContainer(QWidget* container) {
  if (!container) return;
  ControlData* data = Ensure(container);
  if (!data->container) {
    data->container = true;
    container->installEventFilter(data);
    for (QObject* child : container->children()) {
      if (child->isWidgetType()) child->installEventFilter(data);
    }
  }
  Arrange(container);
}

void ArrangeChildren(QWidget* container) {
  if (container) Arrange(container);
}

QRect ContainerClientRect(const QWidget* container) { return container ? container->contentsRect() : QRect(); }

VclSplitter::VclSplitter(QWidget* parent) : QWidget(parent) {}

QWidget* VclSplitter::neighbour() const {
  const Align align = ControlAlignOf(this);
  const QWidget* parent = parentWidget();
  if (!parent || !IsSplitterAlign(align)) return nullptr;
  const QRect me = geometry();
  for (QObject* child : parent->children()) {
    if (child == this || !child->isWidgetType()) continue;
    auto* widget = static_cast<QWidget*>(child);
    if (!TakesSpace(widget) || ControlAlignOf(widget) != align) continue;
    const QRect g = widget->geometry();
    bool touches = false;
    switch (align) {
      case Align::Left: touches = g.x() + g.width() == me.x(); break;
      case Align::Top: touches = g.y() + g.height() == me.y(); break;
      case Align::Right: touches = g.x() == me.x() + me.width(); break;
      case Align::Bottom: touches = g.y() == me.y() + me.height(); break;
      default: break;
    }
    if (touches) return widget;
  }
  return nullptr;
}

void VclSplitter::dragBy(int delta) {
  const Align align = ControlAlignOf(this);
  UpdateSplitterCursor(this, align);
  QWidget* target = neighbour();
  QWidget* parent = parentWidget();
  if (!target || !parent || delta == 0) return;

  const bool horizontal = align == Align::Left || align == Align::Right;
  const SizeConstraints c = ControlConstraintsOf(target);
  const int size = horizontal ? target->width() : target->height();
  const int lower = std::max(horizontal ? c.minWidth : c.minHeight, minSize_);
  const int max = horizontal ? c.maxWidth : c.maxHeight;

  // The client area gets what the controls aligned to this axis leave.
  int used = 0;
  for (QObject* child : parent->children()) {
    if (!child->isWidgetType()) continue;
    auto* widget = static_cast<QWidget*>(child);
    if (!TakesSpace(widget)) continue;
    const Align a = ControlAlignOf(widget);
    if (horizontal && (a == Align::Left || a == Align::Right)) used += widget->width();
    if (!horizontal && (a == Align::Top || a == Align::Bottom)) used += widget->height();
  }
  const QRect client = ContainerClientRect(parent);
  int upper = size + (horizontal ? client.width() : client.height()) - used - minSize_;
  if (max > 0) upper = std::min(upper, max);

  const bool nearSide = align == Align::Left || align == Align::Top;
  int wanted = nearSide ? size + delta : size - delta;
  // A drag never pushes the other way, even from a size already past a limit.
  if (wanted > size) wanted = std::min(wanted, std::max(size, upper));
  if (wanted < size) wanted = std::max(wanted, std::min(size, lower));
  if (wanted == size) return;

  // Right and bottom neighbours keep their outer edge.
  QRect g = target->geometry();
  switch (align) {
    case Align::Left: g.setWidth(wanted); break;
    case Align::Top: g.setHeight(wanted); break;
    case Align::Right: g = QRect(g.x() + g.width() - wanted, g.y(), wanted, g.height()); break;
    default: g = QRect(g.x(), g.y() + g.height() - wanted, g.width(), wanted); break;
  }
  Place(target, g);
  Arrange(parent);
  emit moved();
}

void VclSplitter::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && IsSplitterAlign(ControlAlignOf(this))) {
    UpdateSplitterCursor(this, ControlAlignOf(this));
    dragging_ = true;
    pressPos_ = event->position().toPoint();
    event->accept();
    return;
  }
  QWidget::mousePressEvent(event);
}

void VclSplitter::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || !(event->buttons() & Qt::LeftButton)) {
    QWidget::mouseMoveEvent(event);
    return;
  }
  // The bar moves under the pointer, so the press point stays the reference
  // in local coordinates.
  const QPoint pos = event->position().toPoint();
  const Align align = ControlAlignOf(this);
  const bool horizontal = align == Align::Left || align == Align::Right;
  dragBy(horizontal ? pos.x() - pressPos_.x() : pos.y() - pressPos_.y());
  event->accept();
}

void VclSplitter::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && dragging_) {
    dragging_ = false;
    event->accept();
    return;
  }
  QWidget::mouseReleaseEvent(event);
}

void VclSplitter::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Button));
}

}  // namespace tobrina
