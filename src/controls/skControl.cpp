#include "controls/skControl.h"

#include <QStyle>

namespace tobrina {

void SetThemeObject(QWidget* widget, const QString& name) {
  if (auto* sk = dynamic_cast<SkControl*>(widget)) sk->themeObject = name;
  widget->setProperty("theme", name);
  widget->style()->unpolish(widget);
  widget->style()->polish(widget);
}

void ApplyTextFont(QWidget* widget, const TextFont& font) {
  widget->setFont(font.font);
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, font.color);
  palette.setColor(QPalette::ButtonText, font.color);
  palette.setColor(QPalette::Text, font.color);
  widget->setPalette(palette);
}

TextFont TextFontOf(const QWidget* widget) {
  return TextFont{widget->font(), widget->palette().color(QPalette::WindowText)};
}

void SetBackgroundColor(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, color);
  palette.setColor(QPalette::Base, color);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

}  // namespace tobrina
