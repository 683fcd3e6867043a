#pragma once
// What every described control shares: its action text and the theme object
// its skin draws it with. A theme object name is the widget property "theme",
// which the skin's style sheet selectors match (QPushButton[theme="big"]).

#include <QColor>
#include <QString>
#include <QWidget>

#include "pack/gHelpers.h"

namespace tobrina {

class SkControl {
 public:
  virtual ~SkControl() = default;
  QString action;       // run by the interpreter when the control is used
  QString themeObject;  // "default" unless the description names another
  QString skinFile;     // the skin file a button or combo box links to, if any
};

inline SkControl* AsSkControl(QObject* object) { return dynamic_cast<SkControl*>(object); }

// Sets the theme object and lets the style sheet match it at once.
void SetThemeObject(QWidget* widget, const QString& name);
// Applies a description font: face, size, style and text colour.
void ApplyTextFont(QWidget* widget, const TextFont& font);
// The description font of a widget, as ParseFont will change it.
TextFont TextFontOf(const QWidget* widget);
void SetBackgroundColor(QWidget* widget, const QColor& color);

}  // namespace tobrina
