#pragma once
// The HTML view of every described "html" object.

#include <QPointer>
#include <QTextBrowser>

#include "controls/skControl.h"
#include "interp/skCommand.h"

namespace tobrina {

class TSkLabel;
class TSkTree;
class TSkTreeEx;
class TSkPopMenu;

class TSkHtml : public QTextBrowser, public SkControl {
  Q_OBJECT
 public:
  explicit TSkHtml(QWidget* parent);
  // Shows a page read through the pack; "#anchor" scrolls to the anchor.
  void LoadFile(const QString& fileName);
  const QString& currentFile() const { return currentFile_; }
  void setDefaultBackground(const QColor& color);
  void setDefaultFontName(const QString& name);
  void setDefaultFontSize(int points);

  // "action": the prefix of "$" link actions.
  bool moveCursor = false;
  bool dragsWindow = false;
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
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QString currentFile_;
};

}  // namespace tobrina
