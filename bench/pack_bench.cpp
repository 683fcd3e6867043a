// Opening a pack of 100,000 entries, lookups per second, and extraction
// throughput beside reading the same bytes from plain files.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "pack/gPack.h"
#include "pack/packwriter.h"
#include "platform/codepage.h"
#include "platform/uiservices.h"

using namespace tobrina;

namespace {

constexpr int kEntries = 100'000;
constexpr int kBigFiles = 64;
constexpr int kBigFileSize = 1 << 20;

QString EntryName(int i) { return QStringLiteral("content\\раздел%1\\zetka%2.html").arg(i / 1000, 3, 10, QChar(u'0')).arg(i); }

// Built once per run: a pack of many small pages and one of big pictures,
// the big ones also as plain files.
struct Fixture {
  QTemporaryDir dir;
  QString manyPack, bigPack, plainFolder;
  qint64 bigBytes = 0;
  Fixture() {
    manyPack = dir.filePath(QStringLiteral("many.dat"));
    bigPack = dir.filePath(QStringLiteral("big.dat"));
    plainFolder = dir.filePath(QStringLiteral("plain"));
    QDir().mkpath(plainFolder);
    auto* rng = QRandomGenerator::global();
    {
      PackWriter w(manyPack);
      QByteArray page(1500, 'x');
      for (int i = 0; i < kEntries; ++i) {
        page.resize(500 + int(rng->bounded(2000)));
        w.add(*EncodeCp1251(EntryName(i)), page, false);
      }
      if (!w.finish().isEmpty()) std::abort();
    }
    PackWriter w(bigPack);
    QByteArray data(kBigFileSize, '\0');
    for (int i = 0; i < kBigFiles; ++i) {
      rng->fillRange(reinterpret_cast<quint32*>(data.data()), kBigFileSize / 4);
      const QString name = QStringLiteral("pics\\%1.jpg").arg(i);
      w.add(name.toLatin1(), data, i % 2 == 1);  // every other one scrambled
      QFile f(plainFolder + QStringLiteral("/%1.jpg").arg(i));
      if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size()) std::abort();
      bigBytes += data.size();
    }
    if (!w.finish().isEmpty()) std::abort();
  }
};

Fixture& Data() {
  static Fixture f;
  return f;
}

void BM_OpenPack100k(benchmark::State& state) {
  for (auto _ : state) {
    OpenPack(Data().manyPack);
    benchmark::DoNotOptimize(PackState().entryCount);
    ClosePack();
  }
  state.counters["entries"] = kEntries;
}
BENCHMARK(BM_OpenPack100k)->Unit(benchmark::kMillisecond);

void BM_Lookup(benchmark::State& state) {
  OpenPack(Data().manyPack);
  QStringList names;
  for (int i = 0; i < 1024; ++i) {
    // Mixed case and misses, as readers ask.
    const int n = int(QRandomGenerator::global()->bounded(kEntries * 11 / 10));
    names << (i % 2 ? EntryName(n).toUpper() : EntryName(n));
  }
  qsizetype i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(PackIndexOf(names[i++ & 1023]));
  state.SetItemsProcessed(state.iterations());
  ClosePack();
}
BENCHMARK(BM_Lookup);

void BM_ExtractFromPack(benchmark::State& state) {
  OpenPack(Data().bigPack);
  QByteArray bytes;
  for (auto _ : state)
    for (int i = 0; i < kBigFiles; ++i) {
      LoadPackFile(bytes, QStringLiteral("pics\\%1.jpg").arg(i));
      benchmark::DoNotOptimize(bytes.data());
    }
  state.SetBytesProcessed(state.iterations() * Data().bigBytes);
  ClosePack();
}
BENCHMARK(BM_ExtractFromPack)->Unit(benchmark::kMillisecond);

void BM_ReadPlainFiles(benchmark::State& state) {
  for (auto _ : state)
    for (int i = 0; i < kBigFiles; ++i) {
      QFile f(Data().plainFolder + QStringLiteral("/%1.jpg").arg(i));
      if (!f.open(QIODevice::ReadOnly)) std::abort();
      const QByteArray bytes = f.readAll();
      benchmark::DoNotOptimize(bytes.data());
    }
  state.SetBytesProcessed(state.iterations() * Data().bigBytes);
}
BENCHMARK(BM_ReadPlainFiles)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  Data();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
