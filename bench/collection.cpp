#include "collection.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <random>

#include "pack/packwriter.h"
#include "platform/codepage.h"
#include "platform/jpeg.h"

namespace tobrina::bench {

namespace {

const QString kSourceDir = QString::fromUtf8(TOBRINA_SOURCE_DIR);
const QString kPicture = QStringLiteral("pics/shared_1.jpg");

// Words built from Russian syllables, so that text and names have the
// lengths and letters of real ones.
class TextMaker {
 public:
  explicit TextMaker(unsigned seed) : rng_(seed) {}

  int below(int n) { return int(rng_() % unsigned(n)); }
  int between(int lo, int hi) { return lo + below(hi - lo + 1); }

  QString word() {
    static const char16_t* const kSyllables[] = {
        u"ка", u"ло", u"ми", u"ра", u"сто", u"не", u"про", u"ва", u"ти", u"за", u"пе", u"ре",
        u"до", u"ну", u"го", u"лы", u"бе", u"чи", u"ша", u"ще", u"жу", u"ё", u"ин", u"ос",
        u"ют", u"ям", u"ров", u"ский", u"ность", u"ения", u"тель", u"ов", u"ых", u"ей", u"ка",
        u"ма", u"пла", u"кру", u"вер", u"стан", u"мер", u"ход", u"смысл", u"у", u"о", u"а"};
    constexpr int kCount = int(std::size(kSyllables));
    QString w;
    for (int i = between(1, 4); i > 0; --i) w += QString::fromUtf16(kSyllables[below(kCount)]);
    return w;
  }

  // A capitalised phrase of a few words: a name of an entry or section.
  QString name(int minWords, int maxWords) {
    QString text = word();
    for (int i = between(minWords, maxWords) - 1; i > 0; --i) text += u' ' + word();
    text[0] = text[0].toUpper();
    return text;
  }

  QString sentence() {
    QString s = name(6, 14);
    if (const qsizetype middle = s.indexOf(u' ', s.size() / 2); middle > 0 && below(3) == 0)
      s.insert(middle + 1, QStringLiteral("— "));
    if (const qsizetype first = s.indexOf(u' '); first > 0 && below(4) == 0) s.insert(first, u',');
    return s + u'.';
  }

  QString paragraph() {
    QString p = QStringLiteral("<p>");
    for (int i = between(3, 6); i > 0; --i) p += sentence() + (i > 1 ? QStringLiteral(" ") : QString());
    return p + QStringLiteral("</p>\r\n");
  }

