#pragma once
// The main window: built from struct_main.txt, it reads the catalogue,
// shows the contents page and the entries, keeps the reading history, the
// print list and the buttons' states in step with what is shown.

#include <QPointer>
#include <memory>
#include <pugixml.hpp>
#include <vector>

#include "app/catalogue.h"
#include "app/uHistory.h"
#include "controls/skForm.h"

namespace tobrina {

class TSkStract;
class TSkPopMenu;
class TSkSpeedButton;
class TSkEditBox;
class TSkHtml;
class TSkLabel;
class TSkTree;
class TFrmFind;

class TfrmMain final : public TSkForm {
  Q_OBJECT
 public:
  explicit TfrmMain(QWidget* parent = nullptr);
  ~TfrmMain() override;

  TSkStract* interpreter() const { return interpreter_.get(); }
  THistoryList& history() { return *history_; }
  TFrmFind* findWindow() const { return findWindow_.get(); }
  const TCatalogue& catalogue() const { return catalogue_; }

  // The window's own action words.
  void MainWindowAction(const RHelpAction& record);
  void LoadCatalogue();
  void BuildContentsPage();
  void ShowContents();
  void OpenEntry(int section, int entry);
  void OpenEntryNode(pugi::xml_node entry);
  void GoNextEntry();
  void GoPrevEntry();
  void UpdateButtons();
  void TogglePrintMark();
  void FillPrintMenu();
  void MarkCurrentFavourite();
  // Selects the contents tree's node of the open entry (none on the contents page).
  void SyncContentsTree();

  bool EntryShown = false;
  pugi::xml_node CurrentSection;
  pugi::xml_node CurrentEntry;
  QString CurrentEntryAction;
  std::vector<pugi::xml_node> SectionList;
  std::vector<pugi::xml_node> EntryList;
  std::vector<pugi::xml_node> PrintList;
  QStringList ContentsLines;
  int ContentsPosition = 0;

  QPointer<TSkPopMenu> menuPrint;
  QPointer<TSkSpeedButton> printToggle;
  QPointer<TSkPopMenu> menuFavorite;
  QPointer<TSkEditBox> fastFind;
  QPointer<TSkHtml> html;
  QPointer<TSkLabel> title;
  QPointer<TSkTree> contentsTree;  // optional: "tree_toc"

 private:
  // The indices of the open entry, or (-1, -1).
  std::pair<int, int> currentAddress() const;
  void setSpeedButton(const char* name, bool enabled);

  std::unique_ptr<TSkStract> interpreter_;
  std::unique_ptr<TFrmFind> findWindow_;
  std::unique_ptr<THistoryList> history_;
  TCatalogue catalogue_;
};

}  // namespace tobrina
