#include "host/menu_dispatcher.h"
#include "opening/frm_qyfqc.h"
#include "opening/frm_yhdzqc.h"
#include "opening/frm_yhfqc.h"
#include "opening_fixture.h"
#include "platform/controls/date_picker.h"
#include "platform/controls/entry_grid.h"
#include "platform/controls/list_grid.h"
#include "platform/controls/toolbar_host.h"
#include "platform/services/param_object.h"
#include "shared/frm_yhkmxz.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "suite/services/suite_settings.h"
#include "support/scripted_print.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QKeyEvent>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace corvane::opening {
namespace {

using platform::Money;
using shared::Session;
using testing::OpeningFixture;
using Step = corvane::testing::ScriptedModals::Step;

// The selection dialog answered with the fixture's account or book.
Step Choose(const QString& code) {
  return [code](QDialog& d) {
    auto& dialog = dynamic_cast<shared::frmYHKMXZ&>(d);
    const bool book = Session::Current().BookMode();
    QComboBox* list = book ? dialog.cmbBook() : dialog.Combo1();
    for (int i = 0; i < list->count(); ++i) {
      const QString itemCode = book ? dialog.cmbBookCode()->itemText(i) : list->itemData(i).toString();
      if (itemCode.compare(code, Qt::CaseInsensitive) == 0) list->setCurrentIndex(i);
    }
    dialog.Command1_Click();
  };
}

class FrmYhdzqcTest : public ::testing::TestWithParam<bool> {
 protected:
  bool Book() const { return GetParam(); }
  // Opens "RP0303" on the fixture and runs `inside` while the set-up window is shown.
  void Open(std::function<void(frmYHDZQC&)> inside) {
    session_.Modals().Then(Choose(fx_.Key()));
    bool ran = false;
    session_.Modals().Then([inside, &ran](QDialog& d) {
      auto& w = dynamic_cast<frmYHDZQC&>(d);
      ran = true;
      inside(w);
      if (w.isVisible()) w.close();
    });
    host::ExecuteMenu(QStringLiteral("RP0303"), {}, {}, {});
    ASSERT_TRUE(ran) << "the set-up window did not open";
  }
  QString LastKey() {
    const auto& shown = session_.Messages().Shown();
    return shown.empty() ? QString() : shown.back().prompt;
  }
  QString Text(const char* number) {
    return shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.") + QLatin1String(number));
  }
  long long Count(const QString& sql, const platform::DbParams& p = {}) { return fx_.Db().QueryValue(sql, p).ToInt(); }
  Money JournalOpening() {
    return fx_.Db().QueryValue(QStringLiteral("select md from %1 where %2=? and iperiod=20")
                                   .arg(fx_.JournalTable(), fx_.KeyColumn()), {fx_.Key()}).ToMoney();
  }

