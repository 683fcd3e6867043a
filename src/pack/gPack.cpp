#include "pack/gPack.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <cstring>

#include "pack/gHelpers.h"
#include "platform/codepage.h"
#include "platform/disk.h"
#include "platform/jpeg.h"
#include "platform/uiservices.h"

namespace tobrina {
namespace {

const QString kNotFound = QStringLiteral("Не найден файл \r\n");

quint32 ReadU32(const unsigned char* p) {
  return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

// Reads the directory in large chunks; each take() delivers all the bytes it
// asks for or fails.
class DirectoryReader final {
 public:
  explicit DirectoryReader(QFile& file) : file_(file) {}
  const unsigned char* take(qint64 n) {
    if (end_ - pos_ < n) {
      buffer_.remove(0, pos_);
      end_ -= pos_;
      pos_ = 0;
      constexpr qint64 kChunk = 1 << 20;
      const qint64 want = std::max(kChunk, n - end_);
      buffer_.resize(end_ + want);
      const qint64 got = file_.read(buffer_.data() + end_, want);
      if (got < 0) return nullptr;
      end_ += got;
      buffer_.resize(end_);
      if (end_ - pos_ < n) return nullptr;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(buffer_.constData()) + pos_;
    pos_ += n;
    return p;
  }
  bool atEnd() const { return pos_ == end_ && file_.atEnd(); }

 private:
  QFile& file_;
  QByteArray buffer_;
  qint64 pos_ = 0;
  qint64 end_ = 0;
};

// Reads the directory; false on any short read or for a directory that holds no entry.
bool ReadDirectory(TDatPack& pack) {
  QFile& file = *pack.file;
  if (!file.seek(qint64(pack.directoryPosition))) return false;
  DirectoryReader reader(file);
  do {
    const unsigned char* length = reader.take(1);
    if (!length) return false;
    TData entry;
    entry.nameLength = *length;
    const unsigned char* name = reader.take(entry.nameLength);
    const unsigned char* tail = name ? reader.take(9) : nullptr;
    if (!tail) return false;
    entry.name = QByteArray(reinterpret_cast<const char*>(name), entry.nameLength);
    entry.size = ReadU32(tail);
    entry.position = ReadU32(tail + 4);
    entry.flag = tail[8];
    pack.index.insert(entry.name, int(pack.entries->size()));
    pack.entries->push_back(std::move(entry));
    ++pack.entryCount;
  } while (!reader.atEnd());
  return true;
}

enum class HeaderCheck { Good, Empty, Refused };

HeaderCheck CheckHeader(TDatPack& pack, const QString& path) {
  QFile& file = *pack.file;
  const qint64 size = file.size();
  if (size == 0) return HeaderCheck::Empty;
  if (size > kMaxPackSize) {
    ShowPlainMessage(QStringLiteral("Архив %1 больше 4 ГиБ (%2 байт): такие архивы не поддерживаются.")
                         .arg(path)
                         .arg(size));
    return HeaderCheck::Refused;
  }
  unsigned char header[kPackHeaderSize];
  if (size < kPackHeaderSize || file.read(reinterpret_cast<char*>(header), kPackHeaderSize) != kPackHeaderSize ||
      std::memcmp(header, kPackSignature, sizeof kPackSignature) != 0) {
    ShowPlainMessage(QStringLiteral("Неверная сигнатура архива"));
    return HeaderCheck::Refused;
  }
  quint64 position = 0;
  for (int i = 7; i >= 0; --i) position = position << 8 | header[7 + i];
  pack.directoryPosition = position;
  if (position > quint64(kMaxPackSize)) {
    ShowPlainMessage(QStringLiteral("Архив %1: каталог по позиции %2 за пределами 4 ГиБ не поддерживается.")
                         .arg(path)
                         .arg(position));
    return HeaderCheck::Refused;
  }
  return HeaderCheck::Good;
}

}  // namespace

TDatPack& PackState() {
  static TDatPack pack = [] {
    TDatPack p;
    p.baseFolder = ExeFolder();
    return p;
  }();
  return pack;
}

bool OpenPack(const QString& path) {
  TDatPack& pack = PackState();
  pack.baseFolder = ExeFolder();
  const QString diskPath = FindDiskFile(path);
  if (diskPath.isEmpty()) return false;
  if (path != pack.archivePath) ClosePack();
  pack.archivePath = path;
  if (!FolderOf(path).isEmpty()) pack.baseFolder = WithTrailingBackslash(QFileInfo(diskPath).absolutePath());
  if (!pack.entries) pack.entries.emplace();
  pack.file = std::make_unique<QFile>(diskPath);
  bool ok = pack.file->open(QIODevice::ReadOnly);
  if (ok) {
    switch (CheckHeader(pack, path)) {
      case HeaderCheck::Empty:
        return true;
      case HeaderCheck::Good:
        ok = ReadDirectory(pack);
        break;
      case HeaderCheck::Refused:
        ok = false;
        break;
    }
  }
  if (!ok) ClosePack();
  return ok;
}

void ClosePack() {
  TDatPack& pack = PackState();
  pack.entries.reset();
  pack.index.clear();
  pack.file.reset();
  pack.entryCount = 0;
  pack.archivePath.clear();
}

int PackIndexOf(const QString& name) {
  const TDatPack& pack = PackState();
  if (!pack.entries) return -1;
  const auto key = EncodeCp1251(LowerText(name));
  if (!key) return -1;
  return pack.index.value(*key, -1);
}

QString PackRelativeName(const QString& name, const QString& folder) {
  if (name.isEmpty() || folder.isEmpty() || !IsRootedName(name) || folder.size() > name.size()) return name;
  // Only a name that really lies under the folder is shortened.
  if (NativePath(name.left(folder.size())).compare(NativePath(folder), Qt::CaseInsensitive) != 0) return name;
  return name.mid(folder.size());
}

void ExtractPackEntry(QByteArray& stream, int index) {
  TDatPack& pack = PackState();
  if (index < 0 || !pack.entries || index >= int(pack.entries->size()) || !pack.file) return;
  const TData& entry = (*pack.entries)[std::size_t(index)];
  stream.clear();
  const qint64 end = qint64(entry.position) + qint64(entry.size);
  if (end > pack.file->size()) {
    ShowPlainMessage(QStringLiteral("Файл %1 в архиве %2 повреждён: его данные выходят за конец архива.")
                         .arg(DecodeCp1251(entry.name), pack.archivePath));
    return;
  }
  stream.resize(qsizetype(entry.size));
  if (!pack.file->seek(entry.position) || pack.file->read(stream.data(), entry.size) != qint64(entry.size)) {
    stream.clear();
    ShowPlainMessage(QStringLiteral("Не удалось прочитать файл %1 из архива %2.")
                         .arg(DecodeCp1251(entry.name), pack.archivePath));
    return;
  }
  if (entry.flag == 1) ScrambleBytes(stream);
}

void ScrambleBytes(QByteArray& bytes) {
  // Eight bytes at a time: pictures are megabytes and this runs on every read.
  constexpr quint64 kKey8 = 0x0101010101010101ull * kScrambleKey;
  char* p = bytes.data();
  const qsizetype n = bytes.size();
  qsizetype i = 0;
  for (; i + 8 <= n; i += 8) {
    quint64 word;
    std::memcpy(&word, p + i, 8);
    word ^= kKey8;
    std::memcpy(p + i, &word, 8);
  }
  for (; i < n; ++i) p[i] = char(quint8(p[i]) ^ kScrambleKey);
}

bool LoadPackFile(QByteArray& stream, const QString& name) {
  stream.clear();
  if (name.isEmpty()) return false;
  const TDatPack& pack = PackState();
  const QString relative = LowerText(PackRelativeName(name, pack.baseFolder));
  QString diskPath = ExpandPath(relative, pack.baseFolder);
  const int index = PackIndexOf(relative);
  if (index != -1) {
    ExtractPackEntry(stream, index);
    return stream.size() == qsizetype((*pack.entries)[std::size_t(index)].size);
  }
  if (DiskFileExists(name)) diskPath = name;
  if (auto bytes = ReadDiskFile(diskPath)) {
    stream = std::move(*bytes);
    return true;
  }
  ShowPlainMessage(kNotFound + name);
  return false;
}

TPack::TPack(const QString& name) {
  QByteArray bytes;
  found_ = LoadPackFile(bytes, name);
  setData(bytes);
  open(QIODevice::ReadOnly);
}

std::unique_ptr<TPack> OpenPackStream(const QString& name) { return std::make_unique<TPack>(name); }

QString NormalizeLineBreaks(QStringView text) {
  const qsizetype nul = text.indexOf(QChar(u'\0'));
  if (nul >= 0) text = text.left(nul);
  QString out;
  out.reserve(text.size() + text.size() / 16 + 2);
  qsizetype i = 0;
  const qsizetype n = text.size();
  while (i < n) {
    qsizetype j = i;
    while (j < n && text[j] != u'\r' && text[j] != u'\n') ++j;
    out += text.mid(i, j - i);
    out += QStringLiteral("\r\n");
    if (j < n && text[j] == u'\r' && j + 1 < n && text[j + 1] == u'\n') ++j;
    i = j + 1;
  }
  return out;
}

QString ReadPackText(const QString& name, const QString& substitute) {
  QByteArray bytes;
  LoadPackFile(bytes, name);
  QString text = NormalizeLineBreaks(DecodeTextFile(bytes));
  if (!substitute.isEmpty()) text.replace(QStringLiteral("%s"), substitute, Qt::CaseInsensitive);
  return text;
}

QImage LoadPackPicture(const QString& name) {
  QByteArray bytes;
  if (!LoadPackFile(bytes, name)) return {};
  QImage image;
  QString error;
  if (FileExtension(name).toLower() == u".bmp") {
    image = QImage::fromData(bytes, "BMP");
    if (image.isNull()) error = QStringLiteral("это не рисунок BMP");
  } else {
    image = DecodeJpeg(bytes, &error);
  }
  if (image.isNull()) ShowPlainMessage(QStringLiteral("Не удалось прочитать рисунок %1: %2").arg(name, error));
  return image;
}

bool PackFileExists(const QString& name) {
  if (name.isEmpty()) return false;
  const TDatPack& pack = PackState();
  if (IsRootedName(name))
    return DiskFileExists(name) || PackIndexOf(PackRelativeName(name, pack.baseFolder)) >= 0;
  return PackIndexOf(name) >= 0 || DiskFileExists(ExeRelativePath(name));
}

}  // namespace tobrina
