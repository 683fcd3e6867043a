#include "support.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <memory>

#include "controls/skSimple.h"
#include "controls/skTreeView.h"
#include "html/skHTML.h"
#include "pack/gHelpers.h"
#include "pack/gPack.h"
#include "platform/codepage.h"
#include "platform/uiservices.h"
#include "platform/userstore.h"

namespace tobrina::test {
namespace {

QByteArray Cp1251(const QString& text) { return *EncodeCp1251(text); }

QByteArray Png(const QColor& color, int w = 2, int h = 2) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(color);
  QByteArray bytes;
  QBuffer b(&bytes);
  b.open(QIODevice::WriteOnly);
  image.save(&b, "PNG");
  return bytes;
}

QByteArray Gif() {
  // 1x1 GIF89a.
  return QByteArray::fromBase64("R0lGODlhAQABAIAAAP///wAAACwAAAAAAQABAAACAkQBADs=");
}

// A page tall enough to scroll, with an anchor "part" far down.
QString TallBody() {
  QString body;
  for (int i = 0; i < 80; ++i) body += QString("<p>строка %1</p>\n").arg(i);
  return body + "<p><a name=\"part\">Раздел</a></p>\n" + body;
}

class HtmlTest : public PackTest {
 protected:
  void SetUp() override {
    SetExeFolderOverride(temp.path());
    std::vector<PackFile> files = {
        {"page1.htm", Cp1251("<html><head><title>Первая страница</title></head>"
                             "<body><p>Привет, мир</p><p><a name=\"end\">конец</a></p></body></html>")},
        {"page2.htm", ("<html><head><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; Charset=UTF-8\">"
                       "<title>Вторая</title></head><body>" + TallBody() + "</body></html>")
                          .toUtf8()},
        {"sub\\pics.htm", "<html><head><link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\">"
                          "<link rel=\"stylesheet\" type=\"text/css\" href=\"main.css\"></head><body>"
                          "<p class=\"red\">red</p><p class=\"blue\">blue</p>"
                          "<img src=\"img/cat.png\"><img src=\"dot.gif\"><img src=\"missing.png\"></body></html>"},
        {"sub\\style.css", "p.red { color: #ff0000 }"},
        {"main.css", "p.blue { color: #0000ff }"},
        {"sub\\img\\cat.png", Png(Qt::green, 3, 2)},
        {"dot.gif", Gif()},
        {"other.htm", "<html><body><img src=\"img/cat.png\"></body></html>"},
        {Cp1251("глава 1.htm"), Cp1251("<html><head><title>Глава</title></head><body>" + TallBody() + "</body></html>")},
    };
    for (int i = 0; i <= 20; ++i)
      files.push_back({QString("h%1.htm").arg(i).toLatin1(),
                       Cp1251(QString("<html><head><title>Стр %1</title></head><body>%1</body></html>").arg(i))});
    WritePack(temp.file("interface.dat"), files);
    ASSERT_TRUE(OpenPack(temp.file("interface.dat")));
    view = std::make_unique<TSkHtml>(nullptr);
    view->resize(400, 300);
    view->show();
    label = std::make_unique<TSkLabel>(nullptr);
    view->titleLabel = label.get();
  }
  void TearDown() override {
    view.reset();
    label.reset();
    PackTest::TearDown();
  }
  QString exe(const QString& name) const { return ExeFolder() + name; }

