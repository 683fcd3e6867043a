#include "platform/jpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <memory>
#include <vector>
#include <cstdio>
#include <jpeglib.h>

namespace tobrina {
namespace {

// libjpeg reports errors through error_exit, which must not return; we jump
// back to the caller with the library's message instead of exiting.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
  auto* err = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, err->message);
  std::longjmp(err->jump, 1);
}

void OnMessage(j_common_ptr, int) {}  // warnings about corrupt data are not errors

void SetError(QString* error, const QString& text) {
  if (error) *error = text;
}

}  // namespace

QImage DecodeJpeg(QByteArrayView data, QString* error) {
  if (data.isEmpty()) {
    SetError(error, QStringLiteral("empty JPEG data"));
    return {};
  }
  jpeg_decompress_struct info{};
  ErrorManager err{};
  info.err = jpeg_std_error(&err.base);
  err.base.error_exit = OnError;
  err.base.emit_message = OnMessage;
  // Held through a pointer made before setjmp: what longjmp skips over must
  // not be an automatic object changed after it.
  const auto image = std::make_unique<QImage>();
  const auto cmykRow = std::make_unique<std::vector<unsigned char>>();
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&info);
    SetError(error, QString::fromLocal8Bit(err.message));
    return {};
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.data()), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&info, TRUE);
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;  // BGRX is QImage::Format_RGB32 in memory
  if (qint64(info.image_width) * qint64(info.image_height) > kMaxPicturePixels) {
    const QString text = QStringLiteral("JPEG picture of %1 x %2 pixels is too large")
                             .arg(info.image_width)
                             .arg(info.image_height);
    jpeg_destroy_decompress(&info);
    SetError(error, text);
    return {};
  }
  jpeg_start_decompress(&info);
  *image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
  if (image->isNull()) {
    jpeg_destroy_decompress(&info);
    SetError(error, QStringLiteral("out of memory for the JPEG picture"));
    return {};
  }
  if (cmyk) cmykRow->resize(std::size_t(info.output_width) * 4);
  while (info.output_scanline < info.output_height) {
    const int y = int(info.output_scanline);
    JSAMPROW row = cmyk ? cmykRow->data() : image->scanLine(y);
    jpeg_read_scanlines(&info, &row, 1);
    if (cmyk) {
      // CMYK JPEGs are written inverted (Adobe's convention), so each stored
      // byte already is 255 - ink.
      auto* out = reinterpret_cast<QRgb*>(image->scanLine(y));
      const unsigned char* in = cmykRow->data();
      for (JDIMENSION x = 0; x < info.output_width; ++x, in += 4) {
        const int k = in[3];
        out[x] = qRgb(in[0] * k / 255, in[1] * k / 255, in[2] * k / 255);
      }
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return std::move(*image);
}

std::optional<QByteArray> EncodeJpeg(const QImage& source, int quality, QString* error) {
  if (source.isNull()) return std::nullopt;
  const QImage image = source.convertToFormat(QImage::Format_RGB888);
  jpeg_compress_struct info{};
  ErrorManager err{};
  info.err = jpeg_std_error(&err.base);
  err.base.error_exit = OnError;
  err.base.emit_message = OnMessage;
  struct Output {
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
  };
  const auto output = std::make_unique<Output>();
  unsigned char*& buffer = output->buffer;
  unsigned long& size = output->size;
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&info);
    std::free(output->buffer);
    SetError(error, QString::fromLocal8Bit(err.message));
    return std::nullopt;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = JDIMENSION(image.width());
  info.image_height = JDIMENSION(image.height());
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, std::clamp(quality, 1, 100), TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    auto row = const_cast<JSAMPROW>(image.constScanLine(int(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  QByteArray out(reinterpret_cast<const char*>(buffer), qsizetype(size));
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

}  // namespace tobrina
