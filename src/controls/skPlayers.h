#pragma once
// The Flash and media players.

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "controls/skControl.h"
#include "interp/skCommand.h"

namespace tobrina {

class TSkTrackBar;

class TSkFlash final : public QWidget, public SkControl {
  Q_OBJECT
 public:
  explicit TSkFlash(QWidget* parent);
  QString movie;
  bool loop = false;
  QPointer<TSkTrackBar> trackBar;

 signals:
  void OnAction(const tobrina::RHelpAction& action);
};

// Not placed: the player shows its picture on the display area it is given.
class TSkMedia final : public QObject, public SkControl {
  Q_OBJECT
 public:
  TSkMedia(QObject* owner, QWidget* displayArea);
  QPointer<QWidget> displayArea;
  QString file;
  QPointer<TSkTrackBar> trackBar;

 signals:
  void OnAction(const tobrina::RHelpAction& action);
};

}  // namespace tobrina
