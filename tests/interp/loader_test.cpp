#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPixmap>

#include "app/checkmode.h"
#include "controls/skPanel.h"
#include "controls/skPopMenu.h"
#include "controls/skSimple.h"
#include "controls/skTreeView.h"
#include "interp_support.h"

namespace tobrina::test {
namespace {

class Loader : public InterpTest {};

TEST_F(Loader, CreationOrderFormsMenusThenTopLevelDepthFirst) {
  build(QStringLiteral(
      "[b_top]\ntype=button\n"
      "[pnl]\ntype=panel\n"
      "[in_late_panel]\ntype=button\nmaster=pnl2\n"
      "[in_pnl]\ntype=Button\nmaster=pnl\n"
      "[pnl2]\ntype=PANEL\nmaster=pnl\n"
      "[frm]\ntype=form\ncaption=Окно\n"
      "[menu]\ntype=pop_menu\nglob_action=go\n"
      "[b_last]\ntype=BUTTON\n"));
  EXPECT_EQ(names(), QStringList({"menu", "b_top", "pnl", "in_pnl", "pnl2", "in_late_panel", "b_last"}));
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Окно"));
  EXPECT_EQ(stract->GetButton(QStringLiteral("IN_PNL"))->parentWidget(), stract->GetPanel(QStringLiteral("pnl")));
  EXPECT_EQ(stract->GetButton(QStringLiteral("in_late_panel"))->parentWidget(), stract->GetPanel(QStringLiteral("pnl2")));
  EXPECT_EQ(stract->GetButton(QStringLiteral("b_top"))->parentWidget(), form->page(0));
  EXPECT_TRUE(ui->messages.empty()) << ui->texts().join(u'|').toStdString();
}

TEST_F(Loader, SecondFormSectionAddsPageP1ForTopLevelObjects) {
  build(QStringLiteral("[f1]\ntype=form\n[f2]\ntype=form\n[b]\ntype=button\n[c]\ntype=check_box\nmaster=F2\n"));
  ASSERT_EQ(form->pageSet()->count(), 2);
  EXPECT_EQ(form->page(1)->objectName(), QStringLiteral("p1"));
  EXPECT_EQ(stract->currentPage(), 1);
  EXPECT_EQ(stract->GetButton(QStringLiteral("b"))->parentWidget(), form->page(1));
  auto* check = qobject_cast<QWidget*>(stract->GetControl(QStringLiteral("c")));
  ASSERT_TRUE(check);
  EXPECT_EQ(check->parentWidget(), form->page(1)) << "a master naming the current form is the page";
  EXPECT_EQ(static_cast<TSkCheckBox*>(check)->text(), QStringLiteral("c")) << "a check box starts captioned with its name";
}

TEST_F(Loader, UnknownTypesNoneAndTheCallback) {
  const QString text = QStringLiteral("[f]\ntype=form\n[x]\ntype=wibble\nk=v\n[no_type]\nfoo=1\n[n]\ntype=none\n[ok]\ntype=label\n");
  build(text);
  const QString file = temp.file(QStringLiteral("struct_t.txt"));
  EXPECT_EQ(ui->texts(), QStringList({file + QStringLiteral("\r\nMakeObject. Объект x имеет неизвестный тип wibble"),
                                      file + QStringLiteral("\r\nMakeObject. Объект no_type имеет неизвестный тип ")}));
  EXPECT_EQ(ui->messages[0].kind, MessageKind::Error);
  EXPECT_EQ(names(), QStringList({"ok"}));

  ui->clear();
  QStringList seen;
  form = std::make_unique<TfrmFORM>();
  stract = std::make_unique<TSkStract>(form.get(), file);
  stract->OnUnknownObject = [&](QWidget* container, const QString& name, const QStringList& lines, const QString& type) {
    seen << QStringLiteral("%1|%2|%3|%4").arg(container->objectName(), name, lines.join(u','), type);
  };
  stract->LoadDescription();
  EXPECT_EQ(seen, QStringList({"p0|x|type=wibble,k=v|wibble", "p0|no_type|foo=1|"}));
  EXPECT_TRUE(ui->messages.empty());
}

TEST_F(Loader, BrokenReferencesStillLoadToTheEnd) {
  build(QStringLiteral(
      "[f]\ntype=form\n"
      "[orphan]\ntype=button\nmaster=nowhere\n"
      "[child_first]\ntype=button\nmaster=late\n"
      "[in_button]\ntype=label\nmaster=child_first\n"
      "[late]\ntype=panel\n"
      "[after]\ntype=button\n"));
  EXPECT_EQ(names(), QStringList({"late", "child_first", "after"}));
  const QString file = temp.file(QStringLiteral("struct_t.txt"));
  EXPECT_EQ(ui->texts(),
            QStringList({file + QStringLiteral("\r\nMakeObject. Объект orphan не создан: нет контейнера nowhere"),
                         file + QStringLiteral("\r\nMakeObject. Объект in_button не создан: нет контейнера child_first")}));
}

TEST_F(Loader, MissingOrEmptyDescriptionStopsWithTheMessage) {
  form = std::make_unique<TfrmFORM>();
  stract = std::make_unique<TSkStract>(form.get(), QStringLiteral("struct_none.txt"));
  stract->LoadDescription();
  EXPECT_EQ(ui->texts(), QStringList({QStringLiteral("Не найден файл \r\nstruct_none.txt"),
                                      QStringLiteral("Нету данных в struct_none.txt. Это безусловно End...")}));
  EXPECT_FALSE(form->pageSet());
}

TEST_F(Loader, ObjectsWithoutAFormSectionAreRefused) {
  build(QStringLiteral("[b]\ntype=button\n"));
  EXPECT_TRUE(names().isEmpty());
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_TRUE(ui->messages[0].text.endsWith(QStringLiteral("MakeObject. Объект b: в описании нет раздела окна (type=form)")));
}

TEST_F(Loader, LookupsReportUnlessErrorsAreOff) {
  build(QStringLiteral("[f]\ntype=form\n[b]\ntype=button\naction=go*1\n[s]\ntype=sp_button\naction=go*2\n"
                       "[s2]\ntype=sp_button\naction=Go\n[c]\ntype=combo_box\naction=pick*insert\n"));
  const QString file = temp.file(QStringLiteral("struct_t.txt"));
  EXPECT_FALSE(stract->GetSpeedButton(QStringLiteral("b")));
  EXPECT_FALSE(stract->GetControl(QStringLiteral("zz")));
  EXPECT_EQ(ui->texts(), QStringList({file + QStringLiteral("\r\nGetComponent. Не найден контрол: b"),
                                      file + QStringLiteral("\r\nGetControl. Не найден контрол: zz")}));
  ui->clear();
  stract->ShowErrors = false;
  EXPECT_FALSE(stract->GetControl(QStringLiteral("zz")));
  EXPECT_TRUE(ui->messages.empty());
  EXPECT_EQ(stract->FindSpeedButtonByAction(QStringLiteral("GO"), {})->objectName(), QStringLiteral("s"));
  EXPECT_EQ(stract->FindSpeedButtonByAction(QStringLiteral("go"), QStringLiteral("2"))->objectName(), QStringLiteral("s"));
  EXPECT_FALSE(stract->FindSpeedButtonByAction(QStringLiteral("go"), QStringLiteral("3")));
  EXPECT_EQ(stract->FindComboByAction(QStringLiteral("PICK"))->objectName(), QStringLiteral("c"));
}

TEST_F(Loader, SplashStepsOncePerObjectWithPropertiesAndWraps) {
  QPixmap pixmap(40, 20);
  pixmap.fill(Qt::blue);
  const QString picture = temp.file(QStringLiteral("splash.bmp"));
  pixmap.save(picture, "BMP");
  QString text =
      QStringLiteral("[f]\ntype=form\nsplash=%1*5*2*2*30*6\nsplash_close_auto=false\naction=probe\n").arg(picture);
  text += QStringLiteral("[m]\ntype=pop_menu\nglob_action=go\n[h]\ntype=hot_key\nk=F1*x\n[n]\ntype=none\n");
  for (int i = 0; i < 29; ++i) text += QStringLiteral("[b%1]\ntype=button\n").arg(i);
  build(text);
  ASSERT_TRUE(stract->splashProgress());
  EXPECT_EQ(stract->progressStep(), 5);
  // The form's own step comes before its "splash" key makes the bar, so the
  // 29 buttons step it: 100 after 20, then it wraps to 5 and climbs to 45 by
  // the time the startup action runs; loading then leaves the bar, which
  // stays open, at its maximum.
  EXPECT_EQ(splashAtHandOver, 45);
  EXPECT_EQ(stract->splashProgress()->geometry(), QRect(2, 2, 30, 6));
  EXPECT_EQ(stract->splashProgress()->value(), 100);
  EXPECT_TRUE(ui->messages.empty()) << ui->texts().join(u'|').toStdString();
}

TEST_F(Loader, CheckReportListsObjectsMessagesAndHandOvers) {
  temp.write(QStringLiteral("struct_one.txt"),
             "[w]\ntype=form\ncaption=One\nwidth=300\nheight=200\n"
             "[p]\ntype=panel\nalign=top\nheight=40\n"
             "[b]\ntype=button\nmaster=p\nleft=5\ntop=6\nwidth=70\nheight=24\ncaption=OK\naction=go_main*1\n"
             "[e]\ntype=edit_box\nvisible=false\nenabled=0\n");
  temp.write(QStringLiteral("struct_two.txt"), "[w]\ntype=form\n[x]\ntype=nonsense\n");
  temp.write(QStringLiteral("other.txt"), "[w]\ntype=form\n");
  CheckOptions options;
  options.folder = temp.path();
  options.actions = {QStringLiteral("click_but*b"), QStringLiteral("test*a*b")};
  bool error = false;
  const QJsonObject doc = QJsonDocument::fromJson(CheckReport(options, &error)).object();
  const QJsonArray windows = doc[QStringLiteral("windows")].toArray();
  ASSERT_EQ(windows.size(), 2);
  const QJsonObject one = windows[0].toObject();
  EXPECT_EQ(one[QStringLiteral("file")].toString(), QStringLiteral("struct_one.txt"));
  EXPECT_EQ(one[QStringLiteral("caption")].toString(), QStringLiteral("One"));
  const QJsonArray objects = one[QStringLiteral("objects")].toArray();
  ASSERT_EQ(objects.size(), 3);
  const QJsonObject button = objects[1].toObject();
  EXPECT_EQ(button[QStringLiteral("class")].toString(), QStringLiteral("TSkButton"));
  EXPECT_EQ(button[QStringLiteral("container")].toString(), QStringLiteral("p"));
  EXPECT_EQ(button[QStringLiteral("text")].toString(), QStringLiteral("OK"));
  EXPECT_EQ(button[QStringLiteral("bounds")].toObject(),
            QJsonObject({{"left", 5}, {"top", 6}, {"width", 70}, {"height", 24}}));
  EXPECT_EQ(objects[0].toObject()[QStringLiteral("bounds")].toObject()[QStringLiteral("width")].toInt(), 300);
  const QJsonObject edit = objects[2].toObject();
  EXPECT_FALSE(edit[QStringLiteral("visible")].toBool());
  EXPECT_FALSE(edit[QStringLiteral("enabled")].toBool());
  EXPECT_EQ(one[QStringLiteral("handed_over")].toArray(), QJsonArray({"go_main*1"}));
  EXPECT_EQ(one[QStringLiteral("messages")].toArray(), QJsonArray({"a*b"}));
  EXPECT_TRUE(error) << "struct_two.txt has an unknown type";
  const QJsonArray twoMessages = windows[1].toObject()[QStringLiteral("messages")].toArray();
  ASSERT_EQ(twoMessages.size(), 3) << "the unknown type, then the actions' missing button and the test message";
  EXPECT_TRUE(twoMessages[0].toString().endsWith(QStringLiteral("MakeObject. Объект x имеет неизвестный тип nonsense")));

  options.window = QStringLiteral("one");
  CheckReport(options, &error);
  EXPECT_FALSE(error) << "a plain message raised by an action is no error";
}

// Every type word of the table, in one window: nothing unexpected is said.
TEST_F(Loader, EveryObjectTypeBuilds) {
  QString text = QStringLiteral("[f]\ntype=form\n[h]\ntype=hot_key\nkey1=Ctrl+F*find_all\n[menu]\ntype=pop_menu\nglob_action=go\n");
  for (const ObjectType& t : ObjectTypes()) {
    if (QLatin1String(t.word) == u"pop_menu") continue;
    text += QStringLiteral("[o_%1]\ntype=%1\nleft=4\ntop=4\nwidth=50\nheight=20\n").arg(QLatin1String(t.word));
  }
  build(text);
  EXPECT_TRUE(ui->messages.empty()) << ui->texts().join(u'|').toStdString();
  EXPECT_EQ(stract->registry(Kind::All).size(), ObjectTypes().size());
  for (const ObjectType& t : ObjectTypes()) EXPECT_EQ(stract->registry(t.kind).size(), 1u) << t.word;
  ASSERT_EQ(form->hotKeys().Count(), 1);
  EXPECT_EQ(form->hotKeys().Action(0), QStringLiteral("find_all"));
}

}  // namespace
}  // namespace tobrina::test
