#pragma once
// The main window over a tiny collection of loose files, with a temporary
// per-user store.

#include <QApplication>
#include <QDir>
#include <QMouseEvent>

#include "app/uMain.h"
#include "controls/skSimple.h"
#include "interp/skUseStract.h"
#include "pack/gHelpers.h"
#include "platform/uiservices.h"
#include "platform/userstore.h"
#include "support.h"

namespace tobrina::test {

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
    temp.write("struct_find.txt",
               "[frmFind]\ntype=form\nwidth=400\nheight=300\n[lb_rez_find]\ntype=label\n[progress]\ntype=progress_bar\n"
               "[cb_find]\ntype=combo_box\naction=find_start\n[list_rez]\ntype=list_box\naction=load\n"
               "[rb_cur]\ntype=r_button\n[rb_caption]\ntype=r_button\n[rb_all]\ntype=r_button\n");
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

}  // namespace tobrina::test
