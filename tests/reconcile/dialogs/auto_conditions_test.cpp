#include "recon_fixture.h"

#include "platform/controls/date_picker.h"
#include "reconcile/frm_yhdz_auto.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace corvane::testing {
namespace {

using reconcile::frmYHDZ;
using reconcile::frmYHDZAuto;
using reconcile::ParseDayCount;
using reconcile::ShowAutoConditions;

// What the user does in the dialog; cases change one or two fields.
struct Typed {
  QString cutOff;
  QString days = QStringLiteral("12");
  bool dateWindow = true;
  bool sameStyle = true;
  bool sameNumber = true;
};

void Fill(QDialog& d, const Typed& t) {
  Child<QLineEdit>(d, QStringLiteral("Text1"))->setText(t.cutOff);
  Child<QLineEdit>(d, QStringLiteral("Text2"))->setText(t.days);
  Child<QCheckBox>(d, QStringLiteral("Check1"))->setChecked(t.dateWindow);
  Child<QCheckBox>(d, QStringLiteral("Check2"))->setChecked(t.sameStyle);
  Child<QCheckBox>(d, QStringLiteral("Check3"))->setChecked(t.sameNumber);
}

void Click(QDialog& d, const char* button) { Child<QPushButton>(d, QString::fromLatin1(button))->click(); }

// Conditions the window holds from an earlier run.
void Earlier(frmYHDZ& w) {
  w.ExecAuto = true;
  w.AutoEndDate = QStringLiteral("2025.12.31");
  w.DateLimit = 99;
  w.chkDate = false;
  w.ChkCn_m = false;
  w.ChkCn_id = false;
}

void ExpectEarlierConditions(const frmYHDZ& w) {
  EXPECT_EQ(w.AutoEndDate, "2025.12.31");
  EXPECT_EQ(w.DateLimit, 99);
  EXPECT_FALSE(w.chkDate);
  EXPECT_FALSE(w.ChkCn_m);
  EXPECT_FALSE(w.ChkCn_id);
}

using AutoConditionsTest = ReconTest;

TEST_F(AutoConditionsTest, OkHandsTheConditionsToTheWindow) {
  struct Case {
    const char* name;
    Typed typed;
    const char* endDate;
    int days;
    bool dateWindow, sameStyle, sameNumber;
  };
  auto typed = [](auto change) { Typed t; change(t); return t; };
  const Case cases[] = {
      {"as loaded", Typed(), "", 12, true, true, true},
      {"cut-off in blanks", typed([](Typed& t) { t.cutOff = QStringLiteral(" 2026.3.5 "); }), "2026.03.05", 12,
       true, true, true},
      {"cut-off typed with dashes", typed([](Typed& t) { t.cutOff = QStringLiteral("2026-3-5"); }), "2026.03.05", 12,
       true, true, true},
      {"blank cut-off is none", typed([](Typed& t) { t.cutOff = QStringLiteral("   "); }), "", 12, true, true, true},
      {"window off keeps its days", typed([](Typed& t) { t.dateWindow = false; t.days = QStringLiteral("30"); }), "",
       30, false, true, true},
      {"days from the leading number", typed([](Typed& t) { t.days = QStringLiteral("7x"); }), "", 7, true, true, true},
      {"no number is 0 days", typed([](Typed& t) { t.days = QStringLiteral("abc"); }), "", 0, true, true, true},
      {"half to even down", typed([](Typed& t) { t.days = QStringLiteral("2.5"); }), "", 2, true, true, true},
      {"half to even up", typed([](Typed& t) { t.days = QStringLiteral("3.5"); }), "", 4, true, true, true},
      {"style and number off", typed([](Typed& t) { t.sameStyle = false; t.sameNumber = false; }), "", 12, true, false,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    frmYHDZ& w = Window();
    Earlier(w);
    modals.Then([&](QDialog& d) {
      Fill(d, c.typed);
      Click(d, "Command1");
    });
    EXPECT_TRUE(ShowAutoConditions(w));
    EXPECT_TRUE(w.ExecAuto);
    EXPECT_EQ(w.AutoEndDate, QString::fromLatin1(c.endDate));
    EXPECT_EQ(w.DateLimit, c.days);
    EXPECT_EQ(w.chkDate, c.dateWindow);
    EXPECT_EQ(w.ChkCn_m, c.sameStyle);
    EXPECT_EQ(w.ChkCn_id, c.sameNumber);
  }
  EXPECT_EQ(messages.Count(), 0);
}

TEST_F(AutoConditionsTest, RefusedBoxesWriteNothingAndKeepTheDialogOpen) {
  struct Case {
    const char* name;
    QString cutOff, days;
    const char* messageKey;
    const char* focus;
  };
  const Case cases[] = {
      {"no such day", QStringLiteral("2026.02.30"), QStringLiteral("12"), "Q9.GL.ZWSQL.CASHBANK.00096", "Text1"},
      {"no date at all", QStringLiteral("2026"), QStringLiteral("12"), "Q9.GL.ZWSQL.CASHBANK.00096", "Text1"},
      {"negative days", QString(), QStringLiteral("-1"), "corvane.recon.daylimit|32767", "Text2"},
      {"too many days", QString(), QStringLiteral("32768"), "corvane.recon.daylimit|32767", "Text2"},
      {"beyond any integer", QString(), QStringLiteral("99999999999999999999"), "corvane.recon.daylimit|32767",
       "Text2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    frmYHDZ& w = Window();
    Earlier(w);
    messages.Clear();
    bool stayedOpen = false;
    QString focused;
    modals.Then([&](QDialog& d) {
      d.activateWindow();
      Typed t;
      t.cutOff = c.cutOff;
      t.days = c.days;
      Fill(d, t);
      Click(d, "Command1");
      stayedOpen = d.isVisible();
      if (QWidget* f = d.focusWidget()) focused = f->objectName();
    });
    // The step ends with the dialog still open, so it is closed as the close box would.
    EXPECT_FALSE(ShowAutoConditions(w));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(focused, QString::fromLatin1(c.focus));
    EXPECT_FALSE(w.ExecAuto);
    ExpectEarlierConditions(w);
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(messages.LastPrompt(), QString::fromLatin1(c.messageKey));
  }
}

TEST_F(AutoConditionsTest, AnyWayOutButOkLeavesTheMatchingOff) {
  // The window ran the matching before, so ExecAuto is still true from that OK.
  const std::function<void(QDialog&)> ways[] = {
      [](QDialog& d) { Click(d, "Command2"); },
      [](QDialog& d) { d.close(); },  // the close box
      [](QDialog& d) {
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(&d, &esc);
      },
      [](QDialog& d) {
        // A refused date first, then Cancel.
        Child<QLineEdit>(d, QStringLiteral("Text1"))->setText(QStringLiteral("x"));
        Click(d, "Command1");
        Click(d, "Command2");
      },
  };
  for (const auto& way : ways) {
    frmYHDZ& w = Window();
    Earlier(w);
    modals.Then(way);
    EXPECT_FALSE(ShowAutoConditions(w));
    EXPECT_FALSE(w.ExecAuto);
    ExpectEarlierConditions(w);
  }
}

TEST_F(AutoConditionsTest, TheCloseBoxIsCancelEvenWithoutTheCallersReset) {
  frmYHDZ& w = Window();
  Earlier(w);
  frmYHDZAuto dialog(w, &w);
  dialog.show();
  dialog.close();
  EXPECT_FALSE(w.ExecAuto);
  ExpectEarlierConditions(w);
}

TEST_F(AutoConditionsTest, EveryShowingStartsFromTheDesignedConditions) {
  frmYHDZ& w = Window();
  modals.Then([](QDialog& d) {
    Typed t;
    t.cutOff = QStringLiteral("2026.04.30");
    t.days = QStringLiteral("3");
    t.dateWindow = t.sameStyle = t.sameNumber = false;
    Fill(d, t);
    Click(d, "Command1");
  });
  ASSERT_TRUE(ShowAutoConditions(w));
  modals.Then([](QDialog& d) {
    EXPECT_EQ(Child<QLineEdit>(d, QStringLiteral("Text1"))->text(), "");
    EXPECT_EQ(Child<QLineEdit>(d, QStringLiteral("Text2"))->text(), "12");
    for (const char* box : {"Check1", "Check2", "Check3"})
      EXPECT_TRUE(Child<QCheckBox>(d, QString::fromLatin1(box))->isChecked()) << box;
  });
  ShowAutoConditions(w);
  EXPECT_EQ(modals.Shown(), (std::vector<QString>{QStringLiteral("frmYHDZAuto"), QStringLiteral("frmYHDZAuto")}));
}

TEST_F(AutoConditionsTest, TheAmountRuleNamesTheSidesByTheAccountDirection) {
  for (const bool bankFx : {false, true}) {
    frmYHDZ& w = Window();
    w.BankFx = bankFx;
    frmYHDZAuto dialog(w);
    QCheckBox* rule = Child<QCheckBox>(dialog, QStringLiteral("Check4"));
    EXPECT_EQ(rule->text(), bankFx ? "Q9.GL.ZWSQL.CASHBANK.01076" : "Q9.GL.ZWSQL.CASHBANK.01075");
    EXPECT_TRUE(rule->isChecked());
    EXPECT_FALSE(rule->isEnabled());
  }
}

TEST_F(AutoConditionsTest, F2InTheCutOffBoxPicksADate) {
  frmYHDZ& w = Window();
  modals.Then([](QDialog& d) {
    QLineEdit* box = Child<QLineEdit>(d, QStringLiteral("Text1"));
    QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &f2);
    Click(d, "Command1");
  });
  modals.Then([](QDialog& picker) { dynamic_cast<platform::DatePicker&>(picker).PickDate(QDate(2026, 5, 31)); });
  ASSERT_TRUE(ShowAutoConditions(w));
  EXPECT_EQ(w.AutoEndDate, "2026.05.31");
}

TEST(DayCount, LeadingNumberRoundedHalfToEvenWithinTheRange) {
  struct Case { const char* text; std::optional<int> days; };
  const Case cases[] = {
      {"12", 12}, {" 12 ", 12}, {"7x", 7}, {"abc", 0}, {"", 0}, {"+5", 5}, {"0", 0},
      {"2.5", 2}, {"3.5", 4}, {"0.5", 0}, {"-0.4", 0}, {".9", 1}, {"32767", 32767},
      {"32767.5", std::nullopt}, {"32768", std::nullopt}, {"-1", std::nullopt}, {"-0.6", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseDayCount(QString::fromLatin1(c.text)), c.days) << c.text;
}

}  // namespace
}  // namespace corvane::testing