  corvane::testing::SuiteSession session_{GetParam()};
  OpeningFixture fx_{session_, GetParam()};
};

TEST_P(FrmYhdzqcTest, ShowsTheAdjustedBalancesAndGivesEverythingBackOnClose) {
  bool ran = false;
  Open([&](frmYHDZQC& w) {
    ran = true;
    // The summary's headings show before "Command6" fills it.
    const auto* header = w.findChild<QTableWidget*>(QStringLiteral("Header1"));
    ASSERT_TRUE(header && header->item(0, 2) && header->item(1, 2));
    EXPECT_EQ(header->item(0, 2)->text(), Text("00502"));
    EXPECT_EQ(header->item(1, 2)->text(), Text("00087"));
    EXPECT_EQ(w.CurYHKM, OpeningFixture::account_);
    EXPECT_EQ(w.Label(21)->text(), QStringLiteral("1,000.00"));
    EXPECT_EQ(w.Label(22)->text(), QStringLiteral("900.00"));
    EXPECT_EQ(w.Label(14)->text(), QStringLiteral("1,150.00"));
    EXPECT_EQ(w.Label(15)->text(), QStringLiteral("850.00"));
    EXPECT_EQ(w.text11()->text(), QStringLiteral("2026.03.01"));
    EXPECT_EQ(w.lblBook()->isVisibleTo(&w), Book());
    EXPECT_EQ(Count(QStringLiteral("select count(*) from corvane_claim")), 1);
    const QString dir = qEnvironmentVariable("CORVANE_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
      w.FillSummaryGrid();
      w.grab().save(QDir(dir).filePath(Book() ? QStringLiteral("opening-book.png") : QStringLiteral("opening-account.png")));
    }
  });
  EXPECT_TRUE(ran);
  EXPECT_EQ(Count(QStringLiteral("select count(*) from corvane_claim")), 0);
}

TEST_P(FrmYhdzqcTest, AnEditedBalanceIsSavedAndRecomputed) {
  Open([&](frmYHDZQC& w) {
    w.Label21_Click();
    ASSERT_TRUE(w.Text1()->isVisibleTo(&w));
    EXPECT_FALSE(w.Label(21)->isVisibleTo(&w));
    // Typed with a Chinese input method in full-width mode.
    w.Text1()->clear();
    for (QChar ch : QString::fromUtf8("１２３４．５")) {
      QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
      QApplication::sendEvent(w.Text1(), &key);
    }
    w.EndBalanceEdit(w.Text1());
    EXPECT_EQ(w.Label(21)->text(), QStringLiteral("1,234.50"));
    EXPECT_TRUE(w.Label(21)->isVisibleTo(&w));
    EXPECT_EQ(w.Label(14)->text(), QStringLiteral("1,384.50"));
  });
  EXPECT_EQ(JournalOpening(), Money::FromCents(123450));
}

TEST_P(FrmYhdzqcTest, ACancelledDatePickChangesNothing) {
  Open([&](frmYHDZQC& w) {
    w.Label(21)->setText(QStringLiteral("5.00"));  // shown but never saved
    session_.Modals().Then([](QDialog& d) { d.reject(); });
    w.Command3_Click();
    EXPECT_EQ(w.text11()->text(), QStringLiteral("2026.03.01"));
    EXPECT_EQ(JournalOpening(), Money::FromCents(100000));  // the cancel saved nothing
    session_.Modals().Then([](QDialog& d) { dynamic_cast<platform::DatePicker&>(d).PickDate(QDate(2026, 2, 12)); });
    w.Command3_Click();
    EXPECT_EQ(w.text11()->text(), QStringLiteral("2026.02.12"));
    EXPECT_EQ(w.BDate, QDate(2026, 2, 12));
  });
  // Only the pick was saved, with what the window then showed.
  const QDate stored = Book() ? fx_.Db().QueryValue(QStringLiteral("select dBeginDate from RP_Book where cBookCode=?"), {fx_.Key()}).ToDate()
                              : fx_.Db().QueryValue(QStringLiteral("select dbegin from code where ccode=?"), {fx_.Key()}).ToDate();
  EXPECT_EQ(stored, QDate(2026, 2, 12));
  EXPECT_EQ(JournalOpening(), Money::FromCents(500));
}

TEST_P(FrmYhdzqcTest, ADatePickRecomputesEveryFigureFromTheNewDate) {
  struct Figure {
    int label;
    const char* before;  // start 2026.03.01
    const char* after;   // start 2026.02.12: the statement credit of 02.13 and the journal credit of 02.28 drop out
  };
  const Figure figures[] = {{16, "200.00", "200.00"}, {17, "50.00", "0.00"},  {14, "1,150.00", "1,200.00"},
                            {18, "30.00", "30.00"},   {19, "80.00", "50.00"}, {15, "850.00", "880.00"}};
  Open([&](frmYHDZQC& w) {
    w.FillSummaryGrid();
    for (const Figure& f : figures) EXPECT_EQ(w.Label(f.label)->text(), f.before) << f.label;
    session_.Modals().Then([](QDialog& d) { dynamic_cast<platform::DatePicker&>(d).PickDate(QDate(2026, 2, 12)); });
    w.Command3_Click();
    for (const Figure& f : figures) EXPECT_EQ(w.Label(f.label)->text(), f.after) << f.label;
    // What the summary shows, prints and exports.
    EXPECT_EQ(w.Texts().journalAdjusted, "1,200.00");
    EXPECT_EQ(w.Texts().bankAdjusted, "880.00");
    const TextGrid cells = SummaryGridCells(w.Texts());
    for (size_t r = 0; r < cells.size(); ++r)
      for (int c = 0; c < 4; ++c) EXPECT_EQ(w.MSGrid1()->TextMatrix(int(r) + 1, c), cells[r][c]) << r << c;
  });
}

TEST_P(FrmYhdzqcTest, AnEmptyStartDateRefusesTheSaveAndTheItemWindows) {
  Open([&](frmYHDZQC& w) {
    w.text11()->clear();
    w.Label(21)->setText(QStringLiteral("7.00"));
    EXPECT_FALSE(w.SaveSetup());
    EXPECT_EQ(LastKey(), Text("00713"));
    const int modals = session_.Modals().Count();
    w.Command2_Click();
    EXPECT_EQ(session_.Modals().Count(), modals);
  });
  EXPECT_EQ(JournalOpening(), Money::FromCents(100000));
}

TEST_P(FrmYhdzqcTest, TheDirectionChangesOnlyWithoutTicksAndIsReadBack) {
  Open([&](frmYHDZQC& w) {
    w.Toolbar1_ButtonClick(QStringLiteral("edit"));
    EXPECT_EQ(LastKey(), Text("00756"));
    EXPECT_TRUE(w.BankFx);
    auto setTicks = [&](platform::DbConnection& db, const platform::DbValue& tick) {
      for (const QString& t : {fx_.StatementTable(), fx_.JournalTable()})
        db.Execute(QStringLiteral("update %1 set %2=? where %3=?")
                       .arg(t, t == fx_.StatementTable() ? QStringLiteral("iflag") : QStringLiteral("iflagbank"),
                            fx_.KeyColumn()), {tick, fx_.Key()});
    };
    setTicks(fx_.Db(), {});
    // Lines ticked by another session while the question is open: nothing changes.
    session_.Messages().Answer(6, [&] { setTicks(*session_.Database().OpenAnother(), 3); });
    w.ChangeBalanceDirection();
    EXPECT_TRUE(w.BankFx);
    EXPECT_EQ(LastKey(), Text("00756"));
    setTicks(fx_.Db(), {});
    session_.Messages().Answer(7);  // No
    w.ChangeBalanceDirection();
    EXPECT_TRUE(w.BankFx);
    EXPECT_EQ(LastKey(), Text("00760") + QStringLiteral("   ") + Text("00761") + QStringLiteral("   -->   ") + Text("00762"));
    session_.Messages().Answer(6);  // Yes
    w.ChangeBalanceDirection();
    EXPECT_FALSE(w.BankFx);  // as read back from where the mode keeps it
    EXPECT_EQ(w.Text2()->text(), Text("00716"));
    EXPECT_EQ(w.Label(14)->text(), QStringLiteral("850.00"));
  });
}

TEST_P(FrmYhdzqcTest, TheDataOutputGridHoldsAllFourRows) {
  corvane::testing::ScriptedPrinting printing;
  Open([&](frmYHDZQC& w) {
    w.FillSummaryGrid();
    ASSERT_EQ(w.MSGrid1()->Rows() - 1, 3);
    printing.QueueResult(7);
    w.OutputSummaryData();
    ASSERT_EQ(printing.Runs().size(), 1u);
    const auto& body = printing.Runs()[0].body;
    ASSERT_EQ(body.size(), 4u);
    EXPECT_EQ(body[0][1], w.Label(21)->text());
    EXPECT_EQ(body[3][1], w.Label(14)->text());
    EXPECT_EQ(body[3][3], w.Label(15)->text());
    // The output's result is reported.
    EXPECT_FALSE(session_.Messages().LastPrompt().isEmpty());
  });
}

TEST_P(FrmYhdzqcTest, TheSetUpKeepsItsKeyWhateverTheSharedChoiceHoldsAfterwards) {
  Open([&](frmYHDZQC& w) {
    platform::ParamObject& param = Session::Current().Common().GetParamObject();
    ASSERT_FALSE(param.Value1.isEmpty());
    session_.Modals().Then([&](QDialog& d) {
      auto& items = dynamic_cast<frmQYFQC&>(d);
      // The digest reference picks a digest and releases the shared values.
      session_.Modals().Then([](QDialog& ref) {
        ref.findChild<QLineEdit*>(QStringLiteral("txtFilter"))->setText(QStringLiteral("期初"));
        Q_EMIT ref.findChild<QDialogButtonBox*>()->accepted();
      });
      QString text;
      EXPECT_TRUE(items.RefRequest(1, kQyDigest, text));
      EXPECT_EQ(text, QStringLiteral("期初"));
      EXPECT_TRUE(param.Value1.isEmpty());
      EXPECT_TRUE(param.Value2.isEmpty());
      EXPECT_FALSE(param.Confirmed);
    });
    w.Command2_Click();
    EXPECT_EQ(w.CurYHKM, OpeningFixture::account_);
    EXPECT_EQ(w.strBookCode, Book() ? fx_.Key() : QString());
    EXPECT_EQ(w.Label(21)->text(), QStringLiteral("1,000.00"));
    w.Label(21)->setText(QStringLiteral("2.00"));
    EXPECT_TRUE(w.SaveSetup());
  });
  EXPECT_EQ(JournalOpening(), Money::FromCents(200));
  EXPECT_EQ(Count(QStringLiteral("select count(*) from %1 where iperiod=20 and (%2 is null or %2='')")
                      .arg(fx_.JournalTable(), fx_.KeyColumn())), 0);
}

TEST_P(FrmYhdzqcTest, ThePrintedStatementCarriesTheShownFigures) {
  corvane::testing::ScriptedPrinting printing;
  // The print formats of the account set's own table (the test has no local format file).
  suite::SuiteSettings(fx_.Db(), QStringLiteral("001")).Set(QStringLiteral("LocalPrintFormats"), QStringLiteral("0"));
  Open([&](frmYHDZQC& w) {
    w.rPreview();
    ASSERT_EQ(printing.Runs().size(), 1u) << session_.Messages().LastPrompt().toStdString();
    const auto& run = printing.Runs()[0];
    EXPECT_EQ(run.job.headTable, QStringLiteral("yhdzqc_H"));
    EXPECT_EQ(run.headRow.value(QStringLiteral("P5")).toString(), QStringLiteral("1,150.00"));
    EXPECT_EQ(run.headRow.value(QStringLiteral("P27")).toString(), QStringLiteral("850.00"));
    EXPECT_EQ(run.headRow.value(QStringLiteral("P30")).toInt(), 1);
    EXPECT_TRUE(run.headRow.value(QStringLiteral("P28")).isNull());
    // The unit is the account set's name, the preparer the signed-in user.
    const QString p20 = run.headRow.value(QStringLiteral("P20")).toString();
    EXPECT_TRUE(p20.startsWith(Text("00053") + QStringLiteral("演示账套"))) << p20.toStdString();
    EXPECT_TRUE(p20.endsWith(Text("00054") + QStringLiteral("测试"))) << p20.toStdString();
    // Without its print-format row the run still goes, and its result is told.
    fx_.Db().Execute(QStringLiteral("delete from PrintEx where cTableCode=?"), {QStringLiteral("GLYhQc")});
    printing.QueueResult(22);
    w.rPrint();
    ASSERT_EQ(printing.Runs().size(), 2u);
    EXPECT_EQ(printing.Runs()[1].job.headTemplate, QString());
    const auto& shown = session_.Messages().Shown();
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[shown.size() - 2].prompt, shared::GetResString(QStringLiteral("Q9.GL.ZZPZ.12741"), QStringLiteral("GLYhQc")));
    EXPECT_TRUE(shown.back().prompt.endsWith(shared::GetResString(QStringLiteral("Q9.GL.ZZPZ.02809"), 22)));
  });
}

