#include "dialog_fakes.h"

#include "shared/frm_yhfilter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

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
  QString start = QStringLiteral("2026.01.05");
  QString end = QStringLiteral("2026-2-10");
  QString style = QStringLiteral("201 现金支票");
  QString number = QStringLiteral("A12");
  int direction = 2;
  QString amount = QStringLiteral("100.5");
  bool filterOff = false;
};

// Conditions a window holds before the dialog opens.
FilterConditions Earlier() {
  FilterConditions c;
  c.ExecCom = true;
  c.ExecFilter = false;
  c.StartDate = QStringLiteral("2025.01.01");
  c.EndDate = QStringLiteral("2025.12.31");
  c.CurCn_m = QStringLiteral("1");
  c.CurCn_id = QStringLiteral("OLD");
  c.CurBd_c = 1;
  c.CurMmoney = QStringLiteral("9");
  return c;
}

void ExpectSame(const FilterConditions& a, const FilterConditions& b) {
  EXPECT_EQ(a.ExecCom, b.ExecCom);
  EXPECT_EQ(a.ExecFilter, b.ExecFilter);
  EXPECT_EQ(a.StartDate, b.StartDate);
  EXPECT_EQ(a.EndDate, b.EndDate);
  EXPECT_EQ(a.CurCn_m, b.CurCn_m);
  EXPECT_EQ(a.CurCn_id, b.CurCn_id);
  EXPECT_EQ(a.CurBd_c, b.CurBd_c);
  EXPECT_EQ(a.CurMmoney, b.CurMmoney);
}

void Fill(QDialog& d, const Typed& t) {
  Child<QLineEdit>(d, QStringLiteral("Text1"))->setText(t.start);
  Child<QLineEdit>(d, QStringLiteral("Text2"))->setText(t.end);
  auto* combo = Child<QComboBox>(d, QStringLiteral("Combo1"));
  combo->setCurrentIndex(combo->findText(t.style));
  Child<QLineEdit>(d, QStringLiteral("Text3"))->setText(t.number);
  Child<QRadioButton>(d, QStringLiteral("Option1_%1").arg(t.direction))->setChecked(true);
  Child<QLineEdit>(d, QStringLiteral("Text4"))->setText(t.amount);
  Child<QCheckBox>(d, QStringLiteral("Check1"))->setChecked(t.filterOff);
}

void Click(QDialog& d, const char* button) { Child<QPushButton>(d, QString::fromLatin1(button))->click(); }

class FilterTest : public DialogTest {
 protected:
  // Opens the dialog of a mode for owner as a calling window does, with one step.
  bool Run(Owner& owner, int mode, ScriptedModals::Step step) {
    frmYHFilter::YhOrQy = static_cast<quint8>(mode);
    frmYHFilter dialog(owner);
    dialog.Preset(owner.c);
    modals.Then(std::move(step));
    return dialog.ShowModal();
  }
};

