#include "opening/frm_qyfqc.h"
#include "opening_fixture.h"
#include "platform/controls/amount_key_filter.h"
#include "platform/controls/entry_grid.h"
#include "platform/controls/toolbar_host.h"
#include "shared/frm_yhfilter.h"
#include "shared/frm_yhkmxz.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "suite/services/suite_settings.h"
#include "support/other_writer.h"
#include "support/scripted_print.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QCoreApplication>
#include <array>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace corvane::opening {
namespace {

using platform::LeaveAnswer;
using platform::Money;
using shared::Session;
using testing::Cash;
using testing::OpeningFixture;

class ItemWindowsTest : public testing::OpeningWindowTest {
 protected:
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
};

// A row whose date was never typed is refused at the date; once dated it is saved
// with its key, and a change updates the same line.
TEST_P(ItemWindowsTest, EnterpriseItemsShowTheBooksOpeningAndSaveOnlyDatedRowsWithTheirKey) {
  fx_.Db().Execute(QStringLiteral("insert into settlestyle (cSSCode, cSSName) values ('2019', '到期票据')"));
  OpenItems<frmQYFQC>([&](frmQYFQC& w) {
    EXPECT_TRUE(w.Label3()->text().endsWith(QStringLiteral("1,000.00"))) << w.Label3()->text().toStdString();
    EXPECT_EQ(w.MsGrid1()->Rows() - 1, 3);
    int row = 0, col = 5;
    ASSERT_EQ(KeyRow(w, {{kQyDebit, "12.50"}, {kQyDigest, "手工"}}, row, col), LeaveAnswer::Stay);
    EXPECT_EQ(col, kQyDate);
    EXPECT_TRUE(w.RowKey(row).isEmpty());
    ASSERT_EQ(Change(w, row, {{kQyDate, "2026.02.20"}, {kQySettle, "2019 到期票据"}}, col), LeaveAnswer::Leave);
    const QString key = w.RowKey(row);
    ASSERT_FALSE(key.isEmpty());
    if (Book()) { EXPECT_EQ(w.MsGrid1()->TextMatrix(row, kQyNo), key); }
    EXPECT_EQ(Change(w, row, {{kQyDebit, "13.00"}}, col), LeaveAnswer::Leave);
    EXPECT_EQ(w.RowKey(row), key);
    // A key typed into one amount clears the other: an item is a debit or a credit.
    for (const auto& [typed, cleared] : {std::pair{kQyCredit, kQyDebit}, std::pair{kQyDebit, kQyCredit}}) {
      ASSERT_TRUE(w.MsGrid1()->StartEdit(row, typed));
      QKeyEvent four(QEvent::KeyPress, Qt::Key_4, Qt::NoModifier, QStringLiteral("4"));
      QCoreApplication::sendEvent(w.MsGrid1()->ActiveEditor(), &four);
      EXPECT_TRUE(w.MsGrid1()->CommitEdit());
      EXPECT_EQ(w.MsGrid1()->TextMatrix(row, cleared), QString()) << typed;
    }
    w.Editor()->DiscardCurrentRow();
    Shot(w, Book() ? QStringLiteral("opening-items-book.png") : QStringLiteral("opening-items-account.png"));
  });
  EXPECT_EQ(fx_.Count(fx_.JournalTable(), QStringLiteral("iperiod=21")), 2);
  EXPECT_EQ(fx_.Count(fx_.JournalTable(), QStringLiteral("iperiod=21 and cdigest=? and md=? and csettle='2019'"),
                      {QStringLiteral("手工"), Money::FromCents(1300)}), 1);
}

// An amount cell that holds no amount within what one line may carry is refused
// with a message naming it, on either side, and nothing is written.
TEST_P(ItemWindowsTest, AnAmountBeyondTheLineLimitOrNoNumberIsRefusedByNameOnBothSides) {
  // Typed, and named as the amount box shows it once it is left.
  const std::pair<const char*, const char*> typed[] = {
      {"10000000000", "10,000,000,000.00"}, {"-10000000000", "-10,000,000,000.00"},
      {"10000000000000000", "10000000000000000"}, {"1e+17", "1e+17"}, {"inf", "inf"}, {"nan", "nan"}, {"E", "E"}};
  auto refuseEach = [&](auto& w, int dateCol, int amountCol) {
    for (const auto& [t, named] : typed) {
      SCOPED_TRACE(t);
      w.AddRow();
      const int row = w.MsGrid1()->Rows() - 1;
      w.MsGrid1()->SetTextMatrix(row, dateCol, QStringLiteral("2026.02.20"));
      session_.Messages().Clear();
      ASSERT_TRUE(w.MsGrid1()->StartEdit(row, amountCol));
      auto* box = qobject_cast<QLineEdit*>(w.MsGrid1()->ActiveEditor());
      ASSERT_TRUE(box);
      box->setText(QString::fromLatin1(t));
      EXPECT_FALSE(w.MsGrid1()->CommitEdit());
      EXPECT_EQ(session_.Messages().Count(), 1);
      EXPECT_TRUE(session_.Messages().LastPrompt().contains(QLatin1Char('"') + QLatin1String(named) + QLatin1Char('"')) ||
                  session_.Messages().LastPrompt().contains(QStringLiteral("“%1”").arg(QLatin1String(named))))
          << session_.Messages().LastPrompt().toStdString();
      EXPECT_EQ(w.MsGrid1()->TextMatrix(row, amountCol), QString());
      w.Editor()->DiscardCurrentRow();
    }
  };
  const long long journal = fx_.Count(fx_.JournalTable(), QStringLiteral("1=1"));
  const long long statement = fx_.Count(fx_.StatementTable(), QStringLiteral("1=1"));
  OpenItems<frmQYFQC>([&](frmQYFQC& w) { refuseEach(w, kQyDate, kQyCredit); });
  OpenItems<frmYHFQC>([&](frmYHFQC& w) { refuseEach(w, kYhDate, kYhDebit); });
  EXPECT_EQ(fx_.Count(fx_.JournalTable(), QStringLiteral("1=1")), journal);
  EXPECT_EQ(fx_.Count(fx_.StatementTable(), QStringLiteral("1=1")), statement);
}

// Keyed as a clerk with a Chinese input method does, typed key by key or pasted,
// a cell is read as meant or refused with the reason: no comma, bracket or letter
// is dropped so that the rest is stored as another amount, and a full-width style
// is its code, not its first character.
TEST_P(ItemWindowsTest, TypedAndPastedCellsAreReadAsMeantOrRefusedWithTheReason) {
  const char* const comma = "corvane.read.amount.separator";
  struct Case { const char* text; bool paste; const char* refusal; };  // refusal: its message key
  const Case cases[] = {{"12,5", false, comma}, {"１２，５", false, comma}, {"1 234,56", false, comma},
                        {"1.234,56", true, comma}, {"1e5", false, "corvane.read.amount"}, {"(100.00)", false, nullptr},
                        {"(100.00)", true, nullptr}, {"１２３４．５６", true, nullptr}};
  auto type = [](QWidget* to, const QString& keys) {
    for (QChar ch : keys) QTest::sendKeyEvent(QTest::Click, to, Qt::Key_unknown, QString(ch), Qt::NoModifier);
  };
  OpenItems<frmYHFQC>([&](frmYHFQC& w) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.text);
      session_.Messages().Clear();
      w.AddRow();
      const int row = w.MsGrid1()->Rows() - 1;
      w.MsGrid1()->SetTextMatrix(row, kYhDate, QStringLiteral("2026.02.20"));
      ASSERT_TRUE(w.MsGrid1()->StartEdit(row, kYhSettle));
      QWidget* style = w.MsGrid1()->ActiveEditor();
      type(style->focusProxy() ? style->focusProxy() : style, QStringLiteral("２０３"));
      ASSERT_TRUE(w.MsGrid1()->CommitEdit() && w.MsGrid1()->StartEdit(row, kYhDebit));
      auto* box = qobject_cast<QLineEdit*>(w.MsGrid1()->ActiveEditor());
      QGuiApplication::clipboard()->setText(QString::fromUtf8(c.text));
      c.paste ? box->paste() : type(box, QString::fromUtf8(c.text));
      EXPECT_EQ(w.MsGrid1()->CommitEdit(), c.refusal == nullptr);
      if (c.refusal) {
        EXPECT_EQ(session_.Messages().LastPrompt(),
                  shared::GetResString(QString::fromLatin1(c.refusal), platform::ToHalfWidth(QString::fromUtf8(c.text))));
        w.Editor()->DiscardCurrentRow();
      } else {
        EXPECT_EQ(w.Editor()->CommitCurrentRow(), shared::GridEditor::Commit::Saved);
      }
    }
  });
  const QString stored = QStringLiteral("ibegin=2 and mmoney=? and bd_c=1 and csettle='203'");
  EXPECT_EQ(fx_.Count(fx_.StatementTable(), stored, {Money::FromCents(-10000)}), 2);
  EXPECT_EQ(fx_.Count(fx_.StatementTable(), stored, {Money::FromCents(123456)}), 1);
}

