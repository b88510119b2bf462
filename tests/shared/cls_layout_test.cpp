#include "shared/cls_layout.h"
#include "shared/list_form_layout.h"

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

enum class Bar { None, Suite, Own };

// How the window is made and the control placed; each case changes a field or two.
struct Arrangement {
  bool mid = false;
  Bar toolbar = Bar::None;
  bool smallToolbar = false;
  int statusBar = 0;  // pixels high
  bool combo = false;
  bool inFrame = false;  // placed with LayoutSub inside a 300 x 200 frame
  int twipsPerPixel = 15;
  int wordTwip = 180;
  QSize window{600, 400};
  bool scanned = true;  // InitFormResize ran
};

// A control of 60 x 30 pixels at (5, 5) on a window of 600 x 400 pixels (9000 x
// 6000 twips at 15 twips a pixel).
struct LayoutCase {
  const char* name;
  Words minW, minH, left, right, top, bottom;
  QRect expected;
  Arrangement setup = {};
};

TEST(ClsLayoutTest, PlacesControlsAsTheWorkedExamplesSay) {
  const LayoutCase cases[] = {
      {"stretched under the toolbar", 10, 4, 1, 1, 1, 1, {12, 38, 576, 350}, {.toolbar = Bar::Suite}},
      {"small toolbar", 10, 4, 1, 1, 1, 1, {12, 39, 576, 349}, {.toolbar = Bar::Suite, .smallToolbar = true}},
      {"toolbar of our own", 10, 4, 1, 1, 1, 1, {12, 38, 576, 350}, {.toolbar = Bar::Own}},
      {"denser screen", 10, 4, 1, 1, 1, 1, {15, 59, 570, 326}, {.toolbar = Bar::Suite, .twipsPerPixel = 12}},
      {"journal grid on the left half", 10, 4, 0, kNull, 4, 0, {0, 74, 300, 326}, {.mid = true, .toolbar = Bar::Suite}},
      {"statement grid on the right half", 10, 4, kNull, 0, 4, 0, {300, 74, 300, 326},
       {.mid = true, .toolbar = Bar::Suite}},
      {"no side keeps its place", 10, kNull, kNull, kNull, kNull, kNull, {5, 5, 60, 30}},
      {"centred", 10, kNull, kNull, kNull, kNull, kNull, {240, 5, 120, 30}, {.mid = true}},
      {"own size when no minimum", kNull, kNull, kNull, 1, kNull, 0.5, {528, 364, 60, 30}},
      {"status bar cuts it short", 10, 4, 0, 0, 1, 0, {0, 38, 600, 342}, {.toolbar = Bar::Suite, .statusBar = 20}},
      {"combo follows only the top", 10, 4, kNull, kNull, 1, 1, {5, 38, 60, 22},
       {.toolbar = Bar::Suite, .combo = true}},
      {"combo is stretched across", 10, 4, 1, 1, kNull, kNull, {12, 5, 576, 22}, {.combo = true}},
      {"larger words", 2, kNull, 1, kNull, kNull, kNull, {24, 5, 48, 30}, {.wordTwip = 360}},
      {"window narrower than its margins", 10, 4, 1, 1, 1, 1, {12, 12, 0, 0}, {.window = {20, 20}}},
      {"before any scan the window is empty", 10, 2, kNull, 1, kNull, kNull, {-132, 5, 120, 30}, {.scanned = false}},
      {"frame: never shrunk, no toolbar", 2, 1, 1, kNull, 1, kNull, {12, 12, 60, 30},
       {.toolbar = Bar::Suite, .inFrame = true}},
      {"frame: bottom right", 10, kNull, kNull, 0, kNull, 0, {180, 170, 120, 30}, {.inFrame = true}},
      {"frame: stretched", 2, 2, 1, 1, 1, 1, {12, 12, 276, 176}, {.inFrame = true}},
  };
  for (const LayoutCase& c : cases) {
    const Arrangement& s = c.setup;
    QWidget window;
    window.resize(s.window);
    auto* frame = new QWidget(&window);
    frame->setGeometry(0, 0, 300, 200);
    QWidget* parent = s.inFrame ? frame : &window;
    QWidget* control = s.combo ? new QComboBox(parent) : new QWidget(parent);
    control->setGeometry(5, 5, 60, s.combo ? 22 : 30);
    if (s.toolbar == Bar::Suite) new QToolBar(&window);
    if (s.toolbar == Bar::Own) new ReportToolbarHost(&window);
    if (s.statusBar > 0) (new QStatusBar(&window))->setGeometry(0, 400 - s.statusBar, 600, s.statusBar);
    clsLayout layout(s.twipsPerPixel);
    layout.SetWordTwip(s.wordTwip);
    if (s.scanned) layout.InitFormResize(&window, 40, 8, s.smallToolbar);
    if (s.inFrame) {
      layout.LayoutSub(frame, control, c.minW, c.minH, c.left, c.right, c.top, c.bottom, s.mid);
    } else {
      layout.Layout(control, c.minW, c.minH, c.left, c.right, c.top, c.bottom, s.mid);
    }
    EXPECT_EQ(control->geometry(), c.expected) << c.name;
  }
}

