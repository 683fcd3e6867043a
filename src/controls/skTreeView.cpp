#include "controls/skTreeView.h"

#include <QBitmap>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTreeWidgetItemIterator>
#include <functional>
#include <optional>

#include "controls/skPanel.h"
#include "controls/skSimple.h"
#include "pack/gPack.h"

namespace tobrina {

namespace {

// How a tree wants its selected and hovered items drawn; invalid colours
// leave the style's own drawing.
struct ItemLook {
  QColor selectBackground;
  QColor selectText;
  std::optional<QFont> selectFont;
  QColor hover;
};

class ItemDelegate final : public QStyledItemDelegate {
 public:
  ItemDelegate(QObject* parent, std::function<ItemLook()> look) : QStyledItemDelegate(parent), look_(std::move(look)) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const ItemLook look = look_();
    QStyleOptionViewItem opt(option);
    if ((opt.state & QStyle::State_Selected) && look.selectBackground.isValid()) {
      painter->fillRect(opt.rect, look.selectBackground);
      opt.state &= ~QStyle::State_Selected;
      if (look.selectText.isValid()) opt.palette.setColor(QPalette::Text, look.selectText);
      if (look.selectFont) opt.font = *look.selectFont;
    } else if ((opt.state & QStyle::State_MouseOver) && !(opt.state & QStyle::State_Selected) && look.hover.isValid()) {
      painter->fillRect(opt.rect, look.hover);
      opt.state &= ~QStyle::State_MouseOver;
    }
    QStyledItemDelegate::paint(painter, opt, index);
  }

 private:
  std::function<ItemLook()> look_;
};

struct TreeLine {
  int indent = 0;
  QString text;
};

// Blank lines would add empty nodes, or wipe the data of the node above.
std::vector<TreeLine> ReadTreeLines(const QString& fileName) {
  std::vector<TreeLine> lines;
  const QStringList raw = ReadPackText(fileName).split(QStringLiteral("\r\n"));
  for (const QString& line : raw) {
    if (line.trimmed().isEmpty()) continue;
    int indent = 0;
    while (indent < line.size() && (line[indent] == u'\t' || line[indent] == u' ')) ++indent;
    lines.push_back({indent, line.mid(indent)});
  }
  return lines;
}

int Level(const QTreeWidgetItem* item) {
  int level = 0;
  for (const QTreeWidgetItem* p = item->parent(); p; p = p->parent()) ++level;
  return level;
}

// One item per line, placed by indent below the item of the line before.
// A line more than one level deeper adds nothing: its text goes to that
// item instead (fill with added false). Items come in file order, so the
// tree's own order is the file order.
void PlaceLines(QTreeWidget* tree, const QString& fileName,
                const std::function<void(QTreeWidgetItem*, const QString& text, bool added)>& fill) {
  QTreeWidgetItem* previous = nullptr;
  for (const TreeLine& line : ReadTreeLines(fileName)) {
    QTreeWidgetItem* parent = nullptr;
    if (previous) {
      const int level = Level(previous);
      if (line.indent > level + 1) {
        fill(previous, line.text, false);
        continue;
      }
      if (line.indent == level + 1) {
        parent = previous;
      } else {
        QTreeWidgetItem* sibling = previous;
        for (int l = level; l > line.indent; --l) sibling = sibling->parent();
        parent = sibling->parent();
      }
    }
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
    fill(item, line.text, true);
    previous = item;
  }
}

QTreeWidgetItem* FindByData(const QTreeWidget* tree, const QString& text) {
  for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it; ++it) {
    const QVariant data = (*it)->data(0, kNodeDataRole);
    if (data.isValid() && data.toString().compare(text, Qt::CaseInsensitive) == 0) return *it;
  }
  return nullptr;
}

void CollapseBranch(QTreeWidgetItem* item) {
  for (int i = 0; i < item->childCount(); ++i) CollapseBranch(item->child(i));
  item->setExpanded(false);
}

// Sets a flag back to true however the scope is left: a bad number in a
// nested action leaves by an exception.
class BackOn {
 public:
  explicit BackOn(bool& flag) : flag_(flag) { flag_ = false; }
  ~BackOn() { flag_ = true; }
  BackOn(const BackOn&) = delete;
  BackOn& operator=(const BackOn&) = delete;

 private:
  bool& flag_;
};

// Updates suspended for the time of one change.
class Frozen {
 public:
  explicit Frozen(QWidget* w) : widget_(w), was_(w->updatesEnabled()) { w->setUpdatesEnabled(false); }
  ~Frozen() { widget_->setUpdatesEnabled(was_); }
  Frozen(const Frozen&) = delete;
  Frozen& operator=(const Frozen&) = delete;