TEST_F(FilterTest, OkHandsTheConditionsToTheOpeningWindowInEachMode) {
  struct Case {
    int mode;
    QString style;  // the code handed back (mode 4 has no style combo)
    int cancelType;
  };
  const Case cases[] = {{1, "201", -1}, {2, "201", -1}, {3, "201", -1}, {4, "", 1}, {5, "201", -1}, {6, "201", -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    Owner owner;
    const bool ok = Run(owner, c.mode, [](QDialog& d) {
      Fill(d, Typed());
      Click(d, "Command1");
    });
    EXPECT_TRUE(ok);
    EXPECT_TRUE(owner.c.ExecCom);
    EXPECT_TRUE(owner.c.ExecFilter);
    EXPECT_EQ(owner.c.StartDate, "2026.01.05");
    EXPECT_EQ(owner.c.EndDate, "2026.02.10");  // in the grids' date form
    EXPECT_EQ(owner.c.CurCn_m, c.style);
    EXPECT_EQ(owner.c.CurCn_id, "A12");
    EXPECT_EQ(owner.c.CurBd_c, 2);
    EXPECT_EQ(owner.c.CurMmoney, "100.5");
    EXPECT_EQ(owner.cancelType, c.cancelType);
  }
}

TEST_F(FilterTest, DirectionOptionsGiveZeroOneTwo) {
  for (int direction = 0; direction < 3; ++direction) {
    Owner owner;
    owner.c.CurBd_c = 1;
    Typed typed;
    typed.direction = direction;
    Run(owner, 5, [&](QDialog& d) {
      Fill(d, typed);
      Click(d, "Command1");
    });
    EXPECT_EQ(owner.c.CurBd_c, direction);
  }
}

TEST_F(FilterTest, ConditionsGoOnlyToTheWindowThatOpenedTheDialog) {
  // The detailed statement opens the dialog in the tick-status query's mode.
  Owner detailed, tickStatus;
  tickStatus.c = Earlier();
  Run(detailed, 5, [](QDialog& d) {
    Fill(d, Typed());
    Click(d, "Command1");
  });
  EXPECT_EQ(detailed.c.CurCn_id, "A12");
  ExpectSame(tickStatus.c, Earlier());
}

TEST_F(FilterTest, BadDateKeepsTheDialogOpenAndWritesNothing) {
  struct Case {
    Typed typed;
    const char* focused;
  };
  Case badStart, badEnd;
  badStart.typed.start = QStringLiteral("2026.02.30");
  badStart.focused = "Text1";
  badEnd.typed.end = QStringLiteral("next week");
  badEnd.focused = "Text2";
  for (const Case& c : {badStart, badEnd}) {
    for (int mode = 1; mode <= 6; ++mode) {
      SCOPED_TRACE(QStringLiteral("mode %1, %2").arg(mode).arg(QString::fromLatin1(c.focused)).toStdString());
      Owner owner;
      owner.c = Earlier();
      bool stayedOpen = false;
      QString focus;
      const bool ok = Run(owner, mode, [&](QDialog& d) {
        Fill(d, c.typed);
        Click(d, "Command1");
        stayedOpen = d.isVisible();
        focus = d.focusWidget() ? d.focusWidget()->objectName() : QString();
        Click(d, "Command2");
      });
      EXPECT_FALSE(ok);
      EXPECT_TRUE(stayedOpen);
      EXPECT_EQ(focus, QString::fromLatin1(c.focused));
      FilterConditions expected = Earlier();
      expected.ExecCom = !(mode == 1 || mode == 2 || mode == 5);  // Cancel's own write
      ExpectSame(owner.c, expected);
      EXPECT_EQ(owner.cancelType, -1);
    }
  }
}

TEST_F(FilterTest, CancelClearsExecComOnlyInModesOneTwoAndFive) {
  for (int mode = 1; mode <= 6; ++mode) {
    SCOPED_TRACE(mode);
    Owner owner;
    owner.c = Earlier();
    const bool ok = Run(owner, mode, [](QDialog& d) {
      Fill(d, Typed());
      Click(d, "Command2");
    });
    EXPECT_FALSE(ok);
    FilterConditions expected = Earlier();
    expected.ExecCom = !(mode == 1 || mode == 2 || mode == 5);
    ExpectSame(owner.c, expected);
  }
}

TEST_F(FilterTest, ClosingOtherwiseWritesNothing) {
  Owner owner;
  owner.c = Earlier();
  Run(owner, 1, [](QDialog& d) { Fill(d, Typed()); });  // left open: closed as by the close box
  ExpectSame(owner.c, Earlier());
}

TEST_F(FilterTest, FilterOffHandsBackOnlyTheFlagsAndSkipsTheDateCheck) {
  Owner owner;
  owner.c = Earlier();
  owner.c.ExecCom = false;
  owner.c.ExecFilter = true;
  Typed typed;
  typed.start = QStringLiteral("not a date");
  typed.filterOff = true;
  EXPECT_TRUE(Run(owner, 6, [&](QDialog& d) {
    Fill(d, typed);
    Click(d, "Command1");
  }));
  FilterConditions expected = Earlier();
  expected.ExecCom = true;
  expected.ExecFilter = false;
  ExpectSame(owner.c, expected);
}

TEST_F(FilterTest, ModeOutsideOneToSixValidatesAndWritesNothing) {
  for (int mode : {0, 7}) {
    Owner owner;
    owner.c = Earlier();
    EXPECT_TRUE(Run(owner, mode, [](QDialog& d) {
      Fill(d, Typed());
      Click(d, "Command1");
    }));
    ExpectSame(owner.c, Earlier());
    Typed bad;
    bad.end = QStringLiteral("2026.13.01");
    bool stayedOpen = false;
    Run(owner, mode, [&](QDialog& d) {
      Fill(d, bad);
      Click(d, "Command1");
      stayedOpen = d.isVisible();
    });
    EXPECT_TRUE(stayedOpen);
  }
}

// Selects the List1 entries whose texts begin with the given codes; "" selects the last entry.
void ChooseStyles(QDialog& d, const QStringList& codes) {
  auto* list = Child<QListWidget>(d, QStringLiteral("List1"));
  for (const QString& code : codes) {
    if (code.isEmpty()) {
      list->item(list->count() - 1)->setSelected(true);
      continue;
    }
    for (int i = 0; i < list->count(); ++i) {
      if (list->item(i)->text().section(QLatin1Char(' '), 0, 0) == code) list->item(i)->setSelected(true);
    }
  }
}

TEST_F(FilterTest, ReconciliationModeHandsBackFullStyleCodesAndTheTickKind) {
  struct Case {
    QStringList chosen;
    int kind;
    bool filterOff;
    QStringList codes;
    bool blank;
  };
  const Case cases[] = {
      {{"2", "201", ""}, 2, false, {"2", "201"}, true},
      {{"202"}, 0, false, {"202"}, false},
      {{""}, 1, false, {}, true},
      {{"1"}, 1, true, {"1"}, false},  // filter off: the styles and kind still go back
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen.join(QLatin1Char(',')).toStdString());
    Owner owner;
    owner.c = Earlier();
    Typed typed;
    typed.filterOff = c.filterOff;
    Run(owner, 4, [&](QDialog& d) {
      Fill(d, typed);
      ChooseStyles(d, c.chosen);
      Child<QComboBox>(d, QStringLiteral("cboType"))->setCurrentIndex(c.kind);
      Click(d, "Command1");
    });
    EXPECT_EQ(frmYHFilter::cSelect, c.codes);
    EXPECT_EQ(frmYHFilter::bSelectNULL, c.blank);
    EXPECT_EQ(owner.cancelType, c.kind + 1);
    EXPECT_EQ(owner.c.ExecFilter, !c.filterOff);
    EXPECT_EQ(owner.c.StartDate, c.filterOff ? Earlier().StartDate : QStringLiteral("2026.01.05"));
  }
}

