#pragma once
// The interpreter: builds a window from its description file and runs the
// actions of its controls.
//
// Building goes in three passes over the sections: the form sections (the
// window itself; each further one adds a notebook page), then the pop-up
// menus, then every other object, top-level objects in file order, each
// container followed at once by its whole subtree (depth first).

#include <QObject>
#include <QPointer>
#include <QCursor>
#include <QProgressBar>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "controls/skForm.h"
#include "controls/skSkin.h"
#include "controls/vcllayout.h"
#include "interp/skCommand.h"
#include "pack/uIniFiles.h"

class QTreeWidgetItem;

namespace tobrina {

class TSkButton;
class TSkSpeedButton;
class TSkLabel;
class TSkEditBox;
class TSkCheckBox;
class TSkRadioButton;
class TSkComboBox;
class TSkListBox;
class TSkSpinEdit;
class TSkTrackBar;
class TSkProgressBar;
class TSkPanel;
class TParentPanel;
class TSkScrollBox;
class TSkSplitter;
class TSkHtml;
class TSkTree;
class TSkTreeEx;
class TSkFlash;
class TSkMedia;
class TSkImage;
class TSkPopMenu;
class TSkGif;
class TListImg;
class TSkPic;
class TSkGrid;
class TskHtmlGrid;
class TskDiagram;

// One registry per type that creates an object, and one of all objects.
enum class Kind {
  Button, SpeedButton, Panel, ParentPanel, Html, Splitter, Label, TrackBar, Tree, TreeEx, Flash, Media,
  ListBox, ScrollBox, Image, PopMenu, Gif, EditBox, CheckBox, RadioButton, ProgressBar, ComboBox, ListImg,
  Pic, Grid, HtmlGrid, SpinEdit, Diagram,
  All,
};
inline constexpr int kRegistryCount = int(Kind::All) + 1;

// Screen cursors the "cursor" key can name by number.
inline constexpr int kCursorZoom = 140;
inline constexpr int kCursorZoomIn = 141;
inline constexpr int kCursorZoomOut = 142;
inline constexpr int kCursorHandOpened = 143;
inline constexpr int kCursorHandClosed = 144;

struct ObjectType;

class TSkStract final : public QObject {
  Q_OBJECT
 public:
  TSkStract(TSkForm* window, const QString& fileName);
  ~TSkStract() override;
  TSkStract(const TSkStract&) = delete;
  TSkStract& operator=(const TSkStract&) = delete;

  // The interpreter of an application window: built from the file, the
  // window's own action words going to onAction, an object of unknown type
  // reported as "Неизвестный контрол:" and its name.
  static std::unique_ptr<TSkStract> ForWindow(TSkForm* window, const QString& fileName,
                                              std::function<void(const RHelpAction&)> onAction);

  // Building.
  void LoadDescription();
  void ActivateDescription();
  QObject* MakeObject(QWidget* container, const QString& name, const QString& type);
  void SetProperty(QObject* object, const QString& section, const QString& type);
  void BuildMenu(TSkPopMenu* menu, const QString& section);
  void BuildHotKeys(const QString& section);

  // Lookups, names compared without regard to case. A miss is reported
  // (while ShowErrors is on) and gives null.
  QObject* GetControl(const QString& name);
  QObject* GetComponent(const QString& name, Kind registry);
  TSkScrollBox* GetScrollBox(const QString& name);
  TSkMedia* GetMedia(const QString& name);
  TSkHtml* GetHtml(const QString& name);
  TSkPopMenu* GetPopMenu(const QString& name);
  TSkFlash* GetFlash(const QString& name);
  TSkTrackBar* GetTrackBar(const QString& name);
  TSkImage* GetImage(const QString& name);
  TSkTree* GetTree(const QString& name);
  TSkTreeEx* GetTreeEx(const QString& name);
  TSkButton* GetButton(const QString& name);
  TSkSpeedButton* GetSpeedButton(const QString& name);
  TSkSplitter* GetSplitter(const QString& name);
  TSkEditBox* GetEditBox(const QString& name);
  TSkLabel* GetLabel(const QString& name);
  TSkListBox* GetListBox(const QString& name);
  TSkRadioButton* GetRadioButton(const QString& name);
  TSkPanel* GetPanel(const QString& name);
  TSkProgressBar* GetProgressBar(const QString& name);
  TParentPanel* GetParentPanel(const QString& name);
  TSkGrid* GetGrid(const QString& name);
  TSkComboBox* GetComboBox(const QString& name);
  TSkCheckBox* GetCheckBox(const QString& name);  // for tests and windows; no typed registry lookup of its own
  TSkSpeedButton* FindSpeedButtonByAction(const QString& command, const QString& argument);
  TSkComboBox* FindComboByAction(const QString& command);
  // A typed lookup that never reports.
  template <class T>
  T* FindQuiet(const QString& name, Kind kind) {
    const bool errors = ShowErrors;
    ShowErrors = false;
    auto* found = static_cast<T*>(GetComponent(name, kind));
    ShowErrors = errors;
    return found;
  }
  // Rebuilds a history menu over an html view before it pops up; other
  // menus are left as they are.
  void FillHistoryMenu(TSkPopMenu* menu);

