#include "pack/packwriter.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <algorithm>

#include "platform/codepage.h"

namespace tobrina {
namespace {

void PutU32(QByteArray& out, quint32 v) {
  for (int i = 0; i < 4; ++i) out.append(char((v >> (8 * i)) & 0xFF));
}

// "*" matches any run of characters, "/" included; "?" one character.
QString GlobToRegex(const QString& glob) {
  QString re = QStringLiteral("\\A");
  for (QChar c : glob) {
    if (c == u'*') re += QStringLiteral(".*");
    else if (c == u'?') re += u'.';
    else re += QRegularExpression::escape(QString(c));
  }
  return re + QStringLiteral("\\z");
}

}  // namespace

PackWriter::PackWriter(const QString& path) : file_(std::make_unique<QSaveFile>(path)) {
  if (!file_->open(QIODevice::WriteOnly)) {
    error_ = QStringLiteral("Не удалось создать архив %1: %2").arg(path, file_->errorString());
    return;
  }
  QByteArray header(kPackSignature, sizeof kPackSignature);
  header.append(QByteArray(kPackHeaderSize - header.size(), '\0'));  // directory position comes at finish()
  write(header);
}

PackWriter::~PackWriter() = default;

bool PackWriter::write(const QByteArray& bytes) {
  if (!error_.isEmpty()) return false;
  if (position_ + bytes.size() > kMaxPackSize) {
    error_ = QStringLiteral("Архив %1 вышел бы больше 4 ГиБ: такие архивы не поддерживаются.").arg(file_->fileName());
    return false;
  }
  if (file_->write(bytes) != bytes.size()) {
    error_ = QStringLiteral("Не удалось записать архив %1: %2").arg(file_->fileName(), file_->errorString());
    return false;
  }
  position_ += bytes.size();
  return true;
}

bool PackWriter::add(const QByteArray& name, const QByteArray& data, bool scrambled) {
  TData entry;
  entry.nameLength = quint8(std::min<qsizetype>(name.size(), kMaxPackNameLength));
  entry.name = name.left(entry.nameLength);
  entry.position = quint32(position_);
  entry.size = quint32(data.size());
  entry.flag = scrambled ? 1 : 0;
  if (scrambled) {
    QByteArray stored = data;
    ScrambleBytes(stored);
    if (!write(stored)) return false;
  } else if (!write(data)) {
    return false;
  }
  directory_.push_back(std::move(entry));
  return true;
}

void PackWriter::addRawEntry(const TData& entry) { directory_.push_back(entry); }

QString PackWriter::finish() {
  const quint64 directoryPosition = quint64(position_);
  QByteArray directory;
  for (const TData& e : directory_) {
    directory.append(char(e.nameLength));
    directory.append(e.name.left(e.nameLength));
    PutU32(directory, e.size);
    PutU32(directory, e.position);
    directory.append(char(e.flag));
  }
  write(directory);
  if (error_.isEmpty()) {
    QByteArray position;
    for (int i = 0; i < 8; ++i) position.append(char((directoryPosition >> (8 * i)) & 0xFF));
    if (!file_->seek(7) || file_->write(position) != 8 || !file_->commit())
      error_ = QStringLiteral("Не удалось записать архив %1: %2").arg(file_->fileName(), file_->errorString());
  } else {
    file_->cancelWriting();
  }
  return error_;
}

QByteArray PackEntryName(const QString& relativePath, QString* error) {
  QString name = LowerText(relativePath);
  name.replace(u'/', u'\\');
  const auto bytes = EncodeCp1251(name);
  if (!bytes) {
    *error = QStringLiteral("Имя %1 нельзя записать в кодировке windows-1251.").arg(relativePath);
    return {};
  }
  if (bytes->size() > kMaxPackNameLength) {
    *error = QStringLiteral("Имя %1 длиннее %2 байт.").arg(relativePath).arg(kMaxPackNameLength);
    return {};
  }
  return *bytes;
}

QString BuildPackFromFolder(const QString& folder, const QString& packPath, const QStringList& scramblePatterns) {
  const QDir root(folder);
  if (!root.exists()) return QStringLiteral("Нет папки %1.").arg(folder);

  QStringList relatives;
  QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (it.hasNext()) relatives << root.relativeFilePath(it.next());
  std::sort(relatives.begin(), relatives.end());

  std::vector<QRegularExpression> scramble;
  for (const QString& pattern : scramblePatterns)
    scramble.emplace_back(GlobToRegex(pattern), QRegularExpression::CaseInsensitiveOption);

  std::vector<QByteArray> names;
  QHash<QByteArray, QString> seen;
  for (const QString& relative : relatives) {
    QString error;
    QByteArray name = PackEntryName(relative, &error);
    if (name.isEmpty()) return error;
    if (const auto other = seen.constFind(name); other != seen.cend())
      return QStringLiteral("Файлы %1 и %2 дают в архиве одно имя.").arg(*other, relative);
    seen.insert(name, relative);
    names.push_back(std::move(name));
  }

  PackWriter writer(packPath);
  for (qsizetype i = 0; i < relatives.size() && writer.error().isEmpty(); ++i) {
    QFile file(root.filePath(relatives[i]));
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("Не удалось прочитать %1.").arg(file.fileName());
    if (file.size() > kMaxPackSize)
      return QStringLiteral("Файл %1 больше 4 ГиБ: в архив его не положить.").arg(relatives[i]);
    const QByteArray data = file.readAll();
    if (data.size() != file.size()) return QStringLiteral("Не удалось прочитать %1.").arg(file.fileName());
    const QString lower = relatives[i].toLower();
    const bool scrambled = std::any_of(scramble.begin(), scramble.end(),
                                       [&](const QRegularExpression& re) { return re.match(lower).hasMatch(); });
    writer.add(names[std::size_t(i)], data, scrambled);
  }
  return writer.finish();
}

}  // namespace tobrina
