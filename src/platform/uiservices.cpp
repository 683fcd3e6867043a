#include "platform/uiservices.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QUrl>
#include <cstdio>

namespace tobrina {
namespace {

std::unique_ptr<UiServices>& Installed() {
  static std::unique_ptr<UiServices> services = std::make_unique<ConsoleUi>();
  return services;
}

bool HaveWidgets() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

// Quits a local event loop when the watched window is hidden or destroyed.
class CloseWatcher final : public QObject {
 public:
  explicit CloseWatcher(QEventLoop& loop) : loop_(loop) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Hide) loop_.quit();
    return QObject::eventFilter(watched, event);
  }

 private:
  QEventLoop& loop_;
};

}  // namespace

UiServices& Ui() { return *Installed(); }

std::unique_ptr<UiServices> InstallUi(std::unique_ptr<UiServices> services) {
  Q_ASSERT(services);
  std::swap(Installed(), services);
  return services;
}

void ConsoleUi::showMessage(MessageKind, const QString& text) {
  std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

void ConsoleUi::quitApplication(int code) { QCoreApplication::exit(code); }

void QtUi::quitApplication(int code) { QCoreApplication::exit(code); }

void QtUi::showMessage(MessageKind kind, const QString& text) {
  if (!HaveWidgets()) {
    ConsoleUi().showMessage(kind, text);
    return;
  }
  const QString title = QGuiApplication::applicationDisplayName();
  switch (kind) {
    case MessageKind::Plain:
      QMessageBox(QMessageBox::NoIcon, title, text, QMessageBox::Ok).exec();
      break;
    case MessageKind::Themed:
      QMessageBox(QMessageBox::Information, title, text, QMessageBox::Ok).exec();
      break;
    case MessageKind::Error:
      QMessageBox(QMessageBox::Critical, title, text, QMessageBox::Yes).exec();
      break;
  }
}

QString QtUi::openFileName(const FileDialogRequest& r) {
  if (!HaveWidgets()) return {};
  return QFileDialog::getOpenFileName(QApplication::activeWindow(), r.title, r.initialPath, r.filter);
}

QString QtUi::saveFileName(const FileDialogRequest& r) {
  if (!HaveWidgets()) return {};
  return QFileDialog::getSaveFileName(QApplication::activeWindow(), r.title, r.initialPath, r.filter);
}

std::optional<QColor> QtUi::chooseColor(const QColor& initial) {
  if (!HaveWidgets()) return std::nullopt;
  const QColor c = QColorDialog::getColor(initial, QApplication::activeWindow());
  if (!c.isValid()) return std::nullopt;
  return c;
}

int QtUi::runModal(QWidget* window) {
  if (!window) return 0;
  if (auto* dialog = qobject_cast<QDialog*>(window)) return dialog->exec();
  QPointer<QWidget> guard(window);
  QEventLoop loop;
  CloseWatcher watcher(loop);
  window->installEventFilter(&watcher);
  QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
  window->setWindowModality(Qt::ApplicationModal);
  window->show();
  loop.exec(QEventLoop::DialogExec);
  if (guard) guard->removeEventFilter(&watcher);
  return 0;
}

bool QtUi::openDocument(const QString& target) {
  const QUrl url = QUrl::fromUserInput(target, QString(), QUrl::AssumeLocalFile);
  return url.isValid() && QDesktopServices::openUrl(url);
}

bool QtUi::startProgram(const QString& program, const QStringList& arguments) {
  return QProcess::startDetached(program, arguments);
}

void ScriptedUi::showMessage(MessageKind kind, const QString& text) { messages.push_back({kind, text}); }

QString ScriptedUi::openFileName(const FileDialogRequest& request) {
  fileRequests.push_back(request);
  return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

QString ScriptedUi::saveFileName(const FileDialogRequest& request) { return openFileName(request); }

std::optional<QColor> ScriptedUi::chooseColor(const QColor&) {
  if (colorAnswers.empty()) return std::nullopt;
  auto answer = colorAnswers.front();
  colorAnswers.erase(colorAnswers.begin());
  return answer;
}

int ScriptedUi::runModal(QWidget* window) {
  modalWindows.push_back(window);
  if (modalAnswers.empty()) return 0;
  const int answer = modalAnswers.front();
  modalAnswers.erase(modalAnswers.begin());
  return answer;
}

bool ScriptedUi::openDocument(const QString& target) {
  openedDocuments.push_back(target);
  return true;
}

bool ScriptedUi::startProgram(const QString& program, const QStringList& arguments) {
  startedPrograms.push_back(QStringList{program} + arguments);
  return true;
}

QStringList ScriptedUi::texts() const {
  QStringList out;
  for (const auto& m : messages) out << m.text;
  return out;
}

void ScriptedUi::clear() {
  messages.clear();
  fileRequests.clear();
  openedDocuments.clear();
  startedPrograms.clear();
  modalWindows.clear();
  exitCodes.clear();
}

ScopedScriptedUi::ScopedScriptedUi() {
  auto ui = std::make_unique<ScriptedUi>();
  ui_ = ui.get();
  previous_ = InstallUi(std::move(ui));
}

ScopedScriptedUi::~ScopedScriptedUi() { InstallUi(std::move(previous_)); }

}  // namespace tobrina
