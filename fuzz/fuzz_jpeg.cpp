// Any bytes as a JPEG picture.

#include <cstdint>

#include "platform/jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QString error;
  (void)tobrina::DecodeJpeg(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)), &error);
  return 0;
}