 private:
  std::mt19937 rng_;
};

bool WriteBytes(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

bool WriteCp1251(const QString& path, const QString& text) {
  const std::optional<QByteArray> bytes = EncodeCp1251(text);
  return bytes && WriteBytes(path, *bytes);
}

QString Page(TextMaker& text, const QString& title, bool planted) {
  // 2 to 6 KB in windows-1251, one byte a character: paragraphs are added
  // while they fit under the target, and one is shorter than 700 characters.
  const int target = text.between(2800, 6144);
  QString page = QStringLiteral(
                     "<html>\r\n<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\r\n"
                     "<title>%1</title>\r\n</head>\r\n<body>\r\n<h1>%1</h1>\r\n")
                     .arg(title);
  const QString tail = QStringLiteral("</body>\r\n</html>\r\n");
  const QString picture =
      QStringLiteral("<p align=\"center\"><img src=\"../%1\" width=\"320\" height=\"200\" alt=\"%2\"></p>\r\n")
          .arg(kPicture, title);
  page += text.paragraph() + picture;
  if (planted) {
    QString word = QString::fromUtf16(kPlantedWord);
    word[0] = word[0].toUpper();
    page += QStringLiteral("<p>%1 %2 %3.</p>\r\n").arg(text.name(2, 5), word, text.word());
  }
  for (QString next = text.paragraph(); page.size() + next.size() + tail.size() <= target; next = text.paragraph())
    page += next;
  return page + tail;
}

QByteArray Picture() {
  QImage image(320, 200, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      image.setPixel(x, y, qRgb(200 + x % 40, 180 + y % 60, ((x / 20 + y / 20) % 2) ? 150 : 110));
  return EncodeJpeg(image, 85).value_or(QByteArray());
}

bool CopyFolder(const QString& from, const QString& to) {
  QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString file = it.next();
    QFile source(file);
    if (!source.open(QIODevice::ReadOnly) || !WriteBytes(to + u'/' + QDir(from).relativeFilePath(file), source.readAll()))
      return false;
  }
  return true;
}

}  // namespace

QTemporaryDir& Scratch() {
  static QTemporaryDir dir;
  return dir;
}

QString SyntheticCollection::PageName(int section, int entry) {
  return QStringLiteral("pages\\s%1_e%2.html").arg(section + 1, 4, 10, QChar(u'0')).arg(entry + 1, 2, 10, QChar(u'0'));
}

SyntheticCollection WriteSyntheticCollection(const QString& folder, int entries, LooseFiles loose, unsigned seed) {
  SyntheticCollection result;
  result.folder = QDir(folder).absolutePath();
  auto fail = [&result](const QString& why) {
    result.error = why;
    return result;
  };
  const QDir root(result.folder);
  if (!root.mkpath(QStringLiteral("."))) return fail(QStringLiteral("cannot create ") + result.folder);
  const QString base = result.folder + u'/';
  TextMaker text(seed);

  // Sections of 20 to 50 entries; the last ones share what is left.
  for (int left = entries; left > 0;) {
    int n = std::min(text.between(20, 50), left);
    if (left - n > 0 && left - n < 20) n = left - 20 >= 20 ? left - 20 : left;
    result.sectionSizes.push_back(n);
    left -= n;
  }

  int index = 0;  // of the entry in catalogue order
  QString toc;    // the main window's contents tree
  QString topic = QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<root>\r\n");
  for (int s = 0; s < int(result.sectionSizes.size()); ++s) {
    const QString section = text.name(1, 3);
    topic += QStringLiteral("  <section format=\"s\" zetka_name=\"%1\">\r\n").arg(section);
    toc += section + QStringLiteral("\r\n");
    for (int e = 0; e < result.sectionSizes[std::size_t(s)]; ++e) {
      const QString name = text.name(1, 4);
      const QString page = SyntheticCollection::PageName(s, e);
      toc += QStringLiteral("\t%1;zetka*%2*%3\r\n").arg(name).arg(s).arg(e);
      topic += QStringLiteral("    <entry><zetka_name>%1</zetka_name><zetka html=\"%2\" file=\"pics\\shared\" count=\"1\"/></entry>\r\n")
                   .arg(name, page);
      if (!WriteCp1251(base + QString(page).replace(u'\\', u'/'), Page(text, name, HasPlantedWord(index++))))
        return fail(QStringLiteral("cannot write ") + page);
    }
    topic += QStringLiteral("  </section>\r\n");
  }
  topic += QStringLiteral("</root>\r\n");
  if (!WriteCp1251(base + QStringLiteral("topic.xml"), topic)) return fail(QStringLiteral("cannot write topic.xml"));
  if (!WriteCp1251(base + QStringLiteral("lists/toc.txt"), toc)) return fail(QStringLiteral("cannot write lists/toc.txt"));

  const bool templates =
      WriteCp1251(base + QStringLiteral("work/header.html"),
                  QStringLiteral("<html>\r\n<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\r\n"
                                 "<title>Содержание</title>\r\n<style type=\"text/css\">h2 { color: #5a3e1b; } li { margin: 2px; }</style>\r\n"
                                 "</head>\r\n<body>\r\n<h1>Содержание собрания</h1>\r\n<ul>")) &&
      WriteCp1251(base + QStringLiteral("work/item.html"), QStringLiteral("<li><a href=\"%0:s*%1:d*%2:d\">%3:s</a></li>")) &&
      WriteCp1251(base + QStringLiteral("work/items.html"), QStringLiteral("</ul><h2>%3:s</h2><ul>")) &&
      WriteCp1251(base + QStringLiteral("work/footer.html"), QStringLiteral("</ul>\r\n</body>\r\n</html>"));
  if (!templates) return fail(QStringLiteral("cannot write the templates"));

  const QByteArray picture = Picture();
  if (picture.isEmpty() || !WriteBytes(base + kPicture, picture)) return fail(QStringLiteral("cannot write the picture"));

  for (const char* file : {"struct_main.txt", "struct_find.txt"}) {
    QFile description(kSourceDir + QStringLiteral("/content/") + QLatin1String(file));
    if (!description.open(QIODevice::ReadOnly) || !WriteBytes(base + QLatin1String(file), description.readAll()))
      return fail(QStringLiteral("cannot copy ") + QLatin1String(file));
  }
  if (!CopyFolder(kSourceDir + QStringLiteral("/content/skin"), base + QStringLiteral("skin")))
    return fail(QStringLiteral("cannot copy the skin"));

  // Packed beside the folder first, or the pack would take itself in.
  const QString pack = base + QString::fromLatin1(kPackFileName);
  const QString staged = result.folder + QStringLiteral(".dat");
  QFile::remove(pack);
  QFile::remove(staged);
  if (QString why = BuildPackFromFolder(result.folder, staged); !why.isEmpty()) return fail(why);
  if (loose == LooseFiles::Remove && !QDir(result.folder).removeRecursively())
    return fail(QStringLiteral("cannot remove the loose files of ") + result.folder);
  if (!root.mkpath(QStringLiteral(".")) || !QFile::rename(staged, pack))
    return fail(QStringLiteral("cannot move the pack into ") + result.folder);
  return result;
}

}  // namespace tobrina::bench
