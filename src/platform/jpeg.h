#pragma once
// JPEG through libjpeg-turbo's libjpeg API.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

namespace tobrina {

// Pictures larger than this many pixels are refused: a few bytes of header
// can announce gigapixels, and the decoded picture is held whole in memory.
inline constexpr qint64 kMaxPicturePixels = 100'000'000;

// Decodes JPEG data (greyscale, RGB or CMYK) into an RGB32 image. A null
// image and the decoder's message in *error for data it cannot read.
QImage DecodeJpeg(QByteArrayView data, QString* error = nullptr);

// Compresses the image at the given quality (1..100).
std::optional<QByteArray> EncodeJpeg(const QImage& image, int quality, QString* error = nullptr);

}  // namespace tobrina