  ScopedScriptedUi ui;
  std::unique_ptr<TSkHtml> view;
  std::unique_ptr<TSkLabel> label;
};

// --- decoding --------------------------------------------------------------

TEST(HtmlDecode, EncodingRules) {
  const QString text = "<p>Ёжик</p>";
  const QByteArray utf8 = text.toUtf8();
  const QByteArray cp = Cp1251(text);
  const QByteArray padding(1100, ' ');
  struct Case {
    const char* what;
    QByteArray bytes;
    QString expected;
  };
  const Case cases[] = {
      {"byte order mark", "\xEF\xBB\xBF" + utf8, text},
      {"meta charset", "<meta charset=\"utf-8\">" + utf8, "<meta charset=\"utf-8\">" + text},
      {"http-equiv, upper case", "<META content=\"text/html; CHARSET=UTF-8\">" + utf8,
       "<META content=\"text/html; CHARSET=UTF-8\">" + text},
      {"no declaration", cp, text},
      {"other charset", "<meta charset=windows-1251>" + cp, "<meta charset=windows-1251>" + text},
      {"utf-16 is not utf-8", "<meta charset=utf-16>" + cp, "<meta charset=utf-16>" + text},
      {"declaration after 1024 bytes", padding + "<meta charset=utf-8>" + cp,
       QString::fromLatin1(padding) + "<meta charset=utf-8>" + text},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeHtmlPage(c.bytes), c.expected) << c.what;
}

// --- pages -----------------------------------------------------------------

TEST_F(HtmlTest, PagesDecodeAndTitleFollows) {
  view->LoadFile("page1.htm");
  EXPECT_EQ(view->currentFile(), exe("page1.htm"));
  EXPECT_EQ(view->documentTitle(), "Первая страница");
  EXPECT_TRUE(view->toPlainText().contains("Привет, мир"));
  EXPECT_EQ(label->wideCaption(), "Первая страница");

  view->LoadFile("page2.htm#part");
  EXPECT_EQ(view->documentTitle(), "Вторая");
  EXPECT_TRUE(view->toPlainText().contains("строка 5"));
  EXPECT_EQ(label->wideCaption(), "Вторая");
  EXPECT_GT(view->verticalPosition(), 0) << "scrolled to the anchor";
  EXPECT_TRUE(ui->messages.empty()) << ui->texts().join('|').toStdString();
}

TEST_F(HtmlTest, MissingPageKeepsDocument) {
  view->LoadFile("page1.htm");
  view->LoadFile("nothere.htm#x");
  EXPECT_EQ(ui->texts(), QStringList{"Не найден файл: nothere.htm"});
  EXPECT_EQ(view->documentTitle(), "Первая страница");
  EXPECT_EQ(view->currentFile(), exe("page1.htm"));
  EXPECT_EQ(view->historyCount(), 1);
}

TEST_F(HtmlTest, PageNamesResolveAgainstCurrentFolderFirst) {
  view->LoadFile("sub\\pics.htm");
  ASSERT_EQ(view->currentFile(), exe("sub\\pics.htm"));
  view->LoadFile("style.css");  // beside the current page
  EXPECT_EQ(view->currentFile(), exe("sub\\style.css"));
  view->LoadFile("page1.htm");  // only beside the executable
  EXPECT_EQ(view->currentFile(), exe("page1.htm"));
  EXPECT_TRUE(ui->messages.empty()) << ui->texts().join('|').toStdString();
}

TEST_F(HtmlTest, PictureAsPage) {
  view->LoadFile("sub/img/cat.png");
  const QVariant image = view->document()->resource(QTextDocument::ImageResource, QUrl(view->currentFile()));
  EXPECT_EQ(image.value<QImage>().size(), QSize(3, 2));
  EXPECT_TRUE(view->toHtml().contains("<img"));
}

TEST_F(HtmlTest, ResourcesReadThroughPack) {
  view->LoadFile("sub\\pics.htm");
  QTextDocument* doc = view->document();
  const auto image = [doc](const char* name) {
    return doc->resource(QTextDocument::ImageResource, QUrl(name)).value<QImage>();
  };
  EXPECT_EQ(image("img/cat.png").size(), QSize(3, 2));
  EXPECT_EQ(image("img\\cat.png").size(), QSize(3, 2));
  EXPECT_FALSE(image("dot.gif").isNull()) << "a GIF falls back to the executable's folder";
  EXPECT_TRUE(image("missing.png").isNull());
  EXPECT_FALSE(image(qPrintable(exe("sub/img/cat.png"))).isNull()) << "absolute path";

  // Both style sheets applied: one beside the page, one beside the executable.
  const auto colorOf = [doc](const QString& word) {
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
      if (b.text().startsWith(word)) return b.begin().fragment().charFormat().foreground().color();
    return QColor();
  };
  EXPECT_EQ(colorOf("red"), QColor(Qt::red));
  EXPECT_EQ(colorOf("blue"), QColor(Qt::blue));
  EXPECT_TRUE(ui->messages.empty()) << ui->texts().join('|').toStdString();

  // The same relative name on a page of another folder is another picture.
  view->LoadFile("other.htm");
  EXPECT_TRUE(image("img/cat.png").isNull());
}

TEST_F(HtmlTest, TextLoadsAndPositions) {
  const QStringList tall = {"<html><body>", TallBody(), "</body></html>"};
  view->LoadFile("page1.htm");
  view->LoadLines(tall);
  EXPECT_TRUE(view->currentFile().isEmpty());
  EXPECT_EQ(view->historyCount(), 1);
  EXPECT_EQ(view->verticalPosition(), 0);

  view->setVerticalPosition(1 << 30);
  EXPECT_EQ(view->verticalPosition(), view->verticalScrollBar()->maximum()) << "clamped";
  view->setVerticalPosition(-5);
  EXPECT_EQ(view->verticalPosition(), 0);

  view->LoadText(tall.join(""));
  view->setVerticalPosition(100);
  view->LoadText(tall.join("") + "<p>ещё</p>");
  EXPECT_EQ(view->verticalPosition(), 100) << "text after text keeps the position";
  view->LoadLines(tall);
  view->setVerticalPosition(100);
  view->LoadText(tall.join(""));
  EXPECT_EQ(view->verticalPosition(), 0);

  view->ShowCentered("<b>Готово</b>", "");
  EXPECT_TRUE(view->toHtml().contains("Готово"));

  QString resolved;
  view->ShowPicture(exe("sub\\pics.htm"), "img/cat.png", &resolved);
  EXPECT_EQ(resolved, exe("sub\\img\\cat.png"));
  EXPECT_EQ(view->document()->resource(QTextDocument::ImageResource, QUrl(resolved)).value<QImage>().size(),
            QSize(3, 2));
}

// --- links -----------------------------------------------------------------

void Mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
  const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
  QMouseEvent event(type, at, target->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : button, buttons,
                    Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

TEST_F(HtmlTest, LinkRules) {
  struct Case {
    const char* prefix;
    bool inWindow;
    const char* target;
    bool handled;
    QString action;  // empty: none
    bool picture;
    QString opened;  // empty: none
  };
  const Case cases[] = {
      {"", true, "$zetka*2*5", false, "zetka*2*5", false, ""},
      {"main", true, "$zetka*2*5", false, "main*zetka*2*5", false, ""},
      {"", true, "pics/cat.JPG", true, "", true, ""},
      {"main", false, "pics/cat.JPG", true, "main*pics/cat.JPG", false, ""},
      {"", false, "pics/cat.JPG", true, "pics/cat.JPG", false, ""},
      {"main", true, "film.swf#x", false, "swf*" + temp.path() + "/film.swf", false, ""},
      {"", true, "https://example.org/", false, "", false, "https://example.org/"},
      {"", true, "https://example.org/page.html", false, "", false, "https://example.org/page.html"},
  };
  view->LoadFile("page1.htm");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    ui->clear();
    view->action = c.prefix;
    view->picturesOpenInWindow = c.inWindow;
    QStringList actions, pictures;
    view->openPictureWindow = [&](const QString& file, const QString& target) { pictures << file << target; };
    const auto connection =
        QObject::connect(view.get(), &TSkHtml::OnAction, [&](const RHelpAction& a) { actions << a.Action; });
    EXPECT_EQ(view->handleLink(c.target), c.handled);
    QObject::disconnect(connection);
    EXPECT_EQ(actions, c.action.isEmpty() ? QStringList() : QStringList{c.action});
    EXPECT_EQ(pictures, c.picture ? (QStringList{exe("page1.htm"), c.target}) : QStringList());
    EXPECT_EQ(ui->openedDocuments, c.opened.isEmpty() ? std::vector<QString>() : std::vector<QString>{c.opened});
    EXPECT_TRUE(ui->messages.empty()) << ui->texts().join('|').toStdString();
    EXPECT_EQ(view->currentFile(), exe("page1.htm")) << "not followed";
  }
}

TEST_F(HtmlTest, ClickedPageLinksAreFollowed) {
  view->LoadFile("page1.htm");
  emit view->anchorClicked(QUrl("page2.htm#part"));
  EXPECT_EQ(view->currentFile(), exe("page2.htm"));
  EXPECT_GT(view->verticalPosition(), 0);
  EXPECT_EQ(view->historyCount(), 2);

  // A link to the page shown only scrolls, and the jump is a history entry.
  view->SetPagePosition(0);
  view->OpenLink("page2.htm#part");
  EXPECT_EQ(view->historyCount(), 3);
  const int atPart = view->verticalPosition();
  EXPECT_GT(atPart, 0);
  view->setHistoryIndex(1);
  EXPECT_EQ(view->verticalPosition(), 0);
  view->setHistoryIndex(0);
  EXPECT_EQ(view->verticalPosition(), atPart);
  view->OpenLink("#nosuchanchor");
  EXPECT_EQ(view->historyCount(), 3);

  // A real click on a Cyrillic name with a blank.
  view->LoadLines({"<p><a href=\"Глава 1.htm#part\">ссылка</a></p>"});
  QTextCursor onLink(view->document());
  onLink.setPosition(2);
  const QPoint at = view->cursorRect(onLink).center();
  Mouse(view->viewport(), QEvent::MouseButtonPress, at);
  Mouse(view->viewport(), QEvent::MouseButtonRelease, at);
  EXPECT_EQ(view->documentTitle(), "Глава");
  EXPECT_EQ(view->currentFile(), exe("Глава 1.htm"));
  EXPECT_GT(view->verticalPosition(), 0);

  // "$" actions and flash are never followed.
  view->OpenLink("$film.htm");
  view->OpenLink("film.swf");
  EXPECT_EQ(view->currentFile(), exe("Глава 1.htm"));
  EXPECT_TRUE(ui->messages.empty()) << ui->texts().join('|').toStdString();
}

TEST_F(HtmlTest, LinkedTreeFollowsPages) {
  TSkTreeEx tree(nullptr);
  auto* section = new QTreeWidgetItem(&tree, {"Раздел"});
  auto* first = new QTreeWidgetItem(section, {"Вторая"});
  first->setData(0, kNodeDataRole, "page2.htm");
  auto* pics = new QTreeWidgetItem(section, {"Картинки"});
  pics->setData(0, kNodeDataRole, "SUB/Pics.htm");
  auto* again = new QTreeWidgetItem(&tree, {"Вторая ещё раз"});
  again->setData(0, kNodeDataRole, "page2.htm");
  view->linkTreeEx = &tree;

  view->LoadFile("page1.htm");
  view->OpenLink("sub/pics.htm");
  EXPECT_EQ(tree.currentItem(), pics);
  EXPECT_TRUE(pics->isSelected());
  EXPECT_TRUE(section->isExpanded());

  // From inside sub, "..\page2.htm" is the first page2 node.
  view->OpenLink("..\\page2.htm");
  EXPECT_EQ(view->currentFile(), exe("page2.htm"));
  EXPECT_EQ(tree.currentItem(), first);

  view->SyncLinkedTree(exe("nothere.htm"));
  EXPECT_TRUE(tree.selectedItems().isEmpty());
  view->SyncLinkedTree(exe("page2.htm"));
  EXPECT_TRUE(first->isSelected()) << "reselected after the selection was cleared";
}

// --- find ------------------------------------------------------------------

TEST_F(HtmlTest, FindWrapsOnceToTop) {
  view->LoadLines({"<p>Жил-был кот.</p>", "<p>Конец.</p>"});
  ASSERT_TRUE(view->FindText("КОТ"));
  const int at = view->textCursor().selectionStart();
  EXPECT_EQ(view->textCursor().selectedText(), "кот");
  ASSERT_TRUE(view->FindText("кот"));
  EXPECT_EQ(view->textCursor().selectionStart(), at) << "wrapped to the top and found it again";

  EXPECT_FALSE(view->FindText("собака"));
  EXPECT_EQ(view->textCursor().selectionStart(), at) << "the old cursor is back";
  EXPECT_EQ(view->textCursor().selectedText(), "кот");
}

// --- history ---------------------------------------------------------------

TEST_F(HtmlTest, HistoryKeepsTwentyNewestFirst) {
  for (int i = 0; i <= 20; ++i) view->LoadFile(QString("h%1.htm").arg(i));
  ASSERT_EQ(view->historyCount(), TSkHtml::kHistoryMax);
  EXPECT_EQ(view->historyIndex(), 0);
  EXPECT_EQ(view->historyFile(0), exe("h20.htm"));
  EXPECT_EQ(view->historyFile(19), exe("h1.htm"));
  EXPECT_EQ(view->historyTitle(19), "Стр 1");
  EXPECT_EQ(view->historyFile(20), QString());

  for (int bad : {-1, 0, 20, 100}) {
    view->setHistoryIndex(bad);
    EXPECT_EQ(view->historyIndex(), 0) << bad;
    EXPECT_EQ(view->currentFile(), exe("h20.htm")) << bad;
  }

  view->LoadFile("h20.htm");
  EXPECT_EQ(view->historyCount(), TSkHtml::kHistoryMax) << "loading the page shown again adds nothing";
}

TEST_F(HtmlTest, BackAndForwardRestorePageTitleAndPosition) {
  view->LoadFile("page2.htm");
  view->setVerticalPosition(120);
  view->LoadFile("page1.htm");
  EXPECT_EQ(label->wideCaption(), "Первая страница");

  view->setHistoryIndex(1);
  EXPECT_EQ(view->historyIndex(), 1);
  EXPECT_EQ(view->currentFile(), exe("page2.htm"));
  EXPECT_EQ(view->documentTitle(), "Вторая");
  EXPECT_EQ(label->wideCaption(), "Вторая");
  EXPECT_EQ(view->verticalPosition(), 120);

  view->setVerticalPosition(60);
  view->setHistoryIndex(0);
  EXPECT_EQ(view->currentFile(), exe("page1.htm"));
  EXPECT_EQ(label->wideCaption(), "Первая страница");
  view->setHistoryIndex(1);
  EXPECT_EQ(view->verticalPosition(), 60) << "the position was stored on leaving";

  // Text shown over a page does not stand for it.
  view->setHistoryIndex(0);
  view->LoadText("<p>поверх</p>");
  view->setHistoryIndex(1);
  view->setHistoryIndex(0);
  EXPECT_EQ(view->documentTitle(), "Первая страница");
  view->LoadLines({"<p>поверх</p>"});
  view->OpenLink("page1.htm");
  EXPECT_EQ(view->documentTitle(), "Первая страница");
  view->setHistoryIndex(1);

  // A new page from the middle drops the newer entries.
  view->LoadFile("h3.htm");
  EXPECT_EQ(view->historyCount(), 2);
  EXPECT_EQ(view->historyFile(0), exe("h3.htm"));
  EXPECT_EQ(view->historyFile(1), exe("page2.htm"));
  EXPECT_EQ(view->historyTitle(1), "Вторая");
}

// --- mouse and keys --------------------------------------------------------

TEST_F(HtmlTest, DragScrollsByATenthOfTheDistance) {
  view->LoadFile("page2.htm");
  view->setDragScrollMode(true);
  EXPECT_EQ(view->textInteractionFlags(), Qt::LinksAccessibleByMouse);
  QWidget* port = view->viewport();

  Mouse(port, QEvent::MouseButtonPress, {100, 100});
  Mouse(port, QEvent::MouseMove, {100, 65});
  EXPECT_EQ(view->verticalPosition(), 3);
  Mouse(port, QEvent::MouseMove, {100, 65});
  EXPECT_EQ(view->verticalPosition(), 6) << "measured from the press, not the last move";
  Mouse(port, QEvent::MouseMove, {100, 139});
  EXPECT_EQ(view->verticalPosition(), 3) << "-39 / 10 truncates to -3";
  Mouse(port, QEvent::MouseButtonRelease, {100, 139});
  Mouse(port, QEvent::MouseMove, {100, 0});
  EXPECT_EQ(view->verticalPosition(), 3) << "no drag after release";

  // With "move" the press drags the window instead.
  view->dragsWindow = true;
  int pressed = 0;
  QObject::connect(view.get(), &TSkHtml::pressed, [&] { ++pressed; });
  Mouse(port, QEvent::MouseButtonPress, {100, 100});
  Mouse(port, QEvent::MouseMove, {100, 0});
  Mouse(port, QEvent::MouseButtonRelease, {100, 0});
  EXPECT_EQ(pressed, 1);
  EXPECT_EQ(view->verticalPosition(), 3);

  view->setDragScrollMode(false);
  EXPECT_EQ(view->textInteractionFlags(), Qt::TextBrowserInteraction);
}

TEST_F(HtmlTest, AltEOpensPageInEditor) {
  UserStore::Install(std::make_unique<UserStore>(temp.file("store.ini")));
  view->LoadFile("page1.htm");
  QKeyEvent ctrlAltE(QEvent::KeyPress, Qt::Key_E, Qt::AltModifier | Qt::ControlModifier);
  QApplication::sendEvent(view.get(), &ctrlAltE);
  EXPECT_TRUE(ui->startedPrograms.empty());
  EXPECT_TRUE(ui->openedDocuments.empty());

  UserStore::Instance().write("\\Software\\Dov\\Morbanix", "EditHtml", "/usr/bin/editor");
  QKeyEvent altE(QEvent::KeyPress, Qt::Key_E, Qt::AltModifier);
  QApplication::sendEvent(view.get(), &altE);
  UserStore::Install(nullptr);
  ASSERT_EQ(ui->startedPrograms.size(), 1u);
  EXPECT_EQ(ui->startedPrograms[0], (QStringList{"/usr/bin/editor", temp.path() + "/page1.htm"}));
}

}  // namespace
}  // namespace tobrina::test
