// The property vocabulary of the description files: every key of every
// object type and what it sets.

#include <QApplication>
#include <QIcon>
#include <QToolTip>

#include "controls/skGrid.h"
#include "controls/skImage.h"
#include "controls/skPanel.h"
#include "controls/skPlayers.h"
#include "controls/skPopMenu.h"
#include "controls/skSimple.h"
#include "controls/skTreeView.h"
#include "html/skHTML.h"
#include "interp/skUseStract.h"
#include "pack/gPack.h"
#include "platform/convert.h"
#include "platform/disk.h"
#include "platform/uiservices.h"

namespace tobrina {

Qt::Alignment TextAlignment(const QString& word) {
  const QString w = word.toLower();
  if (w == u"left") return Qt::AlignLeft;
  if (w == u"right") return Qt::AlignRight;
  return Qt::AlignHCenter;
}

Align ControlAlign(const QString& word) {
  const QString w = word.toLower();
  if (w == u"bottom") return Align::Bottom;
  if (w == u"client") return Align::Client;
  if (w == u"custom") return Align::Custom;
  if (w == u"left") return Align::Left;
  if (w == u"right") return Align::Right;
  if (w == u"top") return Align::Top;
  return Align::None;
}

QString StarField(const QString& text, int n) {
  const QStringList pieces = text.split(u'*');
  return n >= 1 && n <= pieces.size() ? pieces[n - 1] : QString();
}

QCursor CursorFromText(const QString& text) {
  static const std::pair<const char*, int> kNames[] = {
      {"crdefault", 0},     {"crnone", -1},     {"crarrow", -2},     {"crcross", -3},      {"cribeam", -4},
      {"crsize", -22},      {"crsizenesw", -6}, {"crsizens", -7},    {"crsizenwse", -8},   {"crsizewe", -9},
      {"cruparrow", -10},   {"crhourglass", -11}, {"crdrag", -12},   {"crnodrop", -13},    {"crhsplit", -14},
      {"crvsplit", -15},    {"crmultidrag", -16}, {"crsqlwait", -17}, {"crno", -18},       {"crappstart", -19},
      {"crhelp", -20},      {"crhandpoint", -21}, {"crsizeall", -22},
  };
  int number = 0;
  bool named = false;
  for (const auto& [name, value] : kNames)
    if (text.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) {
      number = value;
      named = true;
    }
  if (!named) number = ParseInt(text);
  if (number >= kCursorZoom && number <= kCursorHandClosed) return NamedCursor(number);
  switch (number) {
    case -1: return QCursor(Qt::BlankCursor);
    case -3: return QCursor(Qt::CrossCursor);
    case -4: return QCursor(Qt::IBeamCursor);
    case -6: return QCursor(Qt::SizeBDiagCursor);
    case -7: return QCursor(Qt::SizeVerCursor);
    case -8: return QCursor(Qt::SizeFDiagCursor);
    case -9: return QCursor(Qt::SizeHorCursor);
    case -10: return QCursor(Qt::UpArrowCursor);
    case -11: case -17: return QCursor(Qt::WaitCursor);
    case -12: case -16: return QCursor(Qt::DragMoveCursor);
    case -13: case -18: return QCursor(Qt::ForbiddenCursor);
    case -14: return QCursor(Qt::SplitHCursor);
    case -15: return QCursor(Qt::SplitVCursor);
    case -19: return QCursor(Qt::BusyCursor);
    case -20: return QCursor(Qt::WhatsThisCursor);
    case -21: return QCursor(Qt::PointingHandCursor);
    case -22: return QCursor(Qt::SizeAllCursor);
    default: return QCursor(Qt::ArrowCursor);
  }
}

void ApplyAnchor(QWidget* control, const QString& margins) {
  if (margins.isEmpty() || !control) return;
  QString rest = margins;
  std::optional<int> field[4];  // left, top, right, bottom
  for (auto& f : field) {
    const QString piece = SplitToken(rest, QStringLiteral(" "));
    if (piece != u"*") f = ParseInt(piece);
  }
  const auto& [left, top, right, bottom] = field;
  const QWidget* parent = control->parentWidget();
  const QSize client = parent ? ContainerClientRect(parent).size() : QSize();
  QRect r = control->geometry();
  int x = r.left(), xr = r.left() + r.width(), y = r.top(), yb = r.top() + r.height();
  if (left) x = *left;
  else if (right) x = client.width() - *right - r.width();
  if (right) xr = client.width() - *right;
  else if (left) xr = *left + r.width();
  if (top) y = *top;
  else if (bottom) y = client.height() - *bottom - r.height();
  if (bottom) yb = client.height() - *bottom;
  else if (top) yb = *top + r.height();

  Anchors anchors = ControlAnchorsOf(control);
  anchors.left = anchors.left || left.has_value();
  anchors.top = anchors.top || top.has_value();
  anchors.right = anchors.right || right.has_value();
  anchors.bottom = anchors.bottom || bottom.has_value();

  const bool centreH = !left && !right;
  const bool centreV = !top && !bottom;
  if (centreH || centreV) {
    if (auto* panel = qobject_cast<PanelBase*>(control)) {
      if (centreH) panel->centerHorizontally = true;
      if (centreV) panel->centerVertically = true;
      panel->Centre();
    }
    if (centreH) {
      x = control->x();
      xr = x + control->width();
    }
    if (centreV) {
      y = control->y();
      yb = y + control->height();
    }
  }
  SetControlAnchors(control, anchors);
  SetControlBounds(control, QRect(x, y, xr - x, yb - y));
}

// One key being applied: the section, the key, its value, and the object.
struct PropertyContext {
  TSkStract& stract;
  QObject* object;
  QWidget* widget;
  QString section;
  QString key;
  QString value;

