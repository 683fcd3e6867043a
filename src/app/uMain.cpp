#include "app/uMain.h"

#include <QApplication>
#include <QDir>
#include <QHash>

#include "app/uFind.h"
#include "controls/skPopMenu.h"
#include "controls/skSimple.h"
#include "controls/skTreeView.h"
#include "html/skHTML.h"
#include "interp/skUseStract.h"
#include "pack/gHelpers.h"
#include "pack/gPack.h"
#include "platform/convert.h"
#include "platform/uiservices.h"

namespace tobrina {

TfrmMain::TfrmMain(QWidget* parent) : TSkForm(parent) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Тобрина"));
  setGeometry(195, 112, 696, 480);

  QDir::setCurrent(ExeFolder());
  OpenPack(QString::fromLatin1(kPackFileName));
  ContentsPosition = 0;
  EntryShown = false;

  interpreter_ = TSkStract::ForWindow(this, QStringLiteral("struct_main.txt"),
                                      [this](const RHelpAction& r) { MainWindowAction(r); });

  findWindow_ = std::make_unique<TFrmFind>(this);

  history_ = std::make_unique<THistoryList>();
  history_->callback = [this](pugi::xml_node item) {
    history_->Navigating = true;
    OpenEntryNode(item);
    history_->Navigating = false;
  };
  TSkStract& s = *interpreter_;
  history_->backButton = s.GetSpeedButton(QStringLiteral("but_prev"));
  history_->forwardButton = s.GetSpeedButton(QStringLiteral("but_next"));

  menuPrint = s.GetPopMenu(QStringLiteral("menu_print"));
  printToggle = s.GetSpeedButton(QStringLiteral("ch_print"));
  menuFavorite = s.GetPopMenu(QStringLiteral("menu_favorite"));
  if (printToggle) {
    // The toggle keeps the print list instead of running an action.
    disconnect(printToggle, &QToolButton::clicked, interpreter_.get(), nullptr);
    printToggle->setCheckable(true);
    connect(printToggle, &QToolButton::clicked, this, [this] { TogglePrintMark(); });
  }
  if (menuPrint) connect(menuPrint, &QMenu::aboutToShow, this, [this] { FillPrintMenu(); });
  // Favourites change through tree and menu commands too.
  connect(interpreter_.get(), &TSkStract::favouritesChanged, this, [this] { UpdateButtons(); });
  if (menuFavorite) connect(menuFavorite, &QMenu::aboutToShow, this, [this] { MarkCurrentFavourite(); });
  fastFind = s.GetEditBox(QStringLiteral("ed_fast_find"));
  if (fastFind) fastFind->actOnEveryKey = true;
  html = s.GetHtml(QStringLiteral("html"));
  title = s.GetLabel(QStringLiteral("title"));
  contentsTree = s.FindQuiet<TSkTree>(QStringLiteral("tree_toc"), Kind::Tree);

  LoadCatalogue();
  BuildContentsPage();
  ShowContents();
}

TfrmMain::~TfrmMain() {
  findWindow_.reset();
  history_.reset();
  SectionList.clear();
  EntryList.clear();
  PrintList.clear();
  interpreter_.reset();  // stores the favourites and the position
}

