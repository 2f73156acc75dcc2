#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "ProgramState.h"
#include "QtTestSupport.h"
#include "framework/AnchorTabCtrl.h"
#include "framework/ScrollablePage.h"

namespace {
class TestPage : public CScrollablePage {
public:
  TestPage() : CScrollablePage(139, QSize(200, 120)) {}
  QLineEdit* edit = nullptr;
  int romEdits = 0;
  int destroyed = 0;
  int zone = 255;  // object state that outlives the window

  // Exposed so tests can press the page's own buttons.
  void PostToParent(unsigned msg, WParam w, LParam l) { PostUserMessage(parentWidget(), msg, w, l); }

protected:
  bool OnInitDialog() override {
    CScrollablePage::OnInitDialog();
    edit = Place<QLineEdit>(1040, 10, 10, 40, 12);
    return true;
  }
  void OnDestroyWindow() override { ++destroyed; }
  void OnRomEditCommand() override { ++romEdits; }
};

// Stands in for the main dialog.
using Host = RecordingKeysWindow;

void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::sendPostedEvents();
}

struct PageFixture : ::testing::Test {
  void SetUp() override {
    g_takePageSize = true;
    host.resize(800, 600);
    host.show();
    ASSERT_TRUE(page.Create(&host));
    page.show();
    Settle();
    ref = g_refPageRect;
  }
  void ResizeClient(int dw, int dh) {
    page.resize(ref.width() + dw, ref.height() + dh);
    Settle();
  }
  FreshProgramState fresh;
  Host host;
  TestPage page;
  QRect ref;
};
}  // namespace

TEST_F(PageFixture, TheFirstPageSetsTheReferenceSizeAtItsTemplateSize) {
  EXPECT_FALSE(g_takePageSize);
  EXPECT_EQ(ref.topLeft(), QPoint(0, 0));
  EXPECT_EQ(ref.size(), page.Units().ToPixels(0, 0, 200, 120).size());
  EXPECT_EQ(page.HMax(), 0);
  EXPECT_EQ(page.VMax(), 0);
}

TEST_F(PageFixture, AtOrAboveTheReferenceSizeThePageDoesNotScroll) {
  for (int grow : {0, 40}) {
    ResizeClient(grow, grow);
    EXPECT_EQ(page.HMax(), 0) << grow;
    EXPECT_EQ(page.VMax(), 0) << grow;
    page.verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(page.VPos(), 0);
    EXPECT_EQ(page.Body()->pos(), QPoint(0, 0));
  }
  ResizeClient(40, 40);
  EXPECT_LT(page.HRange(), 0);  // negative extents count as no scrolling
}

TEST_F(PageFixture, PageDownJumpsTheWholeExtentAndTheThumbScrollsInFourPixelUnits) {
  ResizeClient(-100, -100);
  ASSERT_GE(page.VMax(), 25);
  ASSERT_GE(page.HMax(), 12);
  QScrollBar* v = page.verticalScrollBar();
  v->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(page.VPos(), page.VMax());
  EXPECT_EQ(page.Body()->y(), -4 * page.VMax());
  v->triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(page.VPos(), 0);
  v->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(page.Body()->y(), -4);

  v->setSliderPosition(3);  // dragging the thumb
  EXPECT_EQ(page.Body()->y(), -12);

  QScrollBar* h = page.horizontalScrollBar();
  h->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(page.HPos(), 8);
  EXPECT_EQ(page.Body()->x(), -64);
  h->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(page.HPos(), page.HMax());
}

// The main window grows its first page to show it whole: the scroll bars of
// the smaller size go, and the whole page shows.
TEST_F(PageFixture, GrownToItsExtentThePageDropsItsScrollBars) {
  ResizeClient(-100, -100);
  ASSERT_GT(page.VMax(), 0);
  ResizeClient(0, 0);
  EXPECT_EQ(page.HMax(), 0);
  EXPECT_EQ(page.VMax(), 0);
  EXPECT_FALSE(page.verticalScrollBar()->isVisible());
  EXPECT_FALSE(page.horizontalScrollBar()->isVisible());
  EXPECT_EQ(page.viewport()->size(), ref.size());
}

TEST_F(PageFixture, EveryResizeReturnsThePageToItsOrigin) {
  ResizeClient(-100, -100);
  page.verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  page.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  ASSERT_NE(page.Body()->pos(), QPoint(0, 0));
  ResizeClient(-90, -90);
  EXPECT_EQ(page.VPos(), 0);
  EXPECT_EQ(page.HPos(), 0);
  EXPECT_EQ(page.Body()->pos(), QPoint(0, 0));
  EXPECT_GT(page.VMax(), 0);
}

