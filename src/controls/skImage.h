#pragma once
// Picture controls: the image, the animation, the skinned picture and the
// picture strip.

#include <QImage>
#include <QLabel>
#include <QMovie>
#include <QPointer>
#include <QWidget>

#include "controls/skControl.h"

namespace tobrina {

class TSkPopMenu;
class TSkButton;

class TSkImage final : public QWidget, public SkControl {
  Q_OBJECT
 public:
  explicit TSkImage(QWidget* parent);
  void LoadPicture(const QString& fileName);
  const QImage& picture() const { return picture_; }
  const QString& pictureFile() const { return file_; }
  bool scale = false;
  double maxScale = 0;
  double minScale = 0;
  bool center = false;
  bool dragsWindow = false;
  QPointer<TSkPopMenu> contextMenu;

 signals:
  void clicked();
  void pressed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage picture_;
  QString file_;
};

class TSkGif final : public QLabel, public SkControl {
  Q_OBJECT
 public:
  explicit TSkGif(QWidget* parent);
  void LoadAnimation(const QString& fileName);
  const QString& animationFile() const { return file_; }

 signals:
  void pressed();

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QString file_;
};

class TSkPic final : public QLabel, public SkControl {
  Q_OBJECT
 public:
  explicit TSkPic(QWidget* parent);

 signals:
  void pressed();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

class TListImg final : public QWidget, public SkControl {
  Q_OBJECT
 public:
  explicit TListImg(QWidget* parent);
  QString listFile;
  bool center = false;
  bool scroll = false;
  QPointer<TSkButton> nextButton;
  QPointer<TSkButton> prevButton;
  QString nextGif, nextGifEnd, prevGif, prevGifStart;
};

}  // namespace tobrina
