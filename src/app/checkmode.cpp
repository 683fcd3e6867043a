#include "app/checkmode.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <cstdio>

#include "app/uFind.h"
#include "app/uMain.h"
#include "controls/skForm.h"
#include "html/skHTML.h"
#include "controls/skPanel.h"
#include "controls/skPlayers.h"
#include "controls/skSimple.h"
#include "controls/skTreeView.h"
#include "interp/skUseStract.h"
#include "pack/gHelpers.h"
#include "pack/gPack.h"
#include "platform/codepage.h"
#include "platform/uiservices.h"

namespace tobrina {
namespace {

QString ClassName(const QObject* object) {
  return QString::fromLatin1(object->metaObject()->className()).section(QStringLiteral("::"), -1);
}

// The description files of the folder: pack entries first, then loose files.
QStringList DescriptionFiles(const QString& folder) {
  QStringList names;
  auto consider = [&names](const QString& name) {
    const QString lower = name.toLower();
    if (lower.startsWith(u"struct_") && lower.endsWith(u".txt") && !lower.contains(u'\\') && !names.contains(lower))
      names << lower;
  };
  if (const auto& entries = PackState().entries)
    for (const TData& e : *entries) consider(DecodeCp1251(e.name));
  for (const QString& file : QDir(folder).entryList({QStringLiteral("*.txt")}, QDir::Files)) consider(file);
  names.sort();
  return names;
}

// The container an object reports: the described object or page it sits in.
QString ContainerName(const TSkStract& stract, const QObject* object) {
  const std::vector<QObject*> all = stract.registry(Kind::All);
  const QObject* parent = object->parent();
  if (auto* media = qobject_cast<const TSkMedia*>(object)) parent = media->displayArea;
  for (; parent; parent = parent->parent()) {
    const bool described = std::find(all.begin(), all.end(), parent) != all.end();
    const bool page = parent->parent() && parent->parent() == stract.window()->pageSet();
    if (described || page) return parent->objectName();
  }
  return {};
}

QString TextOf(const QObject* object) {
  if (auto* label = qobject_cast<const TSkLabel*>(object)) return label->wideCaption();
  if (auto* button = qobject_cast<const QAbstractButton*>(object)) return button->text();
  if (auto* edit = qobject_cast<const QLineEdit*>(object)) return edit->text();
  if (auto* combo = qobject_cast<const QComboBox*>(object)) return combo->currentText();
  return {};
}

// "NAME=VALUE": what a user would type, tick or pick in that control.
void SetControl(TSkStract& stract, const QString& step) {
  const QString name = step.section(u'=', 0, 0);
  const QString value = step.section(u'=', 1);
  QObject* control = stract.GetControl(name);  // a miss is reported
  if (auto* combo = qobject_cast<QComboBox*>(control)) {
    combo->setEditText(value);
  } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    edit->setText(value);
  } else if (auto* button = qobject_cast<QAbstractButton*>(control); button && button->isCheckable()) {
    button->setChecked(ParseBool(value, true));
  } else if (auto* list = qobject_cast<QListWidget*>(control)) {
    bool ok = false;
    const int row = value.toInt(&ok);
    if (ok && row >= 0 && row < list->count()) list->setCurrentRow(row);
  } else if (control) {
    ShowPlainMessage(QStringLiteral("--set: ") + name + QStringLiteral(" не принимает значения"));
  }
}

QJsonObject CheckWindow(const QString& file, const CheckOptions& options, ScriptedUi& ui, bool* errorRaised) {
  ui.clear();
  QJsonArray handedOver;
  // Each file is built by the window class the reader builds it with.
  std::unique_ptr<TSkForm> window;
  std::unique_ptr<TSkStract> ownInterpreter;
  TSkStract* interpreter = nullptr;
  TfrmMain* mainWindow = nullptr;
  std::unique_ptr<TfrmMain> owner;  // the search window's
  if (file == u"struct_main.txt") {
    ClosePack();  // the main window opens the pack itself, as at start-up
    auto main = std::make_unique<TfrmMain>();
    mainWindow = main.get();
    interpreter = main->interpreter();
    window = std::move(main);
  } else if (file == u"struct_find.txt") {
    ClosePack();
    owner = std::make_unique<TfrmMain>();
    mainWindow = owner.get();
    interpreter = owner->findWindow()->interpreter();
  } else {
    window = std::make_unique<TfrmFORM>();
    ownInterpreter = std::make_unique<TSkStract>(window.get(), file);
    interpreter = ownInterpreter.get();
    // Words nothing handles are recorded, so authors see them.
    interpreter->OnWindowAction = [&handedOver](const RHelpAction& r) { handedOver.append(r.Action); };
    interpreter->LoadDescription();
    interpreter->ActivateDescription();
  }
  interpreter->OnSecondaryWindowAction = [&handedOver](const RHelpAction& r) { handedOver.append(r.Action); };
  TSkForm& form = window ? *window : *owner->findWindow();
  TSkStract& stract = *interpreter;
  form.show();
  QCoreApplication::processEvents();
  const std::size_t loadMessages = ui.messages.size();
  for (const QString& action : options.actions) {
    if (action.startsWith(u'='))
      SetControl(stract, action.mid(1));
    else
      stract.RunActionText(action);
    QCoreApplication::processEvents();
  }

  if (!options.screenshots.isEmpty()) {
    QDir().mkpath(options.screenshots);
    form.grab().save(QDir(options.screenshots).filePath(QFileInfo(file).completeBaseName() + QStringLiteral(".png")));
    // The search window opens its results in the main window behind it.
    if (owner) {
      owner->show();
      QCoreApplication::processEvents();
      owner->grab().save(QDir(options.screenshots).filePath(QStringLiteral("struct_find-main.png")));
    }
  }

  QJsonArray objects;
  for (QObject* object : stract.registry(Kind::All)) {
    QJsonObject o;
    o[QStringLiteral("name")] = object->objectName();
    o[QStringLiteral("type")] = stract.description()->readString(object->objectName(), u"type").toLower();
    o[QStringLiteral("class")] = ClassName(object);
    o[QStringLiteral("container")] = ContainerName(stract, object);
    if (auto* w = qobject_cast<QWidget*>(object); w && !w->isWindow()) {
      const QRect g = w->geometry();  // in the container's coordinates
      o[QStringLiteral("bounds")] = QJsonObject{{QStringLiteral("left"), g.left()},
                                                {QStringLiteral("top"), g.top()},
                                                {QStringLiteral("width"), g.width()},
                                                {QStringLiteral("height"), g.height()}};
      o[QStringLiteral("visible")] = !w->isHidden();
      o[QStringLiteral("enabled")] = w->isEnabled();
    }
    const QString text = TextOf(object);
    if (!text.isEmpty()) o[QStringLiteral("text")] = text;
    if (auto* button = qobject_cast<TSkSpeedButton*>(object)) o[QStringLiteral("down")] = button->isChecked();
    if (auto* tree = qobject_cast<TSkTree*>(object)) o[QStringLiteral("selected")] = tree->SelectedData();
    if (auto* tree = qobject_cast<TSkTreeEx*>(object)) o[QStringLiteral("selected")] = tree->FocusedData();
    if (auto* list = qobject_cast<QListWidget*>(object)) {
      QJsonArray rows;
      for (int r = 0; r < list->count(); ++r) rows.append(list->item(r)->text());
      o[QStringLiteral("rows")] = rows;
      o[QStringLiteral("row")] = list->currentRow();
    }
    if (auto* bar = qobject_cast<QProgressBar*>(object)) o[QStringLiteral("position")] = bar->value();
    if (auto* view = qobject_cast<TSkHtml*>(object)) {
      o[QStringLiteral("page")] = view->currentFile();
      o[QStringLiteral("title")] = view->documentTitle();
    }
    objects.append(o);
  }
  QJsonArray messages;
  for (std::size_t i = 0; i < ui.messages.size(); ++i) {
    const auto& m = ui.messages[i];
    messages.append(m.text);
    // Whatever loading says is an error; later, only the error box is.
    if (i < loadMessages || m.kind == MessageKind::Error) *errorRaised = true;
  }
  QJsonObject report{{QStringLiteral("file"), file},
                     {QStringLiteral("class"), ClassName(&form)},
                     {QStringLiteral("caption"), form.windowTitle()},
                     {QStringLiteral("width"), form.width()},
                     {QStringLiteral("height"), form.height()},
                     {QStringLiteral("objects"), objects},
                     {QStringLiteral("messages"), messages},
                     {QStringLiteral("handed_over"), handedOver}};
  if (mainWindow) {
    report[QStringLiteral("history_position")] = mainWindow->history().position();
    report[QStringLiteral("history_count")] = int(mainWindow->history().items().size());
    report[QStringLiteral("entry")] = mainWindow->CurrentEntryAction;
  }
  return report;
}

}  // namespace

