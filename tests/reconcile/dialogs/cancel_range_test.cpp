#include "recon_fixture.h"

#include "reconcile/frm_yh_un_auto.h"

#include <QComboBox>
#include <QPushButton>

namespace corvane::testing {
namespace {

using reconcile::frmYHDZ;
using reconcile::frmYhUnAuto;
using reconcile::ShowCancelRange;

void Click(QDialog& d, const char* button) { Child<QPushButton>(d, QString::fromLatin1(button))->click(); }

// A range the window holds from an earlier cancel.
void Earlier(frmYHDZ& w) {
  w.ExecAuto = true;
  w.UnAutoMonth = 7;
  w.iCancelType = 2;
}

using CancelRangeTest = ReconTest;

TEST_F(CancelRangeTest, OkHandsThePeriodAndTheKindToTheWindow) {
  struct Case { int periodIndex, kindIndex; int month, type; };
  // -1: left as the dialog loads it.
  const Case cases[] = {{-1, -1, 1, 1}, {2, 2, 3, 3}, {11, 1, 12, 2}, {0, 2, 1, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.periodIndex);
    frmYHDZ& w = Window();
    Earlier(w);
    modals.Then([&](QDialog& d) {
      if (c.periodIndex >= 0) Child<QComboBox>(d, QStringLiteral("Combo1"))->setCurrentIndex(c.periodIndex);
      if (c.kindIndex >= 0) Child<QComboBox>(d, QStringLiteral("Combo2"))->setCurrentIndex(c.kindIndex);
      Click(d, "Command1");
    });
    EXPECT_TRUE(ShowCancelRange(w));
    EXPECT_TRUE(w.ExecAuto);
    EXPECT_EQ(w.UnAutoMonth, c.month);
    EXPECT_EQ(w.iCancelType, c.type);
  }
}

TEST_F(CancelRangeTest, ListsThePeriodsAndTheThreeKindsStartingAtTheFirst) {
  frmYHDZ& w = Window();
  frmYhUnAuto dialog(w);
  EXPECT_EQ(dialog.windowTitle(), "银行反对账范围");
  EXPECT_EQ(common->periodCalls, std::vector<QString>{QStringLiteral("Fill:Combo1")});
  QComboBox* periods = Child<QComboBox>(dialog, QStringLiteral("Combo1"));
  ASSERT_EQ(periods->count(), 12);
  // The calendar's list selects the current period; the dialog starts at the first.
  EXPECT_EQ(periods->currentIndex(), 0);
  QComboBox* kinds = Child<QComboBox>(dialog, QStringLiteral("Combo2"));
  ASSERT_EQ(kinds->count(), 3);
  EXPECT_EQ(kinds->itemText(0), "Q9.GL.ZWSQL.CASHBANK.00846");
  EXPECT_EQ(kinds->itemText(1), "Q9.GL.ZWSQL.CASHBANK.00847");
  EXPECT_EQ(kinds->itemText(2), "Q9.GL.ZWSQL.CASHBANK.00848");
  EXPECT_EQ(kinds->currentIndex(), 0);
}

TEST_F(CancelRangeTest, AnyWayOutButOkCancelsNothing) {
  const std::function<void(QDialog&)> ways[] = {
      [](QDialog& d) {
        Child<QComboBox>(d, QStringLiteral("Combo1"))->setCurrentIndex(4);
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
    EXPECT_FALSE(w.ExecAuto);
    EXPECT_EQ(w.UnAutoMonth, 7);
    EXPECT_EQ(w.iCancelType, 2);
  }
}

TEST_F(CancelRangeTest, TheCloseBoxIsCancelEvenWithoutTheCallersReset) {
  frmYHDZ& w = Window();
  Earlier(w);
  frmYhUnAuto dialog(w, &w);
  dialog.show();
  dialog.close();
  EXPECT_FALSE(w.ExecAuto);
  EXPECT_EQ(w.UnAutoMonth, 7);
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
  EXPECT_EQ(w.UnAutoMonth, 7);
  EXPECT_EQ(w.iCancelType, 2);
  ASSERT_EQ(messages.Count(), 1);
  EXPECT_EQ(messages.LastPrompt(), "corvane.recon.noperiod");
}

}  // namespace
}  // namespace corvane::testing
