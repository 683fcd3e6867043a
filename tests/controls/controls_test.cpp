#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QFontMetrics>
#include <QKeyEvent>

#include "controls/skPanel.h"
#include "controls/skPopMenu.h"
#include "controls/skSimple.h"
#include "controls/skSkin.h"
#include "interp/interp_support.h"
#include "pack/gPack.h"

namespace tobrina::test {
namespace {

void Type(QWidget* w, int key, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(w, &release);
}

TEST(SimpleControls, ComboBoxValuesAndItsKeyRules) {
  TempFolder temp;
  const QString file = temp.write("colors.txt", "\xD0\x9A;red\r\nblue only\r\n;x\r\n");  // К;red
  ScopedScriptedUi ui;
  TSkComboBox combo(nullptr);
  combo.LoadComboFile(file);
  ASSERT_EQ(combo.count(), 2);
  EXPECT_EQ(combo.values, QStringList({"red", ""}));
  combo.setCurrentIndex(1);
  EXPECT_EQ(combo.ComboValue(), QString());
  combo.LoadComboFile(temp.file("missing.txt"));
  EXPECT_EQ(combo.count(), 2) << "a missing file keeps the items";
  EXPECT_EQ(ui->messages.size(), 1u);

  int changes = 0, enters = 0;
  QObject::connect(&combo, &TSkComboBox::changed, [&] { ++changes; });
  combo.storedHandler = [&](QObject* sender) { enters += sender == &combo; };
  combo.setCurrentIndex(0);
  EXPECT_EQ(changes, 1);
  Type(&combo, Qt::Key_Return, "\r");
  EXPECT_EQ(enters, 1);
  Type(&combo, Qt::Key_A, "a");
  combo.setCurrentIndex(1);
  EXPECT_EQ(changes, 1) << "after any other key the change event runs nothing";
}

TEST(SimpleControls, ListBoxLinesCarryValues) {
  TSkListBox list(nullptr);
  list.LoadListLines({"Глава 1#;#zetka*1*1", "Без значения", "a#;#b#;#c"}, true);
  EXPECT_EQ(list.item(0)->text(), QStringLiteral("Глава 1"));
  EXPECT_EQ(list.ListItemValue(0), QStringLiteral("zetka*1*1"));
  EXPECT_EQ(list.ListItemValue(1), QString());
  EXPECT_EQ(list.ListItemValue(2), QStringLiteral("b#;#c"));
  list.LoadListLines({"value#;#caption"}, false);
  EXPECT_EQ(list.count(), 1);
  EXPECT_EQ(list.item(0)->text(), QStringLiteral("caption"));
  EXPECT_EQ(list.ListItemValue(0), QStringLiteral("value"));
}

TEST(SimpleControls, LabelShortensToWholeWords) {
  TSkLabel label(nullptr);
  label.resize(100, 20);
  label.show();
  label.setShorten(true);
  const QString text = QStringLiteral("один два три четыре пять шесть");
  label.SetWideCaption(text);
  const QFontMetrics m(label.font());
  QString want;
  for (QString run = text; !run.isEmpty(); run = run.left(std::max<qsizetype>(run.lastIndexOf(u' '), 0)))
    if (run != text && m.horizontalAdvance(run + "...") <= 100) {
      want = run + "...";
      break;
    }
  ASSERT_FALSE(want.isEmpty());
  EXPECT_EQ(label.text(), want);
  label.SetWideCaption(QStringLiteral("Оченьдлинноеслововкотороенетпробелов"));
  EXPECT_EQ(label.text(), QStringLiteral("..."));
  label.resize(1000, 20);
  EXPECT_EQ(label.text(), QStringLiteral("Оченьдлинноеслововкотороенетпробелов")) << "shown again on resize";
  EXPECT_EQ(label.wideCaption(), QStringLiteral("Оченьдлинноеслововкотороенетпробелов"));
}

TEST(SimpleControls, DigitsOnlyAndSpinClamps) {
  TSkEditBox edit(nullptr);
  edit.setDigitsOnly(true);
  Type(&edit, Qt::Key_1, "1");
  Type(&edit, Qt::Key_A, "a");
  Type(&edit, Qt::Key_2, "2");
  Type(&edit, Qt::Key_Backspace, "\b");
  EXPECT_EQ(edit.text(), QStringLiteral("12"));
  EXPECT_EQ(edit.EditNumber(), 12);
  edit.setCursorPosition(0);
  Type(&edit, Qt::Key_Delete);
  EXPECT_EQ(edit.text(), QStringLiteral("2")) << "Delete types nothing and still deletes";
  edit.setDigitsOnly(false);
  EXPECT_EQ(edit.EditNumber(), 0);

  TSkSpinEdit spin(nullptr);
  spin.setValue(15);
  spin.setMaximumValue(10);
  EXPECT_EQ(spin.value(), 10);
  spin.setMinimumValue(1);
  spin.setValue(0);
  EXPECT_EQ(spin.value(), 1);
}

TEST(Panels, CentringPercentagesAndShowOrHide) {
  QWidget parent;
  MakeVclContainer(&parent);
  parent.resize(801, 600);
  TSkPanel panel(&parent);
  SetControlBounds(&panel, QRect(0, 0, 300, 100));
  panel.centerHorizontally = true;
  panel.Centre();
  EXPECT_EQ(panel.x(), 250);
  TParentPanel zero(nullptr);
  zero.resize(0, 0);
  TSkPanel inZero(&zero);
  SetControlBounds(&inZero, QRect(0, 0, 40, 40));
  ApplyPercent(&inZero, 50, 0);
  EXPECT_EQ(inZero.width(), 40) << "a parent of width 0 leaves the width";
  ApplyPercent(&panel, 33, 0);
  EXPECT_EQ(panel.width(), 264);  // (801 div 100) * 33
}

TEST(PopMenus, ItemsFoundByActionOrDataAndShortened) {
  TSkPopMenu menu(nullptr);
  EXPECT_EQ(menu.DeleteByAction("x"), -1);
  menu.InsertAt(0, "Первый", "", "zetka*1*2");
  EXPECT_EQ(menu.Count(), 1) << "InsertAt on an empty menu appends";
  menu.lengthLimit = 10;
  menu.Add("Alpha beta gamma", "a", "Ctrl+F");
  menu.Add("Abcdefghijkl", "b", "");
  menu.Add("Short", "c", "");
  menu.Add("Ten chars!", "d", "");  // exactly the limit: shortened
  EXPECT_EQ(menu.ItemAt(1)->text(), QStringLiteral("Alpha..."));
  EXPECT_EQ(menu.ItemAt(1)->shortcut(), QKeySequence("Ctrl+F"));
  EXPECT_EQ(menu.ItemAt(2)->text(), QStringLiteral("Abcdefghi"));
  EXPECT_EQ(menu.ItemAt(3)->text(), QStringLiteral("Short"));
  EXPECT_EQ(menu.ItemAt(4)->text(), QStringLiteral("Ten..."));
  EXPECT_EQ(menu.FindByAction("ZETKA*1*2"), menu.ItemAt(0));
  menu.ItemAt(3)->data = "fav";
  EXPECT_EQ(menu.DeleteByData("FAV"), 3);
  TSkItem* inserted = menu.InsertAt(1, "Вставлен", "", "i");
  EXPECT_EQ(menu.ItemAt(1), inserted);
  EXPECT_EQ(menu.actions().at(1), inserted) << "the menu shows the items in the list's order";
  EXPECT_FALSE(menu.ItemAt(99));
  menu.Clear();
  EXPECT_EQ(menu.Count(), 0);
  EXPECT_TRUE(menu.actions().isEmpty());
}

class SkinTest : public PackTest {};

TEST_F(SkinTest, SheetPicturesComeFromThePackAndFilesRegisterOnce) {
  QByteArray png;
  {
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    QBuffer b(&png);
    b.open(QIODevice::WriteOnly);
    image.save(&b, "PNG");
  }
  WritePack(temp.file("interface.dat"),
            {{"skin\\main.qss", "/* url(nothing.png) */ QFrame { background: url(bg.png); }\n"
                                "QLabel { image: url(':/qt-project.org/x.png'); }"},
             {"skin\\bg.png", png}});
  ASSERT_TRUE(OpenPack(temp.file("interface.dat")));
  ScopedScriptedUi ui;
  const QString sheet = LoadSkinSheet("skin\\main.qss");
  EXPECT_TRUE(ui->messages.empty()) << ui->texts().join('|').toStdString();
  const QRegularExpression url(R"re(background: url\("([^"]+)"\))re");
  const auto m = url.match(sheet);
  ASSERT_TRUE(m.hasMatch()) << sheet.toStdString();
  QFile extracted(m.captured(1));
  ASSERT_TRUE(extracted.open(QIODevice::ReadOnly));
  EXPECT_EQ(extracted.readAll(), png);
  EXPECT_TRUE(sheet.contains("url(':/qt-project.org/x.png')"));

  TSkSkin skin;
  EXPECT_TRUE(skin.Register("skin\\main.qss"));
  EXPECT_FALSE(skin.Register("other\\MAIN.QSS")) << "the file name decides, not the folder";
  EXPECT_FALSE(skin.Register(""));
  EXPECT_TRUE(skin.Find("x\\main.qss").contains("QFrame"));
  EXPECT_TRUE(skin.Find("nothing.qss").isEmpty());
}

}  // namespace
}  // namespace tobrina::test
