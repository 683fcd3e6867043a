#include "html/skHTML.h"

#include <QMouseEvent>

#include "pack/gHelpers.h"
#include "pack/gPack.h"

namespace tobrina {

TSkHtml::TSkHtml(QWidget* parent) : QTextBrowser(parent) {
  setOpenLinks(false);
  setFrameShape(QFrame::NoFrame);
}

void TSkHtml::LoadFile(const QString& fileName) {
  QString name = fileName;
  const QString file = SplitToken(name, QStringLiteral("#"));
  currentFile_ = file;
  setHtml(ReadPackText(file));
  if (!name.isEmpty()) scrollToAnchor(name);
}

void TSkHtml::setDefaultBackground(const QColor& color) { SetBackgroundColor(viewport(), color); }

void TSkHtml::setDefaultFontName(const QString& name) {
  QFont f = document()->defaultFont();
  f.setFamily(name);
  document()->setDefaultFont(f);
}

void TSkHtml::setDefaultFontSize(int points) {
  if (points <= 0) return;
  QFont f = document()->defaultFont();
  f.setPointSize(points);
  document()->setDefaultFont(f);
}

void TSkHtml::mousePressEvent(QMouseEvent* event) {
  QTextBrowser::mousePressEvent(event);
  if (event->button() == Qt::LeftButton && dragsWindow) emit pressed();
}

}  // namespace tobrina
