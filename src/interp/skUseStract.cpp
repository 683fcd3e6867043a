#include "interp/skUseStract.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "controls/skGrid.h"
#include "controls/skImage.h"
#include "controls/skPanel.h"
#include "controls/skPlayers.h"
#include "controls/skPopMenu.h"
#include "controls/skSimple.h"
#include "controls/skTreeView.h"
#include "html/skHTML.h"
#include "pack/gPack.h"
#include "platform/codepage.h"
#include "platform/convert.h"
#include "platform/disk.h"
#include "platform/jpeg.h"
#include "platform/uiservices.h"

namespace tobrina {

const std::vector<ObjectType>& ObjectTypes() {
  static const std::vector<ObjectType> types = {
      {"button", Kind::Button, false},          {"sp_button", Kind::SpeedButton, false},
      {"panel", Kind::Panel, true},             {"parent_panel", Kind::ParentPanel, true},
      {"html", Kind::Html, false},              {"split", Kind::Splitter, false},
      {"label", Kind::Label, false},            {"track_bar", Kind::TrackBar, false},
      {"tree", Kind::Tree, false},              {"tree_ex", Kind::TreeEx, false},
      {"flash", Kind::Flash, true},             {"media", Kind::Media, false},
      {"list_box", Kind::ListBox, false},       {"scroll_box", Kind::ScrollBox, true},
      {"image", Kind::Image, false},            {"pop_menu", Kind::PopMenu, false},
      {"gif", Kind::Gif, false},                {"edit_box", Kind::EditBox, false},
      {"check_box", Kind::CheckBox, false},     {"r_button", Kind::RadioButton, false},
      {"progress_bar", Kind::ProgressBar, false}, {"combo_box", Kind::ComboBox, false},
      {"list_img", Kind::ListImg, false},       {"pic", Kind::Pic, false},
      {"grid", Kind::Grid, false},              {"html_grid", Kind::HtmlGrid, false},
      {"spin_edit", Kind::SpinEdit, false},     {"diagram", Kind::Diagram, false},
  };
  return types;
}

const ObjectType* FindObjectType(const QString& word) {
  for (const ObjectType& t : ObjectTypes())
    if (word == QLatin1String(t.word)) return &t;
  return nullptr;
}

namespace {

// The five cursors of the "cursor" key's numbers, drawn here.
QCursor MakeCursor(int number) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 2));
  p.setBrush(Qt::white);
  if (number <= kCursorZoomOut) {
    p.drawEllipse(QRectF(3, 3, 16, 16));
    p.setPen(QPen(Qt::black, 4));
    p.drawLine(QPointF(17, 17), QPointF(28, 28));
    p.setPen(QPen(Qt::black, 2));
    if (number != kCursorZoom) p.drawLine(QPointF(7, 11), QPointF(15, 11));
    if (number == kCursorZoomIn) p.drawLine(QPointF(11, 7), QPointF(11, 15));
    return QCursor(pixmap, 11, 11);
  }
  const bool closed = number == kCursorHandClosed;
  p.drawRoundedRect(QRectF(8, closed ? 12 : 10, 16, closed ? 14 : 16), 5, 5);
  for (int f = 0; f < 4; ++f) p.drawRoundedRect(QRectF(8 + f * 4, closed ? 9 : 3, 4, closed ? 6 : 12), 2, 2);
  return QCursor(pixmap, 16, 16);
}

}  // namespace

QCursor NamedCursor(int number) {
  static std::map<int, QCursor> cursors;
  auto it = cursors.find(number);
  if (it == cursors.end()) it = cursors.emplace(number, MakeCursor(number)).first;
  return it->second;
}

TSkStract::TSkStract(TSkForm* window, const QString& fileName) : window_(window), fileName_(fileName) {
  window->descriptionFileName = fileName;
  window->actionCallback = [this](const RHelpAction& record) { RunAction(record); };
}

TSkStract::~TSkStract() {
  description_.reset();
  if (savePosition && window_) SavePosition();
  if (window_) window_->hide();
  // Creation order puts containers before their children, so deleting in
  // that order never touches a child twice: QPointer sees it gone.
  for (QPointer<QObject>& object : registries_[int(Kind::All)])
    if (object && object != window_) delete object.data();
  for (auto& registry : registries_) registry.clear();
  splash_.reset();
  SaveFavorites();
  if (window_) {
    window_->actionCallback = nullptr;
    window_->resizeCallback = nullptr;
  }
}

