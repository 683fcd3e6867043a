#include "interp/skTreeCommands.h"

#include "controls/skTreeView.h"
#include "interp/skUseStract.h"
#include "pack/gHelpers.h"
#include "platform/convert.h"

namespace tobrina {

QString TreeNodeFavouriteValue(const TSkTree& tree) {
  const QString data = tree.SelectedData();
  return data.isEmpty() ? QString() : FillPlaceholder(tree.action, data, true);
}

void TreeGoHistory(TSkStract& s, const RCommand&, const QString& a1, const QString& a2, const RHelpAction&) {
  if (TSkTree* t = s.GetTree(a1)) t->GoHistory(ParseInt(a2));
}
void TreeBack(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (TSkTree* t = s.GetTree(a1)) t->GoHistory(t->historyPosition() + 1);
}
void TreeForward(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (TSkTree* t = s.GetTree(a1)) t->GoHistory(t->historyPosition() - 1);
}

// A node's favourite holds the action its click runs, so that choosing it
// does what clicking the node does (a node's place in the tree is no action).
void TreeDelFavorite(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  TSkTree* t = s.GetTree(a1);
  if (!t) return;
  const QString value = TreeNodeFavouriteValue(*t);
  if (!value.isEmpty()) s.DeleteFavorite(value);
}
void TreeAddFavorite(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  TSkTree* t = s.GetTree(a1);
  if (!t) return;
  const QString value = TreeNodeFavouriteValue(*t);
  if (!value.isEmpty()) s.AddFavorite(t->SelectedNode()->text(0) + u'=' + value, false);
}
void TreeExAddFavorite(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  TSkTreeEx* t = s.GetTreeEx(a1);
  if (!t) return;
  const QString data = t->FocusedData();
  if (!data.isEmpty()) s.AddFavorite(t->currentItem()->text(0) + u'=' + data, false);
}

void TreeExGo(TSkStract& s, const RCommand&, const QString& a1, const QString& a2, const RHelpAction&) {
  TSkTreeEx* t = s.GetTreeEx(a1);
  if (!t) return;
  t->setFocus();
  QTreeWidgetItem* item = t->FindItem(a2);
  if (item) t->scrollToItem(item);
  t->setCurrentItem(item);
}
void TreeGo(TSkStract& s, const RCommand&, const QString& a1, const QString& a2, const RHelpAction&) {
  TSkTree* t = s.GetTree(a1);
  if (!t) return;
  t->setFocus();
  if (QTreeWidgetItem* node = t->FindNode(a2)) {
    t->setCurrentItem(node);
    t->scrollToItem(node);
  } else {
    t->clearSelection();
  }
}

void TreeExCheckAll(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (TSkTreeEx* t = s.GetTreeEx(a1)) t->MarkAll();
}
void TreeExUnCheckAll(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (TSkTreeEx* t = s.GetTreeEx(a1)) t->UnmarkAll();
}
void TreeExShowOrHide(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (TSkTreeEx* t = s.GetTreeEx(a1)) t->ShowOrHide();
}
void TreeShowOrHide(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (TSkTree* t = s.GetTree(a1)) t->ShowOrHide();
}
void TreeExNext(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (TSkTreeEx* t = s.GetTreeEx(a1)) t->NextItem();
}
void TreeExPrev(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (TSkTreeEx* t = s.GetTreeEx(a1)) t->PrevItem();
}
void TreeNext(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (TSkTree* t = s.GetTree(a1)) t->NextNode();
}
void TreePrev(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (TSkTree* t = s.GetTree(a1)) t->PrevNode();
}
// Redrawing is held back rather than the tree hidden, which would show a
// tree that "tree_show_or_hide" had hidden.
void TreeExpand(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (TSkTree* t = s.GetTree(a1)) t->ExpandAllNodes();
}
void TreeCollapse(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (TSkTree* t = s.GetTree(a1)) t->CollapseAllNodes();
}

}  // namespace tobrina