 private:
  QWidget* widget_;
  bool was_;
};

}  // namespace

// --- TSkTree ------------------------------------------------------------------

TSkTree::TSkTree(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setEditTriggers(NoEditTriggers);
  setSelectionMode(SingleSelection);
  setSelectionBehavior(SelectRows);
  setAllColumnsShowFocus(true);
  setExpandsOnDoubleClick(false);
  setFrameShape(QFrame::NoFrame);
  // The selection stays visible when the tree loses the focus.
  QPalette p = palette();
  p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
  p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
  setPalette(p);
  fontSelect.font = font();
  fontSelect.color = Qt::white;
  setItemDelegate(new ItemDelegate(this, [this] {
    return ItemLook{colorSelect.isValid() ? colorSelect : palette().color(QPalette::Active, QPalette::Highlight),
                    fontSelect.color, fontSelect.font, QColor()};
  }));
  connect(this, &QTreeWidget::itemSelectionChanged, this, &TSkTree::selectionChanged);
  connect(this, &QTreeWidget::itemExpanded, this, &TSkTree::updateButtons);
  connect(this, &QTreeWidget::itemCollapsed, this, &TSkTree::updateButtons);
}

void TSkTree::setBorder(bool on) { setFrameShape(on ? QFrame::StyledPanel : QFrame::NoFrame); }

void TSkTree::ShowOrHide() { tobrina::ShowOrHide(this, saved_); }

void TSkTree::LoadTree(const QString& fileName) {
  clear();
  // The steps named nodes that are gone now.
  history_.clear();
  historyPosition_ = 0;
  loadedFile = fileName;
  {
    Frozen frozen(this);
    PlaceLines(this, fileName, [this](QTreeWidgetItem* node, const QString& text, bool added) {
      QString rest = text;
      const QString caption = SplitToken(rest, QStringLiteral(";"));
      const QString data = SplitToken(rest, QStringLiteral(";")).trimmed();
      if (added) node->setText(0, caption);
      node->setData(0, kNodeDataRole, data);
      setPicture(node, rest.trimmed().isEmpty() ? -1 : PictureByFile(rest));
    });
    if (openBlock) expandAll();
  }
  updateButtons();
}

void TSkTree::SetAlwaysExpanded(bool on) {
  openBlock = on;
  if (on) {
    Frozen frozen(this);
    expandAll();
  }
  setRootIsDecorated(!on);
  viewport()->update();
}

void TSkTree::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const {
  if (!openBlock) QTreeWidget::drawBranches(painter, rect, index);
}

void TSkTree::ExpandAllNodes() {
  {
    Frozen frozen(this);
    expandAll();
  }
  if (QTreeWidgetItem* node = SelectedNode()) scrollToItem(node);
}

void TSkTree::CollapseAllNodes() {
  Frozen frozen(this);
  collapseAll();
}

QTreeWidgetItem* TSkTree::SelectedNode() const {
  const QList<QTreeWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? nullptr : selected.first();
}

QString TSkTree::SelectedData() const {
  const QTreeWidgetItem* node = SelectedNode();
  return node ? node->data(0, kNodeDataRole).toString() : QString();
}

QTreeWidgetItem* TSkTree::FindNode(const QString& text) const { return FindByData(this, text); }

int TSkTree::AbsoluteIndex(const QTreeWidgetItem* node) const {
  int index = 0;
  for (QTreeWidgetItemIterator it(const_cast<TSkTree*>(this)); *it; ++it, ++index)
    if (*it == node) return index;
  return -1;
}

void TSkTree::NextNode() {
  QTreeWidgetItem* node = SelectedNode();
  QTreeWidgetItem* next = node ? itemBelow(node) : nullptr;
  if (!next) return;
  setCurrentItem(next);
  emit clickedNode();
}

void TSkTree::PrevNode() {
  QTreeWidgetItem* node = SelectedNode();
  QTreeWidgetItem* previous = node ? itemAbove(node) : nullptr;
  if (!previous) return;
  setCurrentItem(previous);
  emit clickedNode();
}

void TSkTree::GoHistory(int position) {
  if (topLevelItemCount() == 0 || position < 0 || position >= historyCount()) return;
  QTreeWidgetItem* node = HistoryNode(position);
  if (!node) return;
  const BackOn off(recording_);
  historyPosition_ = position;
  setCurrentItem(node);
  emit clickedNode();
}