void TSkStract::ReportError(const QString& message) {
  if (ShowErrors) ShowErrorBox(fileName_ + QStringLiteral("\r\n") + message);
}

std::unique_ptr<TSkStract> TSkStract::ForWindow(TSkForm* window, const QString& fileName,
                                                std::function<void(const RHelpAction&)> onAction) {
  auto interpreter = std::make_unique<TSkStract>(window, fileName);
  interpreter->OnWindowAction = std::move(onAction);
  interpreter->OnUnknownObject = [](QWidget*, const QString& name, const QStringList&, const QString&) {
    ShowPlainMessage(QStringLiteral("Неизвестный контрол:") + name);
  };
  interpreter->LoadDescription();
  interpreter->ActivateDescription();
  return interpreter;
}

void TSkStract::LoadDescription() {
  description_ = std::make_unique<TPakIniFile>(fileName_);
  const QStringList sections = description_->sectionNames();
  if (sections.isEmpty()) {
    ShowPlainMessage(QStringLiteral("Нету данных в ") + fileName_ + QStringLiteral(". Это безусловно End..."));
    return;
  }
  pending_.clear();
  for (const QString& name : sections) pending_ << name + u'=' + description_->readString(name, u"master");

  auto typeOf = [this](const QString& line) {
    return description_->readString(TextBefore(line, QStringLiteral("=")), u"type").toLower();
  };

  // Form pass.
  for (qsizetype i = 0; i < pending_.size();) {
    if (typeOf(pending_[i]) != u"form") {
      ++i;
      continue;
    }
    const QString name = TextBefore(pending_[i], QStringLiteral("="));
    const QString color = description_->readString(name, u"color");
    currentFormName = name.toLower();
    pending_.removeAt(i);
    MakeObject(window_, name, QStringLiteral("form"));
    if (!color.isEmpty()) {
      try {
        window_->pageColor = ParseColor(color);
        SetBackgroundColor(window_, window_->pageColor);
      } catch (const ConversionError& e) {
        ReportError(QStringLiteral("%1, color: %2").arg(name, e.text()));
      }
    }
    if (!window_->pageSet()) {
      window_->ensurePageSet();
      if (window_->movableByBody) window_->pageSet()->installEventFilter(this);
    } else {
      window_->addPage();
    }
    currentPage_ = window_->pageSet()->currentIndex();
  }

  // Menu pass.
  for (qsizetype i = 0; i < pending_.size();) {
    if (typeOf(pending_[i]) != u"pop_menu") {
      ++i;
      continue;
    }
    const QString name = TextBefore(pending_[i], QStringLiteral("="));
    pending_.removeAt(i);
    MakeObject(window_, name, QStringLiteral("pop_menu"));
  }

  // Object pass: a pass that creates nothing ends it; what is left names
  // masters that were never created.
  QWidget* page = window_->page(currentPage_);
  bool created = true;
  while (!pending_.isEmpty() && created) {
    created = false;
    for (qsizetype i = 0; i < pending_.size();) {
      QString master = pending_[i];
      const QString name = SplitToken(master, QStringLiteral("="));
      if (!master.isEmpty() && master.compare(currentFormName, Qt::CaseInsensitive) != 0) {
        ++i;
        continue;
      }
      pending_.removeAt(i);
      created = true;
      if (!page) {
        ReportError(QStringLiteral("MakeObject. Объект %1: в описании нет раздела окна (type=form)").arg(name));
        continue;
      }
      if (window_->pageColor.isValid() && window_->pageColor != QColor(Qt::black)) SetBackgroundColor(page, window_->pageColor);
      if (QObject* container = MakeObject(page, name, description_->readString(name, u"type")))
        createChildren(container, name);
      i = 0;  // the subtree may have removed lines before this one
    }
  }
  for (const QString& line : std::as_const(pending_)) {
    QString master = line;
    const QString name = SplitToken(master, QStringLiteral("="));
    ReportError(QStringLiteral("MakeObject. Объект %1 не создан: нет контейнера %2").arg(name, master));
  }
  pending_.clear();

  RunActionText(window_->loadAction);
  ReadFavorite();
  if (splashClosesItself)
    CloseSplash();
  else if (splashBar_)
    splashBar_->setValue(splashBar_->maximum());
  if (savePosition) {
    try {
      RestorePosition();
    } catch (const ConversionError& e) {
      ReportError(QStringLiteral("RestorePosition: ") + e.text());
    }
  }
}

