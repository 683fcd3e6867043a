#include "controls/skPanel.h"

#include <QMouseEvent>

namespace tobrina {

PanelBase::PanelBase(QWidget* parent) : QFrame(parent) {
  setFrameShape(QFrame::NoFrame);
  MakeVclContainer(this);
}

void PanelBase::mouseDoubleClickEvent(QMouseEvent* event) {
  QFrame::mouseDoubleClickEvent(event);
  emit doubleClicked();
}

void PanelBase::mousePressEvent(QMouseEvent* event) {
  QFrame::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) emit pressed();
}

TSkScrollBox::TSkScrollBox(QWidget* parent) : QScrollArea(parent) {
  auto* inner = new QWidget;
  inner->setObjectName(QStringLiteral("area"));
  MakeVclContainer(inner);
  setWidget(inner);
  setWidgetResizable(false);
  setFrameShape(QFrame::NoFrame);
}

void TSkScrollBox::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  // The area is at least the viewport; children beyond it make it scroll.
  QRect extent(QPoint(0, 0), viewport()->size());
  for (const QWidget* child : area()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (child->isVisibleTo(area())) extent = extent.united(child->geometry());
  area()->resize(extent.size());
}

TSkSplitter::TSkSplitter(QWidget* parent) : VclSplitter(parent) {}

void CenterInContainer(QWidget* control, bool horizontally, bool vertically) {
  const QWidget* container = control->parentWidget();
  if (!container || (!horizontally && !vertically)) return;
  QRect r = control->geometry();
  if (horizontally) r.moveLeft((container->width() - r.width()) / 2);
  if (vertically) r.moveTop((container->height() - r.height()) / 2);
  SetControlBounds(control, r);
}

void ApplyPercent(QWidget* control, int widthPercent, int heightPercent) {
  const QWidget* container = control->parentWidget();
  if (!container) return;
  const QRect client = ContainerClientRect(container);
  // The division comes first: 50% of 750 is 350.
  if (widthPercent != 0 && client.width() != 0) SetControlWidth(control, (client.width() / 100) * widthPercent);
  if (heightPercent != 0 && client.height() != 0) SetControlHeight(control, (client.height() / 100) * heightPercent);
}

void ShowOrHide(QWidget* control, QPoint& saved) {
  if (!control->isHidden()) saved = control->pos();
  control->setVisible(control->isHidden());
  if (!control->isHidden()) SetControlBounds(control, QRect(saved, control->size()));
}

}  // namespace tobrina
