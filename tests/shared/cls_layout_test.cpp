#include "shared/cls_layout.h"

#include <QComboBox>
#include <QStatusBar>
#include <QToolBar>
#include <QWidget>
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <optional>

namespace corvane::shared {
namespace {

constexpr auto kNull = std::nullopt;

// A toolbar host of our own kind: recognised by its class name alone.
class ReportToolbarHost : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;
};

// A window of 9000 x 6000 twips (600 x 400 pixels) with the suite's toolbar pair.
struct TestWindow {
  std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
  QWidget* control = new QWidget(window.get());

  TestWindow() {
    window->resize(600, 400);
    control->setGeometry(5, 5, 60, 30);
  }
  QToolBar* AddToolbar() {
    auto* host = new QWidget(window.get());
    host->setObjectName("CTBCtrl1");
    host->setGeometry(0, 0, 100, 26);
    auto* holder = new QWidget(window.get());
    holder->setObjectName("Picture1");
    holder->setGeometry(0, 0, 100, 10);
    return new QToolBar(host);
  }
  QStatusBar* AddStatusBar(int heightPixels) {
    auto* bar = new QStatusBar(window.get());
    bar->setGeometry(0, 400 - heightPixels, 600, heightPixels);
    return bar;
  }
};

TEST(ClsLayoutTest, FrameValuesFollowTheScreen) {
  struct Case { int twipsPerPixel; bool normal; int xNullTwip, yNullPixel, yNullTwip; };
  const Case cases[] = {{15, true, 0, 27, 0}, {12, false, 96, 32, 384}};
  for (const Case& c : cases) {
    const clsLayout layout(c.twipsPerPixel);
    EXPECT_EQ(layout.NormalFont(), c.normal) << c.twipsPerPixel;
    EXPECT_EQ(layout.WordTwip(), 180);
    EXPECT_EQ(layout.XNullPixel(), 8);
    EXPECT_EQ(layout.XNullTwip(), c.xNullTwip) << c.twipsPerPixel;
    EXPECT_EQ(layout.YNullPixel(), c.yNullPixel) << c.twipsPerPixel;
    EXPECT_EQ(layout.YNullTwip(), c.yNullTwip) << c.twipsPerPixel;
  }
  EXPECT_TRUE(clsLayout().NormalFont());
}

TEST(ClsLayoutTest, TwipWordByFontAndScreen) {
  struct Case { int twipsPerPixel; int words; std::optional<double> font; std::optional<int> twips; };
  const Case cases[] = {
      {15, 2, kNull, 360},    {15, 2, 11, 450},       {15, 2, 13, 0},
      {12, 1, kNull, 180},    {12, 1, 20, 408},       {15, -2, kNull, -360},
      {15, INT_MAX, 9, kNull},  // too large for 32 bits
  };
  for (const Case& c : cases) {
    EXPECT_EQ(clsLayout(c.twipsPerPixel).TwipWord(c.words, c.font), c.twips)
        << c.twipsPerPixel << " " << c.words;
  }
}

TEST(ClsLayoutTest, NormalFontPropertyPicksTheWordTable) {
  clsLayout layout;
  layout.SetNormalFont(false);
  EXPECT_EQ(layout.TwipWord(2), 2 * 15 * 15);
}

TEST(ClsLayoutTest, InitFormResizeNotesToolbarRoomAndStretchesTheHost) {
  struct Case { int twipsPerPixel; bool small; int room; };
  const Case cases[] = {{15, false, 387}, {15, true, 405}, {12, false, 528}, {12, true, 384}};
  for (const Case& c : cases) {
    TestWindow t;
    t.AddToolbar();
    clsLayout layout(c.twipsPerPixel);
    layout.InitFormResize(t.window.get(), 40, 8, c.small);
    EXPECT_EQ(layout.ToolBarHeight(), c.room) << c.twipsPerPixel << c.small;
    EXPECT_EQ(layout.FormWidth(), 600 * c.twipsPerPixel);
    EXPECT_EQ(layout.FormHeight(), 400 * c.twipsPerPixel);
    EXPECT_EQ(t.window->findChild<QWidget*>("CTBCtrl1")->width(), 600);
    EXPECT_EQ(t.window->findChild<QWidget*>("Picture1")->height(), 26);
  }
}

TEST(ClsLayoutTest, InitFormResizeForgetsWhatTheLastWindowHad) {
  TestWindow withBars;
  withBars.AddToolbar();
  withBars.AddStatusBar(20);
  TestWindow plain;
  clsLayout layout;
  layout.InitFormResize(withBars.window.get(), 0, 0);
  EXPECT_TRUE(layout.HasStatusBar());
  layout.InitFormResize(plain.window.get(), 0, 0);
  EXPECT_FALSE(layout.HasStatusBar());
  EXPECT_EQ(layout.ToolBarHeight(), 0);
}

TEST(ClsLayoutTest, ToolbarOfOurOwnIsKnownByItsClassName) {
  TestWindow t;
  new ReportToolbarHost(t.window.get());
  clsLayout layout;
  layout.InitFormResize(t.window.get(), 0, 0);
  EXPECT_EQ(layout.ToolBarHeight(), 387);
}

TEST(ClsLayoutTest, LayoutStretchesBetweenMarginsUnderTheToolbar) {
  TestWindow t;
  t.AddToolbar();
  clsLayout layout;
  layout.InitFormResize(t.window.get(), 0, 0);
  layout.Layout(t.control, 10, 4, 1, 1, 1, 1);
  // Left 180, width 8640; top 567, height 5253 twips.
  EXPECT_EQ(t.control->geometry(), QRect(12, 38, 576, 350));
}

TEST(ClsLayoutTest, LayoutWithoutSidesLeavesTheControlOrCentresIt) {
  TestWindow t;
  clsLayout layout;
  layout.InitFormResize(t.window.get(), 0, 0);
  layout.Layout(t.control, 10, kNull, kNull, kNull, kNull, kNull, false);
  EXPECT_EQ(t.control->geometry(), QRect(5, 5, 60, 30));
  layout.Layout(t.control, 10, kNull, kNull, kNull, kNull, kNull, true);
  EXPECT_EQ(t.control->geometry(), QRect(240, 5, 120, 30));  // left 3600, width 1800
}

TEST(ClsLayoutTest, LayoutTakesTheControlsOwnSizeWhenNoMinimumIsGiven) {
  TestWindow t;
  clsLayout layout;
  layout.InitFormResize(t.window.get(), 0, 0);
  layout.Layout(t.control, kNull, kNull, kNull, 1, kNull, 0.5);
  // 60 x 30 pixels, anchored 1 word from the right and half a word from the bottom.
  EXPECT_EQ(t.control->geometry(), QRect(600 - 12 - 60, 400 - 6 - 30, 60, 30));
}

TEST(ClsLayoutTest, StatusBarCutsAStretchedControlShort) {
  TestWindow t;
  t.AddToolbar();
  t.AddStatusBar(20);
  clsLayout layout;
  layout.InitFormResize(t.window.get(), 0, 0);
  layout.Layout(t.control, 10, 4, 0, 0, 1, 0);
  // Top 567; height 6000 - 300 - 567 = 5133 instead of 5433.
  EXPECT_EQ(t.control->geometry(), QRect(0, 38, 600, 342));
}

TEST(ClsLayoutTest, ComboBoxOnlyFollowsTheTop) {
  TestWindow t;
  t.AddToolbar();
  auto* combo = new QComboBox(t.window.get());
  combo->setGeometry(5, 5, 60, 22);
  clsLayout layout;
  layout.InitFormResize(t.window.get(), 0, 0);
  layout.Layout(combo, 10, 4, kNull, kNull, 1, 1);
  EXPECT_EQ(combo->geometry(), QRect(5, 38, 60, 22));
  layout.Layout(combo, 10, 4, 1, 1, kNull, kNull);
  EXPECT_EQ(combo->geometry(), QRect(12, 38, 576, 22));
}

TEST(ClsLayoutTest, BeforeAnyScanTheWindowCountsAsEmpty) {
  TestWindow t;
  clsLayout layout;
  layout.Layout(t.control, 10, 2, kNull, 1, kNull, kNull);
  EXPECT_EQ(t.control->geometry(), QRect(-132, 5, 120, 30));  // left 0 - 11 words
}

TEST(ClsLayoutTest, WindowNarrowerThanItsMarginsLeavesNoNegativeSize) {
  TestWindow t;
  t.window->resize(20, 20);
  clsLayout layout;
  layout.InitFormResize(t.window.get(), 0, 0);
  layout.Layout(t.control, 10, 4, 1, 1, 1, 1);
  EXPECT_EQ(t.control->geometry(), QRect(12, 12, 0, 0));
}

TEST(ClsLayoutTest, WordTwipChangesTheSizeOfAWord) {
  TestWindow t;
  clsLayout layout;
  layout.SetWordTwip(360);
  layout.InitFormResize(t.window.get(), 0, 0);
  layout.Layout(t.control, 2, kNull, 1, kNull, kNull, kNull);
  EXPECT_EQ(t.control->geometry(), QRect(24, 5, 48, 30));
}

TEST(ClsLayoutTest, LayoutSubNeverShrinksAControlInsideItsContainer) {
  TestWindow t;
  t.AddToolbar();
  auto* frame = new QWidget(t.window.get());
  frame->setGeometry(0, 0, 300, 200);
  auto* inside = new QWidget(frame);
  inside->setGeometry(0, 0, 60, 30);  // 900 twips wide: 5 words
  clsLayout layout;
  layout.InitFormResize(t.window.get(), 0, 0);
  layout.LayoutSub(frame, inside, 2, 1, 1, kNull, 1, kNull);
  // The toolbar of the window does not count inside a container.
  EXPECT_EQ(inside->geometry(), QRect(12, 12, 60, 30));
  layout.LayoutSub(frame, inside, 10, kNull, kNull, 0, kNull, 0);
  EXPECT_EQ(inside->geometry(), QRect(300 - 120, 200 - 30, 120, 30));
  layout.LayoutSub(frame, inside, 2, 2, 1, 1, 1, 1);
  EXPECT_EQ(inside->geometry(), QRect(12, 12, 276, 176));
}

TEST(ClsLayoutTest, LayoutSubTakesTheContainerSizeAtEachCall) {
  TestWindow t;
  auto* frame = new QWidget(t.window.get());
  frame->setGeometry(0, 0, 300, 200);
  auto* inside = new QWidget(frame);
  clsLayout layout;
  layout.LayoutSub(frame, inside, 1, 1, 0, 0, 0, 0);
  EXPECT_EQ(inside->geometry(), QRect(0, 0, 300, 200));
  frame->resize(150, 100);
  layout.LayoutSub(frame, inside, 1, 1, 0, 0, 0, 0);
  EXPECT_EQ(inside->geometry(), QRect(0, 0, 150, 100));
}

TEST(ClsLayoutTest, InitFormSizesOnlyANormalWindow) {
  QWidget window;
  window.move(30, 40);
  clsLayout layout;
  layout.InitForm(&window, 40, 20.5f);
  EXPECT_EQ(window.size(), QSize(480, 246));  // 7200 x 3690 twips
  EXPECT_EQ(window.pos(), QPoint(30, 40));
  window.setWindowState(Qt::WindowMaximized);
  layout.InitForm(&window, 10, 10);
  EXPECT_NE(window.size(), QSize(120, 120));
}

}  // namespace
}  // namespace corvane::shared

#include "cls_layout_test.moc"