  int integer() const { return ParseInt(value); }
  bool boolean(bool fallback) const { return ParseBool(value, fallback); }
  QColor color() const { return ParseColor(value); }
  void font(TextFont& target) const { ParseFont(target, value); }
  void applyFont() const {
    TextFont f = TextFontOf(widget);
    ParseFont(f, value);
    ApplyTextFont(widget, f);
  }
  // A percent size ("33%") for panels, else pixels.
  void percentOrPixels(int& percent, bool isWidth) const {
    if (value.contains(u'%')) {
      percent = ParseInt(TextBefore(value, QStringLiteral("%")));
      ApplyPercent(widget, isWidth ? percent : 0, isWidth ? 0 : percent);
    } else if (isWidth) {
      SetControlWidth(widget, integer());
    } else {
      SetControlHeight(widget, integer());
    }
  }
  void constraint(int SizeConstraints::*field) const {
    SizeConstraints c = ControlConstraintsOf(widget);
    c.*field = integer();
    SetControlConstraints(widget, c);
  }
  void skinTheme() const {
    const QString theme = StarField(value, 1);
    if (!theme.isEmpty()) SetThemeObject(widget, theme);
  }
  // The skin's second field links a skin file to a button or combo box.
  void skinFileLink() const {
    skinTheme();
    const QString file = StarField(value, 2);
    if (stract.skin.Register(file)) {
      if (auto* sk = AsSkControl(object)) sk->skinFile = file;
      widget->setStyleSheet(stract.skin.Find(file));
    }
  }
  void setAction() const {
    if (auto* sk = AsSkControl(object)) sk->action = value;
  }
  bool is(const char16_t* name) const { return key == name; }
};

namespace {

using TypeHandler = void (*)(const PropertyContext&);

// Keys shared by many types: "anchor", "action", "hint", "caption", "font".
bool CommonControlKey(const PropertyContext& c, bool caption = true, bool font = true) {
  if (c.is(u"anchor")) ApplyAnchor(c.widget, c.value);
  else if (c.is(u"action")) c.setAction();
  else if (c.is(u"hint")) c.widget->setToolTip(c.value);
  else if (caption && c.is(u"caption")) {
    if (auto* b = qobject_cast<QAbstractButton*>(c.widget)) b->setText(c.value);
  } else if (font && c.is(u"font")) c.applyFont();
  else return false;
  return true;
}

void FormKey(const PropertyContext& c) {
  TSkForm& w = *c.stract.window();
  if (c.is(u"caption")) w.setWindowTitle(c.value);
  else if (c.is(u"title")) QGuiApplication::setApplicationDisplayName(c.value);
  else if (c.is(u"but_help")) {
    w.setHelpButton(true);
    w.helpAction = c.value;
  } else if (c.is(u"save_pos")) c.stract.savePosition = c.boolean(false);
  else if (c.is(u"min_width")) w.setMinimumWidth(c.integer());
  else if (c.is(u"min_height")) w.setMinimumHeight(c.integer());
  else if (c.is(u"dialog")) w.setDialog(c.boolean(false));
  else if (c.is(u"splash")) c.stract.ShowSplash(c.value);
  else if (c.is(u"top")) SetControlTop(&w, c.integer());
  else if (c.is(u"left")) SetControlLeft(&w, c.integer());
  else if (c.is(u"width")) SetControlWidth(&w, c.integer());
  else if (c.is(u"height")) SetControlHeight(&w, c.integer());
  else if (c.is(u"visible")) w.visibleFlag = c.boolean(true);
  else if (c.is(u"action")) w.loadAction = c.value;
  else if (c.is(u"reg_dat")) c.stract.registryPath = c.value;
  else if (c.is(u"size")) w.setSizeable(c.boolean(true));
  else if (c.is(u"moving")) w.movableByBody = c.boolean(false);
  else if (c.is(u"esc_close")) w.escCloses = c.boolean(false);
  else if (c.is(u"splash_close_auto")) c.stract.splashClosesItself = c.boolean(true);
  else if (c.is(u"hint_color") || c.is(u"hint_font_color")) {
    QPalette p = QToolTip::palette();
    p.setColor(c.is(u"hint_color") ? QPalette::ToolTipBase : QPalette::ToolTipText, c.color());
    QToolTip::setPalette(p);
  } else if (c.is(u"message_font")) c.font(w.messageFont);
  else if (c.is(u"help_id")) c.stract.HelpTopic = c.value;
  else if (c.is(u"effect")) w.effect = c.value;
  else if (c.is(u"but_max")) {
    w.shownWhenMaximised += StarField(c.value, 1) + u';';
    w.shownWhenNormal += StarField(c.value, 2) + u';';
  } else if (c.is(u"hide_caption")) {
    w.hideCaption = c.boolean(true);
    w.setWindowFlag(Qt::FramelessWindowHint, w.hideCaption);
  } else if (c.is(u"ico")) {
    const QString path = FindDiskFile(ExeRelativePath(c.value));
    if (!path.isEmpty()) QApplication::setWindowIcon(QIcon(path));
  } else if (c.is(u"skin")) {
    const QString file = StarField(c.value, 1);
    c.stract.skinName = file;
    if (c.stract.skin.Register(ExeRelativePath(file))) w.setStyleSheet(c.stract.skin.Find(file));
    const QString theme = StarField(c.value, 2);
    if (!theme.isEmpty()) SetThemeObject(&w, theme);
  }
}

void ButtonKey(const PropertyContext& c) {
  auto* b = static_cast<TSkButton*>(c.object);
  if (CommonControlKey(c)) return;
  if (c.is(u"text_align")) {
    b->textAlign = TextAlignment(c.value);
    const char* align = b->textAlign & Qt::AlignLeft ? "left" : b->textAlign & Qt::AlignRight ? "right" : "center";
    b->setStyleSheet(QStringLiteral("text-align: %1;").arg(QLatin1String(align)));
  } else if (c.is(u"transparent")) b->transparent = c.boolean(true);
  else if (c.is(u"word_wrap")) b->wordWrap = c.boolean(false);
  else if (c.is(u"skin")) c.skinFileLink();
}

void SpeedButtonKey(const PropertyContext& c) {
  auto* b = static_cast<TSkSpeedButton*>(c.object);
  if (CommonControlKey(c)) return;
  if (c.is(u"skin")) c.skinTheme();
  else if (c.is(u"transparent")) b->transparent = c.boolean(true);
  else if (c.is(u"hint_down")) b->hintDown = c.value;
  else if (c.is(u"hint_up")) b->hintUp = c.value;
  else if (c.is(u"group")) b->setGroup(c.integer());
  else if (c.is(u"but_next_tree")) {
    if (TSkTree* tree = c.stract.GetTree(c.value)) tree->buttonNext = b;
  } else if (c.is(u"but_prev_tree")) {
    if (TSkTree* tree = c.stract.GetTree(c.value)) tree->buttonPrev = b;
  } else if (c.is(u"down")) b->setDown(c.boolean(false));
  else if (c.is(u"menu")) b->setDropMenu(c.stract.GetPopMenu(c.value));
}

void TrackBarKey(const PropertyContext& c) {
  if (c.is(u"skin")) c.skinTheme();
  else CommonControlKey(c, false, false);
}

void LabelKey(const PropertyContext& c) {
  auto* l = static_cast<TSkLabel*>(c.object);
  if (c.is(u"caption")) l->SetWideCaption(c.value);
  else if (CommonControlKey(c, false)) return;
  else if (c.is(u"url")) l->setLinkLook(c.boolean(false));
  else if (c.is(u"text_align")) l->setAlignment(TextAlignment(c.value) | Qt::AlignVCenter);
  else if (c.is(u"skin")) c.skinTheme();
  else if (c.is(u"cut_length")) l->setShorten(c.boolean(false));
  else if (c.is(u"html_title")) {
    if (TSkHtml* html = c.stract.GetHtml(c.value)) html->titleLabel = l;
  } else if (c.is(u"word_wrap")) l->setWordWrap(c.boolean(false));
  else if (c.is(u"auto_size")) {
    if (c.boolean(false)) SetControlBounds(l, QRect(l->pos(), l->sizeHint()));
  }
}

void EditBoxKey(const PropertyContext& c) {
  auto* e = static_cast<TSkEditBox*>(c.object);
  if (CommonControlKey(c, false, false)) return;
  if (c.is(u"only_number")) e->setDigitsOnly(c.boolean(false));
  else if (c.is(u"min_link")) {
    TSkEditBox* other = c.stract.GetEditBox(c.value);
    if (other && other->digitsOnly()) e->minLink = other;
  }
}

void CheckBoxKey(const PropertyContext& c) {
  auto* b = static_cast<TSkCheckBox*>(c.object);
  if (CommonControlKey(c, true, false)) return;
  if (c.is(u"check")) b->setChecked(c.boolean(false));
  else if (c.is(u"enable_control")) b->AddEnableList(c.value);
}

void RadioButtonKey(const PropertyContext& c) {
  if (CommonControlKey(c, true, false)) return;
  if (c.is(u"check")) static_cast<TSkRadioButton*>(c.object)->setChecked(c.boolean(false));
}

void ProgressBarKey(const PropertyContext& c) {
  if (c.is(u"anchor") || c.is(u"hint")) CommonControlKey(c, false, false);
}

void SpinEditKey(const PropertyContext& c) {
  auto* s = static_cast<TSkSpinEdit*>(c.object);
  if (c.is(u"anchor") || c.is(u"hint")) CommonControlKey(c, false, false);
  else if (c.is(u"max")) s->setMaximumValue(c.integer());
  else if (c.is(u"min")) s->setMinimumValue(c.integer());
}

void ComboBoxKey(const PropertyContext& c) {
  auto* b = static_cast<TSkComboBox*>(c.object);
  if (CommonControlKey(c, false, false)) return;
  if (c.is(u"count_line")) b->setMaxVisibleItems(std::max(1, c.integer()));
  else if (c.is(u"load")) {
    b->LoadComboFile(c.value);
    if (b->count() > 0) b->setCurrentIndex(0);
  } else if (c.is(u"read_only")) b->setReadOnly(c.boolean(false));
  else if (c.is(u"skin")) c.skinFileLink();
}

void ListBoxKey(const PropertyContext& c) {
  auto* b = static_cast<TSkListBox*>(c.object);
  if (CommonControlKey(c, false, false)) return;
  if (c.is(u"skin")) c.skinTheme();
  else if (c.is(u"load")) b->LoadListFile(c.value);
  else if (c.is(u"multiselect"))
    b->setSelectionMode(c.boolean(false) ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

void PanelKey(const PropertyContext& c) {
  auto* p = static_cast<TSkPanel*>(c.object);
  if (c.is(u"visible_ex")) {
    if (c.boolean(true)) p->ShowOrHide();
  } else if (c.is(u"anchor") || c.is(u"action")) CommonControlKey(c, false, false);
  else if (c.is(u"min_width")) c.constraint(&SizeConstraints::minWidth);
  else if (c.is(u"max_width")) c.constraint(&SizeConstraints::maxWidth);
  else if (c.is(u"min_height")) c.constraint(&SizeConstraints::minHeight);
  else if (c.is(u"caption")) p->caption = c.value;
  else if (c.is(u"skin")) c.skinTheme();
}

void ParentPanelKey(const PropertyContext& c) {
  if (c.is(u"anchor") || c.is(u"action")) CommonControlKey(c, false, false);
  else if (c.is(u"min_width")) c.constraint(&SizeConstraints::minWidth);
  else if (c.is(u"min_height")) c.constraint(&SizeConstraints::minHeight);
  else if (c.is(u"max_width")) c.constraint(&SizeConstraints::maxWidth);
  else if (c.is(u"color")) {
    SetBackgroundColor(c.widget, c.color());
    c.widget->update();
  }
}

void SplitterKey(const PropertyContext& c) {
  if (c.is(u"action")) c.setAction();
  else if (c.is(u"skin")) c.skinTheme();
}

void ScrollBoxKey(const PropertyContext& c) {
  auto* box = static_cast<TSkScrollBox*>(c.object);
  if (c.is(u"color")) {
    SetBackgroundColor(box->viewport(), c.color());
    SetBackgroundColor(box->area(), c.color());
  } else if (c.is(u"anchor")) ApplyAnchor(box, c.value);
  else if (c.is(u"skin")) c.skinTheme();
}

void TreeKey(const PropertyContext& c) {
  auto* t = static_cast<TSkTree*>(c.object);
  if (c.is(u"min_width")) c.constraint(&SizeConstraints::minWidth);
  else if (c.is(u"min_height")) c.constraint(&SizeConstraints::minHeight);
  else if (c.is(u"max_width")) c.constraint(&SizeConstraints::maxWidth);
  else if (c.is(u"max_height")) c.constraint(&SizeConstraints::maxHeight);
  else if (c.is(u"anchor") || c.is(u"action")) CommonControlKey(c, false, false);
  else if (c.is(u"load")) t->LoadTree(c.value);
  else if (c.is(u"bordur")) t->setBorder(c.boolean(true));
  else if (c.is(u"open_block")) t->SetAlwaysExpanded(c.boolean(false));
  else if (c.is(u"link_html")) {
    if (TSkHtml* html = c.stract.GetHtml(c.value)) html->linkTree = t;
  } else if (c.is(u"color")) SetBackgroundColor(t, c.color());
  else if (c.is(u"font")) c.applyFont();
  else if (c.is(u"color_select")) t->colorSelect = c.color();
  else if (c.is(u"font_select")) c.font(t->fontSelect);
  else if (c.is(u"but_next")) t->buttonNext = c.stract.GetSpeedButton(c.value);
  else if (c.is(u"but_prev")) t->buttonPrev = c.stract.GetSpeedButton(c.value);
  else if (c.is(u"skin")) c.skinTheme();
}

void TreeExKey(const PropertyContext& c) {
  auto* t = static_cast<TSkTreeEx*>(c.object);
  if (c.is(u"anchor") || c.is(u"action")) CommonControlKey(c, false, false);
  else if (c.is(u"load")) t->LoadTree(c.value);
  else if (c.is(u"min_width")) c.constraint(&SizeConstraints::minWidth);
  else if (c.is(u"min_height")) c.constraint(&SizeConstraints::minHeight);
  else if (c.is(u"color_bg")) {
    t->colorBg = c.color();
    SetBackgroundColor(t, t->colorBg);
  } else if (c.is(u"color_bg_select")) t->colorBgSelect = c.color();
  else if (c.is(u"color_text")) t->colorText = c.color();
  else if (c.is(u"color_text_select")) t->colorTextSelect = c.color();
  else if (c.is(u"color_track")) t->colorTrack = c.color();
  else if (c.is(u"color_scroll")) t->colorScroll = c.color();
  else if (c.is(u"check")) t->SetCheckBoxes(c.boolean(true));
  else if (c.is(u"bordur")) t->setBorder(c.boolean(true));
  else if (c.is(u"link_html")) {
    if (TSkHtml* html = c.stract.GetHtml(c.value)) html->linkTreeEx = t;
  }
  if (c.key.startsWith(u"color_")) t->ApplyColours();
}

void HtmlKey(const PropertyContext& c) {
  auto* h = static_cast<TSkHtml*>(c.object);
  if (c.is(u"anchor")) ApplyAnchor(h, c.value);
  else if (c.is(u"action")) c.setAction();
  else if (c.is(u"move_cursor")) h->setDragScrollMode(c.boolean(false));
  else if (c.is(u"load")) h->LoadFile(c.value);
  else if (c.is(u"menu")) h->contextMenu = c.stract.GetPopMenu(c.value);
  else if (c.is(u"color")) h->setDefaultBackground(c.color());
  else if (c.is(u"link_tree_ex")) h->linkTreeEx = c.stract.GetTreeEx(c.value);
  else if (c.is(u"link_tree")) h->linkTree = c.stract.GetTree(c.value);
  else if (c.is(u"label_title")) h->titleLabel = c.stract.GetLabel(c.value);
  else if (c.is(u"font_name")) h->setDefaultFontName(c.value);
  else if (c.is(u"font_size")) h->setDefaultFontSize(c.integer());
  else if (c.is(u"min_width")) h->minWidth = c.integer();
  else if (c.is(u"min_height")) h->minHeight = c.integer();
  else if (c.is(u"move")) h->dragsWindow = c.boolean(false);
}

void ImageKey(const PropertyContext& c) {
  auto* i = static_cast<TSkImage*>(c.object);
  if (c.is(u"action") || c.is(u"anchor")) CommonControlKey(c, false, false);
  else if (c.is(u"load")) i->LoadPicture(c.value);
  else if (c.is(u"scale")) i->scale = c.boolean(false);
  else if (c.is(u"max_scale")) i->maxScale = c.integer() / 100.0;
  else if (c.is(u"min_scale")) i->minScale = c.integer() / 100.0;
  else if (c.is(u"menu")) i->contextMenu = c.stract.GetPopMenu(c.value);
  else if (c.is(u"center")) i->center = c.boolean(false);
  else if (c.is(u"move")) i->dragsWindow = c.boolean(false);
}

void GifKey(const PropertyContext& c) {
  if (c.is(u"anchor")) ApplyAnchor(c.widget, c.value);
  else if (c.is(u"load")) static_cast<TSkGif*>(c.object)->LoadAnimation(c.value);
}

void PicKey(const PropertyContext& c) {
  if (c.is(u"anchor")) ApplyAnchor(c.widget, c.value);
  else if (c.is(u"skin")) c.skinTheme();
}

void ListImgKey(const PropertyContext& c) {
  auto* l = static_cast<TListImg*>(c.object);
  if (c.is(u"anchor") || c.is(u"action")) CommonControlKey(c, false, false);
  else if (c.is(u"color")) SetBackgroundColor(l, c.color());
  else if (c.is(u"center")) l->center = c.boolean(false);
  else if (c.is(u"scroll")) l->scroll = c.boolean(false);
  else if (c.is(u"load")) l->listFile = c.value;
  else if (c.is(u"next_button")) l->nextButton = c.stract.GetButton(c.value);
  else if (c.is(u"prev_button")) l->prevButton = c.stract.GetButton(c.value);
  else if (c.is(u"next_gif")) {
    l->nextGif = StarField(c.value, 1);
    l->nextGifEnd = StarField(c.value, 2);
  } else if (c.is(u"prev_gif")) {
    l->prevGif = StarField(c.value, 1);
    l->prevGifStart = StarField(c.value, 2);
  }
}

void DiagramKey(const PropertyContext& c) {
  auto* d = static_cast<TskDiagram*>(c.object);
  if (c.is(u"anchor") || c.is(u"hint")) CommonControlKey(c, false, false);
  else if (c.is(u"max")) d->maximum = c.integer();
  else if (c.is(u"height_line")) d->lineHeight = c.integer();
  else if (c.is(u"color_separat")) d->colorSeparator = c.color();
  else if (c.is(u"color_polosa")) d->colorBar = c.color();
  else if (c.is(u"font_caption")) c.font(d->fontCaption);
  else if (c.is(u"font_number")) c.font(d->fontNumber);
  else if (c.is(u"margin")) d->margin = c.integer();
  else if (c.is(u"separate")) d->separation = c.integer();
  else if (c.is(u"load")) d->dataFile = c.value;
}

void GridKey(const PropertyContext& c) {
  auto* g = static_cast<TSkGrid*>(c.object);
  if (c.is(u"anchor") || c.is(u"action")) CommonControlKey(c, false, false);
  else if (c.is(u"font_fix")) c.font(g->fontFixed);
  else if (c.is(u"font_cell")) c.font(g->fontCell);
  else if (c.is(u"color_noteven")) {
    g->colorOdd = c.color();
    g->ownDrawing = true;
  } else if (c.is(u"color_even")) {
    g->colorEven = c.color();
    g->ownDrawing = true;
  } else if (c.is(u"color_fix")) {
    g->colorFixed = c.color();
    g->ownDrawing = true;
  } else if (c.is(u"draw_line")) g->stripesByRows = c.boolean(false);
  else if (c.is(u"width_fix")) g->widthFixed = c.integer();
  else if (c.is(u"print_column")) g->printColumns = c.integer();
  else if (c.is(u"width_cell")) g->widthCell = c.integer();
  else if (c.is(u"skin")) c.skinTheme();
}

void HtmlGridKey(const PropertyContext& c) {
  auto* g = static_cast<TskHtmlGrid*>(c.object);
  if (c.is(u"anchor")) ApplyAnchor(g, c.value);
  else if (c.is(u"width_table")) g->widthTable = c.integer();
  else if (c.is(u"height_table")) g->heightTable = c.integer();
  else if (c.is(u"center")) g->center = c.boolean(false);
  else if (c.is(u"load")) {
    g->dataFile = c.value;
    LoadPackFile(g->data, c.value);
  } else if (c.is(u"line")) g->lines = c.integer();
  else if (c.is(u"row")) g->cells = c.integer();
  else if (c.is(u"color_bordur")) g->colorBorder = c.value;
  else if (c.is(u"color_even")) g->colorEven = c.value;
  else if (c.is(u"color_noteven")) g->colorOdd = c.value;
  else if (c.is(u"color_line")) g->stripesByRows = c.boolean(true);
  else if (c.is(u"size_bordur")) g->borderSize = c.integer();
  else if (c.is(u"font_name")) g->setDefaultFontName(c.value);
  else if (c.is(u"font_size")) g->setDefaultFontSize(c.integer());
  else if (c.is(u"width_one_row")) g->widthFirstColumn = c.integer();
  else if (c.is(u"width_row")) g->widthColumn = c.integer();
}

void FlashKey(const PropertyContext& c) {
  auto* f = static_cast<TSkFlash*>(c.object);
  if (c.is(u"anchor")) ApplyAnchor(f, c.value);
  else if (c.is(u"track_bar")) f->trackBar = c.stract.GetTrackBar(c.value);
  else if (c.is(u"loop")) f->loop = c.boolean(false);
  else if (c.is(u"load")) f->movie = ExeRelativePath(c.value);
}

void MediaKey(const PropertyContext& c) {
  auto* m = static_cast<TSkMedia*>(c.object);
  if (c.is(u"anchor")) {
    if (m->displayArea) ApplyAnchor(m->displayArea, c.value);
  } else if (c.is(u"load")) m->file = ExeFolder() + c.value;
  else if (c.is(u"track_bar")) m->trackBar = c.stract.GetTrackBar(c.value);
}

TypeHandler HandlerOf(Kind kind) {
  switch (kind) {
    case Kind::Button: return ButtonKey;
    case Kind::SpeedButton: return SpeedButtonKey;
    case Kind::Panel: return PanelKey;
    case Kind::ParentPanel: return ParentPanelKey;
    case Kind::Html: return HtmlKey;
    case Kind::Splitter: return SplitterKey;
    case Kind::Label: return LabelKey;
    case Kind::TrackBar: return TrackBarKey;
    case Kind::Tree: return TreeKey;
    case Kind::TreeEx: return TreeExKey;
    case Kind::Flash: return FlashKey;
    case Kind::Media: return MediaKey;
    case Kind::ListBox: return ListBoxKey;
    case Kind::ScrollBox: return ScrollBoxKey;
    case Kind::Image: return ImageKey;
    case Kind::Gif: return GifKey;
    case Kind::EditBox: return EditBoxKey;
    case Kind::CheckBox: return CheckBoxKey;
    case Kind::RadioButton: return RadioButtonKey;
    case Kind::ProgressBar: return ProgressBarKey;
    case Kind::ComboBox: return ComboBoxKey;
    case Kind::ListImg: return ListImgKey;
    case Kind::Pic: return PicKey;
    case Kind::Grid: return GridKey;
    case Kind::HtmlGrid: return HtmlGridKey;
    case Kind::SpinEdit: return SpinEditKey;
    case Kind::Diagram: return DiagramKey;
    case Kind::PopMenu:
    case Kind::All: return nullptr;
  }
  return nullptr;
}

void CommonKey(const PropertyContext& c) {
  QWidget* w = c.widget;
  if (!w) return;
  if (c.is(u"top")) SetControlTop(w, c.integer());
  else if (c.is(u"left")) SetControlLeft(w, c.integer());
  else if (c.is(u"width") || c.is(u"height")) {
    const bool isWidth = c.is(u"width");
    if (auto* p = qobject_cast<PanelBase*>(w)) c.percentOrPixels(isWidth ? p->widthPercent : p->heightPercent, isWidth);
    else if (isWidth) SetControlWidth(w, c.integer());
    else SetControlHeight(w, c.integer());
  } else if (c.is(u"enabled")) w->setEnabled(c.boolean(true));
  else if (c.is(u"cursor")) w->setCursor(CursorFromText(c.value));
  else if (c.is(u"visible")) {
    if (w != c.stract.window()) w->setVisible(c.boolean(true));
  } else if (c.is(u"align")) {
    const Align align = ControlAlign(c.value);
    // An aligned control whose description gives no position of its own
    // stacks after the ones described before it, in file order.
    const bool vertical = align == Align::Top || align == Align::Bottom;
    const bool horizontal = align == Align::Left || align == Align::Right;
    if ((vertical && !c.stract.description()->valueExists(c.section, u"top")) ||
        (horizontal && !c.stract.description()->valueExists(c.section, u"left"))) {
      constexpr int kFar = 1 << 20;
      QRect r = w->geometry();
      if (align == Align::Top) r.moveTop(kFar);
      if (align == Align::Bottom) r.moveTop(-kFar);
      if (align == Align::Left) r.moveLeft(kFar);
      if (align == Align::Right) r.moveLeft(-kFar);
      w->setGeometry(r);
    }
    SetControlAlign(w, align);
  }
}

// Pressing on these controls drags a window whose body moves it.
bool DragsWithWindow(Kind kind) {
  return kind == Kind::Panel || kind == Kind::Pic || kind == Kind::Label || kind == Kind::Gif;
}

}  // namespace

void TSkStract::SetProperty(QObject* object, const QString& section, const QString& typeWord) {
  StepProgress();
  const QString type = typeWord.toLower();
  QStringList keys = description_->readSection(section);
  if (keys.isEmpty()) return;
  for (QString& key : keys) key = key.toLower();
  auto* widget = qobject_cast<QWidget*>(object);
  const bool isForm = type == u"form";
  const ObjectType* info = FindObjectType(type);
  const TypeHandler handler = isForm ? FormKey : info ? HandlerOf(info->kind) : nullptr;

  const Anchors remembered = widget ? ControlAnchorsOf(widget) : Anchors{};
  if (widget) SetControlAnchors(widget, Anchors{false, false, false, false});
  PropertyContext c{*this, object, widget, section, {}, {}};
  QString failedKey;
  try {
    for (qsizetype i = keys.size() - 1; i >= 0; --i) {
      c.key = failedKey = keys[i];
      c.value = description_->readString(section, c.key);
      CommonKey(c);
    }
    if (!handler) {
      ShowPlainMessage(QStringLiteral("SetProperty. Объект ") + section + QStringLiteral(" имеет неизвестный тип ") + type);
    } else {
      bool ownKeysOnly = true;
      for (const QString& key : std::as_const(keys)) {
        c.key = failedKey = key;
        c.value = description_->readString(section, key);
        handler(c);
        if (info && info->kind == Kind::Panel) static_cast<TSkPanel*>(object)->caption.clear();
        static const QStringList kParentPanelOwn = {QStringLiteral("anchor"), QStringLiteral("action"),
                                                    QStringLiteral("min_width"), QStringLiteral("min_height"),
                                                    QStringLiteral("max_width"), QStringLiteral("color")};
        if (!kParentPanelOwn.contains(key)) ownKeysOnly = false;
      }
      const bool dragsByKind = info && window_ && window_->movableByBody &&
                               (DragsWithWindow(info->kind) || (info->kind == Kind::ParentPanel && !ownKeysOnly));
      const auto* html = qobject_cast<TSkHtml*>(object);
      const auto* image = qobject_cast<TSkImage*>(object);
      const bool dragsByKey = (html && html->dragsWindow) || (image && image->dragsWindow);
      if ((dragsByKind || dragsByKey) && !object->property("dragHooked").toBool()) {
        object->setProperty("dragHooked", true);
        const char* pressed = SIGNAL(pressed());
        if (object->metaObject()->indexOfSignal("pressed()") >= 0)
          connect(object, pressed, this, SLOT(dragWindow()));
      }
    }
  } catch (const ConversionError& e) {
    // One bad value costs the rest of its section, never the window.
    ReportError(QStringLiteral("SetProperty. Объект %1, ключ %2: %3").arg(section, failedKey, e.text()));
  }
  if (widget && !remembered.none() && ControlAnchorsOf(widget).none()) SetControlAnchors(widget, remembered);
}

}  // namespace tobrina
