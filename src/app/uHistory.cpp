#include "app/uHistory.h"

#include <QScopedValueRollback>

#include "controls/skSimple.h"

namespace tobrina {

int THistoryList::AddToHistory(pugi::xml_node item) {
  if (Navigating) return -1;
  const int last = static_cast<int>(items_.size()) - 1;
  if (last >= 0 && items_.back() == item) return last;
  items_.resize(static_cast<size_t>(position_ + 1));
  items_.push_back(item);
  position_ = static_cast<int>(items_.size()) - 1;
  UpdateHistoryButtons();
  return position_;
}

void THistoryList::HistoryGoTo(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  position_ = index;
  UpdateHistoryButtons();
  if (!callback) return;
  // The owner opens the entry the usual way, which records it; going back
  // or forward must not, or the entries ahead would be lost. Copies guard
  // against the callback changing the list or replacing itself.
  const QScopedValueRollback<bool> navigating(Navigating, true);
  const auto open = callback;
  open(items_[static_cast<size_t>(index)]);
}

void THistoryList::UpdateHistoryButtons() {
  if (!backButton || !forwardButton) return;
  if (position_ < 0) {
    backButton->setEnabled(false);
    forwardButton->setEnabled(false);
    return;
  }
  backButton->setEnabled(position_ > 0);
  forwardButton->setEnabled(position_ < static_cast<int>(items_.size()) - 1);
}

}  // namespace tobrina
