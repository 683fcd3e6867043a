// The full-text search over a synthetic collection of 10,000 entries, for a
// word in one entry in a hundred and for a word in none. Beside it, in the
// same run: the floor (the same pages read from the pack with a plain
// case-insensitive byte search) and ripgrep over the same pages extracted to
// a folder.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <array>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstring>
#include <memory>

#include "app/uFind.h"
#include "app/uMain.h"
#include "collection.h"
#include "controls/skSimple.h"
#include "interp/skUseStract.h"
#include "pack/gHelpers.h"
#include "pack/gPack.h"
#include "platform/codepage.h"

using namespace tobrina;
using namespace tobrina::bench;

namespace {

constexpr int kEntries = 10000;

struct SearchCollection {
  SyntheticCollection files;
  QStringList pages;  // pack names, in catalogue order
  QString extracted;  // the same pages as plain files, for ripgrep
  qint64 bytes = 0;   // of all pages
  int planted = 0;    // entries holding the planted word
};

const SearchCollection& Collection() {
  static std::unique_ptr<SearchCollection> made;
  if (made) return *made;
  made = std::make_unique<SearchCollection>();
  SearchCollection& c = *made;
  c.files = WriteSyntheticCollection(Scratch().filePath(QStringLiteral("search")), kEntries, LooseFiles::Remove);
  if (!c.files.error.isEmpty()) {
    std::fprintf(stderr, "search collection: %s\n", qPrintable(c.files.error));
    std::abort();
  }
  c.extracted = Scratch().filePath(QStringLiteral("search-extracted"));
  OpenPack(c.files.folder + QStringLiteral("/interface.dat"));
  QByteArray bytes;
  int index = 0;
  for (int s = 0; s < int(c.files.sectionSizes.size()); ++s) {
    for (int e = 0; e < c.files.sectionSizes[std::size_t(s)]; ++e, ++index) {
      const QString page = SyntheticCollection::PageName(s, e);
      c.pages << page;
      if (HasPlantedWord(index)) ++c.planted;
      const QString path = c.extracted + u'/' + QString(page).replace(u'\\', u'/');
      QDir().mkpath(QFileInfo(path).absolutePath());
      QFile out(path);
      if (!LoadPackFile(bytes, page) || !out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) std::abort();
      c.bytes += bytes.size();
    }
  }
  ClosePack();
  return c;
}

QString Word(const benchmark::State& state) {
  return QString::fromUtf16(state.range(0) == 0 ? kPlantedWord : kAbsentWord);
}
int Expected(const benchmark::State& state, const SearchCollection& c) { return state.range(0) == 0 ? c.planted : 0; }

void Report(benchmark::State& state, const SearchCollection& c, int found) {
  state.SetLabel(state.range(0) == 0 ? "word in 1% of entries" : "word in none");
  state.SetBytesProcessed(state.iterations() * c.bytes);
  state.counters["found"] = found;
  if (found != Expected(state, c)) state.SkipWithError("found a different number of entries");
}

void BM_FullTextSearch(benchmark::State& state) {
  const SearchCollection& c = Collection();
  SetExeFolderOverride(c.files.folder);
  auto window = std::make_unique<TfrmMain>();
  TFrmFind& find = *window->findWindow();
  find.searchText = Word(state).toLower();
  for (auto _ : state) find.SearchFullText();
  Report(state, c, int(find.found.size()));
  window.reset();
  ClosePack();
}

// windows-1251 folded to lower case: Latin, Cyrillic and Ё.
std::array<unsigned char, 256> FoldTable() {
  std::array<unsigned char, 256> fold{};
  for (int b = 0; b < 256; ++b) fold[std::size_t(b)] = (b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDF) ? b + 32 : b;
  fold[0xA8] = 0xB8;
  return fold;
}

void BM_FloorPlainSearch(benchmark::State& state) {
  const SearchCollection& c = Collection();
  SetExeFolderOverride(c.files.folder);
  OpenPack(c.files.folder + QStringLiteral("/interface.dat"));
  static const std::array<unsigned char, 256> fold = FoldTable();
  const QByteArray needle = EncodeCp1251(Word(state).toLower()).value_or(QByteArray());
  const QString folder = ExeFolder();
  QByteArray bytes;
  std::vector<unsigned char> folded;
  int found = 0;
  for (auto _ : state) {
    found = 0;
    for (const QString& page : c.pages) {
      bytes.clear();
      LoadPackFile(bytes, folder + page);
      folded.resize(std::size_t(bytes.size()));
      const auto* from = reinterpret_cast<const unsigned char*>(bytes.constData());
      for (std::size_t i = 0; i < folded.size(); ++i) folded[i] = fold[from[i]];
      if (memmem(folded.data(), folded.size(), needle.constData(), std::size_t(needle.size()))) ++found;
    }
  }
  Report(state, c, found);
  ClosePack();
}

void BM_Ripgrep(benchmark::State& state) {
  const SearchCollection& c = Collection();
  const QString rg = QStandardPaths::findExecutable(QStringLiteral("rg"));
  if (rg.isEmpty()) {
    state.SkipWithError("rg is not installed");
    return;
  }
  // The pages are windows-1251, as the reader reads them; rg must be told.
  const QStringList arguments{QStringLiteral("-j1"), QStringLiteral("-l"), QStringLiteral("-i"), QStringLiteral("-F"),
                              QStringLiteral("-E"), QStringLiteral("windows-1251"), Word(state), c.extracted};
  int found = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    QProcess process;
    process.start(rg, arguments);
    process.waitForFinished(-1);
    const QByteArray out = process.readAllStandardOutput();
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    found = int(out.count('\n'));
  }
  Report(state, c, found);
}

BENCHMARK(BM_FullTextSearch)->DenseRange(0, 1)->ArgName("absent")->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK(BM_FloorPlainSearch)->DenseRange(0, 1)->ArgName("absent")->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK(BM_Ripgrep)->DenseRange(0, 1)->ArgName("absent")->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(8);

}  // namespace