// The fixture's ticked journal line is refused; its regular line is marked deleted.
TEST_P(ItemWindowsTest, DeletingMarksJournalLinesAndRefusesTickedOnes) {
  OpenItems<frmQYFQC>([&](frmQYFQC& w) {
    auto select = [&w](int state) {
      for (int r = w.MsGrid1()->Rows() - 1; r > 0; --r)
        if (w.RowState(r) == state) w.MsGrid1()->SetRow(r);
    };
    select(kRegularLocked);
    w.DeleteRow();
    EXPECT_EQ(session_.Messages().LastPrompt(), Cash("00112"));
    select(kRegular);
    session_.Messages().Answer(6);
    w.DeleteRow();
  });
  EXPECT_EQ(fx_.Count(fx_.JournalTable(), QStringLiteral("bdelete=1 and iperiod=1")), 1);
}

// Another session ticks or clears a line after the window loaded it, while the
// delete's question is open or before the row's change is saved: the line stays
// as that session left it, under its tick, and the user is told.
TEST_P(ItemWindowsTest, ALineTickedOrClearedMeanwhileIsNeitherDeletedNorChanged) {
  // period, of a journal line: 21 an opening item, 1 a line of the journal's own periods
  struct Case { const char* name; bool enterprise, remove, cleared; int period; };
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
    EXPECT_EQ(fx_.Count(table, QStringLiteral("%1=? and %2=7 and bdelete=? and %3=?").arg(keyColumn, tick, amount),
                    {keyValue, c.cleared ? 1 : 0, Money::FromCents(650)}),
              1);
  }
}

