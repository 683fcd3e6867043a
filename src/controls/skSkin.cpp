#include "controls/skSkin.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "pack/gHelpers.h"
#include "pack/gPack.h"
#include "platform/codepage.h"

namespace tobrina {
namespace {

QString FileNameOf(const QString& path) {
  return QString(path).replace(u'\\', u'/').section(u'/', -1).toLower();
}

// Where pictures named by skins are put for the style engine; gone at exit.
QTemporaryDir& PictureFolder() {
  static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/tobrina-skin-XXXXXX"));
  return folder;
}

QString ExtractPicture(const QString& name) {
  const QString key = QString::fromLatin1(
      QCryptographicHash::hash(LowerText(name).toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
  const QString path = PictureFolder().filePath(key + FileExtension(name).toLower());
  if (QFile::exists(path)) return path;
  QByteArray bytes;
  if (!LoadPackFile(bytes, name)) return {};
  QFile out(path);
  if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) return {};
  return path;
}

}  // namespace

QString LoadSkinSheet(const QString& name) {
  // Comments may mention url(...) too; the style engine ignores them anyway.
  static const QRegularExpression kComment(QStringLiteral("/\\*.*?\\*/"), QRegularExpression::DotMatchesEverythingOption);
  const QString sheet = ReadPackText(name).remove(kComment);
  const QString folder = FolderOf(name);
  static const char* const kUrlPattern = R"re(url\(\s*(["']?)([^)"']+)\1\s*\))re";
  static const QRegularExpression kUrl(QString::fromLatin1(kUrlPattern));
  QString out;
  qsizetype last = 0;
  for (auto it = kUrl.globalMatch(sheet); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    const QString ref = m.captured(2).trimmed();
    out += QStringView(sheet).mid(last, m.capturedStart() - last);
    last = m.capturedEnd();
    // Qt's own resources and absolute files stay as they are.
    if (ref.startsWith(u':') || ref.startsWith(u'/')) {
      out += m.captured(0);
      continue;
    }
    const QString picture = ExtractPicture(folder + ref);
    out += picture.isEmpty() ? m.captured(0) : QStringLiteral("url(\"%1\")").arg(picture);
  }
  out += QStringView(sheet).mid(last);
  return out;
}

bool TSkSkin::Register(const QString& path) {
  if (path.isEmpty()) return false;
  const QString fileName = FileNameOf(path);
  for (const Entry& e : entries_)
    if (e.fileName == fileName) return false;
  entries_.push_back({fileName, LoadSkinSheet(path)});
  return true;
}

QString TSkSkin::Find(const QString& name) const {
  const QString fileName = FileNameOf(name);
  for (const Entry& e : entries_)
    if (e.fileName == fileName) return e.sheet;
  return {};
}

}  // namespace tobrina
