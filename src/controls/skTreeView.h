#pragma once
// The tree view and the extended tree with check boxes. Both read their
// items from indented text files through the pack: one item per line, the
// leading tabs and blanks giving its depth, the text after the caption and
// ";" giving its data text, which the tree's action takes when it is used.

#include <QHash>
#include <QList>
#include <QPersistentModelIndex>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QTreeWidget>
#include <vector>

#include "controls/skControl.h"

namespace tobrina {

class TSkSpeedButton;
class TSkHtml;

// Node data lives in the item's first column under this role; an item
// without it carries no data record.
inline constexpr int kNodeDataRole = Qt::UserRole + 1;
// A TSkTree node's index in its tree's picture list; absent = no picture.
inline constexpr int kNodePictureRole = Qt::UserRole + 2;
// Selections a TSkTree remembers.
inline constexpr int kTreeHistoryLimit = 20;

class TSkTree final : public QTreeWidget, public SkControl {
  Q_OBJECT
 public:
  explicit TSkTree(QWidget* parent);
  // Replaces the nodes with those of the file ("caption;data;picture").
  void LoadTree(const QString& fileName);
  // Remembers the position while hidden, so the layout puts it back there.
  void ShowOrHide();
  void setBorder(bool on);
  void SetAlwaysExpanded(bool on);
  void ExpandAllNodes();
  void CollapseAllNodes();

  QTreeWidgetItem* SelectedNode() const;
  // The data text of the selected node; empty when none is selected.
  QString SelectedData() const;
  // The first node, in file order, whose data text equals text (any case).
  QTreeWidgetItem* FindNode(const QString& text) const;
  // The node's position counting every node before it, expanded or not.
  int AbsoluteIndex(const QTreeWidgetItem* node) const;
  // Select the next (previous) visible node and run the click.
  void NextNode();
  void PrevNode();

  // History: position 0 is the newest selection.
  void GoHistory(int position);
  QTreeWidgetItem* HistoryNode(int position) const;
  QString HistoryCaption(int position) const;
  int historyCount() const { return int(history_.size()); }
  int historyPosition() const { return historyPosition_; }

  // Pictures: lower-cased, trimmed file name -> index, each read once.
  int PictureByFile(const QString& name);
  int PictureIndex(const QTreeWidgetItem* node) const;
  int pictureCount() const { return int(pictures_.size()); }

  QString loadedFile;
  bool openBlock = false;
  QColor colorSelect;  // invalid: the palette's highlight
  TextFont fontSelect;
  QPointer<TSkSpeedButton> buttonNext;
  QPointer<TSkSpeedButton> buttonPrev;

 signals:
  void clickedNode();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;

 private:
  struct Step {
    QPersistentModelIndex node;  // goes invalid when the node is deleted
    QString caption;
  };
  void selectionChanged();
  void updateButtons();
  void setPicture(QTreeWidgetItem* node, int index);

  std::vector<Step> history_;  // newest first
  int historyPosition_ = 0;
  bool recording_ = true;
  QList<QPixmap> pictures_;
  QHash<QString, int> pictureCache_;
  QPoint saved_;
};

class TSkTreeEx final : public QTreeWidget, public SkControl {
  Q_OBJECT
 public:
  explicit TSkTreeEx(QWidget* parent);
  // Replaces the items with those of the file ("caption;data", the data
  // may hold further ";"); items with data get an unchecked check box.
  void LoadTree(const QString& fileName);
  void ShowOrHide() { setVisible(isHidden()); }
  void setBorder(bool on);
  void SetCheckBoxes(bool on);
  // Puts the colour members into effect.
  void ApplyColours();

  QString FocusedData() const;
  QTreeWidgetItem* FindItem(const QString& text) const;
  // Focus the next (previous) visible item without opening it.
  void NextItem();
  void PrevItem();
  void MarkAll();
  void UnmarkAll();
  void SetFocusedMark(bool on);
  void ToggleFocusedMark();
  static bool ShowsCheckBox(const QTreeWidgetItem* item);

  QString loadedFile;
  bool checkBoxes = true;
  QColor colorBg, colorBgSelect, colorText, colorTextSelect, colorTrack, colorScroll;

 signals:
  void clickedNode();
  void keyPressed(int key, Qt::KeyboardModifiers modifiers);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;

 private:
  void itemExpanding(QTreeWidgetItem* item);
  void giveData(QTreeWidgetItem* item, const QString& data);

  bool autoExpand_ = true;
  bool selectionMoved_ = false;  // by the mouse press under way
};

}  // namespace tobrina