// With the statement table gone, a save and a delete are told and change nothing.
TEST_P(ItemWindowsTest, AFailedSaveOrDeleteIsShownAndWritesNothing) {
  OpenItems<frmYHFQC>([&](frmYHFQC& w) {
    const int rows = w.MsGrid1()->Rows(), shown = session_.Messages().Count();
    fx_.Db().Execute(QStringLiteral("alter table %1 rename to opening_away").arg(fx_.StatementTable()));
    int row = 0, col = 0;
    EXPECT_EQ(KeyRow(w, {{kYhDate, "2026.02.20"}, {kYhDebit, "4.00"}}, row, col), LeaveAnswer::Stay);
    EXPECT_EQ(session_.Messages().Count(), shown + 1);
    EXPECT_TRUE(w.RowKey(row).isEmpty());
    w.Editor()->DiscardCurrentRow();
    w.MsGrid1()->SetRow(1);
    session_.Messages().Answer(6);
    w.DeleteRow();
    fx_.Db().Execute(QStringLiteral("alter table opening_away rename to %1").arg(fx_.StatementTable()));
    EXPECT_EQ(w.MsGrid1()->Rows(), rows);
    EXPECT_TRUE(session_.Messages().LastPrompt().startsWith(
        shared::GetResString(QStringLiteral("corvane.opening.failed"), QString()).left(6)));
  });
  EXPECT_EQ(fx_.Count(fx_.StatementTable(), QStringLiteral("ibegin=2")), 5);
  EXPECT_EQ(fx_.Count(fx_.StatementTable(), QStringLiteral("mmoney=?"), {Money::FromCents(400)}), 0);
}

