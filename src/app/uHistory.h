#pragma once
// The back-and-forward history of the entries opened in the main window, as
// a browser keeps it: opening an entry records it; back and forward reopen
// entries through the owner's callback without recording them again.

#include <QPointer>
#include <functional>
#include <pugixml.hpp>
#include <vector>

namespace tobrina {

class TSkSpeedButton;

class THistoryList final {
 public:
  THistoryList() = default;

  // Records an entry; -1 while Navigating. Opening the last item again
  // changes nothing, not even the position.
  int AddToHistory(pugi::xml_node item);
  void HistoryBack() { HistoryGoTo(position_ - 1); }
  void HistoryForward() { HistoryGoTo(position_ + 1); }
  void HistoryGoTo(int index);
  void UpdateHistoryButtons();

  int position() const { return position_; }
  const std::vector<pugi::xml_node>& items() const { return items_; }

  QPointer<TSkSpeedButton> backButton;
  QPointer<TSkSpeedButton> forwardButton;
  std::function<void(pugi::xml_node)> callback;
  bool Navigating = false;

 private:
  std::vector<pugi::xml_node> items_;
  int position_ = -1;
};

}  // namespace tobrina
