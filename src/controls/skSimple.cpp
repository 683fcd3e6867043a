#include "controls/skSimple.h"

#include <QKeyEvent>
#include <QWheelEvent>
#include <QMenu>
#include <QScrollBar>

#include "controls/skPopMenu.h"
#include "pack/gPack.h"
#include "platform/convert.h"

namespace tobrina {

QStringList ReadItemFile(const QString& fileName) {
  QString text = ReadPackText(fileName);
  if (text.endsWith(QStringLiteral("\r\n"))) text.chop(2);
  if (text.isEmpty()) return {};
  return text.split(QStringLiteral("\r\n"));
}

TSkButton::TSkButton(QWidget* parent) : QPushButton(parent) { setFocusPolicy(Qt::StrongFocus); }

TSkSpeedButton::TSkSpeedButton(QWidget* parent) : QToolButton(parent) {
  setCheckable(false);
  setAutoRaise(true);
  setFocusPolicy(Qt::NoFocus);
  setToolButtonStyle(Qt::ToolButtonTextOnly);
}

void TSkSpeedButton::setDown(bool down) {
  if (down) setCheckable(true);
  setChecked(down);
  remembered = down;
  if (down && group_ != 0 && parentWidget()) {
    for (auto* other : parentWidget()->findChildren<TSkSpeedButton*>(Qt::FindDirectChildrenOnly))
      if (other != this && other->group_ == group_) other->setChecked(false);
  }
}

void TSkSpeedButton::ToggleRemembered() {
  setCheckable(true);
  remembered = !remembered;
  setChecked(remembered);
  UpdateStateHint();
}

void TSkSpeedButton::UpdateStateHint() {
  if (!hintDown.isEmpty() && isChecked())
    setToolTip(hintDown);
  else if (!hintUp.isEmpty() && !isChecked())
    setToolTip(hintUp);
}

void TSkSpeedButton::setGroup(int group) {
  group_ = group;
  if (group != 0) setCheckable(true);
}

void TSkSpeedButton::setDropMenu(TSkPopMenu* menu) {
  menu_ = menu;
  setMenu(menu_);
  setPopupMode(menu ? QToolButton::MenuButtonPopup : QToolButton::DelayedPopup);
}

TSkPopMenu* TSkSpeedButton::dropMenu() const { return qobject_cast<TSkPopMenu*>(menu_.data()); }

TSkLabel::TSkLabel(QWidget* parent) : QLabel(parent) {}

void TSkLabel::SetWideCaption(const QString& text) {
  fullText_ = text;
  showCaption();
}

void TSkLabel::setShorten(bool on) {
  shorten_ = on;
  showCaption();
}

void TSkLabel::setLinkLook(bool on) {
  link_ = on;
  QFont f = font();
  f.setUnderline(on);
  setFont(f);
  QPalette p = palette();
  p.setColor(QPalette::WindowText, on ? QColor(0, 0, 255) : QPalette().color(QPalette::WindowText));
  setPalette(p);
  setCursor(on ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TSkLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  if (shorten_) showCaption();
}

void TSkLabel::mousePressEvent(QMouseEvent* event) {
  QLabel::mousePressEvent(event);
  emit pressed();
}

void TSkLabel::showCaption() {
  if (fullText_.isEmpty() || !shorten_) {
    setText(fullText_);
    return;
  }
  const QFontMetrics metrics(font());
  const int width = this->width();
  if (metrics.horizontalAdvance(fullText_) <= width) {
    setText(fullText_);
    return;
  }
  QString rest = fullText_;
  const QString dots = QStringLiteral("...");
  bool fits = false;
  do {
    const qsizetype blank = rest.lastIndexOf(u' ');
    rest = blank < 0 ? QString() : rest.left(blank);
    fits = metrics.horizontalAdvance(rest + dots) <= width;
  } while (!fits && !rest.isEmpty());
  if (fits) setText(rest + dots);
}

TSkEditBox::TSkEditBox(QWidget* parent) : QLineEdit(parent) { setFocusPolicy(Qt::StrongFocus); }

void TSkEditBox::setDigitsOnly(bool on) { digitsOnly_ = on; }

int TSkEditBox::EditNumber() const {
  if (!digitsOnly_ || text().isEmpty()) return 0;
  return ParseIntOr(text(), 0);
}

void TSkEditBox::keyPressEvent(QKeyEvent* event) {
  // Digits only: every other typed character is dropped, Backspace too;
  // keys that type nothing (Delete, arrows) still work.
  if (digitsOnly_ && !event->text().isEmpty()) {
    const QChar c = event->text().front();
    if (!(c >= u'0' && c <= u'9')) return;
  }
  QLineEdit::keyPressEvent(event);
}

void TSkEditBox::keyReleaseEvent(QKeyEvent* event) {
  QLineEdit::keyReleaseEvent(event);
  if (!event->isAutoRepeat()) emit keyReleased(event->key(), event->modifiers());
}

TSkCheckBox::TSkCheckBox(QWidget* parent) : QCheckBox(parent) {}

void TSkCheckBox::AddEnableList(const QString& names) {
  for (const QString& name : names.split(u';')) enableList << name.toLower();
}

TSkRadioButton::TSkRadioButton(QWidget* parent) : QRadioButton(parent) {}

TSkComboBox::TSkComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  connect(this, &QComboBox::currentIndexChanged, this, [this] {
    if (!changeHandlerRemoved_) emit changed();
  });
}

void TSkComboBox::keyPressEvent(QKeyEvent* event) {
  if (readOnly_ && !event->text().isEmpty() && event->text().front().isPrint()) return;
  QComboBox::keyPressEvent(event);
}

void TSkComboBox::keyReleaseEvent(QKeyEvent* event) {
  QComboBox::keyReleaseEvent(event);
  if (readOnly_ || event->isAutoRepeat()) return;
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (storedHandler) storedHandler(this);
  } else {
    changeHandlerRemoved_ = true;
  }
}

