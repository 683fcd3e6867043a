#include "app/uHistory.h"

#include <memory>

#include "app/catalogue.h"
#include "controls/skSimple.h"
#include "support.h"

namespace tobrina::test {
namespace {

class History : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(cat.load("<root><a/><b/><c/><d/></root>"));
    A = cat.section(0);
    B = cat.section(1);
    C = cat.section(2);
    D = cat.section(3);
    history.backButton = back.get();
    history.forwardButton = forward.get();
    history.callback = [this](pugi::xml_node item) { opened.push_back(item); };
  }
  void Open(std::initializer_list<pugi::xml_node> items) {
    for (pugi::xml_node item : items) history.AddToHistory(item);
  }
  void ExpectButtons(bool backOn, bool forwardOn) {
    EXPECT_EQ(back->isEnabled(), backOn);
    EXPECT_EQ(forward->isEnabled(), forwardOn);
  }

  TCatalogue cat;
  pugi::xml_node A, B, C, D;
  std::unique_ptr<TSkSpeedButton> back = std::make_unique<TSkSpeedButton>(nullptr);
  std::unique_ptr<TSkSpeedButton> forward = std::make_unique<TSkSpeedButton>(nullptr);
  THistoryList history;
  std::vector<pugi::xml_node> opened;
};

using Items = std::vector<pugi::xml_node>;

TEST_F(History, BackThenOpeningDropsTheEntriesAhead) {
  EXPECT_EQ(history.AddToHistory(A), 0);
  EXPECT_EQ(history.AddToHistory(B), 1);
  EXPECT_EQ(history.AddToHistory(C), 2);
  EXPECT_EQ(history.position(), 2);
  ExpectButtons(true, false);

  history.HistoryBack();
  history.HistoryBack();
  EXPECT_EQ(history.position(), 0);
  EXPECT_EQ(opened, (Items{B, A}));
  ExpectButtons(false, true);

  history.HistoryForward();
  EXPECT_EQ(history.position(), 1);
  EXPECT_EQ(opened.back(), B);
  ExpectButtons(true, true);
  history.HistoryBack();

  EXPECT_EQ(history.AddToHistory(D), 1);
  EXPECT_EQ(history.items(), (Items{A, D}));
  EXPECT_EQ(history.position(), 1);
  ExpectButtons(true, false);
}

TEST_F(History, ReopeningTheLastItemChangesNothing) {
  EXPECT_EQ(history.AddToHistory(A), 0);
  EXPECT_EQ(history.AddToHistory(A), 0);
  EXPECT_EQ(history.items(), (Items{A}));

  Open({B, C});
  history.HistoryGoTo(0);
  ExpectButtons(false, true);
  EXPECT_EQ(history.AddToHistory(C), 2);
  EXPECT_EQ(history.position(), 0);
  EXPECT_EQ(history.items(), (Items{A, B, C}));
  ExpectButtons(false, true);
}

TEST_F(History, MovesPastEitherEndDoNothing) {
  history.HistoryBack();
  history.HistoryForward();
  EXPECT_EQ(history.position(), -1);

  Open({A, B, C});
  history.HistoryForward();
  history.HistoryGoTo(3);
  EXPECT_EQ(history.position(), 2);
  history.HistoryGoTo(0);
  opened.clear();
  history.HistoryBack();
  history.HistoryGoTo(-1);
  EXPECT_EQ(history.position(), 0);
  EXPECT_TRUE(opened.empty());
  ExpectButtons(false, true);
}

TEST_F(History, NavigatingRecordsNothing) {
  history.Navigating = true;
  EXPECT_EQ(history.AddToHistory(A), -1);
  EXPECT_TRUE(history.items().empty());
  EXPECT_EQ(history.position(), -1);
}

TEST_F(History, EntryReopenedByTheCallbackIsNotRecordedAgain) {
  // The owner opens the entry the usual way, which records it.
  history.callback = [this](pugi::xml_node item) {
    opened.push_back(item);
    EXPECT_EQ(history.AddToHistory(item), -1);
  };
  Open({A, B, C});
  history.HistoryGoTo(0);
  history.HistoryForward();
  EXPECT_EQ(opened, (Items{A, B}));
  EXPECT_EQ(history.items(), (Items{A, B, C}));
  EXPECT_EQ(history.position(), 1);
  EXPECT_FALSE(history.Navigating);
}

TEST_F(History, Buttons) {
  back->setEnabled(true);
  forward->setEnabled(true);
  history.UpdateHistoryButtons();
  ExpectButtons(false, false);

  // Without one of the buttons neither is touched, even once it is deleted.
  history.forwardButton = nullptr;
  Open({A, B});
  ExpectButtons(false, false);
  history.forwardButton = forward.get();
  forward.reset();
  history.HistoryGoTo(1);
  EXPECT_FALSE(back->isEnabled());

  history.callback = nullptr;
  history.HistoryGoTo(0);
  EXPECT_EQ(history.position(), 0);
}

}  // namespace
}  // namespace tobrina::test
