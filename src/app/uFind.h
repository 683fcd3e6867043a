#pragma once
// The search window: built from struct_find.txt, it searches the page shown
// in the main window, the entries' captions or the full text of every entry,
// lists the entries found and opens the one chosen behind itself.

#include <QPointer>
#include <memory>
#include <pugixml.hpp>
#include <vector>

#include "controls/skForm.h"
#include "html/uLegHtmlParser.h"

namespace tobrina {

class TfrmMain;
class TSkStract;
class TSkLabel;
class TSkListBox;
class TSkComboBox;
class TSkProgressBar;
struct RHelpAction;

class TFrmFind final : public TSkForm {
  Q_OBJECT
 public:
  explicit TFrmFind(TfrmMain* main);
  ~TFrmFind() override;

  TSkStract* interpreter() const { return interpreter_.get(); }

  void FindWindowAction(const RHelpAction& record);
  void StartSearch();
  void SearchPage();
  void SearchCaptions();
  void SearchFullText();
  void OpenResult();

  QPointer<TSkListBox> resultList;
  QPointer<TSkProgressBar> progress;
  QPointer<TSkComboBox> searchBox;
  QPointer<TSkLabel> resultLabel;
  std::vector<pugi::xml_node> found;
  bool running = false;
  QString searchText;  // lower-cased

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool modeChecked(const char* name);
  void addResult(pugi::xml_node entry, std::size_t index);
  void startResults();
  void showOutcome(bool anything);

  TfrmMain* main_;
  std::unique_ptr<TSkStract> interpreter_;
  std::unique_ptr<TLegHtmlParser> parser_;  // only while a full-text search runs
  bool foundInEntry_ = false;
  bool inTitle_ = false;
  bool opening_ = false;
};

}  // namespace tobrina
