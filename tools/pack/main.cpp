// tobrina-pack: builds, lists, prints and extracts the reader's packs.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>

#include "pack/gPack.h"
#include "pack/packwriter.h"
#include "platform/codepage.h"
#include "platform/uiservices.h"

using namespace tobrina;

namespace {

void Err(const QString& text) { std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData()); }

int Usage() {
  Err(QStringLiteral(
      "Использование:\n"
      "  tobrina-pack build ПАПКА АРХИВ [--scramble ШАБЛОН]...  собрать архив из всех файлов папки\n"
      "  tobrina-pack list АРХИВ                                имя, размер, позиция и флаг каждой записи\n"
      "  tobrina-pack cat АРХИВ ИМЯ                             вывести файл так, как его прочтёт читалка\n"
      "  tobrina-pack extract АРХИВ ПАПКА                       распаковать архив в папку\n"
      "ШАБЛОН сравнивается с именем файла относительно папки (\"content/*.html\", \"*.jpg\")."));
  return 2;
}

bool OpenOrSay(const QString& pack) {
  if (OpenPack(pack) && PackState().entries) return true;
  Err(QStringLiteral("Не удалось открыть архив %1.").arg(pack));
  return false;
}

int Build(const QStringList& args) {
  QStringList patterns;
  QStringList positional;
  for (qsizetype i = 0; i < args.size(); ++i) {
    if (args[i] == u"--scramble" && i + 1 < args.size())
      patterns << args[++i];
    else
      positional << args[i];
  }
  if (positional.size() != 2) return Usage();
  const QString error = BuildPackFromFolder(positional[0], positional[1], patterns);
  if (!error.isEmpty()) {
    Err(error);
    return 1;
  }
  return 0;
}

int List(const QString& pack) {
  if (!OpenOrSay(pack)) return 1;
  for (const TData& e : *PackState().entries)
    std::printf("%s\t%u\t%u\t%u\n", DecodeCp1251(e.name).toLocal8Bit().constData(), e.size, e.position, e.flag);
  return 0;
}

int Cat(const QString& pack, const QString& name) {
  OpenPack(pack);  // a pack that does not open leaves the loose files, as in the reader
  QByteArray bytes;
  if (!LoadPackFile(bytes, name)) return 1;
  return std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) == std::size_t(bytes.size()) ? 0 : 1;
}

// A pack name is safe to extract when it stays below the target folder.
bool SafeRelativeName(const QString& name) {
  if (name.isEmpty() || name.startsWith(u'\\') || name.startsWith(u'/') || (name.size() >= 2 && name[1] == u':'))
    return false;
  const QStringList parts = QString(name).replace(u'/', u'\\').split(u'\\');
  return std::none_of(parts.begin(), parts.end(), [](const QString& p) { return p.isEmpty() || p == u"." || p == u".."; });
}

int Extract(const QString& pack, const QString& folder) {
  if (!OpenOrSay(pack)) return 1;
  const QDir root(folder);
  int status = 0;
  const auto& entries = *PackState().entries;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const QString name = DecodeCp1251(entries[i].name);
    if (!SafeRelativeName(name)) {
      Err(QStringLiteral("Запись «%1» пропущена: имя выводит за пределы папки.").arg(name));
      status = 1;
      continue;
    }
    QByteArray bytes;
    ExtractPackEntry(bytes, int(i));
    if (bytes.size() != qsizetype(entries[i].size)) {
      status = 1;
      continue;
    }
    const QString path = root.filePath(QString(name).replace(u'\\', u'/'));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
      Err(QStringLiteral("Не удалось записать %1.").arg(path));
      status = 1;
    }
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  InstallUi(std::make_unique<ConsoleUi>());
  const QStringList args = app.arguments().mid(1);
  if (args.isEmpty()) return Usage();
  const QString command = args[0];
  const QStringList rest = args.mid(1);
  if (command == u"build") return Build(rest);
  if (command == u"list" && rest.size() == 1) return List(rest[0]);
  if (command == u"cat" && rest.size() == 2) return Cat(rest[0], rest[1]);
  if (command == u"extract" && rest.size() == 2) return Extract(rest[0], rest[1]);
  return Usage();
}
