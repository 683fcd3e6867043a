#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>

#include "controls/skPopMenu.h"
#include "controls/skSimple.h"
#include "controls/skTreeView.h"
#include "interp/interp_support.h"
#include "pack/gPack.h"
#include "platform/userstore.h"

namespace tobrina::test {
namespace {

QByteArray Bmp() {
  QImage image(4, 4, QImage::Format_RGB32);
  image.fill(Qt::blue);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return bytes;
}

// "A[a.html](A1 A2) B": captions, non-empty data in brackets, children in
// parentheses.
QString Dump(const QTreeWidgetItem* item) {
  QString out = item->text(0);
  const QString data = item->data(0, kNodeDataRole).toString();
  if (!data.isEmpty()) out += '[' + data + ']';
  if (item->childCount() == 0) return out;
  QStringList children;
  for (int i = 0; i < item->childCount(); ++i) children << Dump(item->child(i));
  return out + '(' + children.join(' ') + ')';
}
QString Dump(const QTreeWidget& tree) {
  QStringList top;
  for (int i = 0; i < tree.topLevelItemCount(); ++i) top << Dump(tree.topLevelItem(i));
  return top.join(' ');
}

// Tree files are loose files beside a pack holding the pictures.
class TreeFixture : public InterpTest {
 protected:
  void SetUp() override {
    SetExeFolderOverride(temp.path());
    WritePack(temp.file("interface.dat"), {{"pics\\book.bmp", Bmp()}});
    ASSERT_TRUE(OpenPack(temp.file("interface.dat")));
  }
  void TearDown() override {
    // The interpreter saves its favourites as it goes: before the store does.
    stract.reset();
    form.reset();
    if (ownStore) UserStore::Install(nullptr);
    InterpTest::TearDown();
  }
  TSkStract& rebuild(const QString& text) {
    stract.reset();
    form.reset();
    return build(text);
  }
  QString file(const QString& name, const QString& text) {
    temp.write(name, QByteArray("\xEF\xBB\xBF") + text.toUtf8());
    return name;
  }
  TSkTree* tree(const QString& name = "t") { return stract->GetTree(name); }
  TSkTreeEx* treeEx(const QString& name = "x") { return stract->GetTreeEx(name); }
  void select(TSkTree* t, const QString& caption) {
    const auto found = t->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1) << caption.toStdString();
    t->setCurrentItem(found.first());
  }
  QStringList history(TSkTree* t) {
    QStringList out;
    for (int i = 0; i < t->historyCount(); ++i) out << t->HistoryCaption(i);
    return out;
  }
  void key(QWidget* w, int k) {
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, k == Qt::Key_Space ? " " : "");
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier, k == Qt::Key_Space ? " " : "");
    QApplication::sendEvent(w, &release);
  }
  void mouse(QTreeWidget* t, QEvent::Type type, QTreeWidgetItem* item) {
    const QPoint at = t->visualItemRect(item).center();
    QMouseEvent event(type, at, t->viewport()->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(t->viewport(), &event);
  }
  bool ownStore = false;
};

class TreeFiles : public TreeFixture {};

TEST_F(TreeFiles, BothTreesPlaceLinesByIndent) {
  struct Case {
    const char* lines;
    const char* expected;
  };
  const Case cases[] = {
      {"A\n\tA1\n\t\tA11\nB", "A(A1(A11)) B"},
      // A line two levels deeper adds no node; its data goes to the node above.
      {"A;a.html\n\t\tX;x.html\nB", "A[x.html] B"},
      {"A\n A1\n  A11\n   A111\n B1\nC\n\tC1", "A(A1(A11(A111)) B1) C(C1)"},
      // Tabs and blanks count alike; blank lines add nothing.
      {"A\n\t A11\n\tA1\n\n \t \nB", "A(A1) B"},
      {"  First\n Child\nSecond", "First(Child) Second"},
  };
  for (const Case& c : cases) {
    file("toc.txt", c.lines);
    rebuild("[f]\ntype=form\n[t]\ntype=tree\nload=toc.txt\n[x]\ntype=tree_ex\nload=toc.txt\n");
    EXPECT_EQ(Dump(*tree()), QString(c.expected)) << c.lines;
    EXPECT_EQ(Dump(*treeEx()), QString(c.expected)) << c.lines;
    EXPECT_EQ(tree()->loadedFile, QString("toc.txt"));
  }
  EXPECT_TRUE(ui->messages.empty()) << ui->texts().join('|').toStdString();
}

