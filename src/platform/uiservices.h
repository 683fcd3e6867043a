#pragma once
// Every message box, file or colour dialog and modal run of the reader goes
// through one UI-services object. The reader installs the Qt one; the pack
// tool installs one that writes to stderr; tests install ScriptedUi, which
// records every message and answers every dialog without a modal loop.

#include <QColor>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class QWidget;

namespace tobrina {

enum class MessageKind {
  Plain,   // the toolkit's plain message box
  Themed,  // the skin theme's message dialog
  Error,   // the interpreter's error box: error icon, one "Yes" button
};

struct FileDialogRequest {
  QString title;
  QString filter;       // Qt filter syntax: "Pictures (*.jpg *.bmp)"
  QString initialPath;  // folder or file
};

class UiServices {
 public:
  virtual ~UiServices() = default;
  virtual void showMessage(MessageKind kind, const QString& text) = 0;
  virtual QString openFileName(const FileDialogRequest& request) = 0;  // empty: cancelled
  virtual QString saveFileName(const FileDialogRequest& request) = 0;  // empty: cancelled
  virtual std::optional<QColor> chooseColor(const QColor& initial) = 0;
  // Shows the window modally and returns when it closes; the result is the
  // dialog's result code (0 for a window that is not a dialog).
  virtual int runModal(QWidget* window) = 0;
  // Hands a document or URL to the desktop, or starts a program with an
  // argument list. Never a shell command line. False when it could not start.
  virtual bool openDocument(const QString& target) = 0;
  virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
  // Ends the application's event loop with the exit code.
  virtual void quitApplication(int code) = 0;
};

// The services in use. Until one is installed, messages go to stderr and
// dialogs answer "cancelled".
UiServices& Ui();
// Installs new services and returns the previous ones.
std::unique_ptr<UiServices> InstallUi(std::unique_ptr<UiServices> services);

// Shorthands for the three kinds of message.
inline void ShowPlainMessage(const QString& text) { Ui().showMessage(MessageKind::Plain, text); }
inline void ShowThemedMessage(const QString& text) { Ui().showMessage(MessageKind::Themed, text); }
inline void ShowErrorBox(const QString& text) { Ui().showMessage(MessageKind::Error, text); }

// Writes messages to stderr and answers every dialog with "cancelled".
class ConsoleUi final : public UiServices {
 public:
  void showMessage(MessageKind kind, const QString& text) override;
  QString openFileName(const FileDialogRequest&) override { return {}; }
  QString saveFileName(const FileDialogRequest&) override { return {}; }
  std::optional<QColor> chooseColor(const QColor&) override { return std::nullopt; }
  int runModal(QWidget*) override { return 0; }
  bool openDocument(const QString&) override { return false; }
  bool startProgram(const QString&, const QStringList&) override { return false; }
  void quitApplication(int code) override;
};

// Message boxes and dialogs of Qt Widgets.
class QtUi final : public UiServices {
 public:
  void showMessage(MessageKind kind, const QString& text) override;
  QString openFileName(const FileDialogRequest& request) override;
  QString saveFileName(const FileDialogRequest& request) override;
  std::optional<QColor> chooseColor(const QColor& initial) override;
  int runModal(QWidget* window) override;
  bool openDocument(const QString& target) override;
  bool startProgram(const QString& program, const QStringList& arguments) override;
  void quitApplication(int code) override;
};

// For tests: records every message and request, answers from queues.
class ScriptedUi final : public UiServices {
 public:
  struct Message {
    MessageKind kind;
    QString text;
  };
  std::vector<Message> messages;
  std::vector<FileDialogRequest> fileRequests;
  std::vector<QString> openedDocuments;
  std::vector<QStringList> startedPrograms;  // program first, then its arguments
  std::vector<QWidget*> modalWindows;
  std::vector<int> exitCodes;  // quitApplication requests

  QStringList fileAnswers;                  // taken from the front; empty: cancelled
  std::vector<std::optional<QColor>> colorAnswers;
  std::vector<int> modalAnswers;            // taken from the front; none left: 0

  void showMessage(MessageKind kind, const QString& text) override;
  QString openFileName(const FileDialogRequest& request) override;
  QString saveFileName(const FileDialogRequest& request) override;
  std::optional<QColor> chooseColor(const QColor& initial) override;
  int runModal(QWidget* window) override;
  bool openDocument(const QString& target) override;
  bool startProgram(const QString& program, const QStringList& arguments) override;
  void quitApplication(int code) override { exitCodes.push_back(code); }

  QStringList texts() const;  // every message text, in order
  void clear();
};

// Installs a ScriptedUi for the lifetime of the guard and restores the
// previous services after it.
class ScopedScriptedUi final {
 public:
  ScopedScriptedUi();
  ~ScopedScriptedUi();
  ScopedScriptedUi(const ScopedScriptedUi&) = delete;
  ScopedScriptedUi& operator=(const ScopedScriptedUi&) = delete;
  ScriptedUi& operator*() { return *ui_; }
  ScriptedUi* operator->() { return ui_; }

 private:
  ScriptedUi* ui_;
  std::unique_ptr<UiServices> previous_;
};

}  // namespace tobrina