TEST_F(PageFixture, APageMadeAgainInTheSameSmallPlaceStillScrolls) {
  // As the main dialog does on a tab switch or a rebuilt tab row: close the
  // window, make it again at its template size, place it where the last one
  // was and show it, twice before the event loop runs.
  ResizeClient(-100, -100);
  const QRect place = page.geometry();
  const int vMax = page.VMax();
  ASSERT_GT(vMax, 0);
  for (int round = 0; round < 2; ++round) {
    page.DestroyWindow();
    ASSERT_TRUE(page.Create(&host));
    page.setGeometry(place);
    page.show();
  }
  Settle();
  EXPECT_EQ(page.VMax(), vMax);
  EXPECT_GT(page.verticalScrollBar()->maximum(), 0);
}

TEST_F(PageFixture, EnterAndEscStayInThePageAndF1ToF7GoOnToTheMainDialog) {
  QSignalSpy returnPressed(page.edit, &QLineEdit::returnPressed);
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    bool reachesHost;
  } cases[] = {
      {Qt::Key_Return, Qt::NoModifier, false}, {Qt::Key_Enter, Qt::KeypadModifier, false},
      {Qt::Key_Escape, Qt::NoModifier, false}, {Qt::Key_F1, Qt::NoModifier, true},
      {Qt::Key_F5, Qt::NoModifier, true},      {Qt::Key_F7, Qt::NoModifier, true},
      {Qt::Key_F9, Qt::ShiftModifier, false},  {Qt::Key_A, Qt::NoModifier, true},
  };
  for (const auto& c : cases) {
    host.keys.clear();
    QTest::keyClick(page.edit, c.key, c.mods);
    EXPECT_EQ(!host.keys.empty(), c.reachesHost) << c.key;
  }
  EXPECT_EQ(returnPressed.count(), 0);
  EXPECT_EQ(page.romEdits, 1);
  EXPECT_EQ(page.edit->text(), "a");
}

TEST_F(PageFixture, MessagesToTheMainDialogArriveInOrder) {
  page.PostToParent(UM_OPEN_REPEATER, 4, 0);
  SendUserMessage(&host, UM_CHANNEL_DELETED, 5, 0);
  page.PostToParent(UM_OPEN_SYSTEM_PAGE, 0, 255);
  Settle();
  const std::vector<RecordedMessage> expected{
      {UM_CHANNEL_DELETED, 5, 0}, {UM_OPEN_REPEATER, 4, 0}, {UM_OPEN_SYSTEM_PAGE, 0, 255}};
  EXPECT_EQ(host.messages, expected);
  EXPECT_EQ(SendUserMessage(&page, UM_VALUE_EDITED, 1040, 0), 0);  // the base ignores what it does not know
}

TEST_F(PageFixture, DestroyingTheWindowRemovesTheControlsAndKeepsThePageObject) {
  page.zone = 7;
  ASSERT_NE(FindControl(&page, 1040), nullptr);
  page.DestroyWindow();
  EXPECT_FALSE(page.HasWindow());
  EXPECT_EQ(page.destroyed, 1);
  EXPECT_EQ(FindControl(&page, 1040), nullptr);
  EXPECT_FALSE(page.Create(&host) && page.Create(&host));  // a second Create while it exists fails
  EXPECT_TRUE(page.HasWindow());
  EXPECT_NE(FindControl(&page, 1040), nullptr);
  EXPECT_EQ(page.zone, 7);
  EXPECT_NE(FindControl<CSizeGrip>(&page, kSizeGripId), nullptr);
  EXPECT_FALSE(FindControl<CSizeGrip>(&page, kSizeGripId)->isVisible());
  Settle();
}

namespace {
// A page whose last control lies below its template, as Qt's taller controls
// push a page's rows down.
class TallPage : public CScrollablePage {
public:
  TallPage() : CScrollablePage(109, QSize(200, 120)) {}
  QLineEdit* last = nullptr;

protected:
  bool OnInitDialog() override {
    CScrollablePage::OnInitDialog();
    Place<QLineEdit>(1040, 10, 10, 40, 12);
    last = Place<QLineEdit>(1041, 10, 150, 40, 12);
    return true;
  }
};
}  // namespace

TEST(TallPage, ControlsBelowTheTemplateCanBeScrolledIntoView) {
  FreshProgramState fresh;
  g_takePageSize = true;
  Host host;
  host.resize(800, 600);
  host.show();
  TallPage page;
  ASSERT_TRUE(page.Create(&host));
  page.show();
  Settle();
  EXPECT_GT(page.VMax(), 0);  // even at the template's own size
  page.verticalScrollBar()->setValue(page.VMax());
  Settle();
  const QRect seen = page.viewport()->rect();
  const QRect last(page.last->mapTo(page.viewport(), QPoint(0, 0)), page.last->size());
  EXPECT_TRUE(seen.contains(last)) << last.y() << "+" << last.height() << " in " << seen.height();
  EXPECT_TRUE(page.Body()->rect().contains(page.last->geometry()));  // not clipped by the page body
}