TEST_F(TreeFiles, TreeLinesCarryDataAndCachedPictures) {
  file("toc.txt",
       "Intro;intro.html;pics\\book.bmp\n"
       "Again; again.html ;PICS\\BOOK.BMP \n"
       "Plain\n"
       "Broken;b.html;pics\\none.bmp\n"
       "Blank;;  \n");
  build("[f]\ntype=form\n[t]\ntype=tree\nload=toc.txt\n");
  TSkTree* t = tree();
  ASSERT_EQ(t->topLevelItemCount(), 5);
  const QTreeWidgetItem* intro = t->topLevelItem(0);
  EXPECT_EQ(intro->text(0), QString("Intro"));
  EXPECT_EQ(intro->data(0, kNodeDataRole).toString(), QString("intro.html"));
  EXPECT_EQ(t->PictureIndex(intro), 0);
  EXPECT_FALSE(intro->icon(0).isNull());
  EXPECT_EQ(t->topLevelItem(1)->data(0, kNodeDataRole).toString(), QString("again.html"));
  EXPECT_EQ(t->PictureIndex(t->topLevelItem(1)), 0) << "the cached picture";
  EXPECT_EQ(t->pictureCount(), 1) << "read once";
  EXPECT_EQ(t->PictureIndex(t->topLevelItem(2)), -1);
  EXPECT_EQ(t->PictureIndex(t->topLevelItem(3)), -1) << "a picture that is not there";
  EXPECT_EQ(t->PictureIndex(t->topLevelItem(4)), -1);
  EXPECT_EQ(ui->messages.size(), 1u) << "only the missing picture is reported";

  EXPECT_EQ(t->FindNode("AGAIN.HTML"), t->topLevelItem(1));
  EXPECT_EQ(t->FindNode(""), t->topLevelItem(2)) << "every tree node has a record, empty or not";
  EXPECT_EQ(t->FindNode("none"), nullptr);
}

TEST_F(TreeFiles, ExtendedTreeDataAndCheckBoxes) {
  file("toc.txt", "Chapter 1;a.html;extra\n\tHeading\n\t\tDeep;deep.html\nChapter 2;b.html\n");
  build("[f]\ntype=form\n[x]\ntype=tree_ex\nload=toc.txt\n[y]\ntype=tree_ex\nload=toc.txt\ncheck=false\n");
  TSkTreeEx* x = treeEx();
  EXPECT_EQ(Dump(*x), QString("Chapter 1[a.html;extra](Heading(Deep[deep.html])) Chapter 2[b.html]"));
  QTreeWidgetItem* chapter1 = x->topLevelItem(0);
  QTreeWidgetItem* heading = chapter1->child(0);
  EXPECT_TRUE(TSkTreeEx::ShowsCheckBox(chapter1));
  EXPECT_EQ(chapter1->checkState(0), Qt::Unchecked);
  EXPECT_FALSE(TSkTreeEx::ShowsCheckBox(heading)) << "no data, no check box";
  EXPECT_EQ(x->FindItem("A.HTML;EXTRA"), chapter1);
  EXPECT_EQ(x->FindItem(""), nullptr) << "lines without data have no record";

  TSkTreeEx* y = treeEx("y");
  for (QTreeWidgetItemIterator it(y); *it; ++it) EXPECT_FALSE(TSkTreeEx::ShowsCheckBox(*it)) << "check=false after load";

  stract->RunActionText("treeex_check_all*x");
  EXPECT_EQ(chapter1->checkState(0), Qt::Checked);
  EXPECT_EQ(chapter1->child(0)->child(0)->checkState(0), Qt::Checked);
  EXPECT_FALSE(TSkTreeEx::ShowsCheckBox(heading));
  stract->RunActionText("treeex_un_check_all*x");
  EXPECT_EQ(chapter1->checkState(0), Qt::Unchecked);
}

