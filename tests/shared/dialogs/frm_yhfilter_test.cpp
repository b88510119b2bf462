#include "../session_fakes.h"

#include "shared/frm_yhfilter.h"
#include "shared/messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <tuple>

namespace corvane::testing {
namespace {

using shared::FilterConditions;
using shared::frmYHFilter;

struct Owner : shared::FilterConditionOwner {
  FilterConditions c;
  int cancelType = -1;
  FilterConditions& Conditions() override { return c; }
  void SetCancelType(int value) override { cancelType = value; }
};

// What the user types into the dialog; tests change one or two fields.
struct Typed {
  QString start = "2026.01.05";
  QString end = "2026-2-10";
  QString style = "201 现金支票";
  int direction = 2;
  bool filterOff = false;
  QStringList styles;  // mode 4: codes to choose in the list, "" for its last entry
  int kind = 0;        // mode 4: the tick kind
  QString amount = "100.5";
};

// Conditions a window holds before the dialog opens.
FilterConditions Earlier() { return {true, false, "2025.01.01", "2025.12.31", "1", "OLD", 1, "9"}; }

void ExpectSame(const FilterConditions& a, const FilterConditions& b) {
  EXPECT_EQ(std::tie(a.ExecCom, a.ExecFilter, a.StartDate, a.EndDate, a.CurCn_m, a.CurCn_id, a.CurBd_c, a.CurMmoney),
            std::tie(b.ExecCom, b.ExecFilter, b.StartDate, b.EndDate, b.CurCn_m, b.CurCn_id, b.CurBd_c, b.CurMmoney));
}

void Fill(QDialog& d, const Typed& t) {
  Child<QLineEdit>(d, "Text1")->setText(t.start);
  Child<QLineEdit>(d, "Text2")->setText(t.end);
  auto* combo = Child<QComboBox>(d, "Combo1");
  combo->setCurrentIndex(combo->findText(t.style));
  Child<QLineEdit>(d, "Text3")->setText("A12");
  Child<QRadioButton>(d, QStringLiteral("Option1_%1").arg(t.direction))->setChecked(true);
  Child<QLineEdit>(d, "Text4")->setText(t.amount);
  Child<QCheckBox>(d, "Check1")->setChecked(t.filterOff);
  auto* list = Child<QListWidget>(d, "List1");
  for (int i = 0; i < list->count(); ++i) {
    const QString code = i == list->count() - 1 ? QString() : list->item(i)->text().section(' ', 0, 0);
    list->item(i)->setSelected(t.styles.contains(code));
  }
  Child<QComboBox>(d, "cboType")->setCurrentIndex(t.kind);
}

void Click(QDialog& d, const char* button) { Child<QPushButton>(d, button)->click(); }

class FilterTest : public SessionTest {
 protected:
  void TearDown() override {
    frmYHFilter::YhOrQy = 0;
    frmYHFilter::cSelect.clear();
    frmYHFilter::bSelectNULL = false;
    frmYHFilter::bFlagChkPress = 0;
    SessionTest::TearDown();
  }
  // Opens the dialog of a mode for owner as a calling window does; the user types,
  // clicks OK and, when the dialog is still open, Cancel. Reports whether it stayed open.
  // focused: the control holding the focus after OK.
  bool Run(Owner& owner, int mode, const Typed& typed, bool* stayedOpen = nullptr, QString* focused = nullptr) {
    frmYHFilter::YhOrQy = static_cast<quint8>(mode);
    frmYHFilter dialog(owner);
    dialog.Preset(owner.c);
    modals.Then([&](QDialog& d) {
      d.activateWindow();
      Fill(d, typed);
      Click(d, "Command1");
      if (stayedOpen) *stayedOpen = d.isVisible();
      if (focused && d.focusWidget()) *focused = d.focusWidget()->objectName();
      if (d.isVisible()) {
        Click(d, "Command2");
        EXPECT_FALSE(d.isVisible());  // Cancel closes the dialog
      }
    });
    return dialog.ShowModal();
  }
};

TEST_F(FilterTest, OkHandsTheConditionsToTheOpeningWindowInEachMode) {
  struct Case { int mode; int direction; QString style; QString code; int cancelType; };
  const Case cases[] = {{1, 0, "201 现金支票", "201", -1}, {2, 1, "2 支票", "2", -1}, {3, 2, "", "", -1},
                        {4, 0, "201 现金支票", "", 1},  // no style combo; the tick kind goes back
                        {5, 1, "202 转账支票", "202", -1}, {6, 2, "201 现金支票", "201", -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    Owner owner, other;
    other.c = Earlier();
    Typed typed;
    typed.direction = c.direction;
    typed.style = c.style;
    EXPECT_TRUE(Run(owner, c.mode, typed));
    // The dates in the grids' form, whatever way they were typed.
    ExpectSame(owner.c, {true, true, "2026.01.05", "2026.02.10", c.code, "A12", quint8(c.direction), "100.50"});
    EXPECT_EQ(owner.cancelType, c.cancelType);
    ExpectSame(other.c, Earlier());  // another window's conditions are not touched
  }
}

// A date is checked before anything goes back: a refused OK and then Cancel leave
// only Cancel's own mark (modes 1, 2 and 5 clear ExecCom). With the filter off the
// date is not checked, and only the flags go back.
TEST_F(FilterTest, BadDateKeepsTheDialogOpenAndWritesNothingUnlessTheFilterIsOff) {
  Typed badStart, badEnd;
  badStart.start = "2026.02.30";
  badEnd.end = "next week";
  for (const Typed& typed : {badStart, badEnd}) {
    for (int mode = 0; mode <= 7; ++mode) {
      SCOPED_TRACE(mode);
      Owner owner;
      owner.c = Earlier();
      bool stayedOpen = false;
      EXPECT_FALSE(Run(owner, mode, typed, &stayedOpen));
      EXPECT_TRUE(stayedOpen);
      FilterConditions expected = Earlier();
      expected.ExecCom = !(mode == 1 || mode == 2 || mode == 5);
      ExpectSame(owner.c, expected);
      EXPECT_EQ(owner.cancelType, -1);
    }
  }
  Owner owner;
  owner.c = Earlier();
  owner.c.ExecCom = false;
  owner.c.ExecFilter = true;
  badStart.filterOff = true;
  EXPECT_TRUE(Run(owner, 6, badStart));
  FilterConditions expected = Earlier();
  expected.ExecFilter = false;
  ExpectSame(owner.c, expected);
}

// OK checks each date given and the amount: a refused one is named in a message
// that gives the form to type, its box takes the focus back and nothing goes
// back. A reversed range goes back as typed; the amount goes back as a plain number.
TEST_F(FilterTest, OkRefusesANoDateOrNoAmountWithItsReason) {
  // focus: the box refused, key its message and text the text it names; else text is the start date handed back.
  struct Case { const char* name; const char* start; const char* end; const char* amount; const char* focus; const char* key; const char* text; };
  const Case cases[] = {
      {"start no date", "2026.02.30", "", "100.5", "Text1", "corvane.read.date", "2026.02.30"},
      {"end no date", "", "next week", "100.5", "Text2", "corvane.read.date", "next week"},
      {"both no date: the start first", "2026.13.01", "2026.00.01", "", "Text1", "corvane.read.date", "2026.13.01"},
      {"reversed range", "2026.03.01", "2026.02.01", "", nullptr, nullptr, "2026.03.01"},
      {"amount of letters", "", "", "abc", "Text4", "corvane.read.amount", "abc"},
      {"amount with two points", "", "", "12.3.4", "Text4", "corvane.read.amount.separator", "12.3.4"},
      {"decimal comma", "", "", "12,5", "Text4", "corvane.read.amount.separator", "12,5"},
      {"full-width", "２０２６－１２－０１", "", "１２５", nullptr, nullptr, "2026.12.01"},
  };
  for (int mode : {3, 4, 5}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::to_string(mode) + " " + c.name);
      messages.Clear();
      Owner owner;
      Typed typed;
      typed.start = QString::fromUtf8(c.start);
      typed.end = QString::fromUtf8(c.end);
      typed.amount = QString::fromUtf8(c.amount);
      bool stayedOpen = false;
      QString focused;
      EXPECT_EQ(Run(owner, mode, typed, &stayedOpen, &focused), c.focus == nullptr);
      EXPECT_EQ(messages.Count(), c.focus ? 1 : 0);
      if (c.focus) {
        EXPECT_EQ(messages.LastPrompt(), shared::GetResString(QString::fromLatin1(c.key), QString::fromUtf8(c.text)));
        EXPECT_EQ(std::pair(stayedOpen, focused), std::pair(true, QString::fromLatin1(c.focus)));
        EXPECT_FALSE(owner.c.ExecFilter);
        continue;
      }
      EXPECT_TRUE(owner.c.ExecCom && owner.c.ExecFilter);
      EXPECT_EQ(owner.c.StartDate, QString::fromUtf8(c.text));
      EXPECT_EQ(owner.c.EndDate, typed.end);
      EXPECT_EQ(owner.c.CurMmoney, c.amount[0] ? QStringLiteral("125.00") : QString());
    }
  }
}

// The tick kinds of the reconciliation mode: lines without a mark first, then
// automatic and manual ticks.
TEST_F(FilterTest, ReconciliationModeOffersTheTickKindsInOrder) {
  Owner owner;
  frmYHFilter::YhOrQy = 4;
  frmYHFilter dialog(owner);
  QStringList kinds;
  for (int i = 0; i < dialog.cboType()->count(); ++i) kinds << dialog.cboType()->itemText(i);
  EXPECT_EQ(kinds, (QStringList{shared::GetResString("Q9.GL.ZWSQL.CASHBANK.00892"),
                                shared::GetResString("Q9.GL.ZWSQL.CASHBANK.00847"),
                                shared::GetResString("Q9.GL.ZWSQL.CASHBANK.00848")}));
  EXPECT_EQ(dialog.cboType()->currentIndex(), 0);
}

// Codes are whole: choosing "2" hands back "2", never a prefix of "201".
TEST_F(FilterTest, ReconciliationModeHandsBackFullStyleCodesAndTheTickKind) {
  struct Case { QStringList chosen; int kind; bool filterOff; QStringList codes; bool blank; };
  const Case cases[] = {
      {{"2", "201", ""}, 2, false, {"2", "201"}, true},
      {{"202"}, 0, false, {"202"}, false},
      {{""}, 1, false, {}, true},
      {{"1"}, 1, true, {"1"}, false},  // filter off: the styles and kind still go back
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen.join(',').toStdString());
    Owner owner;
    owner.c = Earlier();
    Typed typed;
    typed.filterOff = c.filterOff;
    typed.styles = c.chosen;
    typed.kind = c.kind;
    Run(owner, 4, typed);
    EXPECT_EQ(frmYHFilter::cSelect, c.codes);
    EXPECT_EQ(frmYHFilter::bSelectNULL, c.blank);
    EXPECT_EQ(owner.cancelType, c.kind + 1);
    EXPECT_EQ(owner.c.StartDate, c.filterOff ? Earlier().StartDate : "2026.01.05");
  }
  Typed refused;  // a refused OK keeps the styles of the last accepted one
  refused.start = "2026.00.01";
  refused.styles = {"1", ""};
  Owner owner;
  Run(owner, 4, refused);
  EXPECT_EQ(frmYHFilter::cSelect, QStringList{"1"});
  EXPECT_FALSE(frmYHFilter::bSelectNULL);
  EXPECT_EQ(owner.cancelType, -1);
}

