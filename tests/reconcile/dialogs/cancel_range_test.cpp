#include "recon_fixture.h"

#include "reconcile/frm_yh_un_auto.h"

#include <QPushButton>

namespace corvane::testing {
namespace {

using reconcile::frmYHDZ;
using reconcile::ShowCancelRange;

void Click(QDialog& d, const char* button) { Child<QPushButton>(d, button)->click(); }

// A range the window holds from an earlier cancel; a way out other than OK must
// leave it and cancel nothing.
void Earlier(frmYHDZ& w) {
  w.ExecAuto = true;
  w.UnAutoMonth = 7;
  w.iCancelType = 2;
}

void ExpectEarlierAndOff(const frmYHDZ& w) {
  EXPECT_FALSE(w.ExecAuto);
  EXPECT_EQ(w.UnAutoMonth, 7);
  EXPECT_EQ(w.iCancelType, 2);
}

using CancelRangeTest = ReconTest;

TEST_F(CancelRangeTest, OkHandsThePeriodAndTheKindToTheWindow) {
  struct Case { int periodIndex, kindIndex; int month, type; };
  // -1: left as the dialog loads it, at the first period (not the current one) and the first kind.
  const Case cases[] = {{-1, -1, 1, 1}, {2, 2, 3, 3}, {11, 1, 12, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.periodIndex);
    frmYHDZ& w = Window();
    Earlier(w);
    modals.Then([&](QDialog& d) {
      if (c.periodIndex >= 0) Child<QComboBox>(d, "Combo1")->setCurrentIndex(c.periodIndex);
      if (c.kindIndex >= 0) Child<QComboBox>(d, "Combo2")->setCurrentIndex(c.kindIndex);
      Click(d, "Command1");
    });
    EXPECT_TRUE(ShowCancelRange(w));
    EXPECT_TRUE(w.ExecAuto);
    EXPECT_EQ(w.UnAutoMonth, c.month);
    EXPECT_EQ(w.iCancelType, c.type);
  }
}

TEST_F(CancelRangeTest, AnyWayOutButOkCancelsNothing) {
  const std::function<void(QDialog&)> ways[] = {
      [](QDialog& d) {
        Child<QComboBox>(d, "Combo1")->setCurrentIndex(4);
        Click(d, "Command2");
      },
      [](QDialog& d) { d.close(); },  // the close box
      [](QDialog&) {},                // left open: closed as the close box would
  };
  for (const auto& way : ways) {
    frmYHDZ& w = Window();
    Earlier(w);
    modals.Then(way);
    EXPECT_FALSE(ShowCancelRange(w));
    ExpectEarlierAndOff(w);
  }
  // The dialog's own close box cancels, whoever showed it.
  frmYHDZ& w = Window();
  Earlier(w);
  reconcile::frmYhUnAuto dialog(w, &w);
  dialog.show();
  dialog.close();
  ExpectEarlierAndOff(w);
}

TEST_F(CancelRangeTest, WithoutAPeriodOkIsRefused) {
  common->noPeriods = true;
  frmYHDZ& w = Window();
  Earlier(w);
  bool stayedOpen = false;
  modals.Then([&](QDialog& d) {
    Click(d, "Command1");
    stayedOpen = d.isVisible();
  });
  EXPECT_FALSE(ShowCancelRange(w));
  EXPECT_TRUE(stayedOpen);
  ExpectEarlierAndOff(w);
  ASSERT_EQ(messages.Count(), 1);
  EXPECT_EQ(messages.LastPrompt(), "corvane.recon.noperiod");
}

}  // namespace
}  // namespace corvane::testing
