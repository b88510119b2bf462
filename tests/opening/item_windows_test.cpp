#include "host/menu_dispatcher.h"
#include "opening/frm_qyfqc.h"
#include "opening/frm_yhdzqc.h"
#include "opening/frm_yhfqc.h"
#include "opening_fixture.h"
#include "platform/controls/entry_grid.h"
#include "shared/frm_yhfilter.h"
#include "shared/frm_yhkmxz.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "suite/services/suite_settings.h"
#include "support/other_writer.h"
#include "support/scripted_print.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QDir>
#include <QKeyEvent>
#include <QCoreApplication>
#include <QLabel>
#include <gtest/gtest.h>

namespace corvane::opening {
namespace {

using platform::LeaveAnswer;
using platform::Money;
using shared::Session;
using testing::OpeningFixture;

class ItemWindowsTest : public ::testing::TestWithParam<bool> {
 protected:
  bool Book() const { return GetParam(); }
  // Opens "RP0303", then the enterprise (or bank) side's items, and runs `inside` there.
  template <class W>
  void OpenItems(std::function<void(W&)> inside) {
    session_.Modals().Then([this](QDialog& d) {
      auto& dialog = dynamic_cast<shared::frmYHKMXZ&>(d);
      QComboBox* list = Book() ? dialog.cmbBook() : dialog.Combo1();
      for (int i = 0; i < list->count(); ++i) {
        const QString code = Book() ? dialog.cmbBookCode()->itemText(i) : list->itemData(i).toString();
        if (code == fx_.Key()) list->setCurrentIndex(i);
      }
      dialog.Command1_Click();
    });
    bool ran = false;
    session_.Modals().Then([this, inside, &ran](QDialog& d) {
      auto& setup = dynamic_cast<frmYHDZQC&>(d);
      session_.Modals().Then([inside, &ran](QDialog& items) {
        ran = true;
        inside(dynamic_cast<W&>(items));
      });
      std::is_same_v<W, frmYHFQC> ? setup.Command1_Click() : setup.Command2_Click();
      setup.close();
    });
    host::ExecuteMenu(QStringLiteral("RP0303"), {}, {}, {});
    ASSERT_TRUE(ran) << "the item window did not open";
  }
  // Types a new row's cells as a user would and leaves it; col is where the cursor stays.
  template <class W>
  LeaveAnswer KeyRow(W& w, const std::map<int, QString>& cells, int& row, int& col) {
    w.AddRow();
    row = w.MsGrid1()->Rows() - 1;
    return Change(w, row, cells, col);
  }
  template <class W>
  LeaveAnswer Change(W& w, int row, const std::map<int, QString>& cells, int& col) {
    w.MsGrid1()->SetRow(row);
    for (const auto& [c, text] : cells) w.MsGrid1()->SetTextMatrix(row, c, text);
    w.MsGrid1()->SetRowDirty(row, true);
    const auto result = w.Editor()->CommitCurrentRow();
    col = w.MsGrid1()->Col();
    return result == shared::GridEditor::Commit::Saved ? LeaveAnswer::Leave : LeaveAnswer::Stay;
  }
  long long Count(const QString& table, const QString& where, const platform::DbParams& extra = {}) {
    platform::DbParams p{fx_.Key()};
    p.insert(p.end(), extra.begin(), extra.end());
    return fx_.Db().QueryValue(QStringLiteral("select count(*) from %1 where %2=? and %3").arg(table, fx_.KeyColumn(), where), p).ToInt();
  }
  QString Cash(const char* n) { return shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.") + QLatin1String(n)); }
  void Shot(QWidget& w, const QString& name) {
    const QString dir = qEnvironmentVariable("CORVANE_SCREENSHOT_DIR");
    if (!dir.isEmpty()) w.grab().save(QDir(dir).filePath(name));
  }

  corvane::testing::SuiteSession session_{GetParam()};
  OpeningFixture fx_{session_, GetParam()};
};

TEST_P(ItemWindowsTest, EnterpriseItemsShowTheBooksOpeningAndSaveWithTheirKey) {
  bool ran = false;
  OpenItems<frmQYFQC>([&](frmQYFQC& w) {
    ran = true;
    EXPECT_TRUE(w.Label3()->text().endsWith(QStringLiteral("1,000.00"))) << w.Label3()->text().toStdString();
    EXPECT_EQ(w.MsGrid1()->Rows() - 1, 3);
    int row = 0, col = 0;
    ASSERT_EQ(KeyRow(w, {{kQyDate, "2026.02.20"}, {kQyDebit, "12.50"}, {kQyDigest, "手工"}}, row, col), LeaveAnswer::Leave);
    const QString key = w.RowKey(row);
    ASSERT_FALSE(key.isEmpty());
    if (Book()) { EXPECT_EQ(w.MsGrid1()->TextMatrix(row, kQyNo), key); }
    // Leaving it again after a change updates the same line.
    EXPECT_EQ(Change(w, row, {{kQyDebit, "13.00"}}, col), LeaveAnswer::Leave);
    EXPECT_EQ(w.RowKey(row), key);
    Shot(w, Book() ? QStringLiteral("opening-items-book.png") : QStringLiteral("opening-items-account.png"));
  });
  EXPECT_TRUE(ran);
  EXPECT_EQ(Count(fx_.JournalTable(), QStringLiteral("iperiod=21 and cdigest=?"), {QStringLiteral("手工")}), 1);
}

TEST_P(ItemWindowsTest, ARowWhoseDateWasNeverTypedIsRefused) {
  OpenItems<frmQYFQC>([&](frmQYFQC& w) {
    int row = 0, col = 5;
    EXPECT_EQ(KeyRow(w, {{kQyDebit, "3.00"}}, row, col), LeaveAnswer::Stay);
    EXPECT_EQ(col, kQyDate);
    EXPECT_TRUE(w.RowKey(row).isEmpty());
  });
  EXPECT_EQ(Count(fx_.JournalTable(), QStringLiteral("iperiod=21")), 1);
}

TEST_P(ItemWindowsTest, DeletingMarksJournalLinesAndRefusesTickedOnes) {
  OpenItems<frmQYFQC>([&](frmQYFQC& w) {
    for (int r = 1; r < w.MsGrid1()->Rows(); ++r) {
      if (w.RowState(r) != kRegularLocked) continue;
      w.MsGrid1()->SetRow(r);
      w.DeleteRow();
      EXPECT_EQ(session_.Messages().LastPrompt(), Cash("00112"));
    }
    for (int r = 1; r < w.MsGrid1()->Rows(); ++r) {
      if (w.RowState(r) != kRegular) continue;
      w.MsGrid1()->SetRow(r);
      session_.Messages().Answer(6);
      w.DeleteRow();
      break;
    }
  });
  EXPECT_EQ(Count(fx_.JournalTable(), QStringLiteral("bdelete=1 and iperiod=1")), 1);
}

// Another session ticks or clears a line after the window loaded it, while the
// delete's question is open or before the row's change is saved: the line stays
// as that session left it, under its tick, and the user is told.
TEST_P(ItemWindowsTest, ALineTickedOrClearedMeanwhileIsNeitherDeletedNorChanged) {
  struct Case {
    const char* name;
    bool enterprise, remove, cleared;
    int period;  // of a journal line: 21 an opening item, 1 a line of the journal's own periods
  };
  const Case cases[] = {{"enterprise item deleted, ticked", true, true, false, 21},
                        {"enterprise regular line deleted, cleared", true, true, true, 1},
                        {"enterprise item saved, ticked", true, false, false, 21},
                        {"bank item deleted, ticked", false, true, false, 0},
                        {"bank item deleted, cleared", false, true, true, 0},
                        {"bank item saved, cleared", false, false, true, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString table = c.enterprise ? fx_.JournalTable() : fx_.StatementTable();
    const QString tick = c.enterprise ? QStringLiteral("iflagbank") : QStringLiteral("iflag");
    const QString keyColumn = c.enterprise && Book() ? QStringLiteral("cFlowID") : QStringLiteral("i_id");
    const QString key = c.enterprise ? fx_.AddJournal(QDate(2026, 2, 11), c.period, 6.5, 0)
                                     : QString::number(fx_.AddStatement(QDate(2026, 2, 11), 1, 6.5));
    const platform::DbValue keyValue = c.enterprise && Book() ? platform::DbValue(key) : platform::DbValue(key.toLongLong());
    auto meanwhile = [&] {
      corvane::testing::OtherWriter other(session_.Database(), [&](platform::DbConnection& via) {
        via.Execute(QStringLiteral("update %1 set %2=7%3 where %4=?")
                        .arg(table, tick, c.cleared ? QStringLiteral(", bdelete=1") : QString(), keyColumn),
                    {keyValue});
      });
      EXPECT_EQ(other.Finish(), QString());
    };
    auto inside = [&](OpeningItemWindow& w) {
      int row = 1;
      while (row < w.MsGrid1()->Rows() && w.RowKey(row) != key) ++row;
      ASSERT_LT(row, w.MsGrid1()->Rows());
      const int rows = w.MsGrid1()->Rows(), debit = c.enterprise ? kQyDebit : kYhDebit;
      if (c.remove) {
        w.MsGrid1()->SetRow(row);
        session_.Messages().Answer(6, meanwhile);
        w.DeleteRow();
      } else {
        meanwhile();
        int col = 0;
        EXPECT_EQ(Change(w, row, {{debit, QStringLiteral("88.00")}}, col), LeaveAnswer::Leave);
      }
      EXPECT_EQ(session_.Messages().LastPrompt().toStdString(),
                shared::GetResString(QStringLiteral("corvane.recon.changedmeanwhile")).toStdString());
      EXPECT_EQ(w.MsGrid1()->Rows(), rows);
      EXPECT_EQ(w.MsGrid1()->TextMatrix(row, debit).toStdString(), "6.50");
    };
    c.enterprise ? OpenItems<frmQYFQC>(inside) : OpenItems<frmYHFQC>(inside);
    const QString amount = c.enterprise ? QStringLiteral("md") : QStringLiteral("mmoney");
    EXPECT_EQ(Count(table, QStringLiteral("%1=? and %2=7 and bdelete=? and %3=?").arg(keyColumn, tick, amount),
                    {keyValue, c.cleared ? 1 : 0, Money::FromCents(650)}),
              1);
  }
}

TEST_P(ItemWindowsTest, AFailedSaveIsShownAndWritesNothing) {
  OpenItems<frmYHFQC>([&](frmYHFQC& w) {
    fx_.Db().Execute(QStringLiteral("alter table %1 rename to opening_away").arg(fx_.StatementTable()));
    int row = 0, col = 0;
    const int shown = session_.Messages().Count();
    EXPECT_EQ(KeyRow(w, {{kYhDate, "2026.02.20"}, {kYhDebit, "4.00"}}, row, col), LeaveAnswer::Stay);
    EXPECT_EQ(session_.Messages().Count(), shown + 1);
    EXPECT_TRUE(w.RowKey(row).isEmpty());
    fx_.Db().Execute(QStringLiteral("alter table opening_away rename to %1").arg(fx_.StatementTable()));
  });
  EXPECT_EQ(Count(fx_.StatementTable(), QStringLiteral("mmoney=?"), {Money::FromCents(400)}), 0);
}

TEST_P(ItemWindowsTest, AFailedDeleteIsShownAndKeepsTheRow) {
  OpenItems<frmYHFQC>([&](frmYHFQC& w) {
    const int rows = w.MsGrid1()->Rows();
    w.MsGrid1()->SetRow(1);
    fx_.Db().Execute(QStringLiteral("alter table %1 rename to opening_away").arg(fx_.StatementTable()));
    session_.Messages().Answer(6);
    w.DeleteRow();
    fx_.Db().Execute(QStringLiteral("alter table opening_away rename to %1").arg(fx_.StatementTable()));
    EXPECT_EQ(w.MsGrid1()->Rows(), rows);
    EXPECT_TRUE(session_.Messages().LastPrompt().startsWith(
        shared::GetResString(QStringLiteral("corvane.opening.failed"), QString()).left(6)));
  });
  EXPECT_EQ(Count(fx_.StatementTable(), QStringLiteral("ibegin=2")), 5);
}

TEST_P(ItemWindowsTest, BankItemsRunFromTheBooksOpeningAndRefuseAZeroItem) {
  OpenItems<frmYHFQC>([&](frmYHFQC& w) {
    EXPECT_TRUE(w.Label3()->text().endsWith(QStringLiteral("900.00"))) << w.Label3()->text().toStdString();
    ASSERT_EQ(w.MsGrid1()->Rows() - 1, 4);
    EXPECT_EQ(w.MsGrid1()->TextMatrix(1, kYhBalance), QStringLiteral("1,050.00"));
    int row = 0, col = 0;
    EXPECT_EQ(KeyRow(w, {{kYhDate, "2026.02.20"}, {kYhDebit, "0.00"}}, row, col), LeaveAnswer::Stay);
    EXPECT_EQ(session_.Messages().LastPrompt(), shared::GetResString(QStringLiteral("corvane.opening.zeroamount")));
    EXPECT_EQ(Change(w, row, {{kYhDebit, "25.00"}}, col), LeaveAnswer::Leave);
    // 900 +150 +50 -30 -20 +25, the new line sorted last as keyed.
    EXPECT_EQ(w.MsGrid1()->TextMatrix(row, kYhBalance), QStringLiteral("1,075.00"));
  });
  EXPECT_EQ(Count(fx_.StatementTable(), QStringLiteral("ibegin=2 and mmoney=? and bd_c=1"), {Money::FromCents(2500)}), 1);
}

TEST_P(ItemWindowsTest, OutputsTakeTheGridPrintInBookModeAndTheReportOtherwise) {
  corvane::testing::ScriptedPrinting printing;
  suite::SuiteSettings(fx_.Db(), QStringLiteral("001")).Set(QStringLiteral("LocalPrintFormats"), QStringLiteral("0"));
  // Book mode as the options may deliver it: any non-zero value.
  if (Book()) Session::Current().gBookMode = -1;
  OpenItems<frmQYFQC>([&](frmQYFQC& w) {
    w.rDataOut();
    if (Book()) {
      ASSERT_EQ(printing.GridPrints().size(), 1u);
      EXPECT_EQ(printing.GridPrints()[0].reportKey, QStringLiteral("RPQYFQCReport"));
      EXPECT_EQ(printing.GridPrints()[0].mode, 2);
      EXPECT_TRUE(printing.Runs().empty());
    } else {
      ASSERT_EQ(printing.Runs().size(), 1u) << session_.Messages().LastPrompt().toStdString();
      const auto& run = printing.Runs()[0];
      EXPECT_EQ(run.headRow.value(QStringLiteral("P1")).toString(), Cash("00104"));
      EXPECT_EQ(run.headRow.value(QStringLiteral("P5")).toString(), w.Label1()->text());
      EXPECT_EQ(run.tailRow.value(QStringLiteral("P4")).toString(), Cash("00053") + QStringLiteral("演示账套"));
      EXPECT_EQ(run.tailRow.value(QStringLiteral("P5")).toString(), Cash("00054") + QStringLiteral("测试"));
      ASSERT_FALSE(run.body.empty());
      EXPECT_EQ(run.body[0].size(), 9);
      EXPECT_TRUE(printing.GridPrints().empty());
      // Without its print-format row the run still goes, and its result is told.
      fx_.Db().Execute(QStringLiteral("delete from PrintEx where cTableCode=?"), {QStringLiteral("GLYhQcRjz")});
      printing.QueueResult(22);
      w.rPreview();
      ASSERT_EQ(printing.Runs().size(), 2u);
      EXPECT_EQ(printing.Runs()[1].job.tailTemplate, QString());
      EXPECT_TRUE(session_.Messages().LastPrompt().endsWith(shared::GetResString(QStringLiteral("Q9.GL.ZZPZ.02809"), 22)));
    }
  });
}

TEST_P(ItemWindowsTest, TheFilterKeepsTheRowsThatMeetTheConditions) {
  OpenItems<frmYHFQC>([&](frmYHFQC& w) {
    struct Case {
      QString amount;
      int direction;
      int shown;
    };
    // Lines: debit 150, debit 50 (ticked), credit 30 (cleared), credit 20.
    const Case cases[] = {{"150", 0, 1}, {"", 2, 2}, {"50", 2, 0}, {"", 0, 4}};
    for (const Case& c : cases) {
      session_.Modals().Then([&c](QDialog& d) {
        auto& dialog = dynamic_cast<shared::frmYHFilter&>(d);
        dialog.Text4()->setText(c.amount);
        dialog.Option1(c.direction)->setChecked(true);
        dialog.Command1_Click();
      });
      w.FilterRows();
      int shown = 0;
      for (int r = 1; r < w.MsGrid1()->Rows(); ++r) shown += w.MsGrid1()->IsRowHidden(r) ? 0 : 1;
      EXPECT_EQ(shown, c.shown) << c.amount.toStdString() << " / " << c.direction;
    }
  });
}

INSTANTIATE_TEST_SUITE_P(Modes, ItemWindowsTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "book" : "account"; });

// --- F7: the selection dialog again --------------------------------------------------

class ChooseAgainTest : public ItemWindowsTest {
 protected:
  QString OtherKey() const { return Book() ? QStringLiteral("YH001") : QStringLiteral("100201"); }
  // A key pressed in the grid, where the cursor is.
  static void Press(QDialog& w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* view = dynamic_cast<OpeningItemWindow&>(w).MsGrid1()->View();
    view->setFocus();
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QCoreApplication::sendEvent(view, &press);
  }
  static void PressF7(QDialog& w) { Press(w, Qt::Key_F7); }
  // Chooses `key` (the fixture's own when empty) and records the dialog's owner.
  corvane::testing::ScriptedModals::Step Choose(QWidget** owner, QString key = QString(), bool confirm = true) {
    if (key.isEmpty()) key = fx_.Key();
    const bool book = Book();
    return [owner, key, book, confirm](QDialog& d) {
      auto& dialog = dynamic_cast<shared::frmYHKMXZ&>(d);
      *owner = dialog.parentWidget();
      QComboBox* list = book ? dialog.cmbBook() : dialog.Combo1();
      for (int i = 0; i < list->count(); ++i) {
        const QString code = book ? dialog.cmbBookCode()->itemText(i) : list->itemData(i).toString();
        if (code == key) list->setCurrentIndex(i);
      }
      confirm ? dialog.Command1_Click() : dialog.Command2_Click();
    };
  }
  frmYHDZQC& SetupWindow() { return *Session::Current().windows.Find<frmYHDZQC>(); }
};

TEST_P(ChooseAgainTest, TheEnterpriseSideShowsItOverTheSetupAndCancelChangesNothing) {
  OpenItems<frmQYFQC>([&](frmQYFQC& w) {
    const int rows = w.MsGrid1()->Rows(), shown = session_.Modals().Count();
    fx_.AddJournal(QDate(2026, 2, 10), 21, 5, 0);  // stored meanwhile: only a reload would show it
    QWidget* owner = nullptr;
    session_.Modals().Then(Choose(&owner, QString(), false));
    PressF7(w);
    EXPECT_EQ(session_.Modals().Count(), shown + 1);
    EXPECT_EQ(owner, &SetupWindow());
    EXPECT_EQ(shared::frmYHKMXZ::Instance().parentWidget(), nullptr);
    EXPECT_EQ(w.MsGrid1()->Rows(), rows);
    EXPECT_EQ(w.Context().target.Key(), fx_.Key());
  });
}

TEST_P(ChooseAgainTest, AHotKeyPressedInTheGridRunsOnce) {
  OpenItems<frmYHFQC>([&](frmYHFQC& w) {
    const int rows = w.MsGrid1()->Rows();
    Press(w, Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(w.MsGrid1()->Rows(), rows + 1);
  });
}

TEST_P(ChooseAgainTest, ConfirmingTheSameAccountReloadsTheItems) {
  OpenItems<frmYHFQC>([&](frmYHFQC& w) {
    const int rows = w.MsGrid1()->Rows();
    fx_.AddStatement(QDate(2026, 2, 10), 1, 5);
    QWidget* owner = nullptr;
    session_.Modals().Then(Choose(&owner));
    PressF7(w);
    EXPECT_EQ(owner, &w);
    EXPECT_EQ(w.MsGrid1()->Rows(), rows + 1);
  });
}

TEST_P(ChooseAgainTest, AnotherAccountTurnsTheSetupAndTheItemsAndTakesTheLock) {
  OpenItems<frmQYFQC>([&](frmQYFQC& w) {
    QWidget* owner = nullptr;
    session_.Modals().Then(Choose(&owner, OtherKey()));
    PressF7(w);
    EXPECT_EQ(SetupWindow().Target().Key(), OtherKey());
    EXPECT_EQ(w.Context().target.Key(), OtherKey());
    EXPECT_EQ(w.CurYHKM, QStringLiteral("100201"));
    EXPECT_TRUE(session_.OtherSessionCanLock(OpeningFixture::account_, QStringLiteral("GL040702")));
    EXPECT_FALSE(session_.OtherSessionCanLock(QStringLiteral("100201"), QStringLiteral("GL040702")));
  });
  EXPECT_TRUE(session_.OtherSessionCanLock(QStringLiteral("100201"), QStringLiteral("GL040702")));
}

TEST_P(ChooseAgainTest, ARowThatCannotBeKeptHoldsTheCursorAndLoadsNothing) {
  OpenItems<frmQYFQC>([&](frmQYFQC& w) {
    int row = 0, col = 0;
    ASSERT_EQ(KeyRow(w, {{kQyDebit, "3.00"}}, row, col), LeaveAnswer::Stay);  // no date
    const int rows = w.MsGrid1()->Rows();
    QWidget* owner = nullptr;
    session_.Modals().Then(Choose(&owner, OtherKey()));
    PressF7(w);
    EXPECT_EQ(SetupWindow().Target().Key(), fx_.Key());
    EXPECT_EQ(w.Context().target.Key(), fx_.Key());
    EXPECT_EQ(w.MsGrid1()->Rows(), rows);
    EXPECT_EQ(w.MsGrid1()->Row(), row);
  });
}

INSTANTIATE_TEST_SUITE_P(Modes, ChooseAgainTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "book" : "account"; });

}  // namespace
}  // namespace corvane::opening
