#include "controls/skPanel.h"
#include "controls/skSimple.h"
#include "controls/skTreeView.h"
#include "interp_support.h"
#include "platform/convert.h"

namespace tobrina::test {
namespace {

class Properties : public InterpTest {};

TEST(Anchor, MarginsPlaceAndAnchorTheControl) {
  struct Row {
    const char* what;
    const char* margins;
    QRect before;
    QRect want;
    Anchors anchors;
  };
  const Row rows[] = {
      {"left and bottom", "10 * * 20", QRect(0, 0, 100, 30), QRect(10, 250, 100, 30), {true, false, false, true}},
      {"right only", "* * 5 *", QRect(20, 40, 100, 30), QRect(295, 40, 100, 30), {false, false, true, false}},
      {"all four fill the parent", "0 0 0 0", QRect(20, 40, 100, 30), QRect(0, 0, 400, 300), {true, true, true, true}},
  };
  for (const Row& r : rows) {
    QWidget parent;
    MakeVclContainer(&parent);
    parent.resize(400, 300);
    QWidget child(&parent);
    SetControlBounds(&child, r.before);
    SetControlAnchors(&child, Anchors{false, false, false, false});
    ApplyAnchor(&child, QString::fromLatin1(r.margins));
    EXPECT_EQ(child.geometry(), r.want) << r.what;
    EXPECT_EQ(ControlAnchorsOf(&child), r.anchors) << r.what;
  }
  // A panel with no distance at all is centred both ways.
  QWidget parent;
  MakeVclContainer(&parent);
  parent.resize(400, 300);
  TSkPanel panel(&parent);
  SetControlBounds(&panel, QRect(0, 0, 100, 50));
  ApplyAnchor(&panel, QStringLiteral("* * * *"));
  EXPECT_EQ(panel.geometry(), QRect(150, 125, 100, 50));
  EXPECT_TRUE(panel.centerHorizontally && panel.centerVertically);
  // Filling the parent follows its size.
  parent.show();
  QWidget filler(&parent);
  ApplyAnchor(&filler, QStringLiteral("0 0 0 0"));
  parent.resize(500, 350);
  EXPECT_EQ(filler.geometry(), QRect(0, 0, 500, 350));
  EXPECT_THROW(ApplyAnchor(&filler, QStringLiteral("1 x 2 3")), ConversionError);
}

TEST(WordReaders, AlignmentsAndStarFields) {
  EXPECT_EQ(ControlAlign(QStringLiteral("Client")), Align::Client);
  EXPECT_EQ(ControlAlign(QStringLiteral("middle")), Align::None);
  EXPECT_EQ(ControlAlign(QStringLiteral("TOP")), Align::Top);
  EXPECT_EQ(TextAlignment(QStringLiteral("RIGHT")), Qt::AlignRight);
  EXPECT_EQ(TextAlignment(QStringLiteral("justify")), Qt::AlignHCenter);
  EXPECT_EQ(StarField(QStringLiteral("a*b*c"), 2), QStringLiteral("b"));
  EXPECT_EQ(StarField(QStringLiteral("a"), 2), QString());
  EXPECT_EQ(StarField(QStringLiteral("*b"), 1), QString());
}

TEST_F(Properties, KeyOrderDuplicatesAndDefaults) {
  build(QStringLiteral(
      "[f]\ntype=form\nwidth=500\nheight=400\n"
      "[b]\ntype=button\ntop=10\ntop=20\nleft=50\nanchor=7 * * *\nenabled=yes\n"
      "[s]\ntype=sp_button\ndown=yes\n"
      "[s2]\ntype=sp_button\ndown=TRUE\nhint_down=pressed\nhint_up=released\n"
      "[sc]\ntype=scroll_box\ncolor=#FF0000\n"
      "[sc2]\ntype=scroll_box\ncolor=0000FF\n"
      "[lbl]\ntype=label\nfont=Arial*10**bi\ncaption=Текст\n"
      "[t]\ntype=tree\nmax_height=300\nheight=500\nwidth=90\n"));
  TSkButton* b = stract->GetButton(QStringLiteral("b"));
  EXPECT_EQ(b->y(), 10) << "the second top reads the first value";
  EXPECT_EQ(b->x(), 7) << "the anchor (type pass) comes after left (common pass)";
  EXPECT_TRUE(b->isEnabled());
  EXPECT_FALSE(stract->GetSpeedButton(QStringLiteral("s"))->down());
  TSkSpeedButton* s2 = stract->GetSpeedButton(QStringLiteral("s2"));
  EXPECT_TRUE(s2->down() && s2->remembered);
  s2->ToggleRemembered();
  EXPECT_EQ(s2->toolTip(), QStringLiteral("released"));
  s2->ToggleRemembered();
  EXPECT_EQ(s2->toolTip(), QStringLiteral("pressed"));
  EXPECT_EQ(stract->GetScrollBox(QStringLiteral("sc"))->viewport()->palette().color(QPalette::Window), QColor(Qt::red));
  EXPECT_EQ(stract->GetScrollBox(QStringLiteral("sc2"))->viewport()->palette().color(QPalette::Window), QColor(Qt::red));
  const QFont f = stract->GetLabel(QStringLiteral("lbl"))->font();
  EXPECT_EQ(f.family(), QStringLiteral("Arial"));
  EXPECT_EQ(f.pointSize(), 10);
  EXPECT_TRUE(f.bold() && f.italic() && !f.underline());
  TSkTree* t = stract->GetTree(QStringLiteral("t"));
  EXPECT_EQ(t->height(), 300);
  EXPECT_EQ(t->width(), 90);
  EXPECT_TRUE(ui->messages.empty()) << ui->texts().join(u'|').toStdString();
}

TEST_F(Properties, AnchorsRestoredUnlessAnAnchorKeySetsThem) {
  build(QStringLiteral("[f]\ntype=form\n[plain]\ntype=button\nleft=5\n[anchored]\ntype=button\nanchor=* * 5 5\n"));
  EXPECT_EQ(ControlAnchorsOf(stract->GetButton(QStringLiteral("plain"))), Anchors{});
  EXPECT_EQ(ControlAnchorsOf(stract->GetButton(QStringLiteral("anchored"))), (Anchors{false, false, true, true}));
}

TEST_F(Properties, FormKeysButMaxAndSkins) {
  build(QStringLiteral(
      "[f]\ntype=form\ncaption=Окно\nbut_max=b1*b2\nbut_max=b1*b2\ndialog=true\nmoving=1\neffect=fade\n"
      "reg_dat=\\Software\\T\nsave_pos=true\nhelp_id=topic\nhide_caption=false\n"
      "[b1]\ntype=button\nskin=big*buttons.skn\n"
      "[b2]\ntype=button\nskin=small*buttons.skn\n"));
  EXPECT_EQ(form->shownWhenMaximised, QStringLiteral("b1;b1;"));
  EXPECT_EQ(form->shownWhenNormal, QStringLiteral("b2;b2;"));
  EXPECT_TRUE(form->dialog && form->escCloses && !form->sizeable && form->movableByBody);
  EXPECT_EQ(form->effect, QStringLiteral("fade"));
  EXPECT_EQ(stract->registryPath, QStringLiteral("\\Software\\T"));
  EXPECT_TRUE(stract->savePosition);
  EXPECT_EQ(stract->HelpTopic, QStringLiteral("topic"));
  EXPECT_FALSE(form->windowFlags() & Qt::FramelessWindowHint);
  // Only the first registration of a skin file is new.
  TSkButton* b1 = stract->GetButton(QStringLiteral("b1"));
  TSkButton* b2 = stract->GetButton(QStringLiteral("b2"));
  EXPECT_EQ(b1->skinFile, QStringLiteral("buttons.skn"));
  EXPECT_EQ(b2->skinFile, QString());
  EXPECT_EQ(b1->property("theme").toString(), QStringLiteral("big"));
  EXPECT_EQ(b2->property("theme").toString(), QStringLiteral("small"));
}

TEST_F(Properties, PercentSizesCentringAndVisibleEx) {
  build(QStringLiteral(
      "[f]\ntype=form\nwidth=660\nheight=500\n"
      "[holder]\ntype=parent_panel\nleft=0\ntop=0\nwidth=640\nheight=400\n"
      "[pp]\ntype=panel\nmaster=holder\nwidth=33%\nheight=50\n"
      "[hidden]\ntype=panel\nvisible_ex=true\nleft=30\ntop=40\nwidth=10\nheight=10\n"));
  EXPECT_EQ(stract->GetPanel(QStringLiteral("pp"))->width(), 198);
  TSkPanel* hidden = stract->GetPanel(QStringLiteral("hidden"));
  EXPECT_TRUE(hidden->isHidden());
  stract->RunActionText(QStringLiteral("panel_show_or_hide*hidden"));
  EXPECT_FALSE(hidden->isHidden());
  EXPECT_EQ(hidden->pos(), QPoint(30, 40));
}

TEST_F(Properties, ABadValueSkipsTheRestOfItsSectionOnly) {
  build(QStringLiteral(
      "[f]\ntype=form\n"
      "[b]\ntype=button\ncaption=first\nwidth=abc\nhint=never\n"
      "[after]\ntype=label\ncaption=still built\n"));
  const QString file = temp.file(QStringLiteral("struct_t.txt"));
  EXPECT_EQ(ui->texts(), QStringList({file + QStringLiteral("\r\nSetProperty. Объект b, ключ width: 'abc' is not a valid integer value")}));
  TSkButton* b = stract->GetButton(QStringLiteral("b"));
  ASSERT_TRUE(b);
  EXPECT_EQ(b->text(), QString()) << "the common pass failed before the type pass";
  EXPECT_EQ(stract->GetLabel(QStringLiteral("after"))->wideCaption(), QStringLiteral("still built"));
}

}  // namespace
}  // namespace tobrina::test
