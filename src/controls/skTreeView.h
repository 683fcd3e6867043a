#pragma once
// The tree view and the extended tree with check boxes.

#include <QPointer>
#include <QTreeWidget>

#include "controls/skControl.h"

namespace tobrina {

class TSkSpeedButton;
class TSkHtml;

class TSkTree final : public QTreeWidget, public SkControl {
  Q_OBJECT
 public:
  explicit TSkTree(QWidget* parent);
  void ShowOrHide() { setVisible(isHidden()); }
  void setBorder(bool on);
  // The data text of the selected node; empty when none is selected.
  QString SelectedData() const;
  QString loadedFile;
  bool openBlock = false;
  QColor colorSelect;
  TextFont fontSelect;
  QPointer<TSkSpeedButton> buttonNext;
  QPointer<TSkSpeedButton> buttonPrev;

 signals:
  void clickedNode();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

class TSkTreeEx final : public QTreeWidget, public SkControl {
  Q_OBJECT
 public:
  explicit TSkTreeEx(QWidget* parent);
  void ShowOrHide() { setVisible(isHidden()); }
  void setBorder(bool on);
  QString FocusedData() const;
  QString loadedFile;
  bool checkBoxes = true;
  QColor colorBg, colorBgSelect, colorText, colorTextSelect, colorTrack, colorScroll;

 signals:
  void clickedNode();
  void keyPressed(int key, Qt::KeyboardModifiers modifiers);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

// Node data lives in the item's first column under this role.
inline constexpr int kNodeDataRole = Qt::UserRole + 1;

}  // namespace tobrina
