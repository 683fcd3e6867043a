#pragma once
// The simple described controls: buttons, speed buttons, labels, edit boxes,
// check and radio buttons, combo and list boxes with hidden item values,
// spin edits, track and progress bars.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <functional>

#include "controls/skControl.h"

namespace tobrina {

class TSkPopMenu;

class TSkButton final : public QPushButton, public SkControl {
  Q_OBJECT
 public:
  explicit TSkButton(QWidget* parent);
  void ShowOrHide() { setVisible(isHidden()); }
  Qt::Alignment textAlign = Qt::AlignCenter;
  bool transparent = true;
  bool wordWrap = false;
};

class TSkSpeedButton final : public QToolButton, public SkControl {
  Q_OBJECT
 public:
  explicit TSkSpeedButton(QWidget* parent);
  void ShowOrHide() { setVisible(isHidden()); }
  // Pressed look and the remembered state together ("down", "spbutton_down").
  void setDown(bool down);
  bool down() const { return isChecked(); }
  void ToggleRemembered();
  void UpdateStateHint();
  // Pressed buttons of one group (non-zero) release each other.
  void setGroup(int group);
  int group() const { return group_; }
  void setDropMenu(TSkPopMenu* menu);
  TSkPopMenu* dropMenu() const;

  bool remembered = false;
  bool transparent = true;
  QString hintDown;
  QString hintUp;

 private:
  int group_ = 0;
  QPointer<QMenu> menu_;
};

class TSkLabel final : public QLabel, public SkControl {
  Q_OBJECT
 public:
  explicit TSkLabel(QWidget* parent);
  void SetWideCaption(const QString& text);
  const QString& wideCaption() const { return fullText_; }
  void setShorten(bool on);
  bool shorten() const { return shorten_; }
  void setLinkLook(bool on);
  bool linkLook() const { return link_; }

 signals:
  void pressed();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void showCaption();
  QString fullText_;
  bool shorten_ = false;
  bool link_ = false;
};

class TSkEditBox final : public QLineEdit, public SkControl {
  Q_OBJECT
 public:
  explicit TSkEditBox(QWidget* parent);
  void setDigitsOnly(bool on);
  bool digitsOnly() const { return digitsOnly_; }
  int EditNumber() const;
  bool actOnEveryKey = false;
  QPointer<TSkEditBox> minLink;

 signals:
  void keyReleased(int key, Qt::KeyboardModifiers modifiers);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  bool digitsOnly_ = false;
};

class TSkCheckBox final : public QCheckBox, public SkControl {
  Q_OBJECT
 public:
  explicit TSkCheckBox(QWidget* parent);
  void AddEnableList(const QString& names);  // ";"-separated, lower-cased
  QStringList enableList;
};

class TSkRadioButton final : public QRadioButton, public SkControl {
  Q_OBJECT
 public:
  explicit TSkRadioButton(QWidget* parent);
};

class TSkComboBox final : public QComboBox, public SkControl {
  Q_OBJECT
 public:
  explicit TSkComboBox(QWidget* parent);
  int AddComboItem(const QString& caption, const QString& value);
  void LoadComboItems(const QStringList& lines);
  void LoadComboFile(const QString& fileName);
  QString ComboValue() const;
  int ComboNumber() const;
  void setReadOnly(bool on);
  bool readOnly() const { return readOnly_; }
  QStringList values;
  // Called on Enter instead of the change event (the search window puts the
  // interpreter's click handler here).
  std::function<void(QObject*)> storedHandler;
  // Typing anything but Enter unhooks the change event for good.
  bool changeHandlerRemoved() const { return changeHandlerRemoved_; }

 signals:
  void changed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  bool readOnly_ = false;
  bool changeHandlerRemoved_ = false;
};

class TSkListBox final : public QListWidget, public SkControl {
  Q_OBJECT
 public:
  explicit TSkListBox(QWidget* parent);
  void AddListItem(const QString& caption, const QString& value);
  void ClearListItems();
  void LoadListLines(const QStringList& lines, bool captionFirst);
  void LoadListFile(const QString& fileName);
  QString ListItemValue(int index) const;
  int scrollPosition() const;
  void setScrollPosition(int position);
  QStringList values;

 signals:
  void clickedItem();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

class TSkSpinEdit final : public QSpinBox, public SkControl {
  Q_OBJECT
 public:
  explicit TSkSpinEdit(QWidget* parent);
  void setMinimumValue(int value);
  void setMaximumValue(int value);
};

class TSkTrackBar final : public QSlider, public SkControl {
  Q_OBJECT
 public:
  explicit TSkTrackBar(QWidget* parent);
};

class TSkProgressBar final : public QProgressBar, public SkControl {
  Q_OBJECT
 public:
  explicit TSkProgressBar(QWidget* parent);
};

// The lines of an item file read through the pack; none when it is missing.
QStringList ReadItemFile(const QString& fileName);

}  // namespace tobrina
