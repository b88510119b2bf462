#include "shared/layout_helper.h"

#include <QLabel>
#include <QToolBar>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace corvane::shared {
namespace {

constexpr auto kNull = std::nullopt;

// The reconciliation window's arrangement: a toolbar, the journal grid on the left
// half and the statement grid on the right half of the working area.
struct ReconciliationWindow {
  std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
  QWidget* journal = new QWidget(window.get());
  QWidget* statement = new QWidget(window.get());

  ReconciliationWindow() {
    window->resize(600, 400);
    auto* host = new QWidget(window.get());
    host->setObjectName("CTBCtrl1");
    new QToolBar(host);
  }
};

TEST(LayoutHelperTest, GridsTakeTheTwoHalvesBelowTheToolbar) {
  ReconciliationWindow w;
  LayoutHelper helper;
  helper.PrepareForm(w.window.get(), 40, 8);
  helper.FitControl(w.journal, 10, 4, 0, kNull, 4, 0, true);
  helper.FitControl(w.statement, 10, 4, kNull, 0, 4, 0, true);
  // Top 4 words + 387 twips of toolbar = 1107 twips; down to the bottom edge.
  EXPECT_EQ(w.journal->geometry(), QRect(0, 74, 300, 326));
  EXPECT_EQ(w.statement->geometry(), QRect(300, 74, 300, 326));
}

TEST(LayoutHelperTest, ServesTheSameArithmeticAsTheWordLayout) {
  ReconciliationWindow w;
  LayoutHelper helper;
  clsLayout layout;
  QWidget* twin = new QWidget(w.window.get());
  helper.PrepareForm(w.window.get(), 30, 15);
  layout.InitFormResize(w.window.get(), 30, 15);
  struct Call { Words minW, minH, left, right, top, bottom; bool mid; };
  const Call calls[] = {{10, 6.7, 0, 0, 4, kNull, false},   {30, 2, kNull, kNull, 1, kNull, true},
                        {7, 1, kNull, 1, 2.5, kNull, false}, {10, 2, 0, 0, 10.5, 0.2, false},
                        {10, 1.75, 0, 0, kNull, 0, false}};
  for (const Call& c : calls) {
    helper.PlaceLabel(w.journal, c.minW, c.minH, c.left, c.right, c.top, c.bottom, c.mid);
    layout.Layout(twin, c.minW, c.minH, c.left, c.right, c.top, c.bottom, c.mid);
    EXPECT_EQ(w.journal->geometry(), twin->geometry());
    helper.FitControl(w.statement, c.minW, c.minH, c.left, c.right, c.top, c.bottom, c.mid, true);
    EXPECT_EQ(w.statement->geometry(), twin->geometry());
  }
}

TEST(LayoutHelperTest, TitleStepFollowsTheWordSize) {
  LayoutHelper helper;
  EXPECT_EQ(helper.GetTitleHeight(), 180);
  helper.Layout().SetWordTwip(200);
  EXPECT_EQ(helper.GetTitleHeight(), 200);
}

}  // namespace
}  // namespace corvane::shared