QTreeWidgetItem* TSkTree::HistoryNode(int position) const {
  if (position < 0 || position >= historyCount()) return nullptr;
  return itemFromIndex(history_[std::size_t(position)].node);
}

QString TSkTree::HistoryCaption(int position) const {
  return position < 0 || position >= historyCount() ? QString() : history_[std::size_t(position)].caption;
}

void TSkTree::selectionChanged() {
  if (recording_) {
    historyPosition_ = 0;
    // Going back never cuts the history: a new selection is just the newest.
    if (QTreeWidgetItem* node = SelectedNode()) {
      history_.insert(history_.begin(), Step{QPersistentModelIndex(indexFromItem(node)), node->text(0)});
      if (history_.size() > std::size_t(kTreeHistoryLimit)) history_.pop_back();
    }
  }
  // Also while the history moves, so the buttons never describe a stale node.
  updateButtons();
}

void TSkTree::updateButtons() {
  QTreeWidgetItem* node = SelectedNode();
  if (buttonNext) buttonNext->setEnabled(node && itemBelow(node));
  if (buttonPrev) buttonPrev->setEnabled(node && itemAbove(node));
}

int TSkTree::PictureByFile(const QString& name) {
  const QString key = name.trimmed().toLower();
  if (const auto found = pictureCache_.constFind(key); found != pictureCache_.constEnd()) return *found;
  const QImage image = LoadPackPicture(name.trimmed());
  if (image.isNull()) return -1;
  // The picture is its own mask: its white shows the tree through.
  QPixmap pixmap = QPixmap::fromImage(image);
  pixmap.setMask(QBitmap::fromImage(image.createMaskFromColor(qRgb(255, 255, 255), Qt::MaskOutColor)));
  if (pictures_.isEmpty()) setIconSize(pixmap.size());
  pictures_.append(pixmap);
  const int index = int(pictures_.size()) - 1;
  pictureCache_.insert(key, index);
  return index;
}

int TSkTree::PictureIndex(const QTreeWidgetItem* node) const {
  const QVariant index = node ? node->data(0, kNodePictureRole) : QVariant();
  return index.isValid() ? index.toInt() : -1;
}

void TSkTree::setPicture(QTreeWidgetItem* node, int index) {
  if (index < 0 || index >= pictureCount()) {
    node->setData(0, kNodePictureRole, QVariant());
    node->setIcon(0, QIcon());
    return;
  }
  node->setData(0, kNodePictureRole, index);
  node->setIcon(0, QIcon(pictures_[index]));
}

void TSkTree::mouseReleaseEvent(QMouseEvent* event) {
  QTreeWidget::mouseReleaseEvent(event);
  emit clickedNode();
}

void TSkTree::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
  QTreeWidgetItem* node = SelectedNode();
  if (!node) return;
  Frozen frozen(this);
  node->setExpanded(!node->isExpanded());
}

void TSkTree::keyReleaseEvent(QKeyEvent* event) {
  QTreeWidget::keyReleaseEvent(event);
  if (!event->isAutoRepeat()) emit clickedNode();
}

// --- TSkTreeEx ----------------------------------------------------------------

TSkTreeEx::TSkTreeEx(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setEditTriggers(NoEditTriggers);
  setSelectionMode(SingleSelection);
  setRootIsDecorated(false);
  setExpandsOnDoubleClick(false);
  viewport()->setAttribute(Qt::WA_Hover, true);
  setItemDelegate(new ItemDelegate(this, [this] { return ItemLook{colorBgSelect, colorTextSelect, std::nullopt, colorTrack}; }));
  connect(this, &QTreeWidget::itemExpanded, this, &TSkTreeEx::itemExpanding);
  connect(this, &QTreeWidget::itemSelectionChanged, this, [this] { selectionMoved_ = true; });
  // Items open when they get the focus.
  connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
    if (autoExpand_ && current && current->childCount() > 0) current->setExpanded(true);
  });
}

void TSkTreeEx::setBorder(bool on) { setFrameShape(on ? QFrame::StyledPanel : QFrame::NoFrame); }

void TSkTreeEx::LoadTree(const QString& fileName) {
  clear();
  loadedFile = fileName;
  Frozen frozen(this);
  PlaceLines(this, fileName, [this](QTreeWidgetItem* item, const QString& text, bool added) {
    QString data = text;
    const QString caption = SplitToken(data, QStringLiteral(";"));
    if (added) item->setText(0, caption);
    if (!data.isEmpty()) giveData(item, data);
  });
}