TEST(ClsLayoutTest, InitFormResizeStretchesTheToolbarHostAndForgetsTheLastWindow) {
  QWidget withBars, plain;
  withBars.resize(600, 400);
  auto* host = new QWidget(&withBars);
  host->setObjectName("CTBCtrl1");
  new QToolBar(host);
  new QStatusBar(&withBars);
  clsLayout layout;
  layout.InitFormResize(&withBars, 0, 0);
  EXPECT_EQ(host->width(), 600);
  EXPECT_TRUE(layout.HasStatusBar());
  layout.InitFormResize(&plain, 0, 0);
  EXPECT_FALSE(layout.HasStatusBar());
  EXPECT_EQ(layout.ToolBarHeight(), 0);
}

// Twips are whole; a half goes to the even neighbour, as the suite's own layout rounds.
TEST(ClsLayoutTest, RoundHalfEvenAndTwipWordByFontAndScreen) {
  const std::pair<double, int> halves[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {2.5001, 3}, {1e12, INT_MAX}};
  for (const auto& [value, rounded] : halves) EXPECT_EQ(RoundHalfEven(value), rounded) << value;
  struct Case { int twipsPerPixel; int words; std::optional<double> font; std::optional<int> twips; };
  const Case cases[] = {
      {15, 2, kNull, 360}, {15, 2, 11, 450},  {15, 2, 13, 0},        {12, 1, kNull, 180},
      {12, 1, 20, 408},    {15, -2, kNull, -360}, {15, INT_MAX, 9, kNull},  // too large for 32 bits
  };
  for (const Case& c : cases) {
    EXPECT_EQ(clsLayout(c.twipsPerPixel).TwipWord(c.words, c.font), c.twips) << c.twipsPerPixel << " " << c.words;
  }
}

// A list window (500 pixels high) with its toolbar host, the three query combos,
// two bands and a header.
struct ListWindow {
  std::unique_ptr<QWidget> window = std::make_unique<QWidget>();

  explicit ListWindow(int width) {
    window->resize(width, 500);
    Add("CTBCtrl1", QRect(0, 0, 100, 20));
    Add("cbostyle", QRect(0, 100, 120, 20))->hide();  // 1800 twips
    Add("CombOut", QRect(0, 100, 100, 20))->hide();   // 1500 twips
    Add("cboQueryType", QRect(0, 100, 80, 20));       // 1200 twips
    Add("Picture2", QRect(0, 100, 900, 40));
    Add("Picture3", QRect(0, 50, 900, 30));
    Add("Header", QRect(0, 300, 900, 20));
  }
  QWidget* Add(const char* name, const QRect& geometry) {
    auto* w = new QWidget(window.get());
    w->setObjectName(name);
    w->setGeometry(geometry);
    return w;
  }
  QWidget* Get(const char* name) const { return window->findChild<QWidget*>(name); }
};

// Each combo moves to the right end (width - its width - 160 twips) only while
// 6800 twips stay free for the toolbar; cboQueryType goes left of cbostyle. The
// upper band goes under the toolbar (19 pixels) and the header under that band.
TEST(LayoutListFormTest, CombosBandsAndHeadersFollowTheToolbar) {
  struct Case { int width; const char* language; int styleX, outX, queryX, styleWidth, picture2Top, headerTop; };
  const Case cases[] = {
      {900, "", 769, 789, 689, 120, 100, 19 + 30},
      {500, "", 0, 0, 0, 120, 40, 19 + 40},      // 7500 - 1800 - 160 < 6800; Picture2 the upper band
      {570, "", 0, 459, 0, 120, 50, 19 + 30},    // room for the narrower output combo only; a tie goes to Picture3
      {900, "en-US", 769, 789, 689, 160, 100, 19 + 30},  // widened after it was placed
  };
  for (const Case& c : cases) {
    ListWindow w(c.width);
    w.Get("Picture2")->move(0, c.picture2Top);
    LayoutListForm(w.window.get(), QString::fromLatin1(c.language));
    SCOPED_TRACE(c.width);
    EXPECT_EQ(w.Get("CTBCtrl1")->width(), c.width);
    EXPECT_EQ(w.Get("cbostyle")->geometry(), QRect(c.styleX, 19, c.styleWidth, 20));
    EXPECT_EQ(w.Get("CombOut")->pos(), QPoint(c.outX, 19));
    EXPECT_EQ(w.Get("cboQueryType")->pos(), QPoint(c.queryX, 19));
    EXPECT_FALSE(w.Get("cbostyle")->isHidden() || w.Get("CombOut")->isHidden());
    EXPECT_EQ(w.Get(c.picture2Top < 50 ? "Picture2" : "Picture3")->y(), 19);
    EXPECT_EQ(w.Get("Header")->y(), c.headerTop);
  }
}

}  // namespace
}  // namespace corvane::shared

#include "cls_layout_test.moc"
