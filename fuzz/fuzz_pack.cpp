// Any bytes as interface.dat: open, then extract every entry and look up a few names.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdlib>

#include "pack/gPack.h"
#include "platform/codepage.h"
#include "platform/uiservices.h"

using namespace tobrina;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const QString path = [] {
    InstallUi(std::make_unique<ScriptedUi>());
    const QString dir = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    static const QString file = dir + QStringLiteral("/tobrina-fuzz-%1.dat").arg(QCoreApplication::applicationPid());
    std::atexit([] { QFile::remove(file); });
    return file;
  }();
  {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
    f.write(reinterpret_cast<const char*>(data), qint64(size));
  }
  static_cast<ScriptedUi&>(Ui()).clear();
  if (OpenPack(path) && PackState().entries) {
    QByteArray bytes;
    const auto count = PackState().entries->size();
    for (std::size_t i = 0; i < count; ++i) {
      ExtractPackEntry(bytes, int(i));
      LoadPackFile(bytes, DecodeCp1251((*PackState().entries)[i].name));
    }
    PackIndexOf(QStringLiteral("struct_main.txt"));
    ReadPackText(QStringLiteral("topic.xml"), QStringLiteral("x"));
  }
  ClosePack();
  return 0;
}
