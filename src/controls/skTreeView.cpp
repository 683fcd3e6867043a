#include "controls/skTreeView.h"

#include <QKeyEvent>

namespace tobrina {

TSkTree::TSkTree(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
}

void TSkTree::setBorder(bool on) { setFrameShape(on ? QFrame::StyledPanel : QFrame::NoFrame); }

QString TSkTree::SelectedData() const {
  const QTreeWidgetItem* item = currentItem();
  return item && item->isSelected() ? item->data(0, kNodeDataRole).toString() : QString();
}

void TSkTree::mouseReleaseEvent(QMouseEvent* event) {
  QTreeWidget::mouseReleaseEvent(event);
  emit clickedNode();
}

TSkTreeEx::TSkTreeEx(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
}

void TSkTreeEx::setBorder(bool on) { setFrameShape(on ? QFrame::StyledPanel : QFrame::NoFrame); }

QString TSkTreeEx::FocusedData() const {
  const QTreeWidgetItem* item = currentItem();
  return item ? item->data(0, kNodeDataRole).toString() : QString();
}

void TSkTreeEx::mouseReleaseEvent(QMouseEvent* event) {
  QTreeWidget::mouseReleaseEvent(event);
  emit clickedNode();
}

void TSkTreeEx::keyPressEvent(QKeyEvent* event) {
  QTreeWidget::keyPressEvent(event);
  emit keyPressed(event->key(), event->modifiers());
}

}  // namespace tobrina
