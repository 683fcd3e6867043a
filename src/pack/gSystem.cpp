#include "pack/gSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "pack/gHelpers.h"
#include "platform/disk.h"
#include "platform/jpeg.h"
#include "platform/uiservices.h"
#include "platform/userstore.h"

namespace tobrina {
namespace {

// Mount-table fields escape blanks, tabs, newlines and backslashes as \ooo.
QString UnescapeMountField(const QByteArray& field) {
  QByteArray out;
  for (qsizetype i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      bool ok = false;
      const int code = field.mid(i + 1, 3).toInt(&ok, 8);
      if (ok && code < 256) {
        out.append(char(code));
        i += 3;
        continue;
      }
    }
    out.append(field[i]);
  }
  return QString::fromUtf8(out);
}

bool IsUnder(const QString& path, const QString& mountPoint) {
  if (mountPoint == u"/") return path.startsWith(u'/');
  return path == mountPoint || path.startsWith(mountPoint + u'/');
}

bool DeviceIsRemovable(const QString& device) {
  if (!device.startsWith(u"/dev/")) return false;
  const QString name = QFileInfo(device).canonicalFilePath().section(u'/', -1);
  for (const QString& probe : {QStringLiteral("/sys/class/block/%1/removable"),
                               QStringLiteral("/sys/class/block/%1/../removable")}) {
    QFile f(probe.arg(name));
    if (f.open(QIODevice::ReadOnly)) return f.readAll().trimmed() == "1";
  }
  return false;
}

bool CommandSucceeds(const QStringList& command) {
  const QString program = QStandardPaths::findExecutable(command.first());
  if (program.isEmpty()) return false;
  QProcess process;
  process.start(program, command.mid(1));
  // A desktop setter that hangs must not freeze the reader.
  constexpr int kWallpaperCommandTimeoutMs = 5000;
  if (!process.waitForFinished(kWallpaperCommandTimeoutMs)) {
    process.kill();
    process.waitForFinished(1000);
    return false;
  }
  return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// The XFCE desktop keeps one image per monitor and workspace.
std::vector<QStringList> XfceCommands(const QString& path, bool tile) {
  QProcess list;
  list.start(QStringLiteral("xfconf-query"), {QStringLiteral("-c"), QStringLiteral("xfce4-desktop"), QStringLiteral("-l")});
  std::vector<QStringList> out;
  if (!list.waitForFinished(5000)) return out;
  const QStringList props = QString::fromUtf8(list.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
  for (const QString& prop : props) {
    if (prop.endsWith(u"/last-image"))
      out.push_back({QStringLiteral("xfconf-query"), QStringLiteral("-c"), QStringLiteral("xfce4-desktop"),
                     QStringLiteral("-p"), prop, QStringLiteral("-s"), path});
    else if (prop.endsWith(u"/image-style"))
      out.push_back({QStringLiteral("xfconf-query"), QStringLiteral("-c"), QStringLiteral("xfce4-desktop"),
                     QStringLiteral("-p"), prop, QStringLiteral("-s"), tile ? QStringLiteral("2") : QStringLiteral("5")});
  }
  return out;
}

// An ELF binary or a script with "#!" and the executable bit is a program;
// anything else is a document for the desktop's opener.
bool IsProgram(const QString& path) {
  const QFileInfo info(path);
  if (!info.isFile() || !info.isExecutable()) return false;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return false;
  const QByteArray head = f.read(4);
  return head == "\x7F" "ELF" || head.startsWith("#!");
}

}  // namespace

int DriveKindFromMounts(const QByteArray& mountTable, const QString& path, bool (*removable)(const QString&)) {
  QString bestPoint;
  QString bestDevice;
  QString bestType;
  for (const QByteArray& line : mountTable.split('\n')) {
    const QList<QByteArray> fields = line.simplified().split(' ');
    if (fields.size() < 3) continue;
    const QString point = UnescapeMountField(fields[1]);
    // The longest mount point wins; of equal ones the later mount hides the earlier.
    if (!IsUnder(path, point) || point.size() < bestPoint.size()) continue;
    bestPoint = point;
    bestDevice = UnescapeMountField(fields[0]);
    bestType = QString::fromUtf8(fields[2]).toLower();
  }
  if (bestPoint.isEmpty()) return kDriveFixed;
  if (bestType == u"iso9660" || bestType == u"udf") return kDriveCdRom;
  static const QStringList kRemote = {
      QStringLiteral("nfs"),  QStringLiteral("nfs4"),      QStringLiteral("cifs"),       QStringLiteral("smb3"),
      QStringLiteral("smbfs"), QStringLiteral("sshfs"),    QStringLiteral("fuse.sshfs"), QStringLiteral("9p"),
      QStringLiteral("afs"),  QStringLiteral("ceph"),      QStringLiteral("glusterfs"),  QStringLiteral("davfs"),
      QStringLiteral("fuse.rclone"), QStringLiteral("ncpfs")};
  if (kRemote.contains(bestType)) return kDriveRemote;
  if (bestType == u"tmpfs" || bestType == u"ramfs") return kDriveRam;
  if (removable && removable(bestDevice)) return kDriveRemovable;
  return kDriveFixed;
}

int DriveKind(const QString& path) {
  QFile mounts(QStringLiteral("/proc/self/mounts"));
  if (!mounts.open(QIODevice::ReadOnly)) return kDriveFixed;
  QString canonical = QFileInfo(NativePath(path)).canonicalFilePath();
  if (canonical.isEmpty()) canonical = QFileInfo(NativePath(path)).absoluteFilePath();
  return DriveKindFromMounts(mounts.readAll(), canonical, DeviceIsRemovable);
}

int ExeDriveKind() { return DriveKind(ExeFolder()); }

QString DefaultPrinterDevice() { return QPrinterInfo::defaultPrinterName().left(255); }

bool NoPrinter(const QString& message) {
  if (!DefaultPrinterDevice().isEmpty()) return false;
  if (!message.isEmpty()) ShowThemedMessage(message);
  return true;
}

QString WindowsFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/tobrina");
  QDir().mkpath(folder);
  return folder + u'/';
}

std::vector<QStringList> WallpaperCommands(const QStringList& desktops, const QString& path, bool tile) {
  const QString uri = QUrl::fromLocalFile(path).toString();
  auto gsettings = [](const QString& schema, const QString& key, const QString& value) {
    return QStringList{QStringLiteral("gsettings"), QStringLiteral("set"), schema, key, value};
  };
  for (const QString& desktop : desktops) {
    if (desktop == u"gnome" || desktop == u"unity" || desktop == u"ubuntu" || desktop == u"budgie" ||
        desktop == u"pop") {
      const QString schema = QStringLiteral("org.gnome.desktop.background");
      return {gsettings(schema, QStringLiteral("picture-uri"), uri),
              gsettings(schema, QStringLiteral("picture-uri-dark"), uri),
              gsettings(schema, QStringLiteral("picture-options"),
                        tile ? QStringLiteral("wallpaper") : QStringLiteral("zoom"))};
    }
    if (desktop == u"x-cinnamon" || desktop == u"cinnamon") {
      const QString schema = QStringLiteral("org.cinnamon.desktop.background");
      return {gsettings(schema, QStringLiteral("picture-uri"), uri),
              gsettings(schema, QStringLiteral("picture-options"),
                        tile ? QStringLiteral("wallpaper") : QStringLiteral("zoom"))};
    }
    if (desktop == u"mate") {
      const QString schema = QStringLiteral("org.mate.background");
      return {gsettings(schema, QStringLiteral("picture-filename"), path),
              gsettings(schema, QStringLiteral("picture-options"),
                        tile ? QStringLiteral("wallpaper") : QStringLiteral("zoom"))};
    }
    if (desktop == u"xfce") return XfceCommands(path, tile);
    if (desktop == u"kde") return {{QStringLiteral("plasma-apply-wallpaperimage"), path}};
    if (desktop == u"lxde")
      return {{QStringLiteral("pcmanfm"), QStringLiteral("--set-wallpaper"), path, QStringLiteral("--wallpaper-mode"),
               tile ? QStringLiteral("tile") : QStringLiteral("fit")}};
    if (desktop == u"lxqt")
      return {{QStringLiteral("pcmanfm-qt"), QStringLiteral("--set-wallpaper"), path,
               QStringLiteral("--wallpaper-mode"), tile ? QStringLiteral("tile") : QStringLiteral("zoom")}};
  }
  return {};
}

bool SetWallpaper(const QString& picturePath, bool tile) {
  const QString path = QFileInfo(NativePath(picturePath)).absoluteFilePath();
  auto& store = UserStore::Instance();
  store.write(QStringLiteral("Control Panel\\Desktop"), QStringLiteral("Wallpaper"), path);
  store.write(QStringLiteral("Control Panel\\Desktop"), QStringLiteral("TileWallpaper"), BoolText(tile));

  const QString desktopVar = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
  const auto commands = WallpaperCommands(desktopVar.toLower().split(u':', Qt::SkipEmptyParts), path, tile);
  if (commands.empty()) {
    ShowPlainMessage(QStringLiteral("Не удалось сделать рисунок обоями: рабочий стол «%1» не поддерживается.")
                         .arg(desktopVar.isEmpty() ? QStringLiteral("неизвестен") : desktopVar));
    return false;
  }
  for (const QStringList& command : commands) {
    if (!CommandSucceeds(command)) {
      ShowPlainMessage(QStringLiteral("Не удалось сделать рисунок обоями: команда «%1» не выполнена.")
                           .arg(command.join(u' ')));
      return false;
    }
  }
  return true;
}

bool ShellOpen(const QString& file, const QString& parameters, const QString& verb) {
  Q_UNUSED(verb);  // "open" and "edit" both go to the program or the desktop's opener
  if (file.isEmpty()) return false;
  const QUrl url(file);
  static const QStringList kUrlSchemes = {QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("mailto"),
                                          QStringLiteral("ftp")};
  if (url.isValid() && kUrlSchemes.contains(url.scheme().toLower())) return Ui().openDocument(file);

  const QString local = url.scheme().toLower() == u"file" ? url.toLocalFile() : file;
  const QString path = FindDiskFile(local);
  if (path.isEmpty()) {
    const bool looksLikeUrl = url.isValid() && url.scheme().size() > 1 && url.scheme().toLower() != u"file";
    ShowPlainMessage(looksLikeUrl ? QStringLiteral("Не удалось открыть «%1»: неизвестный вид ссылки.").arg(file)
                                  : QStringLiteral("Не удалось открыть «%1»: файл не найден.").arg(file));
    return false;
  }
  if (IsProgram(path)) return Ui().startProgram(path, QProcess::splitCommand(parameters));
  return Ui().openDocument(path);
}

std::optional<QByteArray> JpegFromBitmap(const QImage& bitmap, int quality) {
  if (bitmap.isNull()) return std::nullopt;
  return EncodeJpeg(bitmap, quality);
}

}  // namespace tobrina