void TSkStract::createChildren(QObject* container, const QString& name) {
  for (qsizetype i = 0; i < pending_.size();) {
    QString master = pending_[i];
    const QString child = SplitToken(master, QStringLiteral("="));
    if (master.compare(name, Qt::CaseInsensitive) != 0) {
      ++i;
      continue;
    }
    pending_.removeAt(i);
    if (QObject* inner = MakeObject(childArea(container), child, description_->readString(child, u"type"))) {
      createChildren(inner, child);
      i = 0;  // lines before this one may be gone now
    }
  }
}

QWidget* TSkStract::childArea(QObject* container) const {
  if (auto* box = qobject_cast<TSkScrollBox*>(container)) return box->area();
  return qobject_cast<QWidget*>(container);
}

QObject* TSkStract::MakeObject(QWidget* container, const QString& name, const QString& typeWord) {
  const QString type = typeWord.toLower();
  if (type == u"form") {
    SetProperty(window_, name, type);
    return nullptr;
  }
  if (type == u"hot_key") {
    BuildHotKeys(name);
    return nullptr;
  }
  if (type == u"none") return nullptr;
  const ObjectType* info = FindObjectType(type);
  if (!info) {
    if (OnUnknownObject) {
      OnUnknownObject(container, name, description_->readSectionValues(name), type);
    } else {
      ReportError(QStringLiteral("MakeObject. Объект ") + name + QStringLiteral(" имеет неизвестный тип ") + type);
    }
    return nullptr;
  }

  QObject* object = nullptr;
  QWidget* widget = nullptr;
  auto place = [&](auto* w) {
    widget = w;
    object = w;
    SetThemeObject(w, QStringLiteral("default"));
    return w;
  };
  switch (info->kind) {
    case Kind::Button: place(new TSkButton(container)); break;
    case Kind::SpeedButton: place(new TSkSpeedButton(container)); break;
    case Kind::Panel: place(new TSkPanel(container)); break;
    case Kind::ParentPanel: widget = new TParentPanel(container); object = widget; break;
    case Kind::Html: widget = new TSkHtml(container); object = widget; break;
    case Kind::Splitter: place(new TSkSplitter(container)); break;
    case Kind::Label: place(new TSkLabel(container)); break;
    case Kind::TrackBar: place(new TSkTrackBar(container))->setValue(0); break;
    case Kind::Tree: place(new TSkTree(container)); break;
    case Kind::TreeEx: widget = new TSkTreeEx(container); object = widget; break;
    case Kind::Flash: widget = new TSkFlash(container); object = widget; break;
    case Kind::Media: object = new TSkMedia(window_, container); break;
    case Kind::ListBox: place(new TSkListBox(container)); break;
    case Kind::ScrollBox: place(new TSkScrollBox(container)); break;
    case Kind::Image: widget = new TSkImage(container); object = widget; break;
    case Kind::PopMenu: {
      object = new TSkPopMenu(window_);
      break;
    }
    case Kind::Gif: widget = new TSkGif(container); object = widget; break;
    case Kind::EditBox: place(new TSkEditBox(container))->clear(); break;
    case Kind::CheckBox: place(new TSkCheckBox(container))->setText(name); break;
    case Kind::RadioButton: place(new TSkRadioButton(container))->setText(QString()); break;
    case Kind::ProgressBar: place(new TSkProgressBar(container)); break;
    case Kind::ComboBox: place(new TSkComboBox(container))->setEditText(QString()); break;
    case Kind::ListImg: widget = new TListImg(container); object = widget; break;
    case Kind::Pic: place(new TSkPic(container)); break;
    case Kind::Grid: place(new TSkGrid(container)); break;
    case Kind::HtmlGrid: {
      auto* grid = new TskHtmlGrid(container);
      grid->drawing = false;
      grid->setUpdatesEnabled(false);
      widget = grid;
      object = grid;
      break;
    }
    case Kind::SpinEdit: place(new TSkSpinEdit(container)); break;
    case Kind::Diagram: widget = new TskDiagram(container); object = widget; break;
    case Kind::All: break;
  }
  object->setObjectName(name);
  if (widget) widget->show();
  route(object, info->kind);
  if (info->kind == Kind::PopMenu) {
    try {
      BuildMenu(static_cast<TSkPopMenu*>(object), name);
    } catch (const ConversionError& e) {
      ReportError(QStringLiteral("BuildMenu. Меню %1: %2").arg(name, e.text()));
    }
  } else {
    SetProperty(object, name, type);
  }
  if (auto* grid = qobject_cast<TskHtmlGrid*>(object)) {
    grid->drawing = true;
    grid->setUpdatesEnabled(true);
  }
  registerObject(object, info->kind);
  return info->holdsChildren ? object : nullptr;
}

