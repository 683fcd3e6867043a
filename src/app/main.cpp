#include <QApplication>
#include <QDir>

#include "app/checkmode.h"
#include "app/uMain.h"
#include "platform/uiservices.h"

using namespace tobrina;

int main(int argc, char** argv) {
  const bool check = argc > 1 && qstrcmp(argv[1], "--check") == 0;
  if (check) qputenv("QT_QPA_PLATFORM", "offscreen");  // no display needed
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tobrina"));
  QApplication::setApplicationDisplayName(QStringLiteral("Тобрина"));

  if (check) {
    CheckOptions options;
    if (!ParseCheckArguments(app.arguments().mid(1), options)) return 2;
    return RunCheck(options);
  }

  InstallUi(std::make_unique<QtUi>());
  TfrmMain window;
  window.show();
  return app.exec();
}