TEST_F(FilterTest, RefusedOkInReconciliationModeKeepsTheLastStyles) {
  Owner owner;
  frmYHFilter::cSelect = {QStringLiteral("202")};
  frmYHFilter::bSelectNULL = false;
  Typed bad;
  bad.start = QStringLiteral("2026.00.01");
  Run(owner, 4, [&](QDialog& d) {
    Fill(d, bad);
    ChooseStyles(d, {QStringLiteral("1"), QString()});
    Click(d, "Command1");
    Click(d, "Command2");
  });
  EXPECT_EQ(frmYHFilter::cSelect, QStringList{QStringLiteral("202")});
  EXPECT_FALSE(frmYHFilter::bSelectNULL);
  EXPECT_EQ(owner.cancelType, -1);
}

TEST_F(FilterTest, LoadShowsTheStyleListAndTickKindOnlyInReconciliationMode) {
  Owner owner;
  frmYHFilter::YhOrQy = 4;
  frmYHFilter reconciliation(owner);
  EXPECT_TRUE(reconciliation.List1()->isVisibleTo(&reconciliation));
  EXPECT_FALSE(reconciliation.Combo1()->isVisibleTo(&reconciliation));
  EXPECT_TRUE(reconciliation.cboType()->isVisibleTo(&reconciliation));
  ASSERT_EQ(reconciliation.List1()->count(), 5);
  EXPECT_EQ(reconciliation.List1()->item(4)->text(), "Q9.GL.ZWSQL.CASHBANK.00891");
  EXPECT_EQ(reconciliation.List1()->height(), 58);  // 870 twips
  ASSERT_EQ(reconciliation.cboType()->count(), 3);
  EXPECT_EQ(reconciliation.cboType()->itemText(0), "Q9.GL.ZWSQL.CASHBANK.00892");
  EXPECT_EQ(reconciliation.cboType()->itemText(2), "Q9.GL.ZWSQL.CASHBANK.00848");
  EXPECT_EQ(reconciliation.cboType()->currentIndex(), 0);

  frmYHFilter::YhOrQy = 3;
  frmYHFilter statement(owner);
  EXPECT_FALSE(statement.List1()->isVisibleTo(&statement));
  EXPECT_TRUE(statement.Combo1()->isVisibleTo(&statement));
  EXPECT_FALSE(statement.cboType()->isVisibleTo(&statement));
  ASSERT_EQ(statement.Combo1()->count(), 5);
  EXPECT_EQ(statement.Combo1()->itemText(0), "");  // any settlement style
  EXPECT_EQ(statement.Combo1()->itemText(3), "201 现金支票");
}

