// Menus and hot keys of the descriptions.

#include "controls/skPopMenu.h"
#include "controls/skSimple.h"
#include "interp/skUseStract.h"
#include "platform/convert.h"
#include "platform/uiservices.h"

namespace tobrina {

void TSkStract::BuildMenu(TSkPopMenu* menu, const QString& name) {
  const IniSection* section = description_->section(name);
  if (!section || section->lines.empty()) return;
  auto has = [section](const char16_t* key) { return section->find(key) != nullptr; };
  if (!has(u"glob_action") && (!has(u"caption") || !has(u"action"))) {
    ShowPlainMessage(QStringLiteral("Для меню ") + name + QStringLiteral(" надо указать все параметры:") +
                     QStringLiteral("\r\n") + QStringLiteral("Caption, Action и можно Key"));
    return;
  }
  for (const IniLine& line : section->lines) {
    if (!line.hasKey) continue;
    const QString key = line.key.toLower();
    const QString value = description_->readString(name, key);
    if (key == u"glob_action") menu->globalAction = value;
    else if (key == u"check") menu->checkedIndex = ParseInt(value);
    else if (key == u"menu_system") window_->systemMenu = ParseBool(value, false) ? menu : window_->defaultSystemMenu();
    else if (key == u"length") menu->lengthLimit = ParseInt(value);
    else if (key == u"favorite") {
      if (ParseBool(value, false)) favouriteMenus += (favouriteMenus.isEmpty() ? QString() : QStringLiteral(";")) + name;
    } else if (key == u"history_back") {
      menu->historyTarget = value;
      menu->historyBack = true;
    } else if (key == u"history_prev") {
      menu->historyTarget = value;
      menu->historyPrev = true;
    }
    if (key == u"history_full") {
      menu->historyTarget = value;
      menu->historyFull = true;
    }
  }
  auto group = [&](const char16_t* captionKey, const char16_t* actionKey, const char16_t* keyKey) {
    QString captions = description_->readString(name, captionKey);
    QString actions = description_->readString(name, actionKey);
    QString keys = description_->readString(name, keyKey);
    int count = 0;
    const QString separator = QStringLiteral(";");
    while (!captions.isEmpty()) {
      const QString caption = SplitToken(captions, separator);
      QString action = SplitToken(actions, separator);
      const QString key = SplitToken(keys, separator);
      if (action.isEmpty()) action = menu->globalAction;
      TSkItem* item = menu->Add(caption, action, key);
      if (!key.isEmpty()) window_->RegisterHotKey(key + u'*' + action);
      connect(item, &QAction::triggered, this, [this, item] { ControlClick(item); });
      ++count;
    }
    return count;
  };
  menu->firstGroupCount = group(u"caption", u"action", u"key");
  menu->lastGroupCount = group(u"last_caption", u"last_action", u"last_key");
  menu->UncheckAll();
  if (TSkItem* item = menu->ItemAt(menu->checkedIndex); item && menu->checkedIndex != -1) item->setChecked(true);
}

void TSkStract::BuildHotKeys(const QString& name) {
  const IniSection* section = description_->section(name);
  if (!section) return;
  for (const IniLine& line : section->lines)
    if (line.hasKey && line.key.compare(u"type", Qt::CaseInsensitive) != 0)
      window_->RegisterHotKey(description_->readString(name, line.key));
}

}  // namespace tobrina
