#include "app/uFind.h"

#include <QLineEdit>
#include <QScopeGuard>

#include "app/catalogue.h"
#include "app/uMain.h"
#include "controls/skSimple.h"
#include "html/skHTML.h"
#include "interp/skCommand.h"
#include "interp/skUseStract.h"
#include "pack/gHelpers.h"
#include "pack/gPack.h"
#include "platform/convert.h"
#include "platform/uiservices.h"

namespace tobrina {

namespace {
const QString kNothingFound = QStringLiteral("Поиск не дал результата");
}

TFrmFind::TFrmFind(TfrmMain* main) : TSkForm(main), main_(main) {
  setObjectName(QStringLiteral("frmFind"));
  setWindowTitle(QStringLiteral("Поиск"));
  interpreter_ = TSkStract::ForWindow(this, QStringLiteral("struct_find.txt"),
                                      [this](const RHelpAction& r) { FindWindowAction(r); });

  TSkStract& s = *interpreter_;
  resultLabel = s.GetLabel(QStringLiteral("lb_rez_find"));
  progress = s.GetProgressBar(QStringLiteral("progress"));
  searchBox = s.GetComboBox(QStringLiteral("cb_find"));
  resultList = s.GetListBox(QStringLiteral("list_rez"));
  if (searchBox) {
    // Typing or picking an earlier search runs nothing; Enter starts it.
    disconnect(searchBox, &TSkComboBox::changed, interpreter_.get(), nullptr);
    searchBox->storedHandler = [this](QObject* box) { interpreter_->ControlClick(box); };
    searchBox->setInsertPolicy(QComboBox::NoInsert);  // StartSearch keeps the list itself
  }
  if (resultList) connect(resultList, &QListWidget::itemDoubleClicked, this, [this] { close(); });
}

TFrmFind::~TFrmFind() {
  found.clear();
  interpreter_.reset();
}

void TFrmFind::showEvent(QShowEvent* event) {
  TSkForm::showEvent(event);
  // Each showing is ready for typing, the last search selected to replace.
  if (searchBox) {
    searchBox->setFocus();
    if (QLineEdit* edit = searchBox->lineEdit()) edit->selectAll();
  }
}

void TFrmFind::FindWindowAction(const RHelpAction& record) {
  const TSkCommand parsed(record.Action);
  if (parsed.count() == 0) return;
  const QString& word = parsed.commands().front().Word;
  if (word == u"find_start")
    StartSearch();
  else if (word == u"load")
    OpenResult();
  else
    ShowPlainMessage(word);
}

bool TFrmFind::modeChecked(const char* name) {
  const TSkRadioButton* button = interpreter_->GetRadioButton(QString::fromLatin1(name));
  return button && button->isChecked();
}

void TFrmFind::StartSearch() {
  // A message box raised mid-search (a missing page) lets the user press
  // Enter again; a second search would pull the first one's state away.
  if (running || !searchBox) return;
  const QString text = searchBox->currentText();
  if (resultLabel) resultLabel->SetWideCaption(QString());
  if (text.isEmpty()) return;
  {
    const QSignalBlocker block(searchBox);
    searchBox->insertItem(0, text);
    searchBox->values.insert(0, text);
    searchBox->setCurrentIndex(0);
  }
  searchText = text.toLower();
  if (modeChecked("rb_cur"))
    SearchPage();
  else if (modeChecked("rb_caption"))
    SearchCaptions();
  else if (modeChecked("rb_all"))
    SearchFullText();
}

void TFrmFind::showOutcome(bool anything) {
  if (resultLabel) resultLabel->SetWideCaption(anything ? QString() : kNothingFound);
}

void TFrmFind::SearchPage() {
  const bool hit = main_->html && main_->html->FindText(searchText);
  showOutcome(hit);
}

void TFrmFind::startResults() {
  found.clear();
  if (resultList) resultList->ClearListItems();
  // An empty catalogue keeps the bar's range valid rather than 0..-1.
  if (progress) progress->setMaximum(std::max(0, int(main_->EntryList.size()) - 1));
}

void TFrmFind::addResult(pugi::xml_node entry, std::size_t index) {
  found.push_back(entry);
  if (resultList) resultList->AddListItem(TCatalogue::EntryName(entry), QString::number(index));
}

void TFrmFind::SearchCaptions() {
  startResults();
  const TLoweredNeedle needle(searchText);
  const std::vector<pugi::xml_node>& entries = main_->EntryList;
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (needle.foundIn(TCatalogue::EntryName(entries[i]))) addResult(entries[i], i);
  showOutcome(!found.empty());
}

void TFrmFind::SearchFullText() {
  running = true;
  const TLoweredNeedle needle(searchText);
  parser_ = std::make_unique<TLegHtmlParser>();
  parser_->OnTag = [this](TLegHtmlParser&, QStringView tag, const THtmlAttributes&) {
    if (tag == u"title")
      inTitle_ = true;
    else if (tag == u"/title")
      inTitle_ = false;
  };
  parser_->OnText = [this, &needle](TLegHtmlParser& sender, QStringView text) {
    if (inTitle_) return;
    foundInEntry_ = needle.foundIn(text);
    if (foundInEntry_) sender.StopParse();
  };
  const auto done = qScopeGuard([this] {
    parser_.reset();
    if (progress) progress->setValue(0);
    running = false;
  });
  startResults();
  // A copy: the list cannot change under the search, but a nested event loop
  // (a message box for a missing page) must not be able to pull it away.
  const std::vector<pugi::xml_node> entries = main_->EntryList;
  const QString folder = ExeFolder();
  QByteArray bytes;
  for (std::size_t i = 0; i < entries.size() && running; ++i) {
    inTitle_ = false;
    foundInEntry_ = false;
    bytes.clear();
    if (const QString page = TCatalogue::EntryPage(entries[i]); !page.isEmpty()) LoadPackFile(bytes, folder + page);
    if (!bytes.isEmpty()) parser_->Parse(DecodeHtmlPage(bytes));
    if (foundInEntry_) addResult(entries[i], i);
    if (progress) progress->setValue(int(i));
  }
  showOutcome(!found.empty());
}

void TFrmFind::OpenResult() {
  if (opening_) return;
  opening_ = true;
  const auto done = qScopeGuard([this] { opening_ = false; });
  if (!resultList) return;
  const int row = resultList->currentRow();
  if (row < 0 || row >= resultList->count() || resultList->selectedItems().isEmpty()) return;
  const int index = ParseInt(resultList->ListItemValue(row));
  if (index < 0 || index >= int(main_->EntryList.size())) return;
  main_->OpenEntryNode(main_->EntryList[std::size_t(index)]);
}

}  // namespace tobrina