void TSkStract::registerObject(QObject* object, Kind kind) {
  registries_[int(kind)].push_back(object);
  registries_[int(Kind::All)].push_back(object);
}

std::vector<QObject*> TSkStract::registry(Kind kind) const {
  std::vector<QObject*> out;
  for (const auto& object : registries_[int(kind)])
    if (object) out.push_back(object.data());
  return out;
}

void TSkStract::route(QObject* object, Kind kind) {
  auto click = [this, object] { ControlClick(object); };
  switch (kind) {
    case Kind::Button: connect(static_cast<TSkButton*>(object), &QPushButton::clicked, this, click); break;
    case Kind::SpeedButton: connect(static_cast<TSkSpeedButton*>(object), &QToolButton::clicked, this, click); break;
    case Kind::Panel: connect(static_cast<TSkPanel*>(object), &TSkPanel::doubleClicked, this, click); break;
    case Kind::ParentPanel: connect(static_cast<TParentPanel*>(object), &TParentPanel::doubleClicked, this, click); break;
    case Kind::Tree: connect(static_cast<TSkTree*>(object), &TSkTree::clickedNode, this, click); break;
    case Kind::ListBox: connect(static_cast<TSkListBox*>(object), &TSkListBox::clickedItem, this, click); break;
    case Kind::Image: connect(static_cast<TSkImage*>(object), &TSkImage::clicked, this, click); break;
    case Kind::CheckBox: connect(static_cast<TSkCheckBox*>(object), &QCheckBox::clicked, this, click); break;
    case Kind::ComboBox: connect(static_cast<TSkComboBox*>(object), &TSkComboBox::changed, this, click); break;
    case Kind::TreeEx: {
      auto* tree = static_cast<TSkTreeEx*>(object);
      connect(tree, &TSkTreeEx::clickedNode, this, click);
      connect(tree, &QTreeWidget::itemSelectionChanged, this, [this, tree] { TreeItemSelected(tree, tree->currentItem()); });
      connect(tree, &TSkTreeEx::keyPressed, this,
              [this, tree](int key, Qt::KeyboardModifiers m) { ControlKeyUp(tree, key, m); });
      break;
    }
    case Kind::EditBox: {
      auto* edit = static_cast<TSkEditBox*>(object);
      connect(edit, &TSkEditBox::keyReleased, this,
              [this, edit](int key, Qt::KeyboardModifiers m) { ControlKeyUp(edit, key, m); });
      break;
    }
    case Kind::Html:
    case Kind::HtmlGrid:
      connect(static_cast<TSkHtml*>(object), &TSkHtml::OnAction, this, [this](const RHelpAction& r) { RunAction(r); });
      break;
    case Kind::Flash:
      connect(static_cast<TSkFlash*>(object), &TSkFlash::OnAction, this, [this](const RHelpAction& r) { RunAction(r); });
      break;
    case Kind::Media:
      connect(static_cast<TSkMedia*>(object), &TSkMedia::OnAction, this, [this](const RHelpAction& r) { RunAction(r); });
      break;
    default: break;
  }
}

