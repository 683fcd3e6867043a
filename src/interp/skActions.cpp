// Running action strings: the command table of the interpreter and the
// shared event handlers of the described controls.

#include <QApplication>
#include <QTreeWidgetItem>

#include "controls/skGrid.h"
#include "controls/skImage.h"
#include "controls/skPanel.h"
#include "controls/skPlayers.h"
#include "controls/skPopMenu.h"
#include "controls/skSimple.h"
#include "controls/skTreeView.h"
#include "html/skHTML.h"
#include "interp/skTreeCommands.h"
#include "interp/skUseStract.h"
#include "pack/gSystem.h"
#include "platform/convert.h"
#include "platform/uiservices.h"

namespace tobrina {

namespace {

// Commands whose targets exist in this interpreter; every other word goes to
// the window's own handler.
using Command = void (*)(TSkStract&, const RCommand&, const QString& a1, const QString& a2, const RHelpAction&);

void ClickBut(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (TSkButton* b = s.GetButton(a1)) s.ControlClick(b);
}
void ClickSpBut(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (TSkSpeedButton* b = s.GetSpeedButton(a1)) s.ControlClick(b);
}
void SpButtonDown(TSkStract& s, const RCommand&, const QString& a1, const QString& a2, const RHelpAction&) {
  if (TSkSpeedButton* b = s.GetSpeedButton(a1)) b->setDown(ParseBool(a2, true));
}
void FormClose(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  TSkForm* w = s.window();
  if (a1.isEmpty()) {
    if (w) w->close();
    Ui().quitApplication(0);
    return;
  }
  const int result = ParseInt(a1);
  if (w) {
    w->modalResult = result;
    w->close();
  }
}
void FormMini(TSkStract& s, const RCommand&, const QString&, const QString&, const RHelpAction&) {
  if (s.window()) s.window()->showMinimized();
}
void FormMaxi(TSkStract& s, const RCommand&, const QString&, const QString&, const RHelpAction&) { s.ToggleMaximised(); }
void FormShow(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (a1.isEmpty()) return;
  auto form = std::make_unique<TfrmFORM>(s.window());
  form->setAttribute(Qt::WA_DeleteOnClose, false);
  {
    TSkStract interpreter(form.get(), a1);
    interpreter.OnWindowAction = s.OnSecondaryWindowAction;
    interpreter.LoadDescription();
    interpreter.ActivateDescription();
    Ui().runModal(form.get());
  }
}
void MenuDelFavore(TSkStract& s, const RCommand& c, const QString&, const QString&, const RHelpAction&) {
  s.DeleteFavorite(c.ArgText);
}

void MenuShow(TSkStract& s, const RCommand&, const QString& a1, const QString& a2, const RHelpAction& record) {
  TSkPopMenu* menu = s.GetPopMenu(a1);
  if (!menu) return;
  s.FillHistoryMenu(menu);
  int left = record.AnchorLeft, top = record.AnchorTop, height = record.AnchorHeight;
  if (left == 0 && top == 0 && height == 0 && !a2.isEmpty()) {
    QWidget* anchor = s.FindQuiet<TSkButton>(a2, Kind::Button);
    if (!anchor) anchor = s.FindQuiet<TSkSpeedButton>(a2, Kind::SpeedButton);
    if (anchor) {
      const QPoint origin = anchor->mapToGlobal(QPoint(0, 0));
      left = origin.x();
      top = origin.y();
      height = anchor->height();
    } else {
      ShowPlainMessage(QStringLiteral("menu_show. Не найден контрол ") + a2);
    }
  }
  menu->Popup(left, top + height);
}

void Run(TSkStract&, const RCommand&, const QString& a1, const QString& a2, const RHelpAction&) {
  ShellOpen(ExeRelativePath(a1), a2, QStringLiteral("open"));
}
// The first four do nothing on a view that is not shown.
TSkHtml* ShownHtml(TSkStract& s, const QString& name) {
  TSkHtml* view = s.GetHtml(name);
  return view && view->isVisible() ? view : nullptr;
}
void HtmlBack(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (TSkHtml* v = ShownHtml(s, a1)) {
    v->setHistoryIndex(v->historyIndex() + 1);
    v->SyncLinkedTree(v->currentFile());
  }
}
void HtmlForward(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (TSkHtml* v = ShownHtml(s, a1)) {
    v->setHistoryIndex(v->historyIndex() - 1);
    v->SyncLinkedTree(v->currentFile());
  }
}
void HtmlCopy(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (TSkHtml* v = ShownHtml(s, a1)) v->copy();
}
void HtmlSelAll(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (TSkHtml* v = ShownHtml(s, a1)) {
    v->setFocus();
    v->selectAll();
  }
}
void HtmlLoad(TSkStract& s, const RCommand&, const QString& a1, const QString& a2, const RHelpAction&) {
  if (TSkHtml* v = s.GetHtml(a1)) {
    v->SyncLinkedTree(a2);
    v->LoadFile(a2);
  }
}
void HtmlGoTop(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (TSkHtml* v = s.GetHtml(a1)) v->SetPagePosition(0);
}
void HtmlGoHistory(TSkStract& s, const RCommand&, const QString& a1, const QString& a2, const RHelpAction&) {
  if (TSkHtml* v = s.GetHtml(a1)) v->setHistoryIndex(ParseInt(a2));
}

void Label(TSkStract& s, const RCommand&, const QString& a1, const QString& a2, const RHelpAction&) {
  if (TSkLabel* l = s.GetLabel(a1)) l->SetWideCaption(a2);
}
void ComboLoad(TSkStract& s, const RCommand&, const QString& a1, const QString& a2, const RHelpAction&) {
  if (TSkComboBox* b = s.GetComboBox(a1)) {
    b->LoadComboFile(a2);
    b->setCurrentIndex(-1);
    if (b->count() > 0) b->setCurrentIndex(0);
  }
}
void Visible(TSkStract& s, const RCommand&, const QString& a1, const QString& a2, const RHelpAction&) {
  if (auto* w = qobject_cast<QWidget*>(s.GetControl(a1))) w->setVisible(ParseBool(a2, true));
}
void Enabled(TSkStract& s, const RCommand&, const QString& a1, const QString& a2, const RHelpAction&) {
  if (auto* w = qobject_cast<QWidget*>(s.GetControl(a1))) w->setEnabled(ParseBool(a2, true));
}
void SplitShowOrHide(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (TSkSplitter* c = s.GetSplitter(a1)) c->ShowOrHide();
}
void PanelShowOrHide(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (TSkPanel* c = s.GetPanel(a1)) c->ShowOrHide();
}
void ParPanelShowOrHide(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (TParentPanel* c = s.GetParentPanel(a1)) c->ShowOrHide();
}
void SpButtonShowOrHide(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (TSkSpeedButton* c = s.GetSpeedButton(a1)) c->ShowOrHide();
}
void ButtonShowOrHide(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (TSkButton* c = s.GetButton(a1)) c->ShowOrHide();
}
void SButtonDown(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) {
  if (TSkSpeedButton* c = s.GetSpeedButton(a1)) c->ToggleRemembered();
}
void HelpId(TSkStract& s, const RCommand&, const QString& a1, const QString&, const RHelpAction&) { s.HelpTopic = a1; }
void Help(TSkStract& s, const RCommand&, const QString& a1, const QString& a2, const RHelpAction&) {
  // The help file goes to the desktop's viewer; a topic is its anchor.
  const QString topic = !a2.isEmpty() ? a2 : s.HelpTopic;
  const QString file = ExeRelativePath(a1);
  s.lastHelpRequest = topic.isEmpty() ? file : file + u'#' + topic;
  ShellOpen(file, QString(), QStringLiteral("open"));
}
void Test(TSkStract&, const RCommand&, const QString& a1, const QString& a2, const RHelpAction&) {
  ShowPlainMessage(a1 + u'*' + a2);
}
void Nil(TSkStract&, const RCommand&, const QString&, const QString&, const RHelpAction&) {}

struct CommandEntry {
  const char* word;
  Command run;
};

// In the order the executor tests them.
const CommandEntry kCommands[] = {
    {"click_but", ClickBut},
    {"click_spbut", ClickSpBut},
    {"spbutton_down", SpButtonDown},
    {"form_close", FormClose},
    {"form_mini", FormMini},
    {"form_maxi", FormMaxi},
    {"form_show", FormShow},
    {"menu_del_favore", MenuDelFavore},
    {"menu_show", MenuShow},
    {"run", Run},
    {"html_back", HtmlBack},
    {"html_forward", HtmlForward},
    {"html_copy", HtmlCopy},
    {"html_sel_all", HtmlSelAll},
    {"html_load", HtmlLoad},
    {"html_go_top", HtmlGoTop},
    {"html_go_history", HtmlGoHistory},
    {"label", Label},
    {"combo_load", ComboLoad},
    {"tree_go_history", TreeGoHistory},
    {"tree_back", TreeBack},
    {"tree_forward", TreeForward},
    {"tree_del_favorite", TreeDelFavorite},
    {"tree_add_favorite", TreeAddFavorite},
    {"treeex_add_favorite", TreeExAddFavorite},
    {"treeex_go", TreeExGo},
    {"tree_go", TreeGo},
    {"treeex_check_all", TreeExCheckAll},
    {"treeex_un_check_all", TreeExUnCheckAll},
    {"treeex_show_or_hide", TreeExShowOrHide},
    {"tree_show_or_hide", TreeShowOrHide},
    {"treeex_next", TreeExNext},
    {"treeex_prev", TreeExPrev},
    {"tree_next", TreeNext},
    {"tree_prev", TreePrev},
    {"tree_expand", TreeExpand},
    {"tree_collapse", TreeCollapse},
    {"visible", Visible},
    {"enabled", Enabled},
    {"split_show_or_hide", SplitShowOrHide},
    {"panel_show_or_hide", PanelShowOrHide},
    {"parpanel_show_or_hide", ParPanelShowOrHide},
    {"spbutton_show_or_hide", SpButtonShowOrHide},
    {"button_show_or_hide", ButtonShowOrHide},
    {"sbutton_down", SButtonDown},
    {"help_id", HelpId},
    {"help", Help},
    {"test", Test},
    {"nil", Nil},
};

Command FindCommand(const QString& word) {
  for (const CommandEntry& entry : kCommands)
    if (word == QLatin1String(entry.word)) return entry.run;
  return nullptr;
}

}  // namespace

QStringList InterpreterCommandWords() {
  QStringList words;
  for (const CommandEntry& entry : kCommands) words << QLatin1String(entry.word);
  return words;
}

void TSkStract::RunAction(const RHelpAction& record) {
  const TSkCommand parsed(record.Action);
  ++runDepth_;
  try {
    for (int i = 0; i < parsed.count(); ++i) {
      const RCommand& command = parsed.commands()[std::size_t(i)];
      const QString a1 = ActionArgument(command, 0);
      const QString a2 = ActionArgument(command, 1);
      if (const Command run = FindCommand(command.Word)) {
        run(*this, command, a1, a2, record);
        continue;
      }
      if (!OnWindowAction) continue;
      RHelpAction handOver = record;
      handOver.Action = parsed.CommandText(i);
      if (!command.Rest.isEmpty()) handOver.Action += QStringLiteral("//") + command.Rest;
      OnWindowAction(handOver);
      break;
    }
  } catch (const ConversionError& e) {
    // A bad number ends the whole run, nested runs included.
    if (runDepth_ > 1) {
      --runDepth_;
      throw;
    }
    ShowPlainMessage(e.text());
  }
  --runDepth_;
}

void TSkStract::RunActionText(const QString& text) {
  RHelpAction record;
  record.Action = text;
  RunAction(record);
}

void TSkStract::ControlClick(QObject* sender) {
  RHelpAction record;
  record.Sender = sender;
  if (auto* combo = qobject_cast<TSkComboBox*>(sender)) {
    if (combo->readOnly() && combo->currentIndex() < 0) return;
    record.Action = FillPlaceholder(combo->action, combo->ComboValue(), false);
  } else if (auto* tree = qobject_cast<TSkTree*>(sender)) {
    const QString value = tree->SelectedData();
    if (value.isEmpty()) return;
    record.Action = FillPlaceholder(tree->action, value, true);
  } else if (auto* treeEx = qobject_cast<TSkTreeEx*>(sender)) {
    const QString value = treeEx->FocusedData();
    if (value.isEmpty()) return;
    record.Action = FillPlaceholder(treeEx->action, value, true);
  } else if (auto* list = qobject_cast<TSkListBox*>(sender)) {
    const int index = list->currentRow();
    if (index < 0 || index >= list->count()) return;
    const QString value = list->ListItemValue(index);
    if (value.isEmpty()) return;
    record.Action = FillPlaceholder(list->action, value, true);
  } else if (qobject_cast<TSkButton*>(sender) || qobject_cast<TSkSpeedButton*>(sender)) {
    auto* button = static_cast<QWidget*>(sender);
    record.Action = AsSkControl(sender)->action;
    record.AnchorHeight = button->height();
    const QPoint origin = button->mapToGlobal(QPoint(0, 0));
    record.AnchorLeft = origin.x();
    record.AnchorTop = origin.y();
  } else if (auto* check = qobject_cast<TSkCheckBox*>(sender)) {
    record.Action = FillPlaceholder(check->action, check->isChecked() ? QStringLiteral("1") : QStringLiteral("0"), true);
    for (const QString& name : std::as_const(check->enableList)) {
      QObject* found = GetControl(name);  // a miss is reported by the lookup
      if (auto* control = qobject_cast<QWidget*>(found))
        control->setEnabled(check->isChecked());
      else if (!found)
        ReportError(QStringLiteral("Проверте параметр enable_control для чекьокса ") + check->objectName());
    }
  } else if (qobject_cast<TSkItem*>(sender) || qobject_cast<TSkImage*>(sender) || qobject_cast<TSkPanel*>(sender) ||
             qobject_cast<TParentPanel*>(sender) || qobject_cast<TSkLabel*>(sender)) {
    record.Action = AsSkControl(sender)->action;
  } else {
    return;
  }
  RunAction(record);
}

void TSkStract::ControlKeyUp(QObject* sender, int key, Qt::KeyboardModifiers) {
  RHelpAction record;
  if (auto* tree = qobject_cast<TSkTreeEx*>(sender)) {
    if (key == Qt::Key_Space) tree->ToggleFocusedMark();
  }
  if (auto* edit = qobject_cast<TSkEditBox*>(sender)) {
    if (edit->actOnEveryKey || key == Qt::Key_Return || key == Qt::Key_Enter) record.Action = edit->action;
  }
  RunAction(record);
}

void TSkStract::TreeItemSelected(QObject* sender, QTreeWidgetItem* item) {
  if (item && item->isSelected()) ControlClick(sender);
}

}  // namespace tobrina
