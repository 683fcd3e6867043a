#include <QApplication>
#include <QDir>
#include <QWidget>

#include "pack/gHelpers.h"
#include "pack/gPack.h"
#include "platform/uiservices.h"

using namespace tobrina;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tobrina"));
  QApplication::setApplicationDisplayName(QStringLiteral("Тобрина"));
  InstallUi(std::make_unique<QtUi>());

  QDir::setCurrent(QApplication::applicationDirPath());
  OpenPack(QString::fromLatin1(kPackFileName));

  QWidget window;
  window.setWindowTitle(QStringLiteral("Тобрина"));
  window.resize(800, 600);
  window.show();
  return app.exec();
}
