#include <QCoreApplication>
#include <QKeyEvent>

#include "controls/skPanel.h"
#include "controls/skPopMenu.h"
#include "controls/skSimple.h"
#include "interp/interp_support.h"

namespace tobrina::test {
namespace {

class Forms : public InterpTest {};

TEST_F(Forms, DialogModeFixesTheSizeAndEscCloses) {
  build("[f]\ntype=form\ndialog=true\nwidth=300\nheight=200\n[h]\ntype=hot_key\nk=Esc*on_escape\n");
  EXPECT_FALSE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
  form->show();
  EXPECT_EQ(form->minimumSize(), form->maximumSize());
  // The hot key runs first, then Esc closes the window.
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(form.get(), &esc);
  EXPECT_EQ(handedOver, QStringList({"on_escape"}));
  EXPECT_FALSE(form->isVisible());
}

TEST_F(Forms, ButMaxListsSwapAroundMaximising) {
  build("[f]\ntype=form\nbut_max=b_restore*b_maxi\n"
        "[b_restore]\ntype=sp_button\naction=form_maxi\n[b_maxi]\ntype=sp_button\naction=form_maxi\n");
  form->show();
  TSkSpeedButton* restore = stract->GetSpeedButton("b_restore");
  TSkSpeedButton* maxi = stract->GetSpeedButton("b_maxi");
  EXPECT_TRUE(restore->isHidden());
  EXPECT_FALSE(maxi->isHidden());
  stract->ControlClick(maxi);
  EXPECT_TRUE(form->isMaximized());
  EXPECT_FALSE(restore->isHidden());
  EXPECT_TRUE(maxi->isHidden());
  stract->RunActionText("form_maxi");
  EXPECT_FALSE(form->isMaximized());
  EXPECT_TRUE(restore->isHidden());
  EXPECT_FALSE(maxi->isHidden());
}

TEST_F(Forms, DeveloperKeys) {
  build("[f]\ntype=form\n");
  form->handleKey(Qt::Key_E, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
  EXPECT_TRUE(ui->openedDocuments.empty());
  form->handleKey(Qt::Key_E, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(ui->openedDocuments, std::vector<QString>{temp.file("struct_t.txt")});
  form->handleKey(Qt::Key_Q, Qt::ControlModifier | Qt::AltModifier);
  ASSERT_EQ(ui->startedPrograms.size(), 1u);
  EXPECT_EQ(ui->startedPrograms[0].first(), QCoreApplication::applicationFilePath());
  EXPECT_EQ(ui->exitCodes, std::vector<int>{0});
}

TEST_F(Forms, MenuShowUsesTheClickAnchorOrTheNamedButton) {
  build("[f]\ntype=form\n[m]\ntype=pop_menu\ncaption=A\naction=a\n"
        "[b]\ntype=button\nleft=40\ntop=30\nwidth=80\nheight=24\naction=menu_show*m*other\n"
        "[s]\ntype=sp_button\nleft=200\ntop=60\nwidth=30\nheight=20\n");
  form->show();
  TSkPopMenu* menu = stract->GetPopMenu("m");
  TSkButton* b = stract->GetButton("b");
  stract->ControlClick(b);
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(menu->pos(), b->mapToGlobal(QPoint(0, b->height())));
  EXPECT_TRUE(ui->messages.empty()) << "the click's anchor is used; 'other' is never looked up";
  menu->hide();
  stract->RunActionText("menu_show*m*s");
  TSkSpeedButton* s = stract->GetSpeedButton("s");
  EXPECT_EQ(menu->pos(), s->mapToGlobal(QPoint(0, s->height())));
  menu->hide();
  stract->RunActionText("menu_show*m*ghost");
  EXPECT_EQ(ui->texts(), QStringList({"menu_show. Не найден контрол ghost"}));
  menu->hide();
}

TEST_F(Forms, ResizingKeepsPercentagesAndCentring) {
  build("[f]\ntype=form\nwidth=1000\nheight=500\n"
        "[side]\ntype=parent_panel\nalign=left\nwidth=40%\n"
        "[split]\ntype=split\nalign=left\nwidth=5\n"
        "[card]\ntype=panel\nwidth=40%\nheight=50\nanchor=* * * *\n");
  form->show();
  QWidget* side = qobject_cast<QWidget*>(stract->GetControl("side"));
  TSkPanel* card = stract->GetPanel("card");
  EXPECT_EQ(side->width(), 400);
  EXPECT_EQ(card->width(), 400);
  form->resize(1500, 600);
  QCoreApplication::processEvents();
  EXPECT_EQ(side->width(), 600) << "a parent panel's percentage follows the window";
  EXPECT_EQ(card->width(), 400) << "a panel's percentage is read once";
  EXPECT_EQ(card->x(), (1500 - 400) / 2);
  // Dragging the splitter changes the proportion kept from then on.
  stract->GetSplitter("split")->dragBy(-150);
  EXPECT_EQ(side->width(), 450);
  form->resize(1000, 600);
  QCoreApplication::processEvents();
  EXPECT_EQ(side->width(), 300);
}

}  // namespace
}  // namespace tobrina::test
