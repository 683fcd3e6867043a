#include "controls/skForm.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QPropertyAnimation>
#include <QScreen>
#include <QWindow>

#include "controls/vcllayout.h"
#include "pack/gSystem.h"
#include "platform/uiservices.h"

namespace tobrina {

TSkForm::TSkForm(QWidget* parent) : QWidget(parent, Qt::Window), defaultSystemMenu_(new QMenu(this)) {
  MakeVclContainer(this);
  messageFont.font = font();
  systemMenu = defaultSystemMenu_;
  qApp->installEventFilter(this);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
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

void TSkForm::setSizeable(bool on) {
  sizeable = on;
  setWindowFlag(Qt::WindowMaximizeButtonHint, on && !dialog);
  if (on) {
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  } else if (isVisible()) {
    setFixedSize(size());
  }
}

void TSkForm::setDialog(bool on) {
  dialog = on;
  escCloses = on;
  setWindowFlag(Qt::WindowMinimizeButtonHint, !on);
  setWindowFlag(Qt::WindowMaximizeButtonHint, !on);
  setSizeable(!on);
}

void TSkForm::dragByBody() {
  if (isMaximized() || !movableByBody) return;
  if (QWindow* handle = windowHandle()) handle->startSystemMove();
}

void TSkForm::RegisterHotKey(const QString& text) { hotKeys_.Add(text, currentPageIndex()); }

int TSkForm::currentPageIndex() const { return pages_ ? pages_->currentIndex() : -1; }

bool TSkForm::eventFilter(QObject* watched, QEvent* event) {
  // Key preview: a key meant for this window is seen once, at its first
  // receiver (the focused control, or the window when nothing has focus).
  if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    QWidget* focus = QApplication::focusWidget();
    const QWidget* first = focus && focus->window() == this ? focus : this;
    if (widget == first && widget->window() == this) {
      auto* key = static_cast<QKeyEvent*>(event);
      QPointer<TSkForm> alive(this);
      handleKey(key->key(), key->modifiers());
      if (!alive) return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TSkForm::handleKey(int key, Qt::KeyboardModifiers modifiers) {
  QPointer<TSkForm> alive(this);
  if (const TSkHotKey::Entry* entry = hotKeys_.Match(PressedCombination(key, modifiers), currentPageIndex())) {
    if (actionCallback) {
      RHelpAction record;
      record.Action = entry->action;
      actionCallback(record);
      if (!alive) return;
    }
  }
  const Qt::KeyboardModifiers held = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  if (key == Qt::Key_Escape && escCloses) close();
  if (key == Qt::Key_F1 && helpButton && held == Qt::NoModifier) requestHelp();
  if (key == Qt::Key_Space && held == Qt::AltModifier && systemMenu && !systemMenu->isEmpty())
    systemMenu->popup(mapToGlobal(QPoint(0, 0)));
  if (held == (Qt::ControlModifier | Qt::AltModifier)) {
    if (key == Qt::Key_Q) {
      // Restart: a fresh reader picks up edited descriptions.
      Ui().startProgram(QCoreApplication::applicationFilePath(), QCoreApplication::arguments().mid(1));
      Ui().quitApplication(0);
    } else if (key == Qt::Key_E && ExeDriveKind() != kDriveCdRom) {
      ShellOpen(ExeRelativePath(descriptionFileName), QString(), QStringLiteral("open"));
    }
  }
}

void TSkForm::requestHelp() {
  if (!actionCallback) return;
  RHelpAction record;
  record.Action = helpAction;
  const QPoint at = QCursor::pos();
  record.AnchorLeft = at.x();
  record.AnchorTop = at.y();
  actionCallback(record);
}

void TSkForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!sizeable) setFixedSize(size());
  // Any named opening effect fades the window in; the name itself is the
  // skin's business.
  if (!effect.isEmpty() && !effectPlayed_) {
    effectPlayed_ = true;
    auto* fade = new QPropertyAnimation(this, "windowOpacity", this);
    fade->setDuration(500);
    fade->setStartValue(0.0);
    fade->setEndValue(1.0);
    fade->start(QAbstractAnimation::DeleteWhenStopped);
  }
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