bool ParseCheckArguments(const QStringList& arguments, CheckOptions& options) {
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    if (a == u"--check") continue;
    if (a == u"--window" && i + 1 < arguments.size()) {
      options.window = arguments[++i];
    } else if (a == u"--run" && i + 1 < arguments.size()) {
      options.actions << arguments[++i];
    } else if (a == u"--set" && i + 1 < arguments.size() && arguments[i + 1].contains(u'=')) {
      options.actions << u'=' + arguments[++i];
    } else if (a == u"--screenshots" && i + 1 < arguments.size()) {
      options.screenshots = QFileInfo(arguments[++i]).absoluteFilePath();
    } else if (!a.startsWith(u"--") && options.folder.isEmpty()) {
      options.folder = a;
    } else {
      std::fprintf(stderr, "usage: tobrina --check [--window NAME] [--run ACTION | --set NAME=VALUE]... [--screenshots FOLDER] [FOLDER]\n");
      return false;
    }
  }
  return true;
}

QByteArray CheckReport(const CheckOptions& options, bool* errorRaised) {
  *errorRaised = false;
  const QString folder = QFileInfo(options.folder.isEmpty() ? ExeFolder() : options.folder).absoluteFilePath();
  const QString old = QDir::currentPath();
  QDir::setCurrent(folder);
  SetExeFolderOverride(folder);  // the windows see FOLDER as the reader's own folder
  ScopedScriptedUi ui;
  OpenPack(QString::fromLatin1(kPackFileName));
  QStringList files = DescriptionFiles(QDir::currentPath());
  if (!options.window.isEmpty()) {
    QString wanted = options.window.toLower();
    if (!wanted.endsWith(u".txt")) wanted = QStringLiteral("struct_") + wanted + QStringLiteral(".txt");
    files = {wanted};
  }
  QJsonArray windows;
  for (const QString& file : std::as_const(files)) windows.append(CheckWindow(file, options, *ui, errorRaised));
  ClosePack();
  SetExeFolderOverride({});
  QDir::setCurrent(old);
  return QJsonDocument(QJsonObject{{QStringLiteral("windows"), windows}}).toJson(QJsonDocument::Indented);
}

int RunCheck(const CheckOptions& options) {
  bool error = false;
  const QByteArray json = CheckReport(options, &error);
  std::fwrite(json.constData(), 1, std::size_t(json.size()), stdout);
  return error ? 1 : 0;
}

}  // namespace tobrina
