// The reader over synthetic collections of 1,000 to 50,000 entries: start-up
// to the contents page, opening entries, building the contents page; beside
// each, a bare QTextBrowser doing the same showing (the floor).

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QHash>
#include <QPointer>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>

#include "app/uMain.h"
#include "collection.h"
#include "html/skHTML.h"
#include "pack/gHelpers.h"
#include "pack/gPack.h"
#include "platform/codepage.h"
#include "platform/uiservices.h"
#include "platform/userstore.h"

using namespace tobrina;
using namespace tobrina::bench;

namespace {

using Clock = std::chrono::steady_clock;

// Entries opened in turn, spread evenly over the catalogue.
constexpr int kSpread = 64;

struct Collection {
  SyntheticCollection files;
  int entries = 0;
  QString contentsHtml;                    // the contents page as the view gets it
  std::vector<std::pair<int, int>> spread;  // (section, entry)
  QStringList spreadPages;                 // those entries' pages, decoded
  QString floorPages;                      // plain files for the floors: pages/ beside pics/
};

// Generated once per kind, on first use, never while a pack is open. Pack
// only, as collections ship, unless loose files are asked for.
const Collection& CollectionOf(int entries, LooseFiles loose = LooseFiles::Remove) {
  static std::map<std::pair<int, LooseFiles>, std::unique_ptr<Collection>> made;
  auto& slot = made[{entries, loose}];
  if (slot) return *slot;
  slot = std::make_unique<Collection>();
  Collection& c = *slot;
  c.entries = entries;
  const QString name = QStringLiteral("c%1%2").arg(entries).arg(loose == LooseFiles::Keep ? QStringLiteral("loose") : QString());
  c.files = WriteSyntheticCollection(Scratch().filePath(name), entries, loose);
  if (!c.files.error.isEmpty()) {
    std::fprintf(stderr, "collection of %d: %s\n", entries, qPrintable(c.files.error));
    std::abort();
  }

  SetExeFolderOverride(c.files.folder);
  OpenPack(c.files.folder + QStringLiteral("/interface.dat"));
  std::vector<std::pair<int, int>> all;
  for (int s = 0; s < int(c.files.sectionSizes.size()); ++s)
    for (int e = 0; e < c.files.sectionSizes[std::size_t(s)]; ++e) all.emplace_back(s, e);
  QByteArray bytes;
  for (int i = 0; i < kSpread; ++i) {
    const auto address = all[std::size_t(qint64(i) * qint64(all.size() - 1) / (kSpread - 1))];
    c.spread.push_back(address);
    if (!LoadPackFile(bytes, SyntheticCollection::PageName(address.first, address.second))) std::abort();
    c.spreadPages << DecodeCp1251(bytes);
  }
  // The floors' browsers read the picture from a plain file.
  c.floorPages = Scratch().filePath(name + QStringLiteral("-floor/pages"));
  QDir().mkpath(c.floorPages);
  QDir().mkpath(c.floorPages + QStringLiteral("/../pics"));
  QFile picture(c.floorPages + QStringLiteral("/../pics/shared_1.jpg"));
  if (!LoadPackFile(bytes, QStringLiteral("pics\\shared_1.jpg")) || !picture.open(QIODevice::WriteOnly) ||
      picture.write(bytes) != bytes.size())
    std::abort();

  TCatalogue catalogue;
  if (!LoadPackFile(bytes, ExeFolder() + QStringLiteral("topic.xml")) || !catalogue.load(bytes)) std::abort();
  std::vector<pugi::xml_node> sections, nodes;
  c.contentsHtml = catalogue.BuildContentsPage([](const QString& name) { return ReadPackText(ExeFolder() + name); },
                                               sections, nodes)
                       .join(QStringLiteral("\r\n"));
  if (int(nodes.size()) != entries) std::abort();
  ClosePack();
  return c;
}

// Notes the first paint of a widget after reset().
class PaintWatch final : public QObject {
 public:
  explicit PaintWatch(QWidget* widget) : widget_(widget) { widget->installEventFilter(this); }
  ~PaintWatch() override {
    if (widget_) widget_->removeEventFilter(this);
  }
  void reset() { painted_ = false; }
  // Processes events until the widget has painted; false when it never did.
  bool wait() {
    const QDeadlineTimer deadline(30'000);
    while (!painted_ && !deadline.hasExpired()) QCoreApplication::processEvents();
    return painted_;
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == widget_ && event->type() == QEvent::Paint) painted_ = true;
    return false;
  }

