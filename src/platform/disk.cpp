#include "platform/disk.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace tobrina {
namespace {

// Resolves each component in turn; wantDir selects what the last one must be.
QString Resolve(QStringView name, bool wantDir) {
  if (name.isEmpty()) return {};
  QString path = NativePath(name);
  if (path.size() >= 2 && path[1] == u':') path = path.mid(2);  // no drives here
  const QFileInfo direct(path);
  if (direct.exists() && (wantDir ? direct.isDir() : direct.isFile())) return direct.absoluteFilePath();

  QString current = path.startsWith(u'/') ? QStringLiteral("/") : QDir::currentPath();
  const QStringList parts = path.split(u'/', Qt::SkipEmptyParts);
  for (qsizetype i = 0; i < parts.size(); ++i) {
    const QString& part = parts[i];
    QDir dir(current);
    QString next = dir.filePath(part);
    if (part != u"." && part != u".." && !QFileInfo::exists(next)) {
      // Folders of pages can hold tens of thousands of files: let the
      // iterator filter names (case-blind) instead of listing and sorting all.
      QString pattern = part;
      for (const QChar special : {u'[', u']', u'*', u'?'}) pattern.replace(special, QStringLiteral("[%1]").arg(special));
      QDirIterator it(current, {pattern}, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
      next.clear();
      while (it.hasNext()) {
        const QString candidate = it.next();
        if (it.fileName().compare(part, Qt::CaseInsensitive) == 0 && (next.isEmpty() || candidate < next)) next = candidate;
      }
      if (next.isEmpty()) return {};
    }
    current = next;
  }
  const QFileInfo found(current);
  if (!found.exists() || (wantDir ? !found.isDir() : !found.isFile())) return {};
  return found.absoluteFilePath();
}

}  // namespace

bool IsRootedName(QStringView name) {
  return (name.size() >= 2 && name[1] == u':') || name.startsWith(u'/');
}

QString NativePath(QStringView name) {
  QString out = name.toString();
  out.replace(u'\\', u'/');
  return out;
}

QString FindDiskFile(QStringView name) { return Resolve(name, false); }
QString FindDiskFolder(QStringView name) { return Resolve(name, true); }

std::optional<QByteArray> ReadDiskFile(QStringView name) {
  const QString path = FindDiskFile(name);
  if (path.isEmpty()) return std::nullopt;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  // Files are read whole into memory; one larger than this is no page,
  // picture or list that the reader can show.
  constexpr qint64 kMaxLooseFile = qint64(2) << 30;
  if (file.size() > kMaxLooseFile) return std::nullopt;
  QByteArray bytes = file.readAll();
  if (bytes.size() != file.size()) return std::nullopt;
  return bytes;
}

}  // namespace tobrina
