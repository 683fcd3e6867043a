#include "controls/skPanel.h"
#include "controls/skSimple.h"
#include "controls/skTreeView.h"
#include "interp/skCommand.h"
#include "interp_support.h"

namespace tobrina::test {
namespace {

TEST(ActionStrings, Parsing) {
  const TSkCommand c(QStringLiteral("Form_Close*2//  //go_main*A**b//label*l*a//b//*x"));
  ASSERT_EQ(c.count(), 5);
  EXPECT_EQ(c.commands()[0].Word, QStringLiteral("form_close"));
  EXPECT_EQ(c.CommandText(0), QStringLiteral("form_close*2"));
  EXPECT_EQ(c.commands()[1].Word, QStringLiteral("  ")) << "blanks belong to the word";
  EXPECT_EQ(c.commands()[2].ArgText, QStringLiteral("A**b"));
  EXPECT_EQ(c.commands()[2].Args, QStringList({"A", "b"}));
  EXPECT_EQ(c.commands()[2].Rest, QStringLiteral("label*l*a//b//*x"));
  EXPECT_EQ(c.commands()[3].Args, QStringList({"l", "a"}));
  EXPECT_EQ(c.commands()[4].Word, QStringLiteral("b"));
  EXPECT_EQ(TSkCommand(QString()).count(), 0);
}

TEST(ActionStrings, Placeholders) {
  EXPECT_EQ(FillPlaceholder(QStringLiteral("zetka*insert"), QStringLiteral("3"), true), QStringLiteral("zetka*3"));
  EXPECT_EQ(FillPlaceholder(QStringLiteral("zetka"), QStringLiteral("3"), true), QStringLiteral("zetka*3"));
  EXPECT_EQ(FillPlaceholder(QStringLiteral("zetka*"), QStringLiteral("3"), true), QStringLiteral("zetka*3"));
  EXPECT_EQ(FillPlaceholder(QStringLiteral("show"), QStringLiteral("3"), false), QStringLiteral("show"));
  EXPECT_EQ(FillPlaceholder(QStringLiteral("zetka*insert*insert"), QStringLiteral("7"), true), QStringLiteral("zetka*7*7"));
  EXPECT_EQ(FillPlaceholder(QStringLiteral("a*INSERT"), QStringLiteral("7"), false), QStringLiteral("a*INSERT"));
  EXPECT_EQ(FillPlaceholder(QString(), QStringLiteral("7"), true), QString());
}

TEST(ActionStrings, OpenFileArgumentsAskTheUser) {
  ScopedScriptedUi ui;
  ui->fileAnswers = {QStringLiteral("/tmp/chosen.txt")};
  const TSkCommand c(QStringLiteral("load*OPEN_FILE(.TXT)*open_file*plain"));
  const RCommand& cmd = c.commands()[0];
  EXPECT_EQ(ActionArgument(cmd, 0), QStringLiteral("/tmp/chosen.txt"));
  EXPECT_EQ(ActionArgument(cmd, 1), QString()) << "cancelled";
  EXPECT_EQ(ActionArgument(cmd, 2), QStringLiteral("plain"));
  EXPECT_EQ(ActionArgument(cmd, 3), QString());
  ASSERT_EQ(ui->fileRequests.size(), 2u);
  EXPECT_EQ(ui->fileRequests[0].filter, QStringLiteral("*.txt"));
  EXPECT_EQ(ui->fileRequests[1].filter, QStringLiteral("*"));
}

class Actions : public InterpTest {
 protected:
  void SetUp() override {
    build(QStringLiteral(
        "[f]\ntype=form\n"
        "[l]\ntype=label\n"
        "[b]\ntype=button\naction=label*l*clicked//handed*1\nleft=10\ntop=20\nwidth=60\nheight=25\n"
        "[s]\ntype=sp_button\n"
        "[p]\ntype=panel\naction=label*l*panel\n"
        "[c]\ntype=combo_box\naction=show*insert\nread_only=true\n"
        "[lb]\ntype=list_box\naction=zetka\n"
        "[chk]\ntype=check_box\naction=flag\nenable_control=l;ghost;B\n"
        "[e]\ntype=edit_box\naction=find*x\n"));
  }
};

TEST_F(Actions, HandOverAndInterpreterWords) {
  stract->RunActionText(QStringLiteral("go_main*A**b//label*l*x"));
  EXPECT_EQ(handedOver, QStringList({"go_main*A*b//label*l*x"}));
  EXPECT_EQ(stract->GetLabel(QStringLiteral("l"))->wideCaption(), QString()) << "nothing runs after the hand-over";

  stract->RunActionText(QStringLiteral("LABEL*l*a//b"));
  EXPECT_EQ(stract->GetLabel(QStringLiteral("l"))->wideCaption(), QStringLiteral("a"));
  EXPECT_EQ(handedOver.last(), QStringLiteral("b"));

  stract->OnWindowAction = nullptr;
  stract->RunActionText(QStringLiteral("go_main//label*l*after"));
  EXPECT_EQ(stract->GetLabel(QStringLiteral("l"))->wideCaption(), QStringLiteral("after"));
  EXPECT_TRUE(ui->messages.empty());
}

TEST_F(Actions, FormCloseAndConversionErrors) {
  form->show();
  stract->RunActionText(QStringLiteral("form_close*abc//label*l*never"));
  EXPECT_EQ(ui->texts(), QStringList({"'abc' is not a valid integer value"}));
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(stract->GetLabel(QStringLiteral("l"))->wideCaption(), QString());
  // A bad number inside a nested run ends the outer run too.
  ui->clear();
  stract->GetButton(QStringLiteral("b"))->action = QStringLiteral("form_close*x");
  stract->RunActionText(QStringLiteral("click_but*b//label*l*never"));
  EXPECT_EQ(ui->texts(), QStringList({"'x' is not a valid integer value"}));
  EXPECT_EQ(stract->GetLabel(QStringLiteral("l"))->wideCaption(), QString());

  stract->RunActionText(QStringLiteral("nil//Form_Close*2"));
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->modalResult, 2);
  EXPECT_TRUE(ui->exitCodes.empty());
  stract->RunActionText(QStringLiteral("form_close"));
  EXPECT_EQ(ui->exitCodes, std::vector<int>{0});
}

TEST_F(Actions, ClicksFillTheirTemplates) {
  form->show();
  stract->RunActionText(QStringLiteral("click_but*b"));
  EXPECT_EQ(stract->GetLabel(QStringLiteral("l"))->wideCaption(), QStringLiteral("clicked"));
  EXPECT_EQ(handedOver, QStringList({"handed*1"}));

  // A button click gives its height and screen origin as the anchor.
  RHelpAction seen;
  stract->OnWindowAction = [&](const RHelpAction& r) { seen = r; };
  stract->ControlClick(stract->GetButton(QStringLiteral("b")));
  EXPECT_EQ(seen.AnchorHeight, 25);
  EXPECT_EQ(QPoint(seen.AnchorLeft, seen.AnchorTop), stract->GetButton(QStringLiteral("b"))->mapToGlobal(QPoint()));
  EXPECT_EQ(seen.Sender, stract->GetButton(QStringLiteral("b")));

  TSkComboBox* combo = stract->GetComboBox(QStringLiteral("c"));
  combo->LoadComboItems({QStringLiteral("Красный;red"), QStringLiteral("Синий"), QStringLiteral(";x")});
  EXPECT_EQ(combo->count(), 2);
  combo->setCurrentIndex(-1);
  combo->setCurrentIndex(0);
  EXPECT_EQ(seen.Action, QStringLiteral("show*red"));

  TSkListBox* list = stract->GetListBox(QStringLiteral("lb"));
  list->LoadListLines({QStringLiteral("Глава 1#;#1*1"), QStringLiteral("Пусто")}, true);
  list->setCurrentRow(1);
  seen = {};
  stract->ControlClick(list);
  EXPECT_EQ(seen.Action, QString()) << "an empty value runs nothing";
  list->setCurrentRow(0);
  stract->ControlClick(list);
  EXPECT_EQ(seen.Action, QStringLiteral("zetka*1*1"));

  TSkCheckBox* check = stract->GetCheckBox(QStringLiteral("chk"));
  check->setChecked(false);
  stract->ControlClick(check);
  EXPECT_EQ(seen.Action, QStringLiteral("flag*0"));
  EXPECT_FALSE(stract->GetLabel(QStringLiteral("l"))->isEnabled());
  EXPECT_FALSE(stract->GetButton(QStringLiteral("b"))->isEnabled());
  const QString file = temp.file(QStringLiteral("struct_t.txt"));
  EXPECT_EQ(ui->texts(), QStringList({file + QStringLiteral("\r\nGetControl. Не найден контрол: ghost"),
                                      file + QStringLiteral("\r\nПроверте параметр enable_control для чекьокса chk")}));
}

TEST_F(Actions, EditBoxRunsOnEnterOrEveryKey) {
  TSkEditBox* edit = stract->GetEditBox(QStringLiteral("e"));
  stract->ControlKeyUp(edit, Qt::Key_A, Qt::NoModifier);
  EXPECT_TRUE(handedOver.isEmpty());
  stract->ControlKeyUp(edit, Qt::Key_Return, Qt::NoModifier);
  EXPECT_EQ(handedOver, QStringList({"find*x"}));
  edit->actOnEveryKey = true;
  stract->ControlKeyUp(edit, Qt::Key_A, Qt::NoModifier);
  EXPECT_EQ(handedOver.size(), 2);
}

TEST_F(Actions, VisibilityEnabledAndSpeedButtons) {
  stract->RunActionText(QStringLiteral("visible*b*0//enabled*l*false//spbutton_down*s//visible*none"));
  EXPECT_TRUE(stract->GetButton(QStringLiteral("b"))->isHidden());
  EXPECT_FALSE(stract->GetLabel(QStringLiteral("l"))->isEnabled());
  TSkSpeedButton* s = stract->GetSpeedButton(QStringLiteral("s"));
  EXPECT_TRUE(s->down() && s->remembered);
  stract->RunActionText(QStringLiteral("sbutton_down*s//button_show_or_hide*b//test*one"));
  EXPECT_FALSE(s->down() || s->remembered);
  EXPECT_FALSE(stract->GetButton(QStringLiteral("b"))->isHidden());
  const QString file = temp.file(QStringLiteral("struct_t.txt"));
  EXPECT_EQ(ui->texts(), QStringList({file + QStringLiteral("\r\nGetControl. Не найден контрол: none"), "one*"}));
}

TEST_F(Actions, FormShowRunsTheDescriptionModally) {
  temp.write(QStringLiteral("struct_second.txt"), "[w]\ntype=form\ncaption=Second\n[x]\ntype=button\n");
  ui->modalAnswers = {0};
  stract->RunActionText(QStringLiteral("form_show*") + temp.file(QStringLiteral("struct_second.txt")));
  ASSERT_EQ(ui->modalWindows.size(), 1u);
  EXPECT_TRUE(ui->messages.empty()) << ui->texts().join(u'|').toStdString();
  stract->RunActionText(QStringLiteral("form_show"));
  EXPECT_EQ(ui->modalWindows.size(), 1u) << "no file, no window";
}

TEST(InterpreterTables, EveryCommandWordRunsWithoutTargets) {
  ScopedScriptedUi ui;
  TfrmFORM form;
  TSkStract stract(&form, QStringLiteral("struct_none.txt"));
  stract.ShowErrors = false;
  QStringList handed;
  stract.OnWindowAction = [&](const RHelpAction& r) { handed << r.Action; };
  for (const QString& word : InterpreterCommandWords()) {
    if (word == u"form_close" || word == u"help" || word == u"run") continue;  // these leave the test's process alone only with targets
    stract.RunActionText(word + QStringLiteral("*missing*1"));
  }
  EXPECT_TRUE(handed.isEmpty()) << handed.join(u'|').toStdString();
}

}  // namespace
}  // namespace tobrina::test
