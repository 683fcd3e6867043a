// Favourites, history menus and the window position, kept in the per-user
// store under the window's "reg_dat" key path.

#include <QScopeGuard>

#include "controls/skPopMenu.h"
#include "controls/skTreeView.h"
#include "html/skHTML.h"
#include "interp/skUseStract.h"
#include "platform/convert.h"
#include "platform/userstore.h"

namespace tobrina {

namespace {
constexpr int kMaxFavourites = 20;
const QString kFavouritePrefix = QStringLiteral("favorite_");
}  // namespace

bool TSkStract::WriteReg(const QString& name, const QString& value) {
  if (registryPath.isEmpty()) {
    ReportError(QStringLiteral("WriteReg. Укажите путь в реестре (reg_dat для form)"));
    return false;
  }
  return UserStore::Instance().write(registryPath, name, value);
}

QString TSkStract::ReadReg(const QString& name) {
  if (registryPath.isEmpty()) {
    ReportError(QStringLiteral("WriteReg. Укажите путь в реестре (reg_dat для form)"));
    return {};
  }
  return UserStore::Instance().read(registryPath, name).value_or(QString());
}

void TSkStract::SavePosition() {
  if (!window_) return;
  // The normal geometry, so a maximised window comes back to its old place
  // when the user restores it.
  const QRect r = window_->isMaximized() ? window_->normalGeometry() : window_->geometry();
  WriteReg(QStringLiteral("pos_") + window_->objectName(),
           QStringLiteral("%1;%2;%3;%4;%5")
               .arg(r.top())
               .arg(r.left())
               .arg(r.width())
               .arg(r.height())
               .arg(window_->isMaximized() ? 1 : 0));
}

void TSkStract::RestorePosition() {
  if (!window_) return;
  QString text = ReadReg(QStringLiteral("pos_") + window_->objectName());
  QStringList fields;
  for (int i = 0; i < 5; ++i) fields << SplitToken(text, QStringLiteral(";"));
  if (fields[0].isEmpty() || fields[1].isEmpty() || fields[2].isEmpty() || fields[3].isEmpty()) return;
  const int top = ParseInt(fields[0]), left = ParseInt(fields[1]);
  const int width = ParseInt(fields[2]), height = ParseInt(fields[3]);
  if (width <= 0 || height <= 0) return;
  window_->setGeometry(left, top, width, height);
  if (fields[4] == u"1") window_->setWindowState(window_->windowState() | Qt::WindowMaximized);
}

void TSkStract::ReadFavorite() {
  favouritesExist_ = true;
  if (favouriteMenus.isEmpty()) return;
  if (registryPath.isEmpty()) {
    ReportError(QStringLiteral("ReadFavorite. Укажите путь в реестре (reg_dat для form)"));
    return;
  }
  for (int n = kMaxFavourites; n >= 0; --n) {
    const QString value = UserStore::Instance().read(registryPath, kFavouritePrefix + QString::number(n)).value_or(QString());
    if (!value.isEmpty()) AddFavorite(value, false);
  }
}

void TSkStract::AddFavorite(const QString& text, bool testCaption) {
  if (favouriteMenus.isEmpty()) {
    ReportError(QStringLiteral("AddFavorite. Укажите меню которое хранит избранное (favorite)"));
    return;
  }
  favouritesExist_ = true;
  for (const QString& f : std::as_const(favourites_))
    if (f.compare(text, Qt::CaseInsensitive) == 0) return;
  if (testCaption) {
    const QString caption = TextBefore(text, QStringLiteral("="));
    for (const QString& f : std::as_const(favourites_))
      if (TextBefore(f, QStringLiteral("=")) == caption) return;
  }
  favourites_.prepend(text);
  if (favourites_.size() > kMaxFavourites) favourites_.removeLast();
  const auto notify = qScopeGuard([this] { emit favouritesChanged(); });

  QString value = text;
  const QString caption = SplitToken(value, QStringLiteral("="));
  for (const QString& name : favouriteMenus.split(u';', Qt::SkipEmptyParts)) {
    TSkPopMenu* menu = GetPopMenu(name);
    if (!menu) continue;
    if (menu->globalAction.isEmpty()) {
      ReportError(name + QStringLiteral(".AddFavorite. Пропишите в меню glob_action для работы избранного"));
      return;
    }
    TSkItem* item = nullptr;
    if (menu->globalAction != u"nil") {
      const QString action = FillPlaceholder(menu->globalAction, value, true);
      menu->DeleteByAction(action);
      item = menu->InsertAt(menu->firstGroupCount, caption, QString(), action);
    } else {
      if (menu->FindByAction(value)) return;
      item = menu->InsertAt(menu->firstGroupCount, caption, QString(), value);
    }
    item->data = value;
    connect(item, &QAction::triggered, this, [this, item] { ControlClick(item); });
    if (menu->Count() > menu->firstGroupCount + menu->lastGroupCount + kMaxFavourites)
      menu->DeleteAt(menu->Count() - menu->lastGroupCount - 1);
  }
}

void TSkStract::DeleteFavorite(const QString& key) {
  if (!favouritesExist_) return;
  qsizetype found = -1;
  for (qsizetype i = 0; i < favourites_.size() && found < 0; ++i)
    if (favourites_[i].contains(key, Qt::CaseInsensitive)) found = i;
  if (found < 0) return;
  favourites_.removeAt(found);
  for (const QString& name : favouriteMenus.split(u';', Qt::SkipEmptyParts))
    if (TSkPopMenu* menu = FindQuiet<TSkPopMenu>(name, Kind::PopMenu)) menu->DeleteByData(key);
  emit favouritesChanged();
}

void TSkStract::SaveFavorites() {
  if (!favouritesExist_) return;
  const int count = int(favourites_.size());
  for (int i = 0; i < count; ++i) WriteReg(kFavouritePrefix + QString::number(i), favourites_[i]);
  // Every stored favourite past the new count goes, gaps or not: the loader
  // reads every number up to 20, so a value left behind would come back.
  if (!registryPath.isEmpty()) {
    UserStore& store = UserStore::Instance();
    for (int n = count; n <= kMaxFavourites; ++n)
      if (store.read(registryPath, kFavouritePrefix + QString::number(n))) store.remove(registryPath, kFavouritePrefix + QString::number(n));
  }
  favourites_.clear();
  favouritesExist_ = false;
}

void TSkStract::FillHistoryMenu(TSkPopMenu* menu) {
  if (!menu || (!menu->historyBack && !menu->historyPrev && !menu->historyFull)) return;
  menu->Clear();
  TSkHtml* html = FindQuiet<TSkHtml>(menu->historyTarget, Kind::Html);
  if (!html) {
    // A tree: older steps (back), newer steps (prev), then every step (full,
    // the selected node's step checked); each goes back to its step.
    const TSkTree* tree = FindQuiet<TSkTree>(menu->historyTarget, Kind::Tree);
    if (!tree) return;
    auto addStep = [&](int n, bool full) {
      const QTreeWidgetItem* node = tree->HistoryNode(n);
      if (!node) return;
      TSkItem* item = menu->Add(tree->HistoryCaption(n),
                                QStringLiteral("tree_go_history*%1*%2").arg(menu->historyTarget).arg(n), QString());
      if (full) {
        item->setCheckable(true);
        item->setChecked(node == tree->SelectedNode());
      }
      connect(item, &QAction::triggered, this, [this, item] { ControlClick(item); });
    };
    const int p = tree->historyPosition();
    if (menu->historyBack)
      for (int n = p + 1; n < tree->historyCount(); ++n) addStep(n, false);
    if (menu->historyPrev)
      for (int n = 0; n < p; ++n) addStep(n, false);
    if (menu->historyFull)
      for (int n = 0; n < tree->historyCount(); ++n) addStep(n, true);
    return;
  }
  auto add = [&](int n) {
    const QString action = QStringLiteral("html_go_history*%1*%2//").arg(menu->historyTarget).arg(n) +
                           FillPlaceholder(menu->globalAction, html->historyFile(n), true);
    TSkItem* item = menu->Add(html->historyTitle(n), action, QString());
    connect(item, &QAction::triggered, this, [this, item] { ControlClick(item); });
  };
  const int h = html->historyIndex();
  if (menu->historyBack)
    for (int n = h + 1; n < html->historyCount(); ++n) add(n);
  if (menu->historyPrev)
    for (int n = 0; n < h; ++n) add(n);
}

}  // namespace tobrina