void TfrmMain::MainWindowAction(const RHelpAction& record) {
  const TSkCommand parsed(record.Action);
  if (parsed.count() == 0) return;
  const RCommand& c = parsed.commands().front();
  const QString a1 = ActionArgument(c, 0), a2 = ActionArgument(c, 1), a3 = ActionArgument(c, 2);
  const QString& w = c.Word;
  if (w == u"fast_find") {
    if (html && fastFind) html->FindText(fastFind->text());
  } else if (w == u"zetka") {
    OpenEntry(ParseInt(a1), ParseInt(a2));
  } else if (w == u"go_main") {
    ShowContents();
  } else if (w == u"add_favorite") {
    if (EntryShown && title) interpreter_->AddFavorite(title->wideCaption() + u'=' + CurrentEntryAction, false);
    UpdateButtons();
  } else if (w == u"del_favore") {
    interpreter_->DeleteFavorite(a1 + u'*' + a2 + u'*' + a3);
    UpdateButtons();
  } else if (w == u"go_next") {
    GoNextEntry();
  } else if (w == u"go_prev") {
    GoPrevEntry();
  } else if (w == u"show_print_list") {
    const int n = ParseInt(a1);
    if (n >= 0 && n < int(PrintList.size())) OpenEntryNode(PrintList[std::size_t(n)]);
  } else if (w == u"go_history_prev") {
    history_->HistoryBack();
  } else if (w == u"go_history_next") {
    history_->HistoryForward();
  } else if (w == u"find_all") {
    if (findWindow_->resultLabel) findWindow_->resultLabel->SetWideCaption(QString());
    if (!findWindow_->isVisible()) Ui().runModal(findWindow_.get());  // shown once at a time
  } else {
    ShowPlainMessage(w + u'*' + a1 + u'*' + a2);
  }
}

void TfrmMain::LoadCatalogue() {
  if (catalogue_.loaded()) return;
  QByteArray bytes;
  if (!LoadPackFile(bytes, ExeFolder() + QStringLiteral("topic.xml"))) return;
  if (!catalogue_.load(bytes))
    ShowPlainMessage(QStringLiteral("Каталог topic.xml не прочитан: ") + catalogue_.error());
}

void TfrmMain::BuildContentsPage() {
  // Each template is read once per build: nothing changes them meanwhile,
  // and a missing one is reported once instead of once per node.
  QHash<QString, QString> templates;
  ContentsLines = catalogue_.BuildContentsPage(
      [&templates](const QString& name) {
        auto it = templates.find(name);
        if (it == templates.end()) it = templates.insert(name, ReadPackText(ExeFolder() + name));
        return *it;
      },
      SectionList, EntryList);
}

void TfrmMain::ShowContents() {
  EntryShown = false;
  CurrentEntryAction.clear();
  CurrentSection = {};
  CurrentEntry = {};
  if (title) title->SetWideCaption(QString());
  if (html) {
    html->LoadLines(ContentsLines);
    html->setVerticalPosition(ContentsPosition);
    html->SyncScrollBars();
  }
  SyncContentsTree();
  UpdateButtons();
}

void TfrmMain::OpenEntry(int s, int e) {
  const pugi::xml_node entry = catalogue_.entry(s, e);
  if (!entry) {
    // An address outside the catalogue leaves everything as it was.
    ShowPlainMessage(QStringLiteral("zetka*%1*%2: такой записи нет в каталоге.").arg(s).arg(e));
    return;
  }
  EntryShown = true;
  if (html) ContentsPosition = html->verticalPosition();
  CurrentEntryAction = QStringLiteral("zetka*%1*%2").arg(s).arg(e);
  CurrentSection = catalogue_.section(s);
  CurrentEntry = entry;
  if (title) title->SetWideCaption(TCatalogue::EntryName(entry));
  history_->AddToHistory(entry);
  if (html) html->LoadFile(TCatalogue::EntryPage(entry));
  SyncContentsTree();
  UpdateButtons();
}

void TfrmMain::OpenEntryNode(pugi::xml_node entry) {
  const pugi::xml_node section = entry.parent();
  OpenEntry(TCatalogue::IndexOfChild(catalogue_.root(), section), TCatalogue::IndexOfChild(section, entry));
}

std::pair<int, int> TfrmMain::currentAddress() const {
  if (!EntryShown) return {-1, -1};
  return {TCatalogue::IndexOfChild(catalogue_.root(), CurrentSection), TCatalogue::IndexOfChild(CurrentSection, CurrentEntry)};
}

void TfrmMain::GoNextEntry() {
  auto [s, e] = currentAddress();
  if (s < 0 || e < 0) return;
  const int sections = catalogue_.sectionCount();
  if (s == sections - 1 && e == catalogue_.entryCount(s) - 1) return;
  if (++e >= catalogue_.entryCount(s)) {
    // Sections without entries are stepped over.
    do ++s;
    while (s < sections && catalogue_.entryCount(s) == 0);
    if (s >= sections) return;
    e = 0;
  }
  OpenEntry(s, e);
}

