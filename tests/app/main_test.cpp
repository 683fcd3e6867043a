#include <QApplication>
#include <QDir>
#include <QMouseEvent>

#include "app/uMain.h"
#include "controls/skPopMenu.h"
#include "controls/skSimple.h"
#include "controls/skTreeView.h"
#include "html/skHTML.h"
#include "interp/skUseStract.h"
#include "pack/gHelpers.h"
#include "platform/uiservices.h"
#include "platform/userstore.h"
#include "support.h"

namespace tobrina::test {
namespace {

// A collection of three sections (2, 0 and 3 entries) laid out as loose
// files, and the main window built over it.
class MainWindow : public PackTest {
 protected:
  void SetUp() override {
    const QByteArray buttons =
        "[but_prev]\ntype=sp_button\n[but_next]\ntype=sp_button\n[but_go_prev]\ntype=sp_button\n"
        "[but_go_next]\ntype=sp_button\n[but_go_info]\ntype=sp_button\n[but_favore]\ntype=sp_button\n"
        "[but_favore_add]\ntype=sp_button\n[but_favore_del]\ntype=sp_button\n[but_list_print]\ntype=sp_button\n"
        "[ch_print]\ntype=sp_button\n[ed_fast_find]\ntype=edit_box\naction=fast_find\n"
        "[title]\ntype=label\n[html]\ntype=html\nalign=client\n"
        "[tree_toc]\ntype=tree\nalign=left\nwidth=150\nload=toc.txt\naction=insert\n";
    temp.write("struct_main.txt",
               "[frmMain]\ntype=form\nwidth=800\nheight=600\nreg_dat=\\Software\\Test\nsave_pos=true\n"
               "[menu_favorite]\ntype=pop_menu\nfavorite=true\nglob_action=nil\n"
               "[menu_print]\ntype=pop_menu\nglob_action=nil\n" + buttons);
    temp.write("topic.xml",
               "<?xml version=\"1.0\" encoding=\"utf-8\"?><root>"
               "<section format=\"s\" zetka_name=\"S0\">"
               "<entry><zetka_name>A</zetka_name><zetka html=\"p\\a.html\"/></entry>"
               "<entry><zetka_name>B</zetka_name><zetka html=\"p\\b.html\"/></entry></section>"
               "<section format=\"s\" zetka_name=\"Empty\"></section>"
               "<section format=\"s\" zetka_name=\"S2\">"
               "<entry><zetka_name>C</zetka_name><zetka html=\"p\\c.html\"/></entry>"
               "<entry><zetka_name>D</zetka_name><zetka html=\"p\\d.html\"/></entry>"
               "<entry><zetka_name>E</zetka_name><zetka html=\"p\\e.html\"/></entry></section></root>");
    temp.write("toc.txt", "S0\n\tA;zetka*0*0\n\tB;zetka*0*1\nS2\n\tC;zetka*2*0\n\tD;zetka*2*1\n\tE;zetka*2*2\n");
    QByteArray header = "<html><body>";
    for (int i = 0; i < 200; ++i) header += "<p>line</p>";
    temp.write("work/header.html", header);
    temp.write("work/item.html", "<p><a href=\"%0:s*%1:d*%2:d\">%3:s</a></p>");
    temp.write("work/items.html", "<h2>%3:s</h2>");
    temp.write("work/footer.html", "</body></html>");
    for (const char* page : {"a", "b", "c", "d", "e"}) {
      QByteArray text = QByteArray("<html><head><title>") + page + "</title></head><body>";
      for (int i = 0; i < 200; ++i) text += "<p>text</p>";
      temp.write(QStringLiteral("p/%1.html").arg(QLatin1String(page)), text + "</body></html>");
    }
    UserStore::Install(std::make_unique<UserStore>(temp.file("store.ini")));
    SetExeFolderOverride(temp.path());
    oldFolder = QDir::currentPath();
    open();
  }
  void TearDown() override {
    window.reset();
    UserStore::Install(nullptr);
    QDir::setCurrent(oldFolder);
    PackTest::TearDown();
  }
  void open() {
    window = std::make_unique<TfrmMain>();
    window->show();
  }
  bool enabled(const char* name) {
    return window->interpreter()->GetSpeedButton(QString::fromLatin1(name))->isEnabled();
  }
  void run(const QString& action) { window->interpreter()->RunActionText(action); }

  ScopedScriptedUi ui;
  QString oldFolder;
  std::unique_ptr<TfrmMain> window;
};

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
