#include <QApplication>
#include <QDir>

#include "app/checkmode.h"
#include "controls/skForm.h"
#include "interp/skUseStract.h"
#include "pack/gPack.h"
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
  QDir::setCurrent(QApplication::applicationDirPath());
  OpenPack(QString::fromLatin1(kPackFileName));

  // Until the main window of its own exists, the reader shows its
  // description in a generic window.
  TfrmFORM window;
  window.setObjectName(QStringLiteral("frmMain"));
  TSkStract interpreter(&window, QStringLiteral("struct_main.txt"));
  interpreter.LoadDescription();
  interpreter.ActivateDescription();
  window.show();
  return app.exec();
}