TEST_F(TreeFiles, AlwaysExpandedWhicheverKeyComesFirst) {
  file("toc.txt", "A\n\tA1\n\t\tA11\nB\n\tB1\n");
  for (const char* keys : {"load=toc.txt\nopen_block=true\n", "open_block=true\nload=toc.txt\n"}) {
    rebuild(QString("[f]\ntype=form\n[t]\ntype=tree\n") + keys);
    for (QTreeWidgetItemIterator it(tree()); *it; ++it)
      if ((*it)->childCount()) {
        EXPECT_TRUE((*it)->isExpanded()) << keys;
      }
    EXPECT_FALSE(tree()->rootIsDecorated());
  }
}

class TreeHistory : public TreeFixture {
 protected:
  void SetUp() override {
    TreeFixture::SetUp();
    QString lines;
    for (int i = 0; i < 25; ++i) lines += QString("N%1;n%1.html\n").arg(i);
    file("many.txt", lines);
    file("abcd.txt", "A;a.html\nB;b.html\nC;c.html\nD;d.html\n");
  }
};

TEST_F(TreeHistory, KeepsTheLastTwentyAndStopsAtTheOldest) {
  build("[f]\ntype=form\n[t]\ntype=tree\nload=many.txt\naction=open\n");
  TSkTree* t = tree();
  for (int i = 0; i < 25; ++i) select(t, QString("N%1").arg(i));
  ASSERT_EQ(t->historyCount(), 20);
  EXPECT_EQ(t->HistoryCaption(0), QString("N24"));
  EXPECT_EQ(t->HistoryCaption(19), QString("N5"));
  EXPECT_EQ(t->HistoryNode(20), nullptr);

  for (int i = 0; i < 19; ++i) stract->RunActionText("tree_back*t");
  EXPECT_EQ(t->historyPosition(), 19);
  EXPECT_EQ(t->SelectedNode()->text(0), QString("N5"));
  EXPECT_EQ(handedOver.size(), 19) << "each step runs the click";
  EXPECT_EQ(handedOver.last(), QString("open*n5.html"));
  EXPECT_EQ(t->historyCount(), 20) << "moving does not record";

  stract->RunActionText("tree_back*t");
  EXPECT_EQ(t->historyPosition(), 19);
  EXPECT_EQ(t->SelectedNode()->text(0), QString("N5"));
  EXPECT_EQ(handedOver.size(), 19);

  t->LoadTree("abcd.txt");
  EXPECT_EQ(t->historyCount(), 0) << "a reload forgets the nodes that are gone";
  stract->RunActionText("tree_back*t//tree_go_history*t*0");
  EXPECT_EQ(t->SelectedNode(), nullptr);
}

TEST_F(TreeHistory, GoingBackNeverCutsTheHistory) {
  build("[f]\ntype=form\n[t]\ntype=tree\nload=abcd.txt\naction=open*insert\n");
  TSkTree* t = tree();
  for (const char* c : {"A", "B", "C"}) select(t, c);
  stract->RunActionText("tree_forward*t");
  EXPECT_TRUE(handedOver.isEmpty()) << "nothing is newer than position 0";
  stract->RunActionText("tree_back*t//tree_back*t");
  EXPECT_EQ(t->SelectedNode()->text(0), QString("A"));
  EXPECT_EQ(t->historyPosition(), 2);
  EXPECT_EQ(handedOver, QStringList({"open*b.html", "open*a.html"}));
  stract->RunActionText("tree_back*t");
  EXPECT_EQ(t->historyPosition(), 2);
  EXPECT_EQ(handedOver.size(), 2);

  select(t, "D");
  EXPECT_EQ(history(t), QStringList({"D", "C", "B", "A"}));
  EXPECT_EQ(t->historyPosition(), 0);
  stract->RunActionText("tree_go_history*t*2");
  EXPECT_EQ(t->SelectedNode()->text(0), QString("B"));
  EXPECT_EQ(handedOver.last(), QString("open*b.html"));
}

