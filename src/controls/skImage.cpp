#include "controls/skImage.h"

#include <QMouseEvent>
#include <QPainter>

#include "pack/gPack.h"

namespace tobrina {

TSkImage::TSkImage(QWidget* parent) : QWidget(parent) {}

void TSkImage::LoadPicture(const QString& fileName) {
  file_ = fileName;
  picture_ = LoadPackPicture(fileName);
  update();
}

void TSkImage::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  QSize size = picture_.size();
  if (scale) size.scale(this->size(), Qt::KeepAspectRatio);
  const QPoint at = center ? QPoint((width() - size.width()) / 2, (height() - size.height()) / 2) : QPoint();
  painter.drawImage(QRect(at, size), picture_);
}

void TSkImage::mousePressEvent(QMouseEvent* event) {
  QWidget::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) emit pressed();
}

void TSkImage::mouseReleaseEvent(QMouseEvent* event) {
  QWidget::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

TSkGif::TSkGif(QWidget* parent) : QLabel(parent) {}

void TSkGif::LoadAnimation(const QString& fileName) {
  file_ = fileName;
  auto stream = OpenPackStream(fileName);
  if (!stream->found()) return;
  auto* movie = new QMovie(this);
  auto* buffer = stream.release();
  buffer->setParent(movie);
  movie->setDevice(buffer);
  setMovie(movie);
  movie->start();
}

void TSkGif::mousePressEvent(QMouseEvent* event) {
  QLabel::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) emit pressed();
}

TSkPic::TSkPic(QWidget* parent) : QLabel(parent) {}

void TSkPic::mousePressEvent(QMouseEvent* event) {
  QLabel::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) emit pressed();
}

TListImg::TListImg(QWidget* parent) : QWidget(parent) {}

}  // namespace tobrina
