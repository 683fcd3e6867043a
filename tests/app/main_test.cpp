#include "app/main_support.h"
#include "controls/skPopMenu.h"
#include "controls/skTreeView.h"
#include "html/skHTML.h"

namespace tobrina::test {
namespace {

TEST_F(MainWindow, StartsOnTheContentsPageWithEntryButtonsOff) {
  EXPECT_TRUE(ui->messages.empty()) << ui->texts().join('|').toStdString();
  EXPECT_EQ(window->EntryList.size(), 5u);
  EXPECT_EQ(window->ContentsLines.size(), 1 + (1 + 2) + 1 + (1 + 3) + 1);
  EXPECT_FALSE(window->EntryShown);
  for (const char* name : {"but_go_prev", "but_go_info", "but_go_next", "but_favore_add", "ch_print", "but_favore",
                           "but_favore_del"})
    EXPECT_FALSE(enabled(name)) << name;
}

TEST_F(MainWindow, EntriesStepAcrossSectionsAndStopAtTheEnds) {
  run("zetka*0*0");
  EXPECT_EQ(window->CurrentEntryAction, QStringLiteral("zetka*0*0"));
  EXPECT_EQ(window->title->wideCaption(), QStringLiteral("A"));
  EXPECT_TRUE(window->html->currentFile().endsWith(QStringLiteral("a.html"), Qt::CaseInsensitive));
  EXPECT_FALSE(enabled("but_go_prev"));
  EXPECT_TRUE(enabled("but_go_next"));
  run("go_prev");
  EXPECT_EQ(window->CurrentEntryAction, QStringLiteral("zetka*0*0"));
  run("go_next//go_next");
  EXPECT_EQ(window->CurrentEntryAction, QStringLiteral("zetka*0*1")) << "the hand-over runs only the first word";
  run("go_next");
  EXPECT_EQ(window->CurrentEntryAction, QStringLiteral("zetka*2*0")) << "an empty section is stepped over";
  run("go_prev");
  EXPECT_EQ(window->CurrentEntryAction, QStringLiteral("zetka*0*1"));
  run("zetka*2*2");
  EXPECT_TRUE(enabled("but_go_prev"));
  EXPECT_FALSE(enabled("but_go_next"));
  run("go_next");
  EXPECT_EQ(window->CurrentEntryAction, QStringLiteral("zetka*2*2"));
  EXPECT_TRUE(ui->messages.empty());

  run("zetka*9*9");
  EXPECT_EQ(window->CurrentEntryAction, QStringLiteral("zetka*2*2")) << "an address outside the catalogue changes nothing";
  EXPECT_EQ(ui->texts(), QStringList({"zetka*9*9: такой записи нет в каталоге."}));
  ui->clear();
  run("wibble*1*2");
  EXPECT_EQ(ui->texts(), QStringList({"wibble*1*2"}));
}

TEST_F(MainWindow, ContentsComeBackAtThePositionLeftLast) {
  window->html->setVerticalPosition(400);
  run("zetka*0*0");
  window->html->setVerticalPosition(900);
  run("go_next");
  run("go_main");
  EXPECT_FALSE(window->EntryShown);
  EXPECT_EQ(window->title->wideCaption(), QString());
  EXPECT_EQ(window->html->verticalPosition(), 900);
}

TEST_F(MainWindow, HistoryReopensWithoutRecording) {
  run("zetka*0*0");
  run("zetka*0*1");
  run("zetka*2*0");
  EXPECT_EQ(window->history().position(), 2);
  run("go_history_prev");
  run("go_history_prev");
  EXPECT_EQ(window->CurrentEntryAction, QStringLiteral("zetka*0*0"));
  EXPECT_EQ(window->history().items().size(), 3u);
  EXPECT_FALSE(enabled("but_prev"));
  EXPECT_TRUE(enabled("but_next"));
  run("go_history_next");
  EXPECT_EQ(window->CurrentEntryAction, QStringLiteral("zetka*0*1"));
}

TEST_F(MainWindow, PrintToggleAndPrintListMenu) {
  run("zetka*0*1");  // B
  window->printToggle->click();
  window->printToggle->click();
  EXPECT_TRUE(window->PrintList.empty());
  EXPECT_FALSE(enabled("but_list_print"));
  window->printToggle->click();
  run("zetka*0*0");  // A
  EXPECT_FALSE(window->printToggle->isChecked());
  window->printToggle->click();
  EXPECT_TRUE(enabled("but_list_print"));
  window->FillPrintMenu();
  TSkPopMenu* menu = window->menuPrint;
  ASSERT_EQ(menu->Count(), 2);
  EXPECT_EQ(menu->ItemAt(0)->text(), QStringLiteral("B"));
  EXPECT_EQ(menu->ItemAt(0)->action, QStringLiteral("show_print_list*0"));
  EXPECT_FALSE(menu->ItemAt(0)->isChecked());
  EXPECT_TRUE(menu->ItemAt(1)->isChecked());
  menu->ItemAt(0)->trigger();
  EXPECT_EQ(window->CurrentEntryAction, QStringLiteral("zetka*0*1"));
  EXPECT_TRUE(window->printToggle->isChecked());
  run("show_print_list*7");
  EXPECT_EQ(window->CurrentEntryAction, QStringLiteral("zetka*0*1"));
}

TEST_F(MainWindow, FavouritesSurviveARestartAndKeepTwenty) {
  run("zetka*2*0");
  run("add_favorite");
  EXPECT_TRUE(enabled("but_favore"));
  EXPECT_FALSE(enabled("but_favore_add"));
  window->MarkCurrentFavourite();
  ASSERT_EQ(window->menuFavorite->Count(), 1);
  EXPECT_TRUE(window->menuFavorite->ItemAt(0)->isChecked());
  window.reset();
  EXPECT_EQ(UserStore::Instance().read("\\Software\\Test", "favorite_0"), std::optional<QString>("C=zetka*2*0"));
  open();
  ASSERT_EQ(window->interpreter()->favourites().size(), 1);
  EXPECT_EQ(window->menuFavorite->ItemAt(0)->action, QStringLiteral("zetka*2*0"));
  window->menuFavorite->ItemAt(0)->trigger();
  EXPECT_EQ(window->CurrentEntryAction, QStringLiteral("zetka*2*0"));

  // A favourite holding zetka*2*0 somewhere disables adding zetka*2*0 ...
  TSkStract& s = *window->interpreter();
  for (int i = 0; i < 21; ++i) s.AddFavorite(QStringLiteral("F%1=zetka*1*%1").arg(i), false);
  EXPECT_EQ(s.favourites().size(), 20);
  EXPECT_EQ(window->menuFavorite->Count(), 20);
  run("zetka*0*1");
  s.AddFavorite("X=zetka*0*12", false);
  window->UpdateButtons();
  EXPECT_FALSE(enabled("but_favore_add")) << "zetka*0*1 is contained in zetka*0*12";
  window.reset();
  for (int n = 0; n < 20; ++n)
    EXPECT_TRUE(UserStore::Instance().read("\\Software\\Test", QStringLiteral("favorite_%1").arg(n)).has_value()) << n;

  // Deleting leaves no stale values behind, gaps or not.
  UserStore::Instance().write("\\Software\\Test", "favorite_20", "stale=zetka*0*0");
  open();
  TSkStract& t = *window->interpreter();
  while (t.favourites().size() > 3) t.DeleteFavorite(t.favourites().last().section('=', 1));
  window.reset();
  EXPECT_TRUE(UserStore::Instance().read("\\Software\\Test", "favorite_2").has_value());
  for (int n = 3; n <= 20; ++n)
    EXPECT_FALSE(UserStore::Instance().read("\\Software\\Test", QStringLiteral("favorite_%1").arg(n)).has_value()) << n;
}

TEST_F(MainWindow, ContentsTreeFollowsTheEntryAndItsFavouriteReopensIt) {
  TSkTree* tree = window->contentsTree;
  ASSERT_TRUE(tree);
  QTreeWidgetItem* d = tree->FindNode("zetka*2*1");
  ASSERT_TRUE(d);
  tree->setCurrentItem(d);
  const QPoint at = tree->visualItemRect(d).center();
  QMouseEvent release(QEvent::MouseButtonRelease, at, tree->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(tree->viewport(), &release);
  EXPECT_EQ(window->CurrentEntryAction, QStringLiteral("zetka*2*1")) << "a click on a node opens its entry";
  EXPECT_EQ(window->title->wideCaption(), QStringLiteral("D"));

  const struct {
    const char* action;
    const char* selected;
  } steps[] = {{"go_next", "zetka*2*2"}, {"go_history_prev", "zetka*2*1"}, {"zetka*0*1", "zetka*0*1"},
               {"go_prev", "zetka*0*0"}, {"go_main", ""},                 {"go_history_prev", "zetka*0*1"}};
  for (const auto& step : steps) {
    run(step.action);
    EXPECT_EQ(tree->SelectedData(), QString(step.selected)) << step.action;
  }
  EXPECT_EQ(window->history().items().size(), 3u) << "following the entry adds no steps of its own";

  run("zetka*2*1");
  run("tree_add_favorite*tree_toc");
  EXPECT_EQ(window->interpreter()->favourites(), QStringList({"D=zetka*2*1"}));
  EXPECT_FALSE(enabled("but_favore_add")) << "a tree favourite is the entry's own favourite";
  window.reset();
  open();
  run("go_main");
  ASSERT_EQ(window->menuFavorite->Count(), 1);
  window->menuFavorite->ItemAt(0)->trigger();
  EXPECT_EQ(window->CurrentEntryAction, QStringLiteral("zetka*2*1"));
  EXPECT_EQ(window->contentsTree->SelectedData(), QStringLiteral("zetka*2*1"));
  EXPECT_TRUE(ui->messages.empty()) << ui->texts().join('|').toStdString();
}

TEST_F(MainWindow, PositionIsStoredAndRestored) {
  window->setGeometry(50, 70, 640, 480);
  window.reset();
  EXPECT_EQ(UserStore::Instance().read("\\Software\\Test", "pos_frmMain"), std::optional<QString>("70;50;640;480;0"));
  open();
  EXPECT_EQ(window->geometry().size(), QSize(640, 480));
}

}  // namespace
}  // namespace tobrina::test
