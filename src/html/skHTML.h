#pragma once
// The HTML view of every described "html" object: a QTextBrowser whose
// pages, pictures and style sheets are all read through the pack, with a
// 20-page history, find in page, drag scrolling, a title label and a linked
// tree that follow the page, and the link rules of the reader:
//
//   "$action"              -> OnAction(prefix*action)
//   *.swf                  -> OnAction("swf*" + absolute path)
//   *.jpg .gif .bmp .png   -> the enlarged-picture window (or an action)
//   *.htm .html            -> the linked tree follows, the view loads it
//   anything else          -> the desktop's opener

#include <QByteArrayView>
#include <QPointer>
#include <QStringList>
#include <QTextBrowser>
#include <functional>
#include <vector>

#include "controls/skControl.h"
#include "interp/skCommand.h"

namespace tobrina {

class TSkLabel;
class TSkTree;
class TSkTreeEx;
class TSkPopMenu;

// A page's bytes as text: a UTF-8 byte order mark, or a charset=utf-8
// declaration in the first 1024 bytes, selects UTF-8; else windows-1251.
QString DecodeHtmlPage(QByteArrayView bytes);

class TSkHtml : public QTextBrowser, public SkControl {
  Q_OBJECT
 public:
  // Most pages a view remembers.
  static constexpr int kHistoryMax = 20;

  explicit TSkHtml(QWidget* parent);
  ~TSkHtml() override;

  // Loading. LoadFile takes "page.html#anchor" and enters the history.
  void LoadFile(const QString& fileName);
  void LoadLines(const QStringList& lines);   // base: the executable's folder; to the top
  void LoadText(const QString& html);          // keeps the position when the last load was LoadText too
  void LoadBytes(const QByteArray& bytes);     // decoded by byte order mark or the page's charset
  void ShowCentered(const QString& fragment, const QString& alignment);
  void ShowPicture(const QString& baseFile, const QString& pictureName, QString* resolved);

  // The file shown (as it resolved), and the document's title.
  const QString& currentFile() const { return currentFile_; }
  QString documentTitle() const;

  // Positions.
  void SetPagePosition(int position);
  int horizontalPosition() const;
  void setHorizontalPosition(int position);
  int verticalPosition() const;
  void setVerticalPosition(int position);  // clamped to the document
  void setHorizontalBarAllowed(bool on);
  void setVerticalBarAllowed(bool on);
  bool horizontalBarAllowed() const { return horizontalAllowed_; }
  bool verticalBarAllowed() const { return verticalAllowed_; }
  void SyncScrollBars();

  // History: index 0 is the newest page.
  int historyIndex() const { return historyIndex_; }
  void setHistoryIndex(int index);  // out of range or the current one: nothing
  int historyCount() const { return int(history_.size()); }
  QString historyFile(int index) const;
  QString historyTitle(int index) const;

  bool FindText(const QString& text);
  void SyncLinkedTree(const QString& fileName);
  void setDragScrollMode(bool on);
  bool dragScrollMode() const { return dragScroll_; }
  // Alt+E: opens the page in the developer's editor (store value
  // "\Software\Dov\Morbanix" EditHtml) or the desktop's editor.
  void EditCurrentPage();

  // Link handling (public so that tests and windows can drive it): true when
  // the link was handled here and the view must not follow it.
  bool handleLink(const QString& target);
  // A click on the link: handleLink, then the view follows page links and
  // "#anchor" jumps itself.
  void OpenLink(const QString& target);

  void setDefaultBackground(const QColor& color);
  void setDefaultFontName(const QString& name);
  void setDefaultFontSize(int points);

  bool picturesOpenInWindow = true;
  // Opens the enlarged-picture window for a picture link: (current file,
  // target). Until that window exists, the picture shows in a plain window.
  std::function<void(const QString& currentFile, const QString& target)> openPictureWindow;

  bool dragsWindow = false;  // "move": pressing the view drags the window
  int minWidth = 0;
  int minHeight = 0;
  QPointer<TSkPopMenu> contextMenu;
  QPointer<TSkTree> linkTree;
  QPointer<TSkTreeEx> linkTreeEx;
  QPointer<TSkLabel> titleLabel;

 signals:
  void OnAction(const tobrina::RHelpAction& action);
  void pressed();

 protected:
  QVariant loadResource(int type, const QUrl& name) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct HistoryEntry {
    QString file;
    QString title;
    int position = 0;
  };
  void showHistoryTitle();
  void historyChanged();
  void showFile(const QString& file);
  void showHtml(const QString& html);
  QString resolvePage(const QString& name) const;
  bool showing(const QString& file) const;
  void storePosition();
  void addHistory();
  bool hasAnchor(const QString& name) const;
  bool jumpToAnchor(const QString& anchor);
  void applyMinWidth();
  QString currentFile_;
  std::vector<HistoryEntry> history_;
  int historyIndex_ = -1;
  bool horizontalAllowed_ = true;
  bool verticalAllowed_ = true;
  bool dragScroll_ = false;
  bool dragging_ = false;
  QPoint dragStart_;
  bool lastLoadWasText_ = false;
  bool pageShown_ = false;  // the document is currentFile_, not text loaded over it
};

}  // namespace tobrina