TEST_F(FilterTest, ChoosingNoStyleHandsBackAnEmptyCode) {
  Owner owner;
  owner.c = Earlier();
  Typed typed;
  typed.style = QString();
  Run(owner, 1, [&](QDialog& d) {
    Fill(d, typed);
    Click(d, "Command1");
  });
  EXPECT_EQ(owner.c.CurCn_m, "");
}

TEST_F(FilterTest, PresetSelectsTheStyleByCodeAndTheDirection) {
  struct Case {
    const char* code;
    const char* shown;
  };
  const Case cases[] = {{"201", "201 现金支票"}, {"202 ", "202 转账支票"}, {"2", "2 支票"}, {"999", ""}, {"", ""}};
  Owner owner;
  frmYHFilter::YhOrQy = 5;
  frmYHFilter dialog(owner);
  for (const Case& c : cases) {
    FilterConditions conditions = Earlier();
    conditions.CurCn_m = QString::fromUtf8(c.code);
    conditions.CurBd_c = 2;
    dialog.Preset(conditions);
    EXPECT_EQ(dialog.Combo1()->currentText(), QString::fromUtf8(c.shown)) << c.code;
    EXPECT_TRUE(dialog.Option1(2)->isChecked());
    EXPECT_EQ(dialog.Text1()->text(), "2025.01.01");
    EXPECT_EQ(dialog.Text4()->text(), "9");
  }
}

TEST_F(FilterTest, FilterOffBoxGreysTheConditionsAndSetsTheFlag) {
  Owner owner;
  frmYHFilter::YhOrQy = 5;
  {
    frmYHFilter dialog(owner);
    EXPECT_EQ(frmYHFilter::bFlagChkPress, 0);
    dialog.Check1()->setChecked(true);
    EXPECT_EQ(frmYHFilter::bFlagChkPress, 1);
    EXPECT_FALSE(dialog.Frame1()->isEnabled());
    EXPECT_EQ(dialog.Text1()->palette().color(QPalette::Base), QColor(192, 192, 192));
    dialog.Check1()->setChecked(false);
    EXPECT_EQ(frmYHFilter::bFlagChkPress, 0);
    EXPECT_TRUE(dialog.Frame1()->isEnabled());
    EXPECT_EQ(dialog.Text4()->palette().color(QPalette::Base), QColor(255, 255, 255));
    dialog.SetFilterOff(true);
  }
  EXPECT_EQ(frmYHFilter::bFlagChkPress, 1);  // kept after the dialog has gone
  frmYHFilter again(owner);
  EXPECT_EQ(frmYHFilter::bFlagChkPress, 0);
  EXPECT_TRUE(again.Frame1()->isEnabled());
}

TEST_F(FilterTest, ConditionBoxesRefuseTheFilterBreakingCharacters) {
  Owner owner;
  frmYHFilter::YhOrQy = 1;
  frmYHFilter dialog(owner);
  for (QLineEdit* box : {dialog.Text1(), dialog.Text2(), dialog.Text3(), dialog.Text4()}) {
    ASSERT_NE(box->validator(), nullptr);
    for (const char* text : {"a<b", "a>b", "a'b", "a\"b", "a|b", "a&b", "1,000"}) {
      QString s = QString::fromLatin1(text);
      int pos = 0;
      EXPECT_EQ(box->validator()->validate(s, pos), QValidator::Invalid) << text;
    }
    QString fine = QStringLiteral("2026.01.05");
    int pos = 0;
    EXPECT_NE(box->validator()->validate(fine, pos), QValidator::Invalid);
  }
}

TEST_F(FilterTest, ReferenceButtonsAndF2OpenThePopupOfTheirBox) {
  std::vector<QString> opened;
  frmYHFilter::SetPopups([&](QLineEdit* box, QWidget*) { opened.push_back("calendar:" + box->objectName()); },
                         [&](QLineEdit* box, QWidget*) { opened.push_back("calculator:" + box->objectName()); });
  Owner owner;
  frmYHFilter::YhOrQy = 2;
  frmYHFilter dialog(owner);
  Child<QPushButton>(dialog, QStringLiteral("Command3"))->click();
  Child<QPushButton>(dialog, QStringLiteral("Command4"))->click();
  Child<QPushButton>(dialog, QStringLiteral("Command5"))->click();
  for (QLineEdit* box : {dialog.Text1(), dialog.Text2(), dialog.Text3(), dialog.Text4()}) {
    QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &f2);
  }
  const std::vector<QString> expected{"calendar:Text1",   "calendar:Text2", "calculator:Text4",
                                      "calendar:Text1",   "calendar:Text2", "calculator:Text4"};
  EXPECT_EQ(opened, expected);
}

}  // namespace
}  // namespace corvane::testing
