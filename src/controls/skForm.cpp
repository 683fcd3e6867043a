#include "controls/skForm.h"

#include <QKeyEvent>
#include <QWindow>

#include "controls/vcllayout.h"

namespace tobrina {

TSkForm::TSkForm(QWidget* parent) : QWidget(parent, Qt::Window) {
  MakeVclContainer(this);
  messageFont.font = font();
}

TSkForm::~TSkForm() = default;

QStackedWidget* TSkForm::ensurePageSet() {
  if (pages_) return pages_;
  pages_ = new QStackedWidget(this);
  pages_->setObjectName(QStringLiteral("pages"));
  auto* first = new QWidget(pages_);
  first->setObjectName(QStringLiteral("p0"));
  MakeVclContainer(first);
  pages_->addWidget(first);
  SetControlBounds(pages_, ContainerClientRect(this));
  SetControlAlign(pages_, Align::Client);
  pages_->show();
  return pages_;
}

QWidget* TSkForm::addPage() {
  QStackedWidget* set = ensurePageSet();
  auto* page = new QWidget(set);
  page->setObjectName(u'p' + QString::number(set->count()));
  MakeVclContainer(page);
  set->addWidget(page);
  set->setCurrentWidget(page);
  return page;
}

QWidget* TSkForm::page(int index) const { return pages_ ? pages_->widget(index) : nullptr; }

void TSkForm::setSizeable(bool on) { sizeable = on; }

void TSkForm::setDialog(bool on) {
  dialog = on;
  sizeable = !on;
  escCloses = on;
}

void TSkForm::dragByBody() {
  if (isMaximized() || !movableByBody) return;
  if (QWindow* handle = windowHandle()) handle->startSystemMove();
}

void TSkForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && escCloses) close();
  QWidget::keyPressEvent(event);
}

void TSkForm::mousePressEvent(QMouseEvent* event) {
  QWidget::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) dragByBody();
}

void TSkForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (resizeCallback) resizeCallback(width(), height());
}

TfrmFORM::TfrmFORM(QWidget* parent) : TSkForm(parent) {
  setObjectName(QStringLiteral("frmFORM"));
  setGeometry(200, 109, 783, 540);
}

}  // namespace tobrina
