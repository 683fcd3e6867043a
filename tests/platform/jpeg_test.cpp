#include "pack/gSystem.h"
#include "platform/jpeg.h"
#include "support.h"

namespace tobrina::test {
namespace {

QImage Gradient() {
  QImage image(64, 48, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x * 4, y * 5, 128));
  return image;
}

TEST(Jpeg, EncodesAtTheGivenQualityAndDecodesBack) {
  const auto high = JpegFromBitmap(Gradient(), 95);
  const auto low = JpegFromBitmap(Gradient(), 10);
  ASSERT_TRUE(high && low);
  EXPECT_TRUE(high->startsWith("\xFF\xD8"));
  EXPECT_GT(high->size(), low->size());
  const QImage back = DecodeJpeg(*high);
  ASSERT_EQ(back.size(), QSize(64, 48));
  EXPECT_NEAR(qRed(back.pixel(40, 20)), 160, 6);
  EXPECT_NEAR(qGreen(back.pixel(40, 20)), 100, 6);
  EXPECT_FALSE(JpegFromBitmap(QImage(), 90).has_value());
}

TEST(Jpeg, BrokenDataIsRefusedWithAMessage) {
  const QByteArray good = *EncodeJpeg(Gradient(), 90);
  QByteArray hugeHeader = good;
  // SOF0 height and width: claim 60000 x 60000 pixels.
  const qsizetype sof = hugeHeader.indexOf("\xFF\xC0");
  ASSERT_GT(sof, 0);
  hugeHeader[sof + 5] = char(0xEA);
  hugeHeader[sof + 6] = char(0x60);
  hugeHeader[sof + 7] = char(0xEA);
  hugeHeader[sof + 8] = char(0x60);
  const std::pair<const char*, QByteArray> cases[] = {
      {"empty", {}},
      {"not a JPEG", "hello"},
      {"header only", good.left(20)},
      {"too many pixels", hugeHeader},
  };
  for (const auto& [what, bytes] : cases) {
    QString error;
    EXPECT_TRUE(DecodeJpeg(bytes, &error).isNull()) << what;
    EXPECT_FALSE(error.isEmpty()) << what;
  }
  // A cut-off picture still decodes: libjpeg fills the rest.
  QString error;
  EXPECT_FALSE(DecodeJpeg(good.left(good.size() - 10), &error).isNull());
}

}  // namespace
}  // namespace tobrina::test
