#include <QApplication>
#include <QDir>
#include <QWidget>

#include "pack/gHelpers.h"
#include "pack/gPack.h"
#include "pack/uIniFiles.h"
#include "platform/uiservices.h"

using namespace tobrina;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tobrina"));
  QApplication::setApplicationDisplayName(QStringLiteral("Тобрина"));
  InstallUi(std::make_unique<QtUi>());

  QDir::setCurrent(QApplication::applicationDirPath());
  OpenPack(QString::fromLatin1(kPackFileName));

  // Until the interpreter builds it, the main window only takes its caption
  // from the first form section of its description.
  const TPakIniFile description(QStringLiteral("struct_main.txt"));
  QWidget window;
  for (const QString& section : description.sectionNames()) {
    if (description.readString(section, u"type").compare(u"form", Qt::CaseInsensitive) == 0) {
      window.setWindowTitle(description.readString(section, u"caption"));
      break;
    }
  }
  window.resize(800, 600);
  window.show();
  return app.exec();
}