  // The per-user store under "reg_dat", favourites and the window position.
  bool WriteReg(const QString& name, const QString& value);
  QString ReadReg(const QString& name);
  void SavePosition();
  void RestorePosition();
  void ReadFavorite();
  void AddFavorite(const QString& text, bool testCaption);
  void DeleteFavorite(const QString& key);
  void SaveFavorites();
  // Newest first, at most 20: "caption=value" texts.
  const QStringList& favourites() const { return favourites_; }
  // Every object of a registry, in creation order (destroyed ones dropped).
  std::vector<QObject*> registry(Kind kind) const;

  void ReportError(const QString& message);
  bool ShowErrors = true;

  // Actions.
  void RunAction(const RHelpAction& record);
  void RunActionText(const QString& text);
  void ControlClick(QObject* sender);
  void ControlKeyUp(QObject* sender, int key, Qt::KeyboardModifiers shift);
  void TreeItemSelected(QObject* sender, QTreeWidgetItem* item);

  // The window's re-layout on every resize: panels keep their centring,
  // parent panels their centring and percentages.
  void RelayoutPanels();
  // Percent sizes follow what the user made of them with a splitter.
  void RememberPanelPercentages();
  // Toggles maximised and normal, swapping the "but_max" button lists first.
  void ToggleMaximised();

  // Splash window.
  void ShowSplash(const QString& value);
  void StepProgress();
  void CloseSplash();
  QProgressBar* splashProgress() const { return splashBar_; }
  int progressStep() const { return progressStep_; }

  // The callback secondary windows of "form_show" get (none by default).
  std::function<void(const RHelpAction&)> OnSecondaryWindowAction;
  QString lastHelpRequest;  // file#topic of the last "help"

  // Callbacks the owning window sets before loading.
  std::function<void(const RHelpAction&)> OnWindowAction;
  std::function<void(QWidget* container, const QString& name, const QStringList& lines, const QString& type)>
      OnUnknownObject;

  TSkForm* window() const { return window_; }
  const QString& fileName() const { return fileName_; }
  const IniDocument* description() const { return description_.get(); }
  int currentPage() const { return currentPage_; }

  // State the keys and commands set.
  QString HelpTopic;
  QString registryPath;  // "reg_dat"
  bool savePosition = false;
  bool splashClosesItself = true;
  QString skinName;
  QString currentFormName;
  QString favouriteMenus;     // names of the favourites menus, each followed by ";"
  TSkSkin skin;               // skin files registered so far

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private slots:
  void dragWindow() {
    if (window_) window_->dragByBody();
  }

 signals:
  // A favourite was added or deleted.
  void favouritesChanged();

 private:
  friend struct PropertyContext;
  void createChildren(QObject* container, const QString& name);
  QWidget* childArea(QObject* container) const;
  void route(QObject* object, Kind kind);
  void registerObject(QObject* object, Kind kind);
  void runCommand(const RCommand& command, const QString& a1, const QString& a2, const RHelpAction& record);
  void showButtonList(const QString& list, bool visible);

  QPointer<TSkForm> window_;
  QString fileName_;
  std::unique_ptr<TPakIniFile> description_;
  std::array<std::vector<QPointer<QObject>>, kRegistryCount> registries_;
  QStringList pending_;  // "name=master" lines still to create
  int currentPage_ = 0;
  int runDepth_ = 0;

  QStringList favourites_;
  bool favouritesExist_ = false;

  std::unique_ptr<QWidget> splash_;
  QPointer<QProgressBar> splashBar_;
  int progressStep_ = 1;
};

// The type words and what each creates, in one table.
struct ObjectType {
  const char* word;
  Kind kind;
  bool holdsChildren;
};
const std::vector<ObjectType>& ObjectTypes();
const ObjectType* FindObjectType(const QString& word);
// The command words the interpreter runs itself, in the order it tests them.
QStringList InterpreterCommandWords();

// The cursors a "cursor" key names by number (140..144), drawn by us.
QCursor NamedCursor(int number);
// A "cursor" value: a toolkit cursor name ("crHandPoint") or number.
QCursor CursorFromText(const QString& text);

// Word readers of the description keys.
Qt::Alignment TextAlignment(const QString& word);
Align ControlAlign(const QString& word);
QString StarField(const QString& text, int n);
// Applies a margins text "left top right bottom" ("*" = not given).
void ApplyAnchor(QWidget* control, const QString& margins);

}  // namespace tobrina