TEST_F(TreeHistory, HistoryMenuListsTheStepsInOrder) {
  build("[f]\ntype=form\n[t]\ntype=tree\nload=abcd.txt\n"
        "[back]\ntype=pop_menu\nglob_action=nil\nhistory_back=t\n"
        "[prev]\ntype=pop_menu\nglob_action=nil\nhistory_prev=t\n"
        "[all]\ntype=pop_menu\nglob_action=nil\nhistory_back=t\nhistory_prev=t\nhistory_full=t\n"
        "[none]\ntype=pop_menu\nglob_action=nil\nhistory_back=nothing\n");
  TSkTree* t = tree();
  for (const char* c : {"A", "B", "C", "D"}) select(t, c);
  stract->RunActionText("tree_back*t");  // at C; older: B, A; newer: D
  auto items = [&](const char* name) {
    TSkPopMenu* m = stract->GetPopMenu(name);
    stract->FillHistoryMenu(m);
    QStringList out;
    for (int i = 0; i < m->Count(); ++i)
      out << m->ItemAt(i)->text() + (m->ItemAt(i)->isChecked() ? "+" : "") + '=' + m->ItemAt(i)->action;
    return out;
  };
  EXPECT_EQ(items("back"), QStringList({"B=tree_go_history*t*2", "A=tree_go_history*t*3"}));
  EXPECT_EQ(items("prev"), QStringList({"D=tree_go_history*t*0"}));
  EXPECT_EQ(items("all"), QStringList({"B=tree_go_history*t*2", "A=tree_go_history*t*3", "D=tree_go_history*t*0",
                                       "D=tree_go_history*t*0", "C+=tree_go_history*t*1", "B=tree_go_history*t*2",
                                       "A=tree_go_history*t*3"}));
  EXPECT_TRUE(items("none").isEmpty());
  EXPECT_TRUE(ui->messages.empty()) << "a target that is no view is not reported";

  stract->GetPopMenu("back")->ItemAt(1)->trigger();
  EXPECT_EQ(t->SelectedNode()->text(0), QString("A"));
  EXPECT_EQ(t->historyPosition(), 3);
}

class TreeCommands : public TreeFixture {
 protected:
  void SetUp() override {
    TreeFixture::SetUp();
    file("toc.txt", "Head\n\tA;a.html\n\tA2;a2.html\nB;b.html\n");
  }
};

TEST_F(TreeCommands, NextAndPreviousButtonsFollowTheVisibleNodes) {
  build("[f]\ntype=form\n[bn]\ntype=sp_button\n[bp]\ntype=sp_button\n"
        "[t]\ntype=tree\nload=toc.txt\naction=open\nbut_next=bn\nbut_prev=bp\n");
  TSkTree* t = tree();
  auto* next = stract->GetSpeedButton("bn");
  auto* prev = stract->GetSpeedButton("bp");
  select(t, "Head");
  EXPECT_TRUE(next->isEnabled());
  EXPECT_FALSE(prev->isEnabled());
  stract->RunActionText("tree_next*t");
  EXPECT_EQ(t->SelectedNode()->text(0), QString("B")) << "the collapsed branch is skipped";
  EXPECT_FALSE(next->isEnabled()) << "the last visible node";
  EXPECT_TRUE(prev->isEnabled());
  EXPECT_EQ(handedOver, QStringList({"open*b.html"}));
  stract->RunActionText("tree_next*t");
  EXPECT_EQ(handedOver.size(), 1);

  t->topLevelItem(0)->setExpanded(true);
  stract->RunActionText("tree_prev*t");
  EXPECT_EQ(t->SelectedNode()->text(0), QString("A2"));
  EXPECT_TRUE(next->isEnabled());
  t->topLevelItem(0)->setExpanded(false);
  select(t, "B");
  EXPECT_FALSE(next->isEnabled());
  t->topLevelItem(1)->setExpanded(true);  // a leaf: nothing changes
  EXPECT_FALSE(next->isEnabled());
}