void TfrmMain::GoPrevEntry() {
  auto [s, e] = currentAddress();
  if (s < 0 || e < 0 || (s == 0 && e == 0)) return;
  if (--e < 0) {
    do --s;
    while (s >= 0 && catalogue_.entryCount(s) == 0);
    if (s < 0) return;
    e = catalogue_.entryCount(s) - 1;
  }
  OpenEntry(s, e);
}

void TfrmMain::setSpeedButton(const char* name, bool enabled) {
  if (auto* b = interpreter_->FindQuiet<TSkSpeedButton>(QString::fromLatin1(name), Kind::SpeedButton)) b->setEnabled(enabled);
}

void TfrmMain::UpdateButtons() {
  const QStringList& favourites = interpreter_->favourites();
  const bool any = !favourites.isEmpty();
  setSpeedButton("but_favore_del", any);
  setSpeedButton("but_favore", any);
  setSpeedButton("but_favore_add", EntryShown && IndexOfSubstring(favourites, CurrentEntryAction, 0) < 0);
  setSpeedButton("but_go_prev", EntryShown);
  setSpeedButton("but_go_info", EntryShown);
  setSpeedButton("but_go_next", EntryShown);
  if (printToggle) printToggle->setEnabled(EntryShown);
  if (EntryShown) {
    const auto [s, e] = currentAddress();
    if (s == 0 && e == 0) setSpeedButton("but_go_prev", false);
    if (s == catalogue_.sectionCount() - 1 && e == catalogue_.entryCount(s) - 1) setSpeedButton("but_go_next", false);
  }
  if (printToggle) {
    const bool marked = EntryShown && std::find(PrintList.begin(), PrintList.end(), CurrentEntry) != PrintList.end();
    printToggle->setCheckable(true);
    printToggle->setChecked(marked);
    printToggle->remembered = marked;
  }
}

void TfrmMain::TogglePrintMark() {
  if (!printToggle) return;
  // The click has flipped the check already; the remembered state follows it.
  printToggle->remembered = printToggle->isChecked();
  if (EntryShown) {
    const auto it = std::find(PrintList.begin(), PrintList.end(), CurrentEntry);
    if (printToggle->isChecked() && it == PrintList.end()) PrintList.push_back(CurrentEntry);
    if (!printToggle->isChecked() && it != PrintList.end()) PrintList.erase(it);
  }
  setSpeedButton("but_list_print", !PrintList.empty());
}

void TfrmMain::FillPrintMenu() {
  if (!menuPrint || PrintList.empty()) return;
  menuPrint->Clear();
  for (std::size_t i = 0; i < PrintList.size(); ++i) {
    TSkItem* item = menuPrint->Add(TCatalogue::EntryName(PrintList[i]), QStringLiteral("show_print_list*%1").arg(i), QString());
    connect(item, &QAction::triggered, interpreter_.get(), [this, item] { interpreter_->ControlClick(item); });
    item->setChecked(PrintList[i] == CurrentEntry);
  }
}

void TfrmMain::MarkCurrentFavourite() {
  if (!menuFavorite) return;
  menuFavorite->UncheckAll();
  if (TSkItem* item = menuFavorite->FindByAction(CurrentEntryAction); item && !CurrentEntryAction.isEmpty())
    item->setChecked(true);
}

void TfrmMain::SyncContentsTree() {
  if (!contentsTree) return;
  // The tree's nodes carry entry addresses; however the entry was opened
  // (contents page, buttons, history, favourites) its node follows.
  QTreeWidgetItem* node = CurrentEntryAction.isEmpty() ? nullptr : contentsTree->FindNode(CurrentEntryAction);
  if (!node) {
    contentsTree->clearSelection();
    return;
  }
  if (contentsTree->currentItem() == node && node->isSelected()) return;
  contentsTree->setCurrentItem(node);
  for (QTreeWidgetItem* p = node->parent(); p; p = p->parent()) p->setExpanded(true);
  contentsTree->scrollToItem(node);
}

}  // namespace tobrina
