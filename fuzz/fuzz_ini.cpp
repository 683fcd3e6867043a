// Any bytes as a description file: parse, then read every section and key.

#include <cstdint>

#include "pack/uIniFiles.h"
#include "platform/codepage.h"

using namespace tobrina;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const IniDocument ini(DecodeTextFile(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size))));
  for (const QString& name : ini.sectionNames()) {
    for (const QString& key : ini.readSection(name)) {
      (void)ini.readString(name, key);
      (void)ini.readInteger(name, key, 0);
      (void)ini.lineOf(name, key);
    }
    (void)ini.readSectionValues(name);
  }
  return 0;
}
