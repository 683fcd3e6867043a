#include "controls/skPlayers.h"

#include "controls/vcllayout.h"

namespace tobrina {

TSkFlash::TSkFlash(QWidget* parent) : QWidget(parent) { MakeVclContainer(this); }

TSkMedia::TSkMedia(QObject* owner, QWidget* area) : QObject(owner), displayArea(area) {}

}  // namespace tobrina
