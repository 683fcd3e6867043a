// The reader benchmarks' start: an offscreen application, message boxes
// recorded instead of shown, user state in the scratch folder.

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

#include "collection.h"
#include "platform/uiservices.h"
#include "platform/userstore.h"

using namespace tobrina;

namespace {

// The offscreen platform's complaint about size hints, once a window, would bury the table.
QtMessageHandler previousHandler = nullptr;
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.contains(QStringLiteral("propagateSizeHints")) || text.contains(QStringLiteral("window opacity"))) return;
  if (previousHandler) previousHandler(type, context, text);
}

}  // namespace

int main(int argc, char** argv) {
  previousHandler = qInstallMessageHandler(QuietHandler);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (!bench::Scratch().isValid()) return 1;
  auto ui = std::make_unique<ScriptedUi>();
  ScriptedUi* messages = ui.get();
  InstallUi(std::move(ui));
  UserStore::Install(std::make_unique<UserStore>(bench::Scratch().filePath(QStringLiteral("user-state.ini"))));
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  // A message means the collection or the reader went wrong: the figures may mislead.
  for (const QString& text : messages->texts()) std::fprintf(stderr, "warning: the reader said: %s\n", qPrintable(text));
  return 0;
}
