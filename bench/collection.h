#pragma once
// A synthetic collection for the reader's benchmarks: catalogue, contents
// templates, pages and a shared picture, packed into interface.dat the way
// authors pack theirs. The same seed gives the same bytes.

#include <QString>
#include <QTemporaryDir>
#include <vector>

namespace tobrina::bench {

struct SyntheticCollection {
  QString error;                  // empty on success
  QString folder;                 // the collection's folder, interface.dat inside
  std::vector<int> sectionSizes;  // entries of each section, in catalogue order
  // The pack name of an entry's page ("pages\s0001_e01.html").
  static QString PageName(int section, int entry);
};

inline constexpr unsigned kCollectionSeed = 20240611u;

// One entry in kPlantedEvery carries kPlantedWord in its text (capitalised);
// kAbsentWord is in none. The syllables the text is made of cannot form either.
inline constexpr int kPlantedEvery = 100;
inline constexpr char16_t kPlantedWord[] = u"гиперболоид";
inline constexpr char16_t kAbsentWord[] = u"звездолёт";
inline bool HasPlantedWord(int entryIndex) { return entryIndex % kPlantedEvery == kPlantedEvery / 3; }

// The benchmarks' scratch folder, removed at exit.
QTemporaryDir& Scratch();

enum class LooseFiles { Keep, Remove };

// Writes a collection of `entries` entries (20 to 50 per section) into the
// folder: loose files as authors keep them, then interface.dat built from
// them. With LooseFiles::Remove only the pack stays, as collections ship.
SyntheticCollection WriteSyntheticCollection(const QString& folder, int entries, LooseFiles loose = LooseFiles::Keep,
                                             unsigned seed = kCollectionSeed);

}  // namespace tobrina::bench