TEST_F(TreeCommands, GoFindsDataWithoutRegardToCase) {
  file("all.txt", "A;a.html\nB;b.html\n");
  build("[f]\ntype=form\n[t]\ntype=tree\nload=toc.txt\n[all]\ntype=tree\nload=all.txt\n"
        "[x]\ntype=tree_ex\nload=toc.txt\naction=open\n");
  TSkTree* t = tree();
  stract->RunActionText("tree_go*t*A2.HTML");
  ASSERT_NE(t->SelectedNode(), nullptr);
  EXPECT_EQ(t->SelectedNode()->text(0), QString("A2"));
  EXPECT_TRUE(t->topLevelItem(0)->isExpanded()) << "its branch opens to show it";
  stract->RunActionText("tree_go*t*missing");
  EXPECT_EQ(t->SelectedNode(), nullptr);
  stract->RunActionText("tree_go*t");
  EXPECT_EQ(t->SelectedNode(), t->topLevelItem(0)) << "an empty text finds the first node without data";
  stract->RunActionText("tree_go*all");
  EXPECT_EQ(tree("all")->SelectedNode(), nullptr);

  TSkTreeEx* x = treeEx();
  stract->RunActionText("treeex_go*x*B.HTML");
  EXPECT_EQ(x->currentItem(), x->topLevelItem(1));
  EXPECT_EQ(handedOver, QStringList({"open*b.html"})) << "the selection change runs the click";
  stract->RunActionText("treeex_go*x*nothing");
  EXPECT_EQ(x->currentItem(), nullptr);
  EXPECT_TRUE(ui->messages.empty()) << ui->texts().join('|').toStdString();
}

TEST_F(TreeCommands, ExtendedTreeOpensOneTopBranchAndNavigates) {
  file("two.txt", "P1\n\tP11\n\t\tP111;p111.html\nP2\n\tP21;p21.html\n");
  build("[f]\ntype=form\n[x]\ntype=tree_ex\nload=two.txt\n");
  TSkTreeEx* x = treeEx();
  QTreeWidgetItem* p1 = x->topLevelItem(0);
  QTreeWidgetItem* p2 = x->topLevelItem(1);
  p1->setExpanded(true);
  p1->child(0)->setExpanded(true);
  p2->setExpanded(true);
  EXPECT_FALSE(p1->isExpanded());
  EXPECT_FALSE(p1->child(0)->isExpanded()) << "with its sub-items";
  EXPECT_TRUE(p2->isExpanded());
  p2->child(0)->setExpanded(true);
  EXPECT_TRUE(p2->isExpanded()) << "a sub-item leaves the branch open";

  x->setCurrentItem(p1);
  EXPECT_TRUE(p1->isExpanded()) << "the focus opens an item";
  EXPECT_FALSE(p2->isExpanded());
  stract->RunActionText("treeex_next*x");
  EXPECT_EQ(x->currentItem(), p1->child(0));
  EXPECT_FALSE(p1->child(0)->isExpanded()) << "moving does not open";
  stract->RunActionText("treeex_prev*x//treeex_prev*x");
  EXPECT_EQ(x->currentItem(), p1);
}

TEST_F(TreeCommands, SpaceTogglesOnlyItemsWithData) {
  build("[f]\ntype=form\n[x]\ntype=tree_ex\nload=toc.txt\n");
  TSkTreeEx* x = treeEx();
  QTreeWidgetItem* head = x->topLevelItem(0);
  QTreeWidgetItem* a = head->child(0);
  x->setCurrentItem(a);
  key(x, Qt::Key_Space);
  EXPECT_EQ(a->checkState(0), Qt::Checked);
  key(x, Qt::Key_Space);
  EXPECT_EQ(a->checkState(0), Qt::Unchecked);
  x->setCurrentItem(head);
  key(x, Qt::Key_Space);
  EXPECT_FALSE(TSkTreeEx::ShowsCheckBox(head));
  EXPECT_EQ(head->data(0, Qt::CheckStateRole), QVariant());
}

