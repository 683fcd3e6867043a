#pragma once
// The interpreter's commands on trees ("tree_...") and extended trees
// ("treeex_..."), each with the executor's command signature.

#include <QString>

#include "interp/skCommand.h"

namespace tobrina {

class TSkStract;
class TSkTree;

#define TOBRINA_TREE_COMMAND(Name) \
  void Name(TSkStract& s, const RCommand& c, const QString& a1, const QString& a2, const RHelpAction& record)
TOBRINA_TREE_COMMAND(TreeGoHistory);
TOBRINA_TREE_COMMAND(TreeBack);
TOBRINA_TREE_COMMAND(TreeForward);
TOBRINA_TREE_COMMAND(TreeDelFavorite);
TOBRINA_TREE_COMMAND(TreeAddFavorite);
TOBRINA_TREE_COMMAND(TreeExAddFavorite);
TOBRINA_TREE_COMMAND(TreeExGo);
TOBRINA_TREE_COMMAND(TreeGo);
TOBRINA_TREE_COMMAND(TreeExCheckAll);
TOBRINA_TREE_COMMAND(TreeExUnCheckAll);
TOBRINA_TREE_COMMAND(TreeExShowOrHide);
TOBRINA_TREE_COMMAND(TreeShowOrHide);
TOBRINA_TREE_COMMAND(TreeExNext);
TOBRINA_TREE_COMMAND(TreeExPrev);
TOBRINA_TREE_COMMAND(TreeNext);
TOBRINA_TREE_COMMAND(TreePrev);
TOBRINA_TREE_COMMAND(TreeExpand);
TOBRINA_TREE_COMMAND(TreeCollapse);
#undef TOBRINA_TREE_COMMAND

// What a tree node's favourite stands for: the action its click runs.
// Empty when the node has no data, as its click then runs nothing.
QString TreeNodeFavouriteValue(const TSkTree& tree);

}  // namespace tobrina