QObject* TSkStract::GetComponent(const QString& name, Kind kind) {
  for (const auto& object : registries_[int(kind)])
    if (object && object->objectName().compare(name, Qt::CaseInsensitive) == 0) return object.data();
  ReportError((kind == Kind::All ? QStringLiteral("GetControl. Не найден контрол: ")
                                 : QStringLiteral("GetComponent. Не найден контрол: ")) + name);
  return nullptr;
}

QObject* TSkStract::GetControl(const QString& name) { return GetComponent(name, Kind::All); }

#define TYPED_LOOKUP(Function, Class, KindValue) \
  Class* TSkStract::Function(const QString& name) { return static_cast<Class*>(GetComponent(name, Kind::KindValue)); }
TYPED_LOOKUP(GetScrollBox, TSkScrollBox, ScrollBox)
TYPED_LOOKUP(GetMedia, TSkMedia, Media)
TYPED_LOOKUP(GetHtml, TSkHtml, Html)
TYPED_LOOKUP(GetPopMenu, TSkPopMenu, PopMenu)
TYPED_LOOKUP(GetFlash, TSkFlash, Flash)
TYPED_LOOKUP(GetTrackBar, TSkTrackBar, TrackBar)
TYPED_LOOKUP(GetImage, TSkImage, Image)
TYPED_LOOKUP(GetTree, TSkTree, Tree)
TYPED_LOOKUP(GetTreeEx, TSkTreeEx, TreeEx)
TYPED_LOOKUP(GetButton, TSkButton, Button)
TYPED_LOOKUP(GetSpeedButton, TSkSpeedButton, SpeedButton)
TYPED_LOOKUP(GetSplitter, TSkSplitter, Splitter)
TYPED_LOOKUP(GetEditBox, TSkEditBox, EditBox)
TYPED_LOOKUP(GetLabel, TSkLabel, Label)
TYPED_LOOKUP(GetListBox, TSkListBox, ListBox)
TYPED_LOOKUP(GetRadioButton, TSkRadioButton, RadioButton)
TYPED_LOOKUP(GetPanel, TSkPanel, Panel)
TYPED_LOOKUP(GetProgressBar, TSkProgressBar, ProgressBar)
TYPED_LOOKUP(GetParentPanel, TParentPanel, ParentPanel)
TYPED_LOOKUP(GetGrid, TSkGrid, Grid)
TYPED_LOOKUP(GetComboBox, TSkComboBox, ComboBox)
TYPED_LOOKUP(GetCheckBox, TSkCheckBox, CheckBox)
#undef TYPED_LOOKUP

TSkSpeedButton* TSkStract::FindSpeedButtonByAction(const QString& command, const QString& argument) {
  for (QObject* object : registry(Kind::SpeedButton)) {
    auto* button = static_cast<TSkSpeedButton*>(object);
    QString arg = button->action;
    const QString word = SplitToken(arg, QStringLiteral("*"));
    if (word.compare(command, Qt::CaseInsensitive) != 0) continue;
    if (argument.isEmpty() || arg == argument) return button;
  }
  return nullptr;
}

TSkComboBox* TSkStract::FindComboByAction(const QString& command) {
  for (QObject* object : registry(Kind::ComboBox)) {
    auto* box = static_cast<TSkComboBox*>(object);
    if (TextBefore(box->action, QStringLiteral("*")).compare(command, Qt::CaseInsensitive) == 0) return box;
  }
  return nullptr;
}