TEST(AnchorList, RegistrationRules) {
  FreshProgramState fresh;
  QWidget parent;
  parent.resize(300, 200);
  auto* child = new QWidget(&parent);
  child->setGeometry(10, 20, 100, 50);
  CAnchorList list;

  EXPECT_FALSE(list.AddAnchor(nullptr, kMeasureMargins, ANCHOR_RIGHT));
  EXPECT_FALSE(list.AddAnchor(child, kMeasureMargins, 0));  // not registered: nothing to remove
  EXPECT_FALSE(list.AddAnchor(child, kMeasureMargins, ANCHOR_LEFT | ANCHOR_RIGHT | ANCHOR_KEEP_WIDTH));
  EXPECT_FALSE(list.AddAnchor(child, kMeasureMargins, ANCHOR_TOP | ANCHOR_BOTTOM | ANCHOR_KEEP_HEIGHT));
  EXPECT_TRUE(list.entries().empty());

  QWidget orphan;
  EXPECT_FALSE(list.AddAnchor(&orphan, kMeasureMargins, ANCHOR_RIGHT));  // nothing to measure against

  ASSERT_TRUE(list.AddAnchor(child, kMeasureMargins, ANCHOR_RIGHT | ANCHOR_BOTTOM));
  ASSERT_EQ(list.entries().size(), 1u);
  const auto& e = list.entries()[0];
  EXPECT_EQ((std::array<int, 4>{e.left, e.top, e.right, e.bottom}), (std::array<int, 4>{10, 20, 190, 130}));

  auto* other = new QWidget(&parent);
  ASSERT_TRUE(list.AddAnchor(other, {1, 2, 3, 4}, ANCHOR_LEFT));
  ASSERT_TRUE(list.AddAnchor(child, {5, 6, 7, 8}, ANCHOR_TOP));  // updated in place
  EXPECT_EQ(list.entries()[0].window, child);
  EXPECT_EQ(list.entries()[0].left, 5);
  EXPECT_TRUE(list.AddAnchor(child, kMeasureMargins, 0));
  ASSERT_EQ(list.entries().size(), 1u);
  EXPECT_EQ(list.entries()[0].window, other);
}

TEST(AnchorList, AnchoredChildrenFollowTheEdges) {
  FreshProgramState fresh;
  QWidget parent;
  parent.resize(300, 200);
  auto* stretch = new QWidget(&parent);
  stretch->setGeometry(10, 20, 100, 50);
  auto* corner = new QWidget(&parent);
  corner->setGeometry(250, 150, 30, 30);
  CAnchorList list;
  list.AddAnchor(stretch, kMeasureMargins, ANCHOR_RIGHT | ANCHOR_BOTTOM);
  list.AddAnchor(corner, kMeasureMargins, ANCHOR_RIGHT | ANCHOR_BOTTOM | ANCHOR_KEEP_WIDTH | ANCHOR_KEEP_HEIGHT);
  parent.resize(400, 260);
  list.Reposition(&parent);
  EXPECT_EQ(stretch->geometry(), QRect(10, 20, 200, 110));
  EXPECT_EQ(corner->geometry(), QRect(350, 210, 30, 30));
}

TEST(AnchorTabCtrl, TheNewestPageKeepsItsRightAndBottomMargins) {
  FreshProgramState fresh;
  CAnchorTabCtrl tabs;
  tabs.resize(500, 400);
  tabs.TabBar()->addTab("Global 1");
  tabs.show();
  TestPage first, second;

  first.Create(&tabs);  // no page rectangle yet: measured from the page itself
  first.setGeometry(4, 30, 300, 200);
  ASSERT_EQ(tabs.Anchors().entries().size(), 1u);

  g_pageRect = QRect(4, 30, 480, 360);
  second.Create(&tabs);  // measured from where the main dialog will put it
  second.setGeometry(g_pageRect);
  ASSERT_EQ(tabs.Anchors().entries().size(), 1u);
  EXPECT_EQ(tabs.Anchors().entries()[0].window, &second);

  tabs.resize(600, 450);
  EXPECT_EQ(second.geometry(), QRect(4, 30, 580, 410));
  EXPECT_EQ(first.geometry(), QRect(4, 30, 300, 200));  // no longer anchored
  first.DestroyWindow();
  second.DestroyWindow();
  Settle();
}
