#include "controls/skPopMenu.h"
#include "interp_support.h"

namespace tobrina::test {
namespace {

class Menus : public InterpTest {};

TEST_F(Menus, BothGroupsGlobalActionShortcutsAndCheck) {
  build("[f]\ntype=form\nreg_dat=\\Software\\MenuTest\n"
        "[m]\ntype=pop_menu\ncaption=Open;Save;Close\naction=open_a;;close_a\nglob_action=save_a\nkey=Ctrl+O;;Ctrl+W\n"
        "last_caption=Quit\nlast_action=quit_a\ncheck=1\nlength=4\n"
        "[far]\ntype=pop_menu\ncaption=A;B;C\naction=a;b;c\ncheck=7\n"
        "[fav]\ntype=pop_menu\nglob_action=zetka\nfavorite=true\nhistory_full=tree\n"
        "[bad]\ntype=pop_menu\ncaption=A\n");
  TSkPopMenu* m = stract->GetPopMenu("m");
  ASSERT_EQ(m->Count(), 4);
  EXPECT_EQ(m->firstGroupCount, 3);
  EXPECT_EQ(m->lastGroupCount, 1);
  QStringList actions, captions;
  for (int i = 0; i < m->Count(); ++i) {
    actions << m->ItemAt(i)->action;
    captions << m->ItemAt(i)->text();
  }
  EXPECT_EQ(actions, QStringList({"open_a", "save_a", "close_a", "quit_a"}));
  EXPECT_EQ(captions, QStringList({"Ope", "Sav", "Clo", "Qui"}));
  EXPECT_TRUE(m->ItemAt(1)->isChecked());
  EXPECT_FALSE(m->ItemAt(0)->isChecked());
  EXPECT_EQ(m->ItemAt(0)->shortcut(), QKeySequence("Ctrl+O"));
  EXPECT_TRUE(m->ItemAt(1)->shortcut().isEmpty());
  ASSERT_EQ(form->hotKeys().Count(), 2);
  EXPECT_EQ(form->hotKeys().Action(1), QStringLiteral("close_a"));

  TSkPopMenu* far = stract->GetPopMenu("far");
  for (int i = 0; i < far->Count(); ++i) EXPECT_FALSE(far->ItemAt(i)->isChecked());

  TSkPopMenu* fav = stract->GetPopMenu("fav");
  EXPECT_EQ(fav->Count(), 0);
  EXPECT_EQ(fav->globalAction, QStringLiteral("zetka"));
  EXPECT_EQ(stract->favouriteMenus, QStringLiteral("fav"));
  EXPECT_TRUE(fav->historyFull);
  EXPECT_EQ(fav->historyTarget, QStringLiteral("tree"));

  EXPECT_EQ(stract->GetPopMenu("bad")->Count(), 0);
  EXPECT_EQ(ui->texts(), QStringList({"Для меню bad надо указать все параметры:\r\nCaption, Action и можно Key"}));

  // A click on an item runs its action with the item as sender.
  RHelpAction seen;
  stract->OnWindowAction = [&](const RHelpAction& r) { seen = r; };
  m->ItemAt(2)->trigger();
  EXPECT_EQ(seen.Action, QStringLiteral("close_a"));
  EXPECT_EQ(seen.Sender, m->ItemAt(2));
}

TEST_F(Menus, HotKeysMatchByPageAndFirstRegisteredWins) {
  // Every object, hot-key tables included, is made after the form pass, so
  // with two form sections the keys are bound to the second page.
  build("[f0]\ntype=form\n[f1]\ntype=form\n"
        "[h]\ntype=hot_key\nx=Ctrl+F*first//more\ny=ctrl+f*second\nz=Bogus+Key*never\nw=F3*three\n");
  const TSkHotKey& keys = form->hotKeys();
  ASSERT_EQ(keys.Count(), 4);
  EXPECT_EQ(keys.Page(0), 1);
  EXPECT_EQ(keys.Action(0), QStringLiteral("first//more"));
  EXPECT_EQ(keys.Action(9), QString());
  EXPECT_EQ(keys.Shortcut(2), QKeyCombination(Qt::Key_unknown));

  form->pageSet()->setCurrentIndex(0);
  form->handleKey(Qt::Key_F, Qt::ControlModifier);
  EXPECT_TRUE(handedOver.isEmpty()) << "keys bound to page 1 do nothing on page 0";
  form->pageSet()->setCurrentIndex(1);
  form->handleKey(Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(handedOver, QStringList({"first//more"})) << "the first registered of two equal keys wins";
  handedOver.clear();
  form->handleKey(Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_TRUE(handedOver.isEmpty());
  form->handleKey(Qt::Key_F3, Qt::NoModifier);
  EXPECT_EQ(handedOver, QStringList({"three"}));
}

}  // namespace
}  // namespace tobrina::test