INSTANTIATE_TEST_SUITE_P(Modes, FrmYhdzqcTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "book" : "account"; });

// The opener's refusals leave nothing claimed and open nothing.
class OpenerRefusalTest : public ::testing::TestWithParam<bool> {
 protected:
  corvane::testing::SuiteSession session_{GetParam()};
};

TEST_P(OpenerRefusalTest, BaseDataAndCancel) {
  auto& db = session_.Db();
  auto claims = [&] { return db.QueryValue(QStringLiteral("select count(*) from corvane_claim")).ToInt(); };
  struct Case {
    QString table;
    QString key;
  };
  // Voucher types are needed in account mode only.
  std::vector<Case> cases{{QStringLiteral("dsign"), GetParam() ? QString() : QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03531")},
                          {QStringLiteral("settlestyle"), QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03529")}};
  for (const Case& c : cases) {
    db.Execute(QStringLiteral("delete from %1").arg(c.table));
    session_.Messages().Clear();
    session_.Modals().Then([](QDialog& d) { dynamic_cast<shared::frmYHKMXZ&>(d).Command2_Click(); });
    host::ExecuteMenu(QStringLiteral("RP0303"), {}, {}, {});
    if (c.key.isEmpty()) {
      EXPECT_EQ(session_.Messages().Count(), 0);  // the dialog opened and was cancelled
    } else {
      ASSERT_EQ(session_.Messages().Count(), 1) << c.table.toStdString();
      EXPECT_EQ(session_.Messages().LastPrompt(), shared::GetResString(c.key));
    }
    EXPECT_EQ(claims(), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, OpenerRefusalTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "book" : "account"; });

}  // namespace
}  // namespace corvane::opening