// A debit of "0.00" with no credit is an item of 0 on the debit side.
TEST_P(ItemWindowsTest, BankItemsRunFromTheBooksOpeningAndSaveAZeroDebit) {
  OpenItems<frmYHFQC>([&](frmYHFQC& w) {
    EXPECT_TRUE(w.Label3()->text().endsWith(QStringLiteral("900.00"))) << w.Label3()->text().toStdString();
    ASSERT_EQ(w.MsGrid1()->Rows() - 1, 4);
    EXPECT_EQ(w.MsGrid1()->TextMatrix(1, kYhBalance), QStringLiteral("1,050.00"));
    int row = 0, col = 0;
    const int shown = session_.Messages().Count();
    EXPECT_EQ(KeyRow(w, {{kYhDate, "2026.02.20"}, {kYhDebit, "0.00"}}, row, col), LeaveAnswer::Leave);
    EXPECT_EQ(session_.Messages().Count(), shown);
    EXPECT_EQ(w.MsGrid1()->TextMatrix(row, kYhBalance), QStringLiteral("1,050.00"));
    EXPECT_EQ(Change(w, row, {{kYhDebit, "25.00"}}, col), LeaveAnswer::Leave);
    // 900 +150 +50 -30 -20 +25, the new line sorted last as keyed.
    EXPECT_EQ(w.MsGrid1()->TextMatrix(row, kYhBalance), QStringLiteral("1,075.00"));
    EXPECT_EQ(KeyRow(w, {{kYhDate, "2026.02.21"}, {kYhDebit, "0.00"}}, row, col), LeaveAnswer::Leave);
  });
  EXPECT_EQ(fx_.Count(fx_.StatementTable(), QStringLiteral("ibegin=2 and mmoney=? and bd_c=1"), {Money::FromCents(2500)}), 1);
  EXPECT_EQ(fx_.Count(fx_.StatementTable(), QStringLiteral("ibegin=2 and mmoney=? and bd_c=1"), {Money()}), 1);
}

