#include <QKeyEvent>
#include <QTextCursor>

#include "app/main_support.h"
#include "app/uFind.h"
#include "html/skHTML.h"

namespace tobrina::test {
namespace {

class FindWindow : public MainWindow {
 protected:
  TFrmFind& find() { return *window->findWindow(); }
  void search(const QString& text, const char* mode) {
    find().searchBox->setEditText(text);
    find().interpreter()->GetRadioButton(QString::fromLatin1(mode))->setChecked(true);
    find().interpreter()->RunActionText("find_start");
  }
  QStringList rows() {
    QStringList out;
    for (int i = 0; i < find().resultList->count(); ++i)
      out << find().resultList->item(i)->text() + u'#' + find().resultList->ListItemValue(i);
    return out;
  }
  QString label() { return find().resultLabel->wideCaption(); }
  // Replaces the catalogue and starts the window again.
  void catalogue(const QByteArray& sections) {
    temp.write("topic.xml", "<?xml version=\"1.0\" encoding=\"utf-8\"?><root>" + sections + "</root>");
    window.reset();
    open();
  }
};

const QString kNothing = QStringLiteral("Поиск не дал результата");

TEST_F(FindWindow, CaptionsMatchInAnyCaseAndKeepTheirSpelling) {
  catalogue(
      "<section format=\"s\" zetka_name=\"S\">"
      "<entry><zetka_name>Дом у реки</zetka_name><zetka html=\"p\\a.html\"/></entry>"
      "<entry><zetka_name>Сад</zetka_name><zetka html=\"p\\b.html\"/></entry>"
      "<entry><zetka_name>Новый ДОМИК</zetka_name><zetka html=\"p\\c.html\"/></entry></section>");
  // Enter in the search box starts the search; typing alone does not.
  find().searchBox->setEditText("дОм");
  find().interpreter()->GetRadioButton("rb_caption")->setChecked(true);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, "\r");
  QApplication::sendEvent(find().searchBox, &press);
  QApplication::sendEvent(find().searchBox, &release);
  EXPECT_EQ(rows(), QStringList({"Дом у реки#0", "Новый ДОМИК#2"}));
  EXPECT_EQ(label(), QString());
  EXPECT_EQ(find().found.size(), 2u);

  search("сад", "rb_caption");
  search("сад", "rb_caption");
  EXPECT_EQ(rows(), QStringList({"Сад#1"}));
  QStringList history;
  for (int i = 0; i < find().searchBox->count(); ++i) history << find().searchBox->itemText(i);
  EXPECT_EQ(history, QStringList({"сад", "сад", "дОм"})) << "every start goes on top, once";