void TSkComboBox::wheelEvent(QWheelEvent* event) { event->ignore(); }

int TSkComboBox::AddComboItem(const QString& caption, const QString& value) {
  if (caption.isEmpty()) return 0;
  values << value;
  addItem(caption);
  return int(values.size());
}

void TSkComboBox::LoadComboItems(const QStringList& lines) {
  const QSignalBlocker block(this);
  clear();
  values.clear();
  for (const QString& line : lines) {
    QString rest = line;
    const QString caption = SplitToken(rest, QStringLiteral(";"));
    AddComboItem(caption, rest);
  }
}

void TSkComboBox::LoadComboFile(const QString& fileName) {
  const QStringList lines = ReadItemFile(fileName);
  if (!lines.isEmpty()) LoadComboItems(lines);
}

QString TSkComboBox::ComboValue() const {
  const int i = currentIndex();
  return i >= 0 && i < values.size() ? values[i] : QString();
}

int TSkComboBox::ComboNumber() const { return ParseIntOr(currentText(), 0); }

void TSkComboBox::setReadOnly(bool on) {
  readOnly_ = on;
  setEditable(!on);
}

TSkListBox::TSkListBox(QWidget* parent) : QListWidget(parent) { setFocusPolicy(Qt::StrongFocus); }

void TSkListBox::AddListItem(const QString& caption, const QString& value) {
  values << value;
  addItem(caption);
}

void TSkListBox::ClearListItems() {
  clear();
  values.clear();
}

void TSkListBox::LoadListLines(const QStringList& lines, bool captionFirst) {
  ClearListItems();
  for (const QString& line : lines) {
    QString after = line;
    const QString before = SplitToken(after, QStringLiteral("#;#"));
    if (captionFirst)
      AddListItem(before, after);
    else
      AddListItem(after, before);
  }
}

void TSkListBox::LoadListFile(const QString& fileName) {
  const QStringList lines = ReadItemFile(fileName);
  if (!lines.isEmpty()) LoadListLines(lines, true);
}

QString TSkListBox::ListItemValue(int index) const { return index >= 0 && index < values.size() ? values[index] : QString(); }

int TSkListBox::scrollPosition() const { return verticalScrollBar()->value(); }
void TSkListBox::setScrollPosition(int position) { verticalScrollBar()->setValue(position); }

void TSkListBox::mouseReleaseEvent(QMouseEvent* event) {
  QListWidget::mouseReleaseEvent(event);
  emit clickedItem();
}

TSkSpinEdit::TSkSpinEdit(QWidget* parent) : QSpinBox(parent) { setRange(-1, 1000000); }

void TSkSpinEdit::setMinimumValue(int value) { setMinimum(value); }
void TSkSpinEdit::setMaximumValue(int value) { setMaximum(value); }

TSkTrackBar::TSkTrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
  setTickPosition(QSlider::NoTicks);
  setValue(0);
}

TSkProgressBar::TSkProgressBar(QWidget* parent) : QProgressBar(parent) { setTextVisible(false); }

}  // namespace tobrina