TEST_F(TreeCommands, MouseRunsEachActionOnce) {
  build("[f]\ntype=form\nwidth=300\nheight=300\n[t]\ntype=tree\nload=toc.txt\naction=open\nwidth=200\nheight=200\n"
        "[x]\ntype=tree_ex\nload=toc.txt\naction=ex\nleft=200\nwidth=100\nheight=200\n");
  form->show();
  TSkTreeEx* x = treeEx();
  QTreeWidgetItem* b = x->topLevelItem(1);
  mouse(x, QEvent::MouseButtonPress, b);
  mouse(x, QEvent::MouseButtonRelease, b);
  EXPECT_EQ(handedOver, QStringList({"ex*b.html"})) << "selecting is the click";
  mouse(x, QEvent::MouseButtonPress, b);
  mouse(x, QEvent::MouseButtonRelease, b);
  EXPECT_EQ(handedOver.size(), 2) << "a click on the selected item runs it again";
  mouse(x, QEvent::MouseButtonDblClick, b);
  EXPECT_EQ(b->checkState(0), Qt::Checked) << "a double click marks";

  TSkTree* t = tree();
  QTreeWidgetItem* head = t->topLevelItem(0);
  mouse(t, QEvent::MouseButtonPress, head);
  mouse(t, QEvent::MouseButtonRelease, head);
  EXPECT_EQ(handedOver.size(), 2) << "a node without data runs nothing";
  mouse(t, QEvent::MouseButtonDblClick, head);
  EXPECT_TRUE(head->isExpanded());
  mouse(t, QEvent::MouseButtonDblClick, head);
  EXPECT_FALSE(head->isExpanded());
  select(t, "B");
  key(t, Qt::Key_Down);
  EXPECT_EQ(handedOver.last(), QString("open*b.html")) << "a released key runs the click";
}

TEST_F(TreeCommands, ExpandCollapseAndShowOrHide) {
  build("[f]\ntype=form\n[t]\ntype=tree\nload=toc.txt\nleft=15\ntop=25\n");
  TSkTree* t = tree();
  stract->RunActionText("tree_show_or_hide*t//tree_expand*t");
  EXPECT_TRUE(t->isHidden()) << "expanding does not show a hidden tree";
  EXPECT_TRUE(t->topLevelItem(0)->isExpanded());
  stract->RunActionText("tree_collapse*t//tree_show_or_hide*t");
  EXPECT_FALSE(t->isHidden());
  EXPECT_EQ(t->pos(), QPoint(15, 25));
  EXPECT_FALSE(t->topLevelItem(0)->isExpanded());
  stract->RunActionText("treeex_show_or_hide*t");
  EXPECT_EQ(ui->texts().size(), 1) << "a tree is no extended tree";
}

TEST_F(TreeCommands, FavouritesOfNodesAndItems) {
  UserStore::Install(std::make_unique<UserStore>(temp.file("store.ini")));
  ownStore = true;
  build("[f]\ntype=form\nreg_dat=\\Software\\TreeTest\n"
        "[fav]\ntype=pop_menu\nfavorite=true\nglob_action=nil\n"
        "[t]\ntype=tree\nload=toc.txt\naction=open*insert\n"
        "[x]\ntype=tree_ex\nload=toc.txt\n");
  TSkTree* t = tree();
  TSkPopMenu* fav = stract->GetPopMenu("fav");
  stract->RunActionText("tree_add_favorite*t");
  select(t, "Head");
  stract->RunActionText("tree_add_favorite*t");
  EXPECT_TRUE(stract->favourites().isEmpty()) << "nothing selected, then a node whose click runs nothing";

  select(t, "A2");
  stract->RunActionText("tree_add_favorite*t");
  EXPECT_EQ(stract->favourites(), QStringList({"A2=open*a2.html"}));
  ASSERT_EQ(fav->Count(), 1);
  EXPECT_EQ(fav->ItemAt(0)->action, QString("open*a2.html")) << "choosing it does what the node does";
  fav->ItemAt(0)->trigger();
  EXPECT_EQ(handedOver.last(), QString("open*a2.html"));

  treeEx()->setCurrentItem(treeEx()->topLevelItem(1));
  stract->RunActionText("treeex_add_favorite*x");
  EXPECT_EQ(stract->favourites(), QStringList({"B=b.html", "A2=open*a2.html"}));

  stract->RunActionText("tree_del_favorite*t");
  EXPECT_EQ(stract->favourites(), QStringList({"B=b.html"}));
  ASSERT_EQ(fav->Count(), 1);
  EXPECT_EQ(fav->ItemAt(0)->text(), QString("B"));
}

}  // namespace
}  // namespace tobrina::test