// The bank side reports under its own work tables and print format, prints its
// grid at 10.5 points and leaves it at 9; book mode goes to the grid print.
TEST_P(ItemWindowsTest, TheBankSideReportsUnderItsOwnTablesOrThroughTheGridPrint) {
  corvane::testing::ScriptedPrinting printing;
  suite::SuiteSettings(fx_.Db(), QStringLiteral("001")).Set(QStringLiteral("LocalPrintFormats"), QStringLiteral("0"));
  OpenItems<frmYHFQC>([&](frmYHFQC& w) {
    QFont font = w.MsGrid1()->font();
    font.setPointSizeF(12);
    w.MsGrid1()->setFont(font);
    w.rPrint();
    w.rDataOut();
    if (Book()) {
      ASSERT_EQ(printing.GridPrints().size(), 2u);
      for (const auto& call : printing.GridPrints()) {
        EXPECT_EQ(call.reportKey, QStringLiteral("RPDZDQCReport"));
        EXPECT_EQ(call.title, shared::GetResString(QStringLiteral("corvane.opening.bankheader")));
      }
      EXPECT_EQ((std::pair{printing.GridPrints()[0].mode, printing.GridPrints()[1].mode}), (std::pair{0, 2}));
      EXPECT_TRUE(printing.Runs().empty());
      return;
    }
    ASSERT_EQ(printing.Runs().size(), 2u) << session_.Messages().LastPrompt().toStdString();
    EXPECT_EQ(w.MsGrid1()->font().pointSizeF(), 9);
    const auto& run = printing.Runs()[0];
    EXPECT_TRUE(run.job.optionA);
    EXPECT_EQ((QStringList{run.job.headTable, run.job.tailTable}), (QStringList{"ZPDJ_Head", "ZPDJ_Tail"}));
    EXPECT_EQ((QStringList{run.headRow.value("P1").toString(), run.headRow.value("P5").toString(),
                           run.headRow.value("P7").toString(), run.tailRow.value("P4").toString()}),
              (QStringList{Cash("00881"), w.Label1()->text(), Cash("00052"), Cash("00053") + "演示账套"}));
    QStringList fields;
    for (const auto& f : printing.Runs()[1].job.fields) fields << QStringLiteral("%1/%2").arg(f.caption).arg(f.type);
    EXPECT_EQ(fields, (QStringList{Cash("00024") + "/8", Cash("00025") + "/10", Cash("00026") + "/10",
                                   Cash("00083") + "/5", Cash("00084") + "/5"}));
    // Its own print format: without that row the run is told so.
    fx_.Db().Execute(QStringLiteral("delete from PrintEx where cTableCode=?"), {QStringLiteral("GLYhQcDzd")});
    session_.Messages().Clear();
    w.rPreview();
    EXPECT_EQ(session_.Messages().Shown().front().prompt,
              shared::GetResString(QStringLiteral("Q9.GL.ZZPZ.12741"), QStringLiteral("GLYhQcDzd")));
  });
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
      EXPECT_EQ((QStringList{run.headRow.value("P1").toString(), run.headRow.value("P5").toString(),
                             run.tailRow.value("P4").toString(), run.tailRow.value("P5").toString()}),
                (QStringList{Cash("00104"), w.Label1()->text(), Cash("00053") + "演示账套", Cash("00054") + "测试"}));
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

// The filter command run again and again in one window: each OK filters from all
// the rows, "取消过滤" shows them all, and a Cancel leaves the rows as the last
// command left them, in both item windows.
TEST_P(ItemWindowsTest, TheFilterKeepsTheRowsThatMeetTheConditions) {
  struct Case { QString amount; int direction, shown; bool off = false, cancel = false; };
  auto run = [&](OpeningItemWindow& w, const std::vector<Case>& cases) {
    for (const Case& c : cases) {
      session_.Modals().Then([&c](QDialog& d) {
        auto& dialog = dynamic_cast<shared::frmYHFilter&>(d);
        dialog.Text4()->setText(c.amount);
        dialog.Option1(c.direction)->setChecked(true);
        dialog.Check1()->setChecked(c.off);
        (c.cancel ? dialog.Command2() : dialog.Command1())->click();
      });
      w.Toolbar()->Click(QStringLiteral("filt"));
      int shown = 0;
      for (int r = 1; r < w.MsGrid1()->Rows(); ++r) shown += w.MsGrid1()->IsRowHidden(r) ? 0 : 1;
      EXPECT_EQ(shown, c.shown) << c.amount.toStdString() << " / " << c.direction << " / " << c.off << " / " << c.cancel;
    }
  };
  OpenItems<frmYHFQC>([&](frmYHFQC& w) {
    run(w, {{"150", 0, 1}, {"", 2, 2}, {"50", 2, 0}, {"", 0, 4},
            // credit, switched off, then Cancel: all four stay
            {"", 2, 2}, {"", 2, 4, true}, {"", 2, 4, false, true},
            // credit, then Cancel: the two stay
            {"", 2, 2}, {"", 0, 2, false, true}});
  });
  OpenItems<frmQYFQC>([&](frmQYFQC& w) {
    run(w, {{"", 2, 2}, {"", 2, 3, true}, {"", 2, 3, false, true}, {"", 1, 1}, {"", 0, 1, false, true}});
  });
}

// A Delete on a row the filter hides deletes nothing and says why.
TEST_P(ItemWindowsTest, DeleteOnARowTheFilterHidesSaysWhyAndKeepsIt) {
  OpenItems<frmYHFQC>([&](frmYHFQC& w) {
    session_.Modals().Then([](QDialog& d) {
      auto& dialog = dynamic_cast<shared::frmYHFilter&>(d);
      dialog.Text4()->setText(QStringLiteral("50"));
      dialog.Option1(2)->setChecked(true);
      dialog.Command1()->click();
    });
    w.Toolbar()->Click(QStringLiteral("filt"));
    const int rows = w.MsGrid1()->Rows(), row = w.MsGrid1()->Row();
    ASSERT_TRUE(w.MsGrid1()->IsRowHidden(row));
    session_.Messages().Answer(6);
    w.Toolbar()->Click(QStringLiteral("del"));
    EXPECT_EQ(session_.Messages().LastPrompt(), shared::GetResString(QStringLiteral("corvane.grid.deletehidden")));
    EXPECT_EQ(w.MsGrid1()->Rows(), rows);
  });
}

// In book mode a new row shows the book's next flow number at once, without taking
// it; the save takes one and the row then shows the number stored, also when
// another session took the one shown meanwhile. Account mode shows none.
TEST_P(ItemWindowsTest, ANewBookRowShowsTheNextFlowNumberAndTheStoredOneOnceSaved) {
  OpenItems<frmQYFQC>([&](frmQYFQC& w) {
    w.AddRow();
    const int row = w.MsGrid1()->Rows() - 1;
    const QString shown = w.MsGrid1()->TextMatrix(row, kQyNo);
    EXPECT_EQ(shown, Book() ? fx_.Key() + QStringLiteral("000906") : QString());  // the fixture's last is 905
    EXPECT_TRUE(w.RowKey(row).isEmpty());
    if (Book()) { EXPECT_EQ(Session::Current().Cash().NewFlowId(fx_.Key(), true), shown); }  // taken elsewhere
    int col = 0;
    ASSERT_EQ(Change(w, row, {{kQyDate, "2026.02.20"}, {kQyDebit, "2.00"}}, col), LeaveAnswer::Leave);
    EXPECT_EQ(w.MsGrid1()->TextMatrix(row, kQyNo), Book() ? fx_.Key() + QStringLiteral("000907") : QString());
    if (Book()) { EXPECT_EQ(w.RowKey(row), w.MsGrid1()->TextMatrix(row, kQyNo)); }
  });
}

// Delete shows the row selected while it asks and puts the selection back on the
// first column whatever the answer.
TEST_P(ItemWindowsTest, DeleteSelectsTheRowWhileAskingAndThenOnlyTheFirstColumn) {
  struct Case { bool enterprise; int answer; int lastColumn; int rowsAfter; };
  const Case cases[] = {{true, 7, kQyCredit, 0}, {true, 6, kQyCredit, -1}, {false, 7, kYhBalance, 0}, {false, 6, kYhBalance, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.enterprise << " " << c.answer);
    auto inside = [&](OpeningItemWindow& w) {
      int row = 1;
      while (w.RowState(row) != kOpen) ++row;
      w.MsGrid1()->SetCurrentCell(row, c.enterprise ? int{kQyDebit} : int{kYhDebit});
      const int rows = w.MsGrid1()->Rows();
      std::array<int, 3> asking{};
      session_.Messages().Answer(c.answer, [&] {
        asking = {w.MsGrid1()->Col(), w.MsGrid1()->ColSel(), w.MsGrid1()->RowSel()};
      });
      w.DeleteRow();
      EXPECT_EQ(asking, (std::array<int, 3>{0, c.lastColumn, row}));
      EXPECT_EQ((std::pair{w.MsGrid1()->Col(), w.MsGrid1()->ColSel()}), (std::pair{0, 0}));
      EXPECT_EQ(w.MsGrid1()->Rows(), rows + c.rowsAfter);
    };
    c.enterprise ? OpenItems<frmQYFQC>(inside) : OpenItems<frmYHFQC>(inside);
  }
}

// F9 in either item window opens the calculator over the set-up window.
TEST_P(ItemWindowsTest, F9OpensTheCalculatorOverTheSetUpWindow) {
  for (bool enterprise : {true, false}) {
    SCOPED_TRACE(enterprise);
    auto inside = [&](OpeningItemWindow& w) {
      QWidget* owner = nullptr;
      session_.Modals().Then([&owner](QDialog& d) { owner = d.parentWidget(); });
      QKeyEvent f9(QEvent::KeyPress, Qt::Key_F9, Qt::NoModifier);
      QCoreApplication::sendEvent(w.MsGrid1()->View(), &f9);
      EXPECT_EQ(session_.Modals().Shown().back(), QStringLiteral("CalculatorPopup"));
      EXPECT_EQ(owner, Session::Current().windows.Find<frmYHDZQC>());
    };
    enterprise ? OpenItems<frmQYFQC>(inside) : OpenItems<frmYHFQC>(inside);
  }
}

// --- F7: the selection dialog again --------------------------------------------------

// A key pressed in the grid, where the cursor is.
void Press(OpeningItemWindow& w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget* view = w.MsGrid1()->View();
  view->setFocus();
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QCoreApplication::sendEvent(view, &press);
}

// On the enterprise side the dialog shows over the set-up window; a row that
// cannot be kept holds the cursor, and another account turns both windows and the lock.
TEST_P(ItemWindowsTest, F7OnTheEnterpriseSideCancelsKeepsOrTurnsToAnotherAccount) {
  const QString other = Book() ? QStringLiteral("YH001") : QStringLiteral("100201");
  OpenItems<frmQYFQC>([&](frmQYFQC& w) {
    frmYHDZQC& setup = *Session::Current().windows.Find<frmYHDZQC>();
    const int rows = w.MsGrid1()->Rows(), shown = session_.Modals().Count();
    fx_.AddJournal(QDate(2026, 2, 10), 21, 5, 0);  // stored meanwhile: only a reload would show it
    QWidget* owner = nullptr;
    session_.Modals().Then(testing::ChooseInDialog(fx_.Key(), false, &owner));
    Press(w, Qt::Key_F7);
    EXPECT_EQ(session_.Modals().Count(), shown + 1);
    EXPECT_EQ(owner, &setup);
    EXPECT_EQ(shared::frmYHKMXZ::Instance().parentWidget(), nullptr);
    EXPECT_EQ(w.MsGrid1()->Rows(), rows);
    EXPECT_EQ(w.Context().target.Key(), fx_.Key());

    int row = 0, col = 0;
    ASSERT_EQ(KeyRow(w, {{kQyDebit, "3.00"}}, row, col), LeaveAnswer::Stay);  // no date
    session_.Modals().Then(testing::ChooseInDialog(other));
    Press(w, Qt::Key_F7);
    EXPECT_EQ(setup.Target().Key(), fx_.Key());
    EXPECT_EQ(w.Context().target.Key(), fx_.Key());
    EXPECT_EQ(w.MsGrid1()->Rows(), rows + 1);
    EXPECT_EQ(w.MsGrid1()->Row(), row);

    w.Editor()->DiscardCurrentRow();
    session_.Modals().Then(testing::ChooseInDialog(other));
    Press(w, Qt::Key_F7);
    EXPECT_EQ(setup.Target().Key(), other);
    EXPECT_EQ(w.Context().target.Key(), other);
    EXPECT_EQ(w.CurYHKM, QStringLiteral("100201"));
    EXPECT_TRUE(session_.OtherSessionCanLock(OpeningFixture::account_, QStringLiteral("GL040702")));
    EXPECT_FALSE(session_.OtherSessionCanLock(QStringLiteral("100201"), QStringLiteral("GL040702")));
  });
  EXPECT_TRUE(session_.OtherSessionCanLock(QStringLiteral("100201"), QStringLiteral("GL040702")));
}

// On the bank side the dialog shows over the item window; the same account reloads.
TEST_P(ItemWindowsTest, F7OnTheBankSideReloadsAndAHotKeyRunsOnce) {
  OpenItems<frmYHFQC>([&](frmYHFQC& w) {
    const int rows = w.MsGrid1()->Rows();
    Press(w, Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(w.MsGrid1()->Rows(), rows + 1);
    w.Editor()->DiscardCurrentRow();
    fx_.AddStatement(QDate(2026, 2, 10), 1, 5);
    QWidget* owner = nullptr;
    session_.Modals().Then(testing::ChooseInDialog(fx_.Key(), true, &owner));
    Press(w, Qt::Key_F7);
    EXPECT_EQ(owner, &w);
    EXPECT_EQ(w.MsGrid1()->Rows(), rows + 1);
  });
}

INSTANTIATE_TEST_SUITE_P(Modes, ItemWindowsTest, ::testing::Values(false, true), testing::ModeName);

}  // namespace
}  // namespace corvane::opening