 private:
  QPointer<QWidget> widget_;
  bool painted_ = false;
};

QWidget* ViewOf(TfrmMain& window) { return window.html ? window.html->viewport() : static_cast<QWidget*>(&window); }

void Settle() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

// A window as the reader opens it, shown with its contents page painted.
std::unique_ptr<TfrmMain> OpenWindow(const Collection& c) {
  SetExeFolderOverride(c.files.folder);
  auto window = std::make_unique<TfrmMain>();
  PaintWatch watch(ViewOf(*window));
  window->show();
  if (!watch.wait()) std::abort();
  return window;
}

void CloseWindow(std::unique_ptr<TfrmMain> window) {
  window.reset();
  Settle();
  ClosePack();
}

// One floor iteration: a new bare window whose QTextBrowser shows the page,
// timed from creation to its first paint.
void RunBareBrowser(benchmark::State& state, const QString& html, const QStringList& searchPaths) {
  const auto start = Clock::now();
  auto window = std::make_unique<QWidget>();
  window->resize(1000, 700);
  auto* layout = new QVBoxLayout(window.get());
  auto* browser = new QTextBrowser;
  layout->addWidget(browser);
  browser->setSearchPaths(searchPaths);
  browser->setHtml(html);
  bool painted = false;
  {
    PaintWatch watch(browser->viewport());
    window->show();
    painted = watch.wait();
  }
  state.SetIterationTime(Seconds(start));
  window.reset();
  Settle();
  if (!painted) state.SkipWithError("the page was never painted");
}

// --- start-up ----------------------------------------------------------------

void BM_StartupToContents(benchmark::State& state) {
  const Collection& c = CollectionOf(int(state.range(0)));
  for (auto _ : state) {
    SetExeFolderOverride(c.files.folder);
    const auto start = Clock::now();
    auto window = std::make_unique<TfrmMain>();
    bool painted = false;
    {
      PaintWatch watch(ViewOf(*window));
      window->show();
      painted = watch.wait();
    }
    state.SetIterationTime(Seconds(start));
    CloseWindow(std::move(window));
    if (!painted) state.SkipWithError("the contents page was never painted");
  }
  state.counters["entries"] = double(c.entries);
}

// The floor: a bare window whose QTextBrowser gets the same page.
void BM_FloorContents(benchmark::State& state) {
  const Collection& c = CollectionOf(int(state.range(0)));
  for (auto _ : state) RunBareBrowser(state, c.contentsHtml, {});
  state.counters["entries"] = double(c.entries);
}

// --- entries -----------------------------------------------------------------

// range(1): 1 keeps the loose files beside the pack, as authors work.
void BM_OpenEntry(benchmark::State& state) {
  const bool loose = state.range(1) != 0;
  const Collection& c = CollectionOf(int(state.range(0)), loose ? LooseFiles::Keep : LooseFiles::Remove);
  if (loose) state.SetLabel("loose files beside the pack");
  auto window = OpenWindow(c);
  PaintWatch watch(ViewOf(*window));
  std::size_t next = 0;
  int unpainted = 0;
  for (auto _ : state) {
    const auto [s, e] = c.spread[next++ % c.spread.size()];
    watch.reset();
    window->OpenEntry(s, e);
    if (!watch.wait()) ++unpainted;
  }
  if (unpainted > 0) state.SkipWithError("an entry was never painted");
  state.SetItemsProcessed(state.iterations());
  state.counters["entries"] = double(c.entries);
  CloseWindow(std::move(window));
}

// The floor of a start showing one page: a new bare window and browser.
void BM_FloorQTextBrowser(benchmark::State& state) {
  const Collection& c = CollectionOf(1000);
  std::size_t next = 0;
  for (auto _ : state) RunBareBrowser(state, c.spreadPages[qsizetype(next++ % c.spread.size())], {c.floorPages});
}

// The floor of OpenEntry: a shown browser given the next page.
void BM_FloorQTextBrowserSetHtml(benchmark::State& state) {
  const Collection& c = CollectionOf(1000);
  QWidget window;
  window.resize(1000, 700);
  auto* layout = new QVBoxLayout(&window);
  auto* browser = new QTextBrowser;
  layout->addWidget(browser);
  browser->setSearchPaths({c.floorPages});
  PaintWatch watch(browser->viewport());
  window.show();
  watch.wait();
  std::size_t next = 0;
  int unpainted = 0;
  for (auto _ : state) {
    watch.reset();
    browser->setHtml(c.spreadPages[qsizetype(next++ % c.spread.size())]);
    if (!watch.wait()) ++unpainted;
  }
  if (unpainted > 0) state.SkipWithError("a page was never painted");
  state.SetItemsProcessed(state.iterations());
}

// --- the contents page ---------------------------------------------------------

// range(1): 0 reads each template once, 1 reads it per node as the window does.
void BM_BuildContentsPage(benchmark::State& state) {
  const Collection& c = CollectionOf(int(state.range(0)));
  SetExeFolderOverride(c.files.folder);
  auto window = std::make_unique<TfrmMain>();
  QHash<QString, QString> cache;
  const auto cached = [&cache](const QString& name) {
    auto it = cache.constFind(name);
    if (it == cache.cend()) it = cache.insert(name, ReadPackText(ExeFolder() + name));
    return *it;
  };
  std::vector<pugi::xml_node> sections, entries;
  const bool perNode = state.range(1) != 0;
  state.SetLabel(perNode ? "templates per node" : "templates cached");
  for (auto _ : state) {
    if (perNode) {
      window->BuildContentsPage();
      benchmark::DoNotOptimize(window->ContentsLines.size());
    } else {
      const QStringList lines = window->catalogue().BuildContentsPage(cached, sections, entries);
      benchmark::DoNotOptimize(lines.size());
    }
  }
  state.SetItemsProcessed(state.iterations() * c.entries);
  CloseWindow(std::move(window));
}

// Bounded so that the whole run stays within a few minutes.
void Sizes(benchmark::internal::Benchmark* b) {
  for (int n : {1000, 10000}) b->Arg(n);
}

BENCHMARK(BM_StartupToContents)->Apply(Sizes)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_StartupToContents)->Arg(50000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FloorContents)->Apply(Sizes)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_FloorContents)->Arg(50000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OpenEntry)
    ->ArgsProduct({{1000, 10000, 50000}, {0}})
    ->Args({50000, 1})
    ->ArgNames({"", "loose"})
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(256);
BENCHMARK(BM_FloorQTextBrowser)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(128);
BENCHMARK(BM_FloorQTextBrowserSetHtml)->Unit(benchmark::kMicrosecond)->Iterations(256);
BENCHMARK(BM_BuildContentsPage)
    ->ArgsProduct({{1000, 10000, 50000}, {0, 1}})
    ->ArgNames({"", "per_node"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

}  // namespace