bool TSkStract::eventFilter(QObject* watched, QEvent* event) {
  if (window_ && watched == window_->pageSet() && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
    window_->dragByBody();
  return QObject::eventFilter(watched, event);
}

void TSkStract::ActivateDescription() {
  if (!window_) return;
  if (QStackedWidget* pages = window_->pageSet()) pages->setCurrentIndex(currentPage_);
  window_->resizeCallback = [this](int, int) { RelayoutPanels(); };
  window_->actionCallback = [this](const RHelpAction& record) { RunAction(record); };
  // A splitter the user drags changes the proportions the parent panels keep.
  for (QObject* object : registry(Kind::Splitter))
    connect(static_cast<TSkSplitter*>(object), &VclSplitter::moved, this, &TSkStract::RememberPanelPercentages,
            Qt::UniqueConnection);
  ArrangeChildren(window_);
  RelayoutPanels();
  const bool maximised = window_->isMaximized();
  if (!window_->shownWhenMaximised.isEmpty() && !window_->shownWhenNormal.isEmpty()) {
    showButtonList(window_->shownWhenMaximised, maximised);
    showButtonList(window_->shownWhenNormal, !maximised);
  }
}

void TSkStract::RelayoutPanels() {
  for (QObject* object : registry(Kind::Panel)) static_cast<TSkPanel*>(object)->Centre();
  for (QObject* object : registry(Kind::ParentPanel)) {
    auto* panel = static_cast<TParentPanel*>(object);
    panel->Centre();
    ApplyPercent(panel, panel->widthPercent, panel->heightPercent);
  }
}

void TSkStract::RememberPanelPercentages() {
  for (QObject* object : registry(Kind::ParentPanel)) {
    auto* panel = static_cast<TParentPanel*>(object);
    const QWidget* parent = panel->parentWidget();
    if (!parent) continue;
    if (panel->widthPercent != 0 && parent->width() >= 100) panel->widthPercent = panel->width() / (parent->width() / 100);
    if (panel->heightPercent != 0 && parent->height() >= 100)
      panel->heightPercent = panel->height() / (parent->height() / 100);
  }
}

void TSkStract::showButtonList(const QString& list, bool visible) {
  const bool errors = ShowErrors;
  ShowErrors = false;
  for (const QString& name : list.split(u';', Qt::SkipEmptyParts))
    if (TSkSpeedButton* button = GetSpeedButton(name)) button->setVisible(visible);
  ShowErrors = errors;
}

void TSkStract::ToggleMaximised() {
  if (!window_) return;
  const bool maximised = window_->isMaximized();
  if (!window_->shownWhenMaximised.isEmpty() && !window_->shownWhenNormal.isEmpty() && !window_->isMinimized()) {
    showButtonList(window_->shownWhenNormal, maximised);
    showButtonList(window_->shownWhenMaximised, !maximised);
  }
  if (maximised)
    window_->showNormal();
  else
    window_->showMaximized();
}

void TSkStract::ShowSplash(const QString& value) {
  progressStep_ = 1;
  QString rest = value;
  const QString pictureName = SplitToken(rest, QStringLiteral("*"));
  QImage picture;
  if (FileExtension(pictureName).toLower() == u".jpg") {
    if (auto bytes = ReadDiskFile(pictureName)) picture = DecodeJpeg(*bytes);
  } else {
    picture = LoadPackPicture(ExeRelativePath(pictureName));
  }
  if (!splash_) {
    splash_ = std::make_unique<QLabel>(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    splash_->setObjectName(QStringLiteral("splash"));
  }
  auto* label = static_cast<QLabel*>(splash_.get());
  label->setPixmap(QPixmap::fromImage(picture));
  label->resize(picture.isNull() ? QSize(320, 200) : picture.size());
  if (!rest.isEmpty()) {
    if (!splashBar_) splashBar_ = new QProgressBar(label);
    splashBar_->setTextVisible(false);
    int fields[5] = {progressStep_, splashBar_->x(), splashBar_->y(), splashBar_->width(), splashBar_->height()};
    for (int& field : fields) {
      bool ok = false;
      const int v = SplitToken(rest, QStringLiteral("*")).toInt(&ok);
      if (!ok) break;
      field = v;
    }
    progressStep_ = fields[0];
    splashBar_->setGeometry(fields[1], fields[2], fields[3], fields[4]);
    splashBar_->setRange(0, 100);
    splashBar_->setValue(0);
  }
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    label->move(screen->geometry().center() - label->rect().center());
  label->show();
  QCoreApplication::processEvents();
}

void TSkStract::StepProgress() {
  if (!splashBar_) return;
  const int next = splashBar_->value() + progressStep_;
  splashBar_->setValue(next <= 100 ? next : progressStep_);
}

void TSkStract::CloseSplash() {
  splash_.reset();
}

}  // namespace tobrina
