#pragma once
// The window every description builds into, and the generic secondary window.

#include <QPointer>
#include <QStackedWidget>
#include <QWidget>
#include <functional>

#include "interp/skCommand.h"
#include "interp/skHotKey.h"
#include "pack/gHelpers.h"

namespace tobrina {

class TSkForm : public QWidget {
  Q_OBJECT
 public:
  explicit TSkForm(QWidget* parent = nullptr);
  ~TSkForm() override;

  // The notebook filling the window: one page per form section.
  QStackedWidget* pageSet() const { return pages_; }
  QStackedWidget* ensurePageSet();
  // Adds a page named "p" + the number of pages so far and makes it current.
  QWidget* addPage();
  QWidget* page(int index) const;

  // Adds "key text*action", bound to the page shown now (every page, -1,
  // when the window has no notebook).
  void RegisterHotKey(const QString& text);
  const TSkHotKey& hotKeys() const { return hotKeys_; }
  // The current notebook page, -1 without a notebook.
  int currentPageIndex() const;

  void setHelpButton(bool on) { helpButton = on; }
  void setSizeable(bool on);
  void setDialog(bool on);

  QString effect;
  bool escCloses = false;
  bool movableByBody = false;
  QString descriptionFileName;
  QString loadAction;
  bool helpButton = false;
  bool dialog = false;
  bool sizeable = true;
  bool hideCaption = true;
  bool visibleFlag = true;
  TextFont messageFont;
  QString shownWhenMaximised;  // speed-button names, each followed by ";"
  QString shownWhenNormal;
  QColor pageColor;
  QString helpAction;
  int modalResult = 0;

  std::function<void(const RHelpAction&)> actionCallback;
  std::function<void(int width, int height)> resizeCallback;

  // Starts the window system's own move, as if the caption were dragged.
  void dragByBody();
  // The window's key handler: hot keys, Esc, and the developer keys. The
  // window sees every key before the focused control, which still gets it.
  void handleKey(int key, Qt::KeyboardModifiers modifiers);
  // Runs the help action with the pointer's screen position as the anchor.
  void requestHelp();

  // The menu shown as the window's system menu (Alt+Space).
  QPointer<QMenu> systemMenu;
  QMenu* defaultSystemMenu() const { return defaultSystemMenu_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QStackedWidget* pages_ = nullptr;
  TSkHotKey hotKeys_;
  QMenu* defaultSystemMenu_;
  bool effectPlayed_ = false;
};

// The generic window of "form_show": everything comes from its description.
class TfrmFORM final : public TSkForm {
  Q_OBJECT
 public:
  explicit TfrmFORM(QWidget* parent = nullptr);
};

}  // namespace tobrina