// The preset finds the style by its whole code; the condition boxes refuse what
// would break the filter's expression.
TEST_F(FilterTest, PresetSelectsTheStyleByItsWholeCodeAndBoxesRefuseFilterBreakingCharacters) {
  struct Case { const char* code; const char* shown; };
  const Case cases[] = {{"201", "201 现金支票"}, {"202 ", "202 转账支票"}, {"2", "2 支票"}, {"999", ""}, {"", ""}};
  Owner owner;
  frmYHFilter::YhOrQy = 5;
  frmYHFilter dialog(owner);
  for (const Case& c : cases) {
    FilterConditions conditions = Earlier();
    conditions.CurCn_m = QString::fromUtf8(c.code);
    dialog.Preset(conditions);
    EXPECT_EQ(dialog.Combo1()->currentText(), QString::fromUtf8(c.shown)) << c.code;
    EXPECT_TRUE(dialog.Option1(1)->isChecked());
  }
  // The amount box takes what is typed, commas too: OK reads it as a whole.
  for (QLineEdit* box : {dialog.Text1(), dialog.Text2(), dialog.Text3()}) {
    ASSERT_NE(box->validator(), nullptr);
    for (const char* text : {"a<b", "a>b", "a'b", "a\"b", "a|b", "a&b", "1,000", "2026.01.05"}) {
      QString s = QString::fromLatin1(text);
      int pos = 0;
      EXPECT_EQ(box->validator()->validate(s, pos) == QValidator::Invalid, s != "2026.01.05") << text;
    }
  }
}

}  // namespace
}  // namespace corvane::testing