  search("изба", "rb_caption");
  EXPECT_TRUE(rows().isEmpty());
  EXPECT_EQ(label(), kNothing);
  search("", "rb_caption");
  EXPECT_EQ(label(), QString()) << "an empty text clears the label and searches nothing";
  EXPECT_EQ(find().searchBox->count(), 4);
  EXPECT_TRUE(ui->messages.empty()) << ui->texts().join('|').toStdString();
}

TEST_F(FindWindow, FullTextSearchesTextRunsOnly) {
  temp.write("p/a.html",
             "<html><head><meta charset=\"utf-8\"><title>заглавие</title><script>var скрипт = 1;</script></head>\r\n"
             "<body><p class=\"атрибут\">один <!-- комментарий --> и снова один</p>\r\n"
             "<p>пишем &lt;b&gt; так</p><p>раз<b>два</b></p></body></html>");
  temp.write("p/b.html", "\xef\xbb\xbf<html><body><p>ОДИН раз</p><p>a > b</p></body></html>");  // UTF-8 by its mark
  temp.write("p/c.html", QByteArray("<html><body><p>\xef\xf0\xee\xf1\xf2\xee</p></body></html>"));  // windows-1251
  QFile::remove(temp.file("p/e.html"));
  const struct {
    const char* text;
    QStringList rows;
  } cases[] = {
      {"один", {"A#0", "B#1"}},  // twice in A, listed once; B in capitals
      {"заглавие", {}},          // title only
      {"атрибут", {}},           // attribute only
      {"комментарий", {}},       // comment only
      {"скрипт", {}},            // script only
      {"<b>", {"A#0"}},          // written as references
      {"раздва", {}},            // split by a tag
      {"a > b", {}},             // a run with a bare ">" is never searched
      {"просто", {"C#2"}},       // windows-1251 page
      {"text", {"D#3"}},
  };
  for (const auto& c : cases) {
    ui->clear();
    search(c.text, "rb_all");
    EXPECT_EQ(rows(), c.rows) << c.text;
    EXPECT_EQ(label(), c.rows.isEmpty() ? kNothing : QString()) << c.text;
    EXPECT_EQ(ui->texts().size(), 1) << "the missing page is reported and skipped: " << c.text;
  }
  EXPECT_EQ(find().progress->maximum(), 4);
  EXPECT_EQ(find().progress->value(), 0);
  EXPECT_FALSE(find().running);

  search("один", "rb_caption");
  search("один", "rb_all");
  EXPECT_EQ(rows(), QStringList({"A#0", "B#1"})) << "a caption search and a full-text search both run";
}

TEST_F(FindWindow, EmptyCatalogueFindsNothing) {
  catalogue("");
  for (const char* mode : {"rb_caption", "rb_all"}) {
    search("a", mode);
    EXPECT_TRUE(rows().isEmpty()) << mode;
    EXPECT_EQ(label(), kNothing) << mode;
  }
  EXPECT_TRUE(ui->messages.empty()) << ui->texts().join('|').toStdString();
}

TEST_F(FindWindow, PageModeStepsThroughTheShownPageAndWraps) {
  temp.write("p/b.html", "\xef\xbb\xbf<html><body><p>first Слово</p><p>middle</p><p>second слово</p></body></html>");
  run("zetka*0*1");
  std::vector<int> starts;
  for (int i = 0; i < 3; ++i) {
    search("СЛОВО", "rb_cur");
    EXPECT_EQ(label(), QString());
    starts.push_back(window->html->textCursor().selectionStart());
  }
  ASSERT_EQ(starts.size(), 3u);
  EXPECT_LT(starts[0], starts[1]);
  EXPECT_EQ(starts[2], starts[0]) << "the third start wraps to the first";
  search("nowhere", "rb_cur");
  EXPECT_EQ(label(), kNothing);
  EXPECT_EQ(window->html->textCursor().selectionStart(), starts[0]) << "a miss keeps the selection";
}

TEST_F(FindWindow, ResultsOpenBehindTheWindowAndDoubleClickCloses) {
  run("find_all");
  ASSERT_EQ(ui->modalWindows.size(), 1u);
  EXPECT_EQ(ui->modalWindows[0], window->findWindow());
  search("zzz", "rb_caption");
  EXPECT_EQ(label(), kNothing);
  run("find_all");
  EXPECT_EQ(label(), QString()) << "each showing clears the label";

  search("d", "rb_caption");
  find().interpreter()->RunActionText("load");
  EXPECT_FALSE(window->EntryShown) << "nothing selected, nothing opened";
  find().resultList->setCurrentRow(0);
  find().resultList->clickedItem();
  EXPECT_EQ(window->CurrentEntryAction, QStringLiteral("zetka*2*1"));
  EXPECT_EQ(window->history().items().size(), 1u);

  find().show();
  QListWidgetItem* item = find().resultList->item(0);
  emit find().resultList->itemDoubleClicked(item);
  EXPECT_FALSE(find().isVisible());

  find().interpreter()->RunActionText("wibble*1");
  EXPECT_EQ(ui->texts(), QStringList({"wibble"}));
}

}  // namespace
}  // namespace tobrina::test
