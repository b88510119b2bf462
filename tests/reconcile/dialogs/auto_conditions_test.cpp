#include "recon_fixture.h"

#include "reconcile/frm_yhdz_auto.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace corvane::testing {
namespace {

using reconcile::frmYHDZ;
using reconcile::ShowAutoConditions;

// What the user types and ticks in the dialog.
struct Typed {
  const char* cutOff;
  const char* days;
  bool dateWindow = true, sameStyle = true, sameNumber = true;
};

void Fill(QDialog& d, const Typed& t) {
  Child<QLineEdit>(d, "Text1")->setText(QString::fromLatin1(t.cutOff));
  Child<QLineEdit>(d, "Text2")->setText(QString::fromLatin1(t.days));
  Child<QCheckBox>(d, "Check1")->setChecked(t.dateWindow);
  Child<QCheckBox>(d, "Check2")->setChecked(t.sameStyle);
  Child<QCheckBox>(d, "Check3")->setChecked(t.sameNumber);
}

void Click(QDialog& d, const char* button) { Child<QPushButton>(d, button)->click(); }

// The window holds the conditions of an earlier run; a way out other than OK
// must leave them as they were and the matching off.
void Earlier(frmYHDZ& w) {
  w.ExecAuto = true;
  w.AutoEndDate = QStringLiteral("2025.12.31");
  w.DateLimit = 99;
  w.chkDate = w.ChkCn_m = w.ChkCn_id = false;
}

void ExpectEarlierAndOff(const frmYHDZ& w) {
  EXPECT_FALSE(w.ExecAuto);
  EXPECT_EQ(w.AutoEndDate, "2025.12.31");
  EXPECT_EQ(w.DateLimit, 99);
  EXPECT_FALSE(w.chkDate || w.ChkCn_m || w.ChkCn_id);
}

using AutoConditionsTest = ReconTest;

TEST_F(AutoConditionsTest, OkHandsTheConditionsToTheWindow) {
  const std::tuple<Typed, const char*, int> cases[] = {
      // typed, the cut-off and the day limit the window gets
      {{"", "12"}, "", 12},
      {{" 2026-3-5 ", "12"}, "2026.03.05", 12},
      {{"   ", "12"}, "", 12},
      {{"", "30", false}, "", 30},  // the window off keeps its days
      {{"", "3.5"}, "", 4},
      {{"", "12", true, false, false}, "", 12},
  };
  for (const auto& [typed, endDate, days] : cases) {
    SCOPED_TRACE(::testing::Message() << typed.cutOff << "/" << typed.days);
    frmYHDZ& w = Window();
    Earlier(w);
    modals.Then([&](QDialog& d) {
      Fill(d, typed);
      Click(d, "Command1");
    });
    EXPECT_TRUE(ShowAutoConditions(w));
    EXPECT_TRUE(w.ExecAuto);
    EXPECT_EQ(w.AutoEndDate, QString::fromLatin1(endDate));
    EXPECT_EQ(w.DateLimit, days);
    EXPECT_EQ(w.chkDate, typed.dateWindow);
    EXPECT_EQ(w.ChkCn_m, typed.sameStyle);
    EXPECT_EQ(w.ChkCn_id, typed.sameNumber);
  }
  EXPECT_EQ(messages.Count(), 0);
}

TEST_F(AutoConditionsTest, ABadDateOrDayCountIsSaidAndKeepsTheDialogOpen) {
  const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
      // cut-off, days, message, the box that gets the focus
      {"2026.02.30", "12", "Q9.GL.ZWSQL.CASHBANK.00096", "Text1"},
      {"", "-1", "corvane.recon.daylimit|32767", "Text2"},
      {"", "32768", "corvane.recon.daylimit|32767", "Text2"},
      {"", "99999999999999999999", "corvane.recon.daylimit|32767", "Text2"},
      {"", "abc", "corvane.recon.daylimit|32767", "Text2"},
      {"", "1o", "corvane.recon.daylimit|32767", "Text2"},
  };
  for (const auto& [cutOff, days, message, focus] : cases) {
    SCOPED_TRACE(::testing::Message() << cutOff << "/" << days);
    frmYHDZ& w = Window();
    Earlier(w);
    messages.Clear();
    bool stayedOpen = false;
    QString focused;
    modals.Then([&](QDialog& d) {
      d.activateWindow();
      Fill(d, {cutOff, days});
      Click(d, "Command1");
      stayedOpen = d.isVisible();
      if (QWidget* f = d.focusWidget()) focused = f->objectName();
    });
    EXPECT_FALSE(ShowAutoConditions(w));  // the step ends with it open: closed as the close box would
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(focused, QString::fromLatin1(focus));
    ExpectEarlierAndOff(w);
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(messages.LastPrompt(), QString::fromLatin1(message));
  }
}

TEST_F(AutoConditionsTest, AnyWayOutButOkLeavesTheMatchingOff) {
  const std::function<void(QDialog&)> ways[] = {
      [](QDialog& d) { Click(d, "Command2"); },
      [](QDialog& d) { d.close(); },  // the close box
      [](QDialog& d) {  // a refused date first, then Cancel
        Child<QLineEdit>(d, "Text1")->setText(QStringLiteral("x"));
        Click(d, "Command1");
        Click(d, "Command2");
      },
  };
  for (const auto& way : ways) {
    frmYHDZ& w = Window();
    Earlier(w);
    modals.Then(way);
    EXPECT_FALSE(ShowAutoConditions(w));
    ExpectEarlierAndOff(w);
  }
  // The dialog's own close box turns the matching off, whoever showed it.
  frmYHDZ& w = Window();
  Earlier(w);
  reconcile::frmYHDZAuto dialog(w, &w);
  dialog.show();
  dialog.close();
  ExpectEarlierAndOff(w);
}

TEST(DayCount, NumbersOnlyRoundedHalfToEvenWithinTheRange) {
  const std::pair<const char*, std::optional<int>> cases[] = {
      {" 12 ", 12}, {"7x", std::nullopt}, {"abc", std::nullopt}, {"1 2", std::nullopt}, {"", 0}, {"+5", 5},
      {"2.5", 2},   {"3.5", 4},      {"-0.4", 0},     {".9", 1},        {"32767", 32767},
      {"32767.5", std::nullopt}, {"32768", std::nullopt}, {"-1", std::nullopt}, {"-0.6", std::nullopt},
  };
  for (const auto& [text, days] : cases) EXPECT_EQ(reconcile::ParseDayCount(QString::fromLatin1(text)), days) << text;
}

}  // namespace
}  // namespace corvane::testing
