#include "controls/vcllayout.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QResizeEvent>
#include <ostream>

#include "support.h"

static void PrintTo(const QRect& r, std::ostream* os) {
  *os << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << ", " << r.height() << ")";
}

namespace tobrina::test {
namespace {

constexpr Anchors kLeftTop{true, true, false, false};

QWidget* Add(QWidget& parent, Align align, const QRect& bounds, Anchors anchors = kLeftTop) {
  auto* control = new QWidget(&parent);
  SetControlBounds(control, bounds);
  if (anchors != kLeftTop) SetControlAnchors(control, anchors);
  SetControlAlign(control, align);
  return control;
}

// A shown 400x300 window made a container: resizes reach it as on screen.
class VclForm : public ::testing::Test {
 protected:
  void SetUp() override {
    form.resize(400, 300);
    MakeVclContainer(&form);
    form.show();
  }
  QWidget* add(Align align, const QRect& bounds, Anchors anchors = kLeftTop) {
    return Add(form, align, bounds, anchors);
  }
  QWidget form;
};

using VclAlign = VclForm;
using VclVisibility = VclForm;
using VclAnchors = VclForm;
using VclConstraints = VclForm;
using VclSplitterDrag = VclForm;

// Built before the window is a container, as a description builds it: the
// drawn positions, not the order of creation, decide the stacking.
TEST(VclAlignOrder, EdgesInOrderThenClientFillsTheRest) {
  QWidget form;
  form.resize(400, 300);
  QWidget* client = Add(form, Align::Client, {5, 5, 10, 10});
  QWidget* left = Add(form, Align::Left, {0, 50, 60, 10});
  QWidget* lower = Add(form, Align::Top, {0, 20, 10, 30});
  QWidget* bottom = Add(form, Align::Bottom, {0, 260, 10, 40});
  QWidget* upper = Add(form, Align::Top, {0, 0, 10, 20});
  MakeVclContainer(&form);
  form.show();

  EXPECT_EQ(upper->geometry(), QRect(0, 0, 400, 20));
  EXPECT_EQ(lower->geometry(), QRect(0, 20, 400, 30));
  EXPECT_EQ(bottom->geometry(), QRect(0, 260, 400, 40));
  EXPECT_EQ(left->geometry(), QRect(0, 50, 60, 210));
  EXPECT_EQ(client->geometry(), QRect(60, 50, 340, 210));

  form.resize(600, 500);
  EXPECT_EQ(upper->geometry(), QRect(0, 0, 600, 20));
  EXPECT_EQ(lower->geometry(), QRect(0, 20, 600, 30));
  EXPECT_EQ(bottom->geometry(), QRect(0, 460, 600, 40));
  EXPECT_EQ(left->geometry(), QRect(0, 50, 60, 410));
  EXPECT_EQ(client->geometry(), QRect(60, 50, 540, 410));
}

TEST(VclAlignOrder, LowestBottomAndRightmostRightGoToTheEdge) {
  QWidget form;
  form.resize(400, 300);
  QWidget* innerRight = Add(form, Align::Right, {300, 0, 40, 10});
  QWidget* outerRight = Add(form, Align::Right, {340, 0, 60, 10});
  QWidget* upperBottom = Add(form, Align::Bottom, {0, 230, 10, 30});
  QWidget* lowerBottom = Add(form, Align::Bottom, {0, 260, 10, 40});
  QWidget* custom = Add(form, Align::Custom, {7, 8, 9, 10});
  MakeVclContainer(&form);

  EXPECT_EQ(lowerBottom->geometry(), QRect(0, 260, 400, 40));
  EXPECT_EQ(upperBottom->geometry(), QRect(0, 230, 400, 30));
  EXPECT_EQ(outerRight->geometry(), QRect(340, 0, 60, 230));
  EXPECT_EQ(innerRight->geometry(), QRect(300, 0, 40, 230));
  EXPECT_EQ(custom->geometry(), QRect(7, 8, 9, 10)) << "custom controls are left as they are";
}

TEST_F(VclAlign, MovingAControlRestacksItsSiblings) {
  QWidget* first = add(Align::Top, {0, 0, 10, 20});
  QWidget* second = add(Align::Top, {0, 20, 10, 30});
  QWidget* client = add(Align::Client, {0, 0, 10, 10});
  ASSERT_EQ(second->geometry(), QRect(0, 20, 400, 30));

  SetControlTop(first, 100);
  EXPECT_EQ(second->geometry(), QRect(0, 0, 400, 30));
  EXPECT_EQ(first->geometry(), QRect(0, 30, 400, 20));
  EXPECT_EQ(client->geometry(), QRect(0, 50, 400, 250));
}

TEST_F(VclAlign, OnlyTheSizeAcrossTheEdgeCounts) {
  QWidget* top = add(Align::Top, {0, 0, 10, 40});
  QWidget* left = add(Align::Left, {0, 0, 60, 10});
  QWidget* client = add(Align::Client, {0, 0, 10, 10});

  SetControlWidth(top, 50);
  SetControlHeight(left, 5);
  EXPECT_EQ(top->geometry(), QRect(0, 0, 400, 40));
  EXPECT_EQ(left->geometry(), QRect(0, 40, 60, 260));

  SetControlHeight(top, 70);
  SetControlWidth(left, 90);
  EXPECT_EQ(top->geometry(), QRect(0, 0, 400, 70));
  EXPECT_EQ(left->geometry(), QRect(0, 70, 90, 230));
  EXPECT_EQ(client->geometry(), QRect(90, 70, 310, 230));
}

TEST_F(VclAlign, ReleasedControlStaysWhereTheLayoutPutIt) {
  QWidget* client = add(Align::Client, {5, 5, 10, 10});
  SetControlAlign(client, Align::None);
  EXPECT_EQ(client->geometry(), QRect(0, 0, 400, 300));
  form.resize(600, 500);
  EXPECT_EQ(client->geometry(), QRect(0, 0, 400, 300));
}

TEST_F(VclAlign, ClientRectIsTheContentsRect) {
  QWidget* top = add(Align::Top, {0, 0, 10, 20});
  QWidget* client = add(Align::Client, {0, 0, 10, 10});
  form.setContentsMargins(4, 6, 8, 10);
  EXPECT_EQ(ContainerClientRect(&form), QRect(4, 6, 388, 284));
  EXPECT_EQ(top->geometry(), QRect(4, 6, 388, 20));
  EXPECT_EQ(client->geometry(), QRect(4, 26, 388, 264));
}

// A banner whose height follows its width: it changes its own bounds while
// the container lays it out.
class Banner : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void resizeEvent(QResizeEvent* event) override { SetControlHeight(this, event->size().width() / 10); }
};

TEST_F(VclAlign, ControlResizedDuringLayoutIsLaidOutAgain) {
  auto* banner = new Banner(&form);
  SetControlAlign(banner, Align::Top);
  banner->show();
  QWidget* client = add(Align::Client, {0, 0, 10, 10});
  form.resize(600, 500);
  EXPECT_EQ(banner->geometry(), QRect(0, 0, 600, 60));
  EXPECT_EQ(client->geometry(), QRect(0, 60, 600, 440));
}

TEST_F(VclAlign, NestedContainerFollowsItsParent) {
  QWidget* panel = add(Align::Client, {0, 0, 10, 10});
  MakeVclContainer(panel);
  panel->show();
  QWidget* button = Add(*panel, Align::None, {300, 250, 80, 30}, {false, false, true, true});
  form.resize(500, 400);
  EXPECT_EQ(panel->geometry(), QRect(0, 0, 500, 400));
  EXPECT_EQ(button->geometry(), QRect(400, 350, 80, 30));
}

TEST_F(VclVisibility, HiddenControlsTakeNoSpace) {
  QWidget* top = add(Align::Top, {0, 0, 10, 50});
  QWidget* left = add(Align::Left, {0, 0, 60, 10});
  QWidget* client = add(Align::Client, {0, 0, 10, 10});
  top->show();
  left->show();
  client->show();

  top->hide();
  EXPECT_EQ(left->geometry(), QRect(0, 0, 60, 300));
  EXPECT_EQ(client->geometry(), QRect(60, 0, 340, 300));

  left->hide();
  EXPECT_EQ(client->geometry(), QRect(0, 0, 400, 300));

  top->show();
  left->show();
  EXPECT_EQ(top->geometry(), QRect(0, 0, 400, 50));
  EXPECT_EQ(left->geometry(), QRect(0, 50, 60, 250));
  EXPECT_EQ(client->geometry(), QRect(60, 50, 340, 250));

  delete top;
  EXPECT_EQ(left->geometry(), QRect(0, 0, 60, 300));
  EXPECT_EQ(client->geometry(), QRect(60, 0, 340, 300));
}

TEST(VclVisibilityBeforeShow, OnlyExplicitlyHiddenControlsAreLeftOut) {
  QWidget form;
  form.resize(400, 300);
  MakeVclContainer(&form);
  QWidget* shown = Add(form, Align::Top, {0, 0, 10, 20});
  QWidget* hidden = Add(form, Align::Top, {0, 20, 10, 30});
  QWidget* client = Add(form, Align::Client, {0, 0, 10, 10});
  EXPECT_EQ(client->geometry(), QRect(0, 50, 400, 250)) << "not shown yet, but not hidden either";
  hidden->hide();
  EXPECT_EQ(client->geometry(), QRect(0, 20, 400, 280));
  form.show();
  EXPECT_TRUE(shown->isVisible());
  EXPECT_EQ(client->geometry(), QRect(0, 20, 400, 280));
}

TEST_F(VclAnchors, EachCombinationOnResize) {
  struct Case {
    const char* name;
    Anchors anchors;
    QRect at600x500;
    QRect at360x280;
  };
  // Drawn at (100, 60, 80x40) in 400x300.
  const Case cases[] = {
      {"left top", {true, true, false, false}, {100, 60, 80, 40}, {100, 60, 80, 40}},
      {"top right", {false, true, true, false}, {300, 60, 80, 40}, {60, 60, 80, 40}},
      {"left top right", {true, true, true, false}, {100, 60, 280, 40}, {100, 60, 40, 40}},
      {"right bottom", {false, false, true, true}, {300, 260, 80, 40}, {60, 40, 80, 40}},
      {"right only: centred vertically", {false, false, true, false}, {300, 113, 80, 40}, {60, 55, 80, 40}},
      {"none: centre proportional", {false, false, false, false}, {170, 113, 80, 40}, {86, 55, 80, 40}},
      {"all four", {true, true, true, true}, {100, 60, 280, 240}, {100, 60, 40, 20}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    form.resize(400, 300);
    QWidget* control = add(Align::None, {100, 60, 80, 40}, c.anchors);
    EXPECT_EQ(ControlAnchorsOf(control), c.anchors);
    form.resize(600, 500);
    EXPECT_EQ(control->geometry(), c.at600x500);
    form.resize(360, 280);
    EXPECT_EQ(control->geometry(), c.at360x280);
    form.resize(400, 300);
    EXPECT_EQ(control->geometry(), QRect(100, 60, 80, 40)) << "back where it was drawn";
    delete control;
  }
}

TEST_F(VclAnchors, DistancesCountFromTheLastBoundsOrAnchorsSet) {
  QWidget* control = add(Align::None, {300, 30, 80, 40});
  form.resize(600, 500);
  EXPECT_EQ(control->geometry(), QRect(300, 30, 80, 40));

  SetControlAnchors(control, {false, true, true, false});
  EXPECT_EQ(control->geometry(), QRect(300, 30, 80, 40));
  form.resize(700, 500);
  EXPECT_EQ(control->geometry(), QRect(400, 30, 80, 40)) << "keeps the distance to the right edge it had at 600";

  SetControlLeft(control, 500);
  form.resize(600, 500);
  EXPECT_EQ(control->geometry(), QRect(400, 30, 80, 40));
}

TEST(VclAnchorsPlainParent, BoundsAreSetAndLeftAlone) {
  QWidget parent;
  parent.resize(400, 300);
  QWidget* control = Add(parent, Align::Client, {10, 20, 30, 40}, {true, true, true, true});
  EXPECT_EQ(control->geometry(), QRect(10, 20, 30, 40));
  parent.show();
  parent.resize(600, 500);
  EXPECT_EQ(control->geometry(), QRect(10, 20, 30, 40));
  EXPECT_EQ(ControlAlignOf(control), Align::Client);
}

TEST_F(VclConstraints, ClampEverySizeGiven) {
  QWidget* control = add(Align::None, {10, 10, 300, 150});
  const SizeConstraints limits{50, 20, 200, 100};
  SetControlConstraints(control, limits);
  EXPECT_EQ(ControlConstraintsOf(control), limits);
  EXPECT_EQ(control->geometry(), QRect(10, 10, 200, 100));

  SetControlBounds(control, {5, 5, 500, 5});
  EXPECT_EQ(control->geometry(), QRect(5, 5, 200, 20));
  SetControlWidth(control, 10);
  EXPECT_EQ(control->geometry(), QRect(5, 5, 50, 20));
  form.resize(600, 500);
  EXPECT_EQ(control->geometry(), QRect(5, 5, 50, 20));
}

TEST_F(VclConstraints, ClampTheLayout) {
  QWidget* stretched = add(Align::None, {100, 60, 80, 40}, {true, true, true, true});
  SetControlConstraints(stretched, {60, 30, 250, 0});
  QWidget* top = add(Align::Top, {0, 0, 10, 10});
  SetControlConstraints(top, {0, 30, 300, 0});
  QWidget* client = add(Align::Client, {0, 0, 10, 10});
  SetControlConstraints(client, {0, 0, 0, 200});
  EXPECT_EQ(top->geometry(), QRect(0, 0, 300, 30));
  EXPECT_EQ(client->geometry(), QRect(0, 30, 400, 200));

  form.resize(600, 500);
  EXPECT_EQ(stretched->geometry(), QRect(100, 60, 250, 240));
  EXPECT_EQ(client->geometry(), QRect(0, 30, 600, 200));
  form.resize(330, 200);
  EXPECT_EQ(stretched->geometry(), QRect(100, 60, 60, 30));
  EXPECT_EQ(top->geometry(), QRect(0, 0, 300, 30));
}

void SendMouse(QWidget* target, QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent event(type, local, target->mapToGlobal(local), button, held, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &event);
}

// Each splitter sits between an outer panel and the client; the panel between
// them is the one it resizes, and it never swaps places with the outer one.
TEST_F(VclSplitterDrag, ResizesTheNeighbourOnEachSide) {
  struct Case {
    Align align;
    QRect outer;
    QRect panel;
    QRect bar;
    int delta;
    QRect panelAfter;
    QRect barAfter;
    QRect clientAfter;
  };
  const Case cases[] = {
      {Align::Left, {0, 0, 50, 10}, {50, 0, 100, 10}, {150, 0, 3, 10}, 50,  //
       {50, 0, 150, 300}, {200, 0, 3, 300}, {203, 0, 197, 300}},
      {Align::Top, {0, 0, 10, 30}, {0, 30, 10, 80}, {0, 110, 10, 4}, 20,  //
       {0, 30, 400, 100}, {0, 130, 400, 4}, {0, 134, 400, 166}},
      {Align::Right, {350, 0, 50, 10}, {250, 0, 100, 10}, {247, 0, 3, 10}, -60,  //
       {190, 0, 160, 300}, {187, 0, 3, 300}, {0, 0, 187, 300}},
      {Align::Bottom, {0, 260, 10, 40}, {0, 180, 10, 80}, {0, 176, 10, 4}, 20,  //
       {0, 200, 400, 60}, {0, 196, 400, 4}, {0, 0, 400, 196}},
      {Align::Bottom, {0, 260, 10, 40}, {0, 180, 10, 80}, {0, 176, 10, 4}, -50,  //
       {0, 130, 400, 130}, {0, 126, 400, 4}, {0, 0, 400, 126}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "align " << static_cast<int>(c.align) << ", delta " << c.delta);
    QWidget* outer = add(c.align, c.outer);
    QWidget* panel = add(c.align, c.panel);
    auto* bar = new VclSplitter(&form);
    SetControlBounds(bar, c.bar);
    SetControlAlign(bar, c.align);
    QWidget* client = add(Align::Client, {0, 0, 10, 10});
    ASSERT_EQ(bar->neighbour(), panel);
    const QRect outerBefore = outer->geometry();
    int moved = 0;
    QObject::connect(bar, &VclSplitter::moved, [&moved] { ++moved; });

    bar->dragBy(c.delta);
    EXPECT_EQ(panel->geometry(), c.panelAfter);
    EXPECT_EQ(bar->geometry(), c.barAfter);
    EXPECT_EQ(client->geometry(), c.clientAfter);
    EXPECT_EQ(outer->geometry(), outerBefore);
    EXPECT_EQ(moved, 1);
    EXPECT_EQ(bar->neighbour(), panel);
    const bool horizontal = c.align == Align::Left || c.align == Align::Right;
    EXPECT_EQ(bar->cursor().shape(), horizontal ? Qt::SplitHCursor : Qt::SplitVCursor);
    delete client;
    delete bar;
    delete panel;
    delete outer;
  }
}

TEST_F(VclSplitterDrag, StopsAtTheLimits) {
  struct Case {
    const char* name;
    SizeConstraints constraints;
    int minSize;
    bool rightPanel;
    int delta;
    int width;
    bool atLimit;
  };
  const Case cases[] = {
      {"within the limits", {}, 30, false, 20, 120, false},
      {"already under the minimum: no jump back", {}, 150, false, -10, 100, true},
      {"the splitter's minimum", {}, 30, false, -500, 30, true},
      {"the panel's minimum", {60, 0, 0, 0}, 30, false, -500, 60, true},
      {"the larger minimum", {20, 0, 0, 0}, 50, false, -500, 50, true},
      {"the panel's maximum", {0, 0, 200, 0}, 30, false, 1000, 200, true},
      {"the client area's minimum", {}, 30, false, 1000, 400 - 3 - 30, true},
      {"the client area beside a right panel", {}, 30, true, 1000, 400 - 3 - 100 - 30, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QWidget* panel = add(Align::Left, {0, 0, 100, 10});
    SetControlConstraints(panel, c.constraints);
    QWidget* right = c.rightPanel ? add(Align::Right, {300, 0, 100, 10}) : nullptr;
    auto* bar = new VclSplitter(&form);
    bar->setMinSize(c.minSize);
    SetControlBounds(bar, {100, 0, 3, 10});
    SetControlAlign(bar, Align::Left);
    QWidget* client = add(Align::Client, {0, 0, 10, 10});

    bar->dragBy(c.delta);
    EXPECT_EQ(panel->width(), c.width);
    EXPECT_EQ(client->x(), c.width + 3);

    // Pushing on past a limit changes nothing and reports no move.
    int moved = 0;
    QObject::connect(bar, &VclSplitter::moved, [&moved] { ++moved; });
    bar->dragBy(c.delta);
    if (c.atLimit) {
      EXPECT_EQ(panel->width(), c.width);
      EXPECT_EQ(moved, 0);
    }
    delete client;
    delete bar;
    delete right;
    delete panel;
  }
}

TEST_F(VclSplitterDrag, NeighbourIsTheVisibleControlTouchingIt) {
  QWidget* outer = add(Align::Left, {0, 0, 100, 10});
  QWidget* inner = add(Align::Left, {100, 0, 50, 10});
  auto* bar = new VclSplitter(&form);
  SetControlBounds(bar, {150, 0, 3, 10});
  EXPECT_EQ(bar->neighbour(), nullptr) << "no alignment yet";
  SetControlAlign(bar, Align::Left);
  EXPECT_EQ(bar->neighbour(), inner);

  inner->hide();
  EXPECT_EQ(bar->geometry(), QRect(100, 0, 3, 300));
  EXPECT_EQ(bar->neighbour(), outer);

  SetControlLeft(bar, -10);  // now first at the left edge: nothing before it
  EXPECT_EQ(bar->geometry(), QRect(0, 0, 3, 300));
  EXPECT_EQ(bar->neighbour(), nullptr);
  bar->dragBy(20);
  EXPECT_EQ(outer->geometry(), QRect(3, 0, 100, 300));

  QWidget* top = add(Align::Top, {0, 0, 10, 40});
  auto* topBar = new VclSplitter(&form);
  SetControlBounds(topBar, {0, 40, 10, 4});
  SetControlAlign(topBar, Align::Top);
  EXPECT_EQ(topBar->neighbour(), top);
  SetControlAlign(topBar, Align::Client);
  EXPECT_EQ(topBar->neighbour(), nullptr);
}

TEST_F(VclSplitterDrag, FollowsTheMouseWithTheLeftButton) {
  QWidget* panel = add(Align::Left, {0, 0, 100, 10});
  auto* bar = new VclSplitter(&form);
  SetControlBounds(bar, {100, 0, 3, 10});
  SetControlAlign(bar, Align::Left);
  bar->show();

  SendMouse(bar, QEvent::MouseButtonPress, {1, 10}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(bar, QEvent::MouseMove, {41, 10}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(panel->width(), 140);
  // The bar moved under the pointer: the press point is the reference again.
  SendMouse(bar, QEvent::MouseMove, {11, 10}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(panel->width(), 150);
  SendMouse(bar, QEvent::MouseButtonRelease, {11, 10}, Qt::LeftButton, Qt::NoButton);
  SendMouse(bar, QEvent::MouseMove, {60, 10}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(panel->width(), 150);

  SendMouse(bar, QEvent::MouseButtonPress, {1, 10}, Qt::RightButton, Qt::RightButton);
  SendMouse(bar, QEvent::MouseMove, {41, 10}, Qt::NoButton, Qt::RightButton);
  EXPECT_EQ(panel->width(), 150);
}

TEST_F(VclSplitterDrag, PaintsAFlatBarInTheButtonColour) {
  auto* bar = new VclSplitter(&form);
  SetControlBounds(bar, {0, 0, 6, 10});
  SetControlAlign(bar, Align::Left);
  const QImage image = bar->grab().toImage();
  EXPECT_EQ(image.pixelColor(3, 150), bar->palette().color(QPalette::Button));
}

}  // namespace
}  // namespace tobrina::test