void TSkTreeEx::giveData(QTreeWidgetItem* item, const QString& data) {
  item->setData(0, kNodeDataRole, data);
  if (checkBoxes && !ShowsCheckBox(item)) {
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
  }
}

// The key may come after "load": items already there follow it.
void TSkTreeEx::SetCheckBoxes(bool on) {
  checkBoxes = on;
  for (QTreeWidgetItemIterator it(this); *it; ++it) {
    QTreeWidgetItem* item = *it;
    if (!item->data(0, kNodeDataRole).isValid()) continue;
    if (on) {
      giveData(item, item->data(0, kNodeDataRole).toString());
    } else {
      item->setData(0, Qt::CheckStateRole, QVariant());
      item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
    }
  }
}

void TSkTreeEx::ApplyColours() {
  QPalette p = palette();
  if (colorBg.isValid()) p.setColor(QPalette::Base, colorBg);
  if (colorText.isValid()) p.setColor(QPalette::Text, colorText);
  setPalette(p);
  if (colorScroll.isValid()) {
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
      QPalette b = bar->palette();
      b.setColor(QPalette::Button, colorScroll);
      b.setColor(QPalette::Window, colorScroll);
      bar->setPalette(b);
    }
  }
  viewport()->update();
}

void TSkTreeEx::drawBranches(QPainter*, const QRect&, const QModelIndex&) const {}

bool TSkTreeEx::ShowsCheckBox(const QTreeWidgetItem* item) {
  return item && (item->flags() & Qt::ItemIsUserCheckable) && item->data(0, Qt::CheckStateRole).isValid();
}

QString TSkTreeEx::FocusedData() const {
  const QTreeWidgetItem* item = currentItem();
  return item ? item->data(0, kNodeDataRole).toString() : QString();
}

QTreeWidgetItem* TSkTreeEx::FindItem(const QString& text) const { return FindByData(this, text); }

void TSkTreeEx::NextItem() {
  QTreeWidgetItem* item = currentItem();
  QTreeWidgetItem* next = item ? itemBelow(item) : nullptr;
  if (!next) return;
  const BackOn off(autoExpand_);
  setCurrentItem(next);
}

void TSkTreeEx::PrevItem() {
  QTreeWidgetItem* item = currentItem();
  QTreeWidgetItem* previous = item ? itemAbove(item) : nullptr;
  if (!previous) return;
  const BackOn off(autoExpand_);
  setCurrentItem(previous);
}

void TSkTreeEx::MarkAll() {
  for (QTreeWidgetItemIterator it(this); *it; ++it)
    if (ShowsCheckBox(*it)) (*it)->setCheckState(0, Qt::Checked);
}

void TSkTreeEx::UnmarkAll() {
  for (QTreeWidgetItemIterator it(this); *it; ++it)
    if (ShowsCheckBox(*it)) (*it)->setCheckState(0, Qt::Unchecked);
}

void TSkTreeEx::SetFocusedMark(bool on) {
  if (QTreeWidgetItem* item = currentItem(); ShowsCheckBox(item)) item->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
}

void TSkTreeEx::ToggleFocusedMark() {
  if (QTreeWidgetItem* item = currentItem(); ShowsCheckBox(item)) SetFocusedMark(item->checkState(0) != Qt::Checked);
}

// Only one top-level branch is open at a time.
void TSkTreeEx::itemExpanding(QTreeWidgetItem* item) {
  if (item->parent()) return;
  for (int i = 0; i < topLevelItemCount(); ++i)
    if (topLevelItem(i) != item) CollapseBranch(topLevelItem(i));
}

void TSkTreeEx::mousePressEvent(QMouseEvent* event) {
  selectionMoved_ = false;
  QTreeWidget::mousePressEvent(event);
}

// A press that selected another item has run its action already through
// the selection change; the release would run it a second time.
void TSkTreeEx::mouseReleaseEvent(QMouseEvent* event) {
  QTreeWidget::mouseReleaseEvent(event);
  if (!selectionMoved_) emit clickedNode();
  selectionMoved_ = false;
}

void TSkTreeEx::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
  ToggleFocusedMark();
}

void TSkTreeEx::keyPressEvent(QKeyEvent* event) {
  // Space toggles the mark through the interpreter's key handler only; the
  // view's own toggle would undo it.
  if (event->key() != Qt::Key_Space) QTreeWidget::keyPressEvent(event);
  else event->accept();
  emit keyPressed(event->key(), event->modifiers());
}

}  // namespace tobrina
