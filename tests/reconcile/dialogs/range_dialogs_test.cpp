// The matching-conditions dialog and the cancel-range dialog: what OK hands to
// the window, what each refuses, and that every other way out changes nothing;
// and what closing the window gives back.
#include "recon_fixture.h"

#include "fake_session.h"
#include "shared/session.h"

#include "reconcile/frm_yh_un_auto.h"
#include "reconcile/frm_yhdz_auto.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <stdexcept>

namespace corvane::testing {
namespace {

using reconcile::frmYHDZ;
using Step = std::function<void(QDialog&)>;

void Click(QDialog& d, const char* button) { Child<QPushButton>(d, button)->click(); }
void Type(QDialog& d, const char* box, const char* text) { Child<QLineEdit>(d, box)->setText(QString::fromLatin1(text)); }
void Pick(QDialog& d, const char* box, int index) { Child<QComboBox>(d, box)->setCurrentIndex(index); }

// What the window holds from earlier runs and cancels; a way out other than OK
// must leave it and turn the command off.
void Earlier(frmYHDZ& w) {
  w.ExecAuto = true;
  w.AutoEndDate = QStringLiteral("2025.12.31");
  w.DateLimit = 99;
  w.chkDate = w.ChkCn_m = w.ChkCn_id = false;
  w.UnAutoMonth = 7;
  w.iCancelType = 2;
}

void ExpectEarlierAndOff(const frmYHDZ& w) {
  EXPECT_FALSE(w.ExecAuto);
  EXPECT_EQ(w.AutoEndDate, "2025.12.31");
  EXPECT_EQ(w.DateLimit, 99);
  EXPECT_FALSE(w.chkDate || w.ChkCn_m || w.ChkCn_id);
  EXPECT_EQ(w.UnAutoMonth, 7);
  EXPECT_EQ(w.iCancelType, 2);
}

using RangeDialogsTest = ReconTest;

TEST_F(RangeDialogsTest, OkHandsTheConditionsToTheWindow) {
  struct Case { const char* cutOff; const char* days; bool window, style, number; const char* endDate; int limit; };
  const Case cases[] = {
      {"", "12", true, true, true, "", 12},
      {" 2026-3-5 ", "12", true, true, true, "2026.03.05", 12},
      {"   ", "12", true, true, true, "", 12},
      {"", "30", false, true, true, "", 30},  // the window off keeps its days
      {"", "3.5", true, true, true, "", 4},
      {"", "12", true, false, false, "", 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.cutOff << "/" << c.days);
    frmYHDZ& w = Window();
    Earlier(w);
    modals.Then([&](QDialog& d) {
      const QLabel* image = Child<QLabel>(d, "Image1");  // the decoration picture
      EXPECT_TRUE(image && !image->pixmap().isNull());
      Type(d, "Text1", c.cutOff);
      Type(d, "Text2", c.days);
      Child<QCheckBox>(d, "Check1")->setChecked(c.window);
      Child<QCheckBox>(d, "Check2")->setChecked(c.style);
      Child<QCheckBox>(d, "Check3")->setChecked(c.number);
      Click(d, "Command1");
    });
    EXPECT_TRUE(reconcile::ShowAutoConditions(w));
    EXPECT_TRUE(w.ExecAuto);
    EXPECT_EQ(w.AutoEndDate, QString::fromLatin1(c.endDate));
    EXPECT_EQ(w.DateLimit, c.limit);
    EXPECT_EQ(std::vector<bool>({w.chkDate, w.ChkCn_m, w.ChkCn_id}), std::vector<bool>({c.window, c.style, c.number}));
  }
  EXPECT_EQ(messages.Count(), 0);
}

TEST_F(RangeDialogsTest, OkHandsThePeriodAndTheKindToTheWindow) {
  // -1: left as the dialog loads it, at the first period (not the current one) and the first kind.
  struct Case { int periodIndex, kindIndex; int month, type; };
  for (const Case& c : {Case{-1, -1, 1, 1}, Case{2, 2, 3, 3}, Case{11, 1, 12, 2}}) {
    SCOPED_TRACE(c.periodIndex);
    frmYHDZ& w = Window();
    Earlier(w);
    modals.Then([&](QDialog& d) {
      if (c.periodIndex >= 0) Pick(d, "Combo1", c.periodIndex);
      if (c.kindIndex >= 0) Pick(d, "Combo2", c.kindIndex);
      Click(d, "Command1");
    });
    EXPECT_TRUE(reconcile::ShowCancelRange(w));
    EXPECT_TRUE(w.ExecAuto);
    EXPECT_EQ(w.UnAutoMonth, c.month);
    EXPECT_EQ(w.iCancelType, c.type);
  }
}

// What OK cannot use gets the focus back and keeps the dialog open, said in a
// message that names the text and the form to type; closed then as the close box
// would, the dialog changes nothing.
TEST_F(RangeDialogsTest, BadInputIsSaidAndKeepsTheDialogOpen) {
  struct Case { bool cancelRange; const char* cutOff; const char* days; const char* message; const char* focus; };
  const Case cases[] = {
      {false, "2026.02.30", "12", "corvane.read.date|2026.02.30", "Text1"},
      {false, "2026.13.01", "12", "corvane.read.date|2026.13.01", "Text1"},
      {false, "", "-1", "corvane.recon.daylimit|32767", "Text2"},
      {false, "", "32768", "corvane.recon.daylimit|32767", "Text2"},
      {false, "", "99999999999999999999", "corvane.recon.daylimit|32767", "Text2"},
      {false, "", "abc", "corvane.read.number|abc", "Text2"},
      {false, "", "1o", "corvane.read.number|1o", "Text2"},
      {true, nullptr, nullptr, "corvane.recon.noperiod", "Combo1"},  // a calendar without periods
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message ? c.message : c.cutOff);
    common->noPeriods = c.cancelRange;
    frmYHDZ& w = Window();
    Earlier(w);
    messages.Clear();
    bool stayedOpen = false;
    QString focused;
    modals.Then([&](QDialog& d) {
      d.activateWindow();
      if (!c.cancelRange) {
        Type(d, "Text1", c.cutOff);
        Type(d, "Text2", c.days);
      }
      Child<QPushButton>(d, "Command1")->setFocus();  // as a mouse click moves it
      Click(d, "Command1");
      stayedOpen = d.isVisible();
      if (QWidget* f = d.focusWidget()) focused = f->objectName();
    });
    EXPECT_FALSE(c.cancelRange ? reconcile::ShowCancelRange(w) : reconcile::ShowAutoConditions(w));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(focused, QString::fromLatin1(c.focus));
    ExpectEarlierAndOff(w);
    if (!c.message) {
      EXPECT_EQ(messages.Count(), 0);
      continue;
    }
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(messages.LastPrompt(), QString::fromLatin1(c.message));
  }
}

TEST_F(RangeDialogsTest, AnyWayOutButOkChangesNothing) {
  const std::pair<const char*, Step> ways[] = {
      {"Cancel", [](QDialog& d) { Click(d, "Command2"); }},
      {"the close box", [](QDialog& d) { d.close(); }},
      {"left open", [](QDialog&) {}},  // closed as the close box would
      {"changed, then Cancel", [](QDialog& d) {
         if (d.findChild<QLineEdit*>(QStringLiteral("Text1"))) {
           Type(d, "Text1", "x");
           Click(d, "Command1");  // refused
         } else {
           Pick(d, "Combo1", 4);
         }
         Click(d, "Command2");
       }},
  };
  for (const bool cancelRange : {false, true}) {
    for (const auto& [name, way] : ways) {
      SCOPED_TRACE(::testing::Message() << name << (cancelRange ? " (cancel range)" : " (conditions)"));
      frmYHDZ& w = Window();
      Earlier(w);
      modals.Then(way);
      EXPECT_FALSE(cancelRange ? reconcile::ShowCancelRange(w) : reconcile::ShowAutoConditions(w));
      ExpectEarlierAndOff(w);
    }
    // The dialog's own close box turns the command off, whoever showed it.
    frmYHDZ& w = Window();
    Earlier(w);
    std::unique_ptr<QDialog> dialog;
    if (cancelRange) dialog = std::make_unique<reconcile::frmYhUnAuto>(w, &w);
    else dialog = std::make_unique<reconcile::frmYHDZAuto>(w, &w);
    dialog->show();
    dialog->close();
    ExpectEarlierAndOff(w);
  }
}

TEST(DayCount, NumbersOnlyRoundedHalfToEvenWithinTheRange) {
  const std::pair<const char*, std::optional<int>> cases[] = {
      {" 12 ", 12}, {"7x", std::nullopt}, {"abc", std::nullopt}, {"1 2", std::nullopt}, {"", 0}, {"+5", 5},
      {"2.5", 2},   {"3.5", 4},      {"-0.4", 0},     {".9", 1},        {"32767", 32767},
      {"32767.5", std::nullopt}, {"32768", std::nullopt}, {"-1", std::nullopt}, {"-0.6", std::nullopt},
  };
  for (const auto& [text, days] : cases) EXPECT_EQ(reconcile::ParseDayCount(QString::fromLatin1(text)), days) << text;
}

// Common services whose account lock can fail to be given back.
class UnlockFailingServices : public ReconCommonServices {
 public:
  bool unlockThrows = false;
  std::vector<QString> locks;  // "<code>:<1|0>"
  bool LockAccount(const QString& code, bool lock, const QString&) override {
    locks.push_back(QStringLiteral("%1:%2").arg(code).arg(lock ? 1 : 0));
    if (!lock && unlockThrows) throw std::runtime_error("lock service gone");
    return true;
  }
};

// Closing the window gives back the account lock and the function claim, each
// on its own: a lock that cannot be given back never keeps the function claimed.
TEST(ReconWindowClose, GivesBackLockAndClaimEachOnItsOwn) {
  for (const bool unlockThrows : {false, true}) {
    SCOPED_TRACE(unlockThrows);
    auto [common, cash] = InstallFakeServices<UnlockFailingServices, ReconCashServices>();
    FakeLoginContext login;
    shared::Session::Current().gLogin = &login;
    common->unlockThrows = unlockThrows;
    auto* w = new frmYHDZ;  // deletes itself on close
    w->SetHeld(QStringLiteral("GL040703"), QStringLiteral("100201"));
    w->close();
    EXPECT_EQ(common->locks, std::vector<QString>{QStringLiteral("100201:0")});
    EXPECT_EQ(login.calls, std::vector<QString>{QStringLiteral("ClaimTask:GL040703:0")});
    shared::Session::Current().gLogin = nullptr;
    RemoveFakeServices();
  }
}

}  // namespace
}  // namespace corvane::testing
