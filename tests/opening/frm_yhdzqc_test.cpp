#include "host/menu_dispatcher.h"
#include "host/open_bank_recon_opening.h"
#include "shared/function_claim.h"
#include "opening/frm_qyfqc.h"
#include "opening_fixture.h"
#include "platform/controls/calculator_popup.h"
#include "platform/controls/date_picker.h"
#include "platform/controls/entry_grid.h"
#include "platform/controls/list_grid.h"
#include "platform/controls/toolbar_host.h"
#include "platform/services/param_object.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "shared/typed_value_texts.h"
#include "suite/services/suite_settings.h"
#include "support/scripted_print.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace corvane::opening {
namespace {

using platform::Money;
using shared::Session;
using testing::Cash;
using testing::OpeningFixture;

QStringList Labels(frmYHDZQC& w, std::initializer_list<int> numbers) {
  QStringList texts;
  for (int n : numbers) texts << w.Label(n)->text();
  return texts;
}

class FrmYhdzqcTest : public testing::OpeningWindowTest {
 protected:
  long long Count(const QString& sql, const platform::DbParams& p = {}) { return fx_.Db().QueryValue(sql, p).ToInt(); }
};

TEST_P(FrmYhdzqcTest, ShowsTheAdjustedBalancesOutputsAllFourRowsAndGivesEverythingBackOnClose) {
  corvane::testing::ScriptedPrinting printing;
  bool ran = false;
  Open([&](frmYHDZQC& w) {
    ran = true;
    // The summary's headings show before "Command6" fills it.
    const auto* header = w.findChild<QTableWidget*>(QStringLiteral("Header1"));
    ASSERT_TRUE(header && header->item(0, 2) && header->item(1, 2));
    EXPECT_EQ(header->item(0, 2)->text(), Cash("00502"));
    EXPECT_EQ(header->item(1, 2)->text(), Cash("00087"));
    EXPECT_EQ(w.CurYHKM, OpeningFixture::account_);
    EXPECT_EQ(Labels(w, {21, 22, 14, 15}), (QStringList{"1,000.00", "900.00", "1,150.00", "850.00"}));
    EXPECT_EQ(w.text11()->text(), QStringLiteral("2026.03.01"));
    EXPECT_EQ(w.lblBook()->isVisibleTo(&w), Book());
    EXPECT_EQ(Count(QStringLiteral("select count(*) from corvane_claim")), 1);
    w.FillSummaryGrid();
    ASSERT_EQ(w.MSGrid1()->Rows() - 1, 3);
    Shot(w, Book() ? QStringLiteral("opening-book.png") : QStringLiteral("opening-account.png"));
    // The data output holds the opening balances above the grid's three rows, and tells its result.
    printing.QueueResult(7);
    w.OutputSummaryData();
    ASSERT_EQ(printing.Runs().size(), 1u);
    const auto& body = printing.Runs()[0].body;
    ASSERT_EQ(body.size(), 4u);
    EXPECT_EQ((QStringList{body[0][1], body[3][1], body[3][3]}), Labels(w, {21, 14, 15}));
    EXPECT_FALSE(session_.Messages().LastPrompt().isEmpty());
  });
  EXPECT_TRUE(ran);
  EXPECT_EQ(Count(QStringLiteral("select count(*) from corvane_claim")), 0);
}

TEST_P(FrmYhdzqcTest, AnEditedBalanceIsSavedAndRecomputed) {
  Open([&](frmYHDZQC& w) {
    w.Label21_Click();
    ASSERT_TRUE(w.Text1()->isVisibleTo(&w));
    EXPECT_EQ(w.Text1()->text(), QStringLiteral("1000.00"));  // the edit starts from the shown balance
    EXPECT_FALSE(w.Label(21)->isVisibleTo(&w));
    // Typed with a Chinese input method in full-width mode.
    w.Text1()->clear();
    for (QChar ch : QString::fromUtf8("１２３４．５")) {
      QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
      QApplication::sendEvent(w.Text1(), &key);
    }
    w.EndBalanceEdit(w.Text1());
    EXPECT_TRUE(w.Label(21)->isVisibleTo(&w));
    EXPECT_EQ(Labels(w, {21, 14}), (QStringList{"1,234.50", "1,384.50"}));
  });
  EXPECT_EQ(JournalOpening(), Money::FromCents(123450));
}

// A calculator button opens the balance's edit and its calculator; the edit stays
// open while the calculator has the focus and ends when it closes: the label shows
// the result, which is saved and used. A cancelled calculator changes nothing.
TEST_P(FrmYhdzqcTest, TheCalculatorButtonsEndTheEditWithTheirResult) {
  struct Case { int button; const char* keys; bool confirm; QStringList labels; long long journal, bank; };
  const Case cases[] = {
      {4, "100", true, {"100.00", "900.00", "250.00", "850.00"}, 10000, 90000},
      {5, "250", true, {"100.00", "250.00", "250.00", "200.00"}, 10000, 25000},
      {4, "7", false, {"100.00", "250.00", "250.00", "200.00"}, 10000, 25000},
  };
  Open([&](frmYHDZQC& w) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.button);
      QLineEdit* box = c.button == 4 ? w.Text1() : w.Text5();
      QApplication::setActiveWindow(&w);
      session_.Modals().Then([&](QDialog& d) {
        EXPECT_TRUE(box->isVisibleTo(&w));
        QApplication::setActiveWindow(&d);  // the calculator takes the focus
        auto& calculator = dynamic_cast<platform::CalculatorPopup&>(d);
        calculator.Press(QStringLiteral("C"));
        for (const char* k = c.keys; *k; ++k) calculator.Press(QString(QLatin1Char(*k)));
        c.confirm ? calculator.AcceptResult() : calculator.reject();
      });
      w.Command(c.button)->click();
      EXPECT_FALSE(box->isVisibleTo(&w));
      EXPECT_EQ(Labels(w, {21, 22, 14, 15}), c.labels);
      EXPECT_EQ(JournalOpening(), Money::FromCents(c.journal));
      EXPECT_EQ(fx_.Db().QueryValue(QStringLiteral("select mmoney from %1 where %2=? and ibegin=0")
                                        .arg(fx_.StatementTable(), fx_.KeyColumn()), {fx_.Key()}).ToMoney(),
                Money::FromCents(c.bank));
    }
  });
}

// A balance is taken only as an amount within what one line may carry, whether
// typed, pasted or left by the calculator; anything else is refused by name, the
// label keeps its figure and nothing is written: both opening rows still hold
// what another session put there meanwhile. An empty box and a cleared
// calculator are 0, as keyed; the Delete key deletes as in any amount box.
TEST_P(FrmYhdzqcTest, ABalanceBeyondTheLineLimitOrNoNumberIsRefusedByNameAndNothingIsWritten) {
  enum Path { kTyped, kPasted, kCalculator };
  enum Told { kNothing, kBalance, kUnread, kCalculatorError };
  struct Case {
    const char* name;
    int button;  // 4 the journal balance, 5 the statement balance
    Path path;
    const char* input;
    Told told;
    const char* named;  // what the message names
    QStringList labels;  // 21 and 22 afterwards
  };
  const QStringList kept{"1,000.00", "900.00"};
  const Case cases[] = {
      {"TooLargeTyped", 4, kTyped, "10000000000", kBalance, "10000000000", kept},
      {"TooLargeNegativeTyped", 5, kTyped, "-10000000000", kBalance, "-10000000000", kept},
      {"ThirteenDigitsTyped", 4, kTyped, "9999999999999", kBalance, "9999999999999", kept},
      {"ExponentPasted", 5, kPasted, "1e+17", kUnread, "1e+17", kept},
      {"NegativeExponentPasted", 4, kPasted, "-1e+17", kUnread, "-1e+17", kept},
      {"InfinityPasted", 4, kPasted, "inf", kUnread, "inf", kept},
      {"NotANumberPasted", 5, kPasted, "nan", kUnread, "nan", kept},
      {"ErrorTextPasted", 5, kPasted, "Error", kUnread, "Error", kept},
      {"JustPastTheLimitPasted", 4, kPasted, "9,999,999,999.995", kUnread, "9,999,999,999.995", kept},
      // Typed as pasted, full-width as plain: no key is dropped so that the rest is another number.
      {"DecimalCommaTyped", 4, kTyped, "１２，５", kUnread, "12,5", kept},
      {"ExponentTyped", 5, kTyped, "1e5", kUnread, "1e5", kept},
      {"CalculatorTooLarge", 4, kCalculator, "99999999999999999", kBalance, "9999999999999999", kept},
      {"CalculatorTooLargeNegative", 5, kCalculator, "0-99999999999", kBalance, "-99999999999", kept},
      {"CalculatorDivisionByZero", 4, kCalculator, "1/0", kCalculatorError, "E", kept},
      {"CalculatorOverflow", 5, kCalculator, "99999999*99999999", kCalculatorError, "E", kept},
      {"LargestTyped", 4, kTyped, "9999999999.99", kNothing, "", {"9,999,999,999.99", "900.00"}},
      {"LargestNegativePasted", 5, kPasted, "-9,999,999,999.99", kNothing, "", {"9,999,999,999.99", "-9,999,999,999.99"}},
      {"EmptyPasted", 4, kPasted, "", kNothing, "", {"0.00", "-9,999,999,999.99"}},
      {"CalculatorCleared", 5, kCalculator, "C", kNothing, "", {"0.00", "0.00"}},
      // "<" the Left key, "\x7f" the Delete key.
      {"DeleteTyped", 4, kTyped, "123<<\x7f", kNothing, "", {"13.00", "0.00"}},
      {"BracketsTyped", 4, kTyped, "(100.00)", kNothing, "", {"-100.00", "0.00"}},
      {"BracketsPasted", 5, kPasted, "(100.00)", kNothing, "", {"-100.00", "-100.00"}},
      {"FullWidthPasted", 4, kPasted, "１２３４．５６", kNothing, "", {"1,234.56", "-100.00"}},
  };
  const QString journalSql = QStringLiteral("update %1 set md=? where %2=? and iperiod=20").arg(fx_.JournalTable(), fx_.KeyColumn());
  const QString bankSql = QStringLiteral("update %1 set mmoney=? where %2=? and ibegin=0").arg(fx_.StatementTable(), fx_.KeyColumn());
  auto bankOpening = [&] {
    return fx_.Db().QueryValue(QStringLiteral("select mmoney from %1 where %2=? and ibegin=0").arg(fx_.StatementTable(), fx_.KeyColumn()),
                               {fx_.Key()}).ToMoney();
  };
  auto send = [](QObject* to, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(to, &press);
  };
  const Money marker = Money::FromCents(1111), otherMarker = Money::FromCents(2222);
  Open([&](frmYHDZQC& w) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      // Written by another session while the window shows its figures.
      fx_.Db().Execute(journalSql, {marker, fx_.Key()});
      fx_.Db().Execute(bankSql, {otherMarker, fx_.Key()});
      session_.Messages().Clear();
      QLabel* label = w.Label(c.button == 4 ? 21 : 22);
      QLineEdit* box = c.button == 4 ? w.Text1() : w.Text5();
      const QString before = label->text();
      const QString boxBefore = Session::Current().Common().AmountTextToNumberText(before);
      if (c.path == kCalculator) {
        session_.Modals().Then([&](QDialog& d) {
          auto& calculator = dynamic_cast<platform::CalculatorPopup&>(d);
          for (const char* k = c.input; *k; ++k) calculator.Press(QString(QLatin1Char(*k)));
          QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
          QApplication::sendEvent(&calculator, &enter);
        });
        w.Command(c.button)->click();
      } else {
        QMouseEvent click(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(label, &click);
        ASSERT_TRUE(box->isVisibleTo(&w));
        box->clear();
        if (c.path == kPasted) box->setText(QString::fromUtf8(c.input));
        else
          for (QChar k : QString::fromUtf8(c.input))
            send(box, k == '<' ? Qt::Key_Left : k == '\x7f' ? Qt::Key_Delete : Qt::Key_unknown,
                 k == '<' ? QString() : QString(k));
        send(box, Qt::Key_Return, QStringLiteral("\r"));
      }
      EXPECT_FALSE(box->isVisibleTo(&w));
      EXPECT_TRUE(label->isVisibleTo(&w));
      EXPECT_EQ(Labels(w, {21, 22}), c.labels);
      if (c.told == kNothing) {
        EXPECT_EQ(session_.Messages().Count(), 0) << session_.Messages().LastPrompt().toStdString();
        EXPECT_EQ(JournalOpening(), *Money::Parse(Session::Current().Common().AmountTextToNumberText(c.labels[0])));
        EXPECT_EQ(bankOpening(), *Money::Parse(Session::Current().Common().AmountTextToNumberText(c.labels[1])));
        continue;
      }
      const QString side = w.Label(c.button == 4 ? 25 : 23)->text();
      const QString named = QString::fromUtf8(c.named);
      const QString expected =
          c.told == kBalance
              ? shared::GetResString(QStringLiteral("corvane.opening.balancerefused"), side, named,
                                     QStringLiteral("9,999,999,999.99"), before)
          : c.told == kUnread
              ? shared::GetResString(QStringLiteral("corvane.opening.balanceunread"), side,
                                     shared::AmountRefusalText(named, platform::ReadAmount(named).refusal), before)
              : shared::GetResString(QStringLiteral("corvane.calculator.refused"), named, boxBefore);
      EXPECT_EQ(session_.Messages().Count(), 1);
      EXPECT_EQ(session_.Messages().LastPrompt(), expected);
      EXPECT_TRUE(session_.Messages().LastPrompt().contains(QString::fromUtf8(c.named)));
      EXPECT_EQ(JournalOpening(), marker);
      EXPECT_EQ(bankOpening(), otherMarker);
      // The adjusted balances still follow the figures kept.
      EXPECT_EQ(Labels(w, {14, 15}), (QStringList{"1,150.00", "850.00"}));
    }
  });
}

// Leaving with a balance box still open saves what it holds only when it is a
// balance; a refused one is told and nothing of the set-up is written.
TEST_P(FrmYhdzqcTest, LeavingWithAnOpenBoxSavesOnlyABalance) {
  const struct {
    const char* typed;
    bool refused;
    long long journalCents;
  } cases[] = {{"1e+17", true, 1111}, {"12345678901", true, 1111}, {"12.5", false, 1250}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    Open([&](frmYHDZQC& w) {
      fx_.Db().Execute(QStringLiteral("update %1 set md=? where %2=? and iperiod=20").arg(fx_.JournalTable(), fx_.KeyColumn()),
                       {Money::FromCents(1111), fx_.Key()});
      session_.Messages().Clear();
      w.Label21_Click();
      w.Text1()->setText(QString::fromUtf8(c.typed));
      w.Toolbar1_ButtonClick(QStringLiteral("exit"));
      EXPECT_EQ(session_.Messages().Count(), c.refused ? 1 : 0);
      if (c.refused) {
        EXPECT_TRUE(session_.Messages().LastPrompt().contains(QString::fromUtf8(c.typed)));
      }
    });
    EXPECT_EQ(JournalOpening(), Money::FromCents(c.journalCents));
  }
}

// A cancelled pick changes and saves nothing; a pick recomputes every figure
// from the new date and saves the set-up with what the window then showed.
TEST_P(FrmYhdzqcTest, ADatePickRecomputesEveryFigureFromTheNewDateAndACancelChangesNothing) {
  Open([&](frmYHDZQC& w) {
    w.FillSummaryGrid();
    const std::initializer_list<int> figures{16, 17, 14, 18, 19, 15};
    EXPECT_EQ(Labels(w, figures), (QStringList{"200.00", "50.00", "1,150.00", "30.00", "80.00", "850.00"}));
    w.Label(21)->setText(QStringLiteral("5.00"));  // shown but never saved
    session_.Modals().Then([](QDialog& d) { d.reject(); });
    w.Command3_Click();
    EXPECT_EQ(w.text11()->text(), QStringLiteral("2026.03.01"));
    EXPECT_EQ(JournalOpening(), Money::FromCents(100000));
    session_.Modals().Then([](QDialog& d) { dynamic_cast<platform::DatePicker&>(d).PickDate(QDate(2026, 2, 12)); });
    w.Command3_Click();
    EXPECT_EQ(w.text11()->text(), QStringLiteral("2026.02.12"));
    EXPECT_EQ(w.BDate, QDate(2026, 2, 12));
    // The statement credit of 02.13 and the journal credit of 02.28 drop out.
    EXPECT_EQ(Labels(w, figures), (QStringList{"200.00", "0.00", "205.00", "30.00", "50.00", "880.00"}));
    // What the summary shows, prints and exports.
    EXPECT_EQ((QStringList{w.Texts().journalAdjusted, w.Texts().bankAdjusted}), (QStringList{"205.00", "880.00"}));
    EXPECT_EQ((QStringList{w.MSGrid1()->TextMatrix(3, 1), w.MSGrid1()->TextMatrix(3, 3)}),
              (QStringList{"205.00", "880.00"}));
  });
  const QString sql = Book() ? "select dBeginDate from RP_Book where cBookCode=?" : "select dbegin from code where ccode=?";
  EXPECT_EQ(fx_.Db().QueryValue(sql, {fx_.Key()}).ToDate(), QDate(2026, 2, 12));
  EXPECT_EQ(JournalOpening(), Money::FromCents(500));
}

// A line before the start whose date cannot be read is named once; what the sums
// build on is not computed; the start date and both balances are still set.
TEST_P(FrmYhdzqcTest, ALineWhoseDateCannotBeReadLeavesTheAdjustedBalancesNotComputed) {
  using shared::GetResString;
  const QString date = session_.Database().IsPostgres() ? QStringLiteral("infinity") : QStringLiteral("2026-13-05");
  const QString where = fx_.KeyColumn() + QStringLiteral("=? and ddate=?");
  const QString id = fx_.Db().QueryValue(QStringLiteral("select i_id from %1 where %2").arg(fx_.StatementTable(), where),
                                         {fx_.Key(), QDate(2026, 2, 10)}).ToString().rightJustified(6, QLatin1Char('0'));
  session_.Database().StoreDateText(fx_.StatementTable(), "ddate", where, {fx_.Key(), QDate(2026, 2, 10)}, date);
  const QString line = GetResString(QStringLiteral("corvane.host.unreadable.statementline"), GetResString(Book() ?
      QStringLiteral("corvane.host.unreadable.book") : QStringLiteral("corvane.host.unreadable.account"), fx_.Key()), id, "150.00");
  const QString notComputed = GetResString(QStringLiteral("corvane.opening.notcomputed"));
  Open([&](frmYHDZQC& w) {
    EXPECT_EQ(session_.Messages().LastPrompt(), GetResString(QStringLiteral("corvane.opening.sumsfailed"), GetResString(
        QStringLiteral("corvane.host.unreadable"), GetResString(QStringLiteral("corvane.host.unreadable.date"), "ddate", date) + line)));
    EXPECT_EQ(Labels(w, {16, 17, 14, 18, 19, 15}), QStringList(6, notComputed));
    w.Label22_Click();
    w.Text5()->setText(QStringLiteral("950"));
    w.EndBalanceEdit(w.Text5());
    session_.Modals().Then([](QDialog& d) { dynamic_cast<platform::DatePicker&>(d).PickDate(QDate(2026, 2, 12)); });
    w.Command3_Click();
    EXPECT_EQ(Labels(w, {21, 22, 15}) << w.text11()->text(), (QStringList{"1,000.00", "950.00", notComputed, "2026.02.12"}));
    EXPECT_EQ(session_.Messages().Count(), 1);
  });
  EXPECT_EQ(Count(QStringLiteral("select count(*) from %1 where ibegin=0 and mmoney=?").arg(fx_.StatementTable()),
                  {Money::FromCents(95000)}), 1);
  EXPECT_EQ(fx_.Db().QueryValue(Book() ? "select dBeginDate from RP_Book where cBookCode=?" : "select dbegin from code "
                                "where ccode=?", {fx_.Key()}).ToDate(), QDate(2026, 2, 12));
}

TEST_P(FrmYhdzqcTest, AnEmptyStartDateRefusesTheSaveAndTheItemWindows) {
  Open([&](frmYHDZQC& w) {
    w.text11()->clear();
    w.Label(21)->setText(QStringLiteral("7.00"));
    EXPECT_FALSE(w.SaveSetup());
    EXPECT_EQ(session_.Messages().LastPrompt(), Cash("00713"));
    const int modals = session_.Modals().Count();
    w.Command2_Click();
    EXPECT_EQ(session_.Modals().Count(), modals);
  });
  EXPECT_EQ(JournalOpening(), Money::FromCents(100000));
}

TEST_P(FrmYhdzqcTest, TheDirectionChangesOnlyWithoutTicksAndIsReadBack) {
  Open([&](frmYHDZQC& w) {
    w.Toolbar1_ButtonClick(QStringLiteral("edit"));
    EXPECT_EQ(session_.Messages().LastPrompt(), Cash("00756"));
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
    EXPECT_EQ(session_.Messages().LastPrompt(), Cash("00756"));
    setTicks(fx_.Db(), {});
    session_.Messages().Answer(7);  // No
    w.ChangeBalanceDirection();
    EXPECT_TRUE(w.BankFx);
    EXPECT_EQ(session_.Messages().LastPrompt(), Cash("00760") + QStringLiteral("   ") + Cash("00761") + QStringLiteral("   -->   ") + Cash("00762"));
    session_.Messages().Answer(6);  // Yes
    w.ChangeBalanceDirection();
    EXPECT_FALSE(w.BankFx);  // as read back from where the mode keeps it
    EXPECT_EQ(w.Text2()->text(), Cash("00716"));
    EXPECT_EQ(w.Label(14)->text(), QStringLiteral("850.00"));
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
      EXPECT_TRUE(param.Value1.isEmpty() && param.Value2.isEmpty() && !param.Confirmed);
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
    EXPECT_EQ((QStringList{run.headRow.value("P5").toString(), run.headRow.value("P27").toString(),
                           run.headRow.value("P30").toString()}), (QStringList{"1,150.00", "850.00", "1"}));
    EXPECT_TRUE(run.headRow.value("P28").isNull());
    // The unit is the account set's name, the preparer the signed-in user.
    const QString p20 = run.headRow.value(QStringLiteral("P20")).toString();
    EXPECT_TRUE(p20.startsWith(Cash("00053") + QStringLiteral("演示账套"))) << p20.toStdString();
    EXPECT_TRUE(p20.endsWith(Cash("00054") + QStringLiteral("测试"))) << p20.toStdString();
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
    // Ctrl+P prints as the menu does.
    QKeyEvent ctrlP(QEvent::KeyRelease, Qt::Key_P, Qt::ControlModifier);
    QApplication::sendEvent(&w, &ctrlP);
    EXPECT_EQ(printing.Runs().size(), 3u);
  });
}

// The opener's refusals leave nothing claimed and open nothing; voucher types
// are needed in account mode only.
TEST_P(FrmYhdzqcTest, TheOpenerRefusesWithoutBaseDataAndCancelClaimsNothing) {
  const std::pair<QString, QString> cases[] = {
      {QStringLiteral("dsign"), Book() ? QString() : QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03531")},
      {QStringLiteral("settlestyle"), QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03529")}};
  for (const auto& [table, key] : cases) {
    fx_.Db().Execute(QStringLiteral("delete from %1").arg(table));
    session_.Messages().Clear();
    session_.Modals().Then(testing::ChooseInDialog(fx_.Key(), false));  // answered only when it opens
    host::ExecuteMenu(QStringLiteral("RP0303"), {}, {}, {});
    // Without a message the dialog opened and was cancelled.
    EXPECT_EQ(session_.Messages().LastPrompt(), key.isEmpty() ? QString() : shared::GetResString(key)) << table.toStdString();
    EXPECT_EQ(session_.Messages().Count(), key.isEmpty() ? 0 : 1);
    EXPECT_EQ(Count(QStringLiteral("select count(*) from corvane_claim")), 0);
  }
}

// What the summary shows, cell by cell: its grid and the two opening balances above it.
std::string SummaryShown(frmYHDZQC& w) {
  QStringList texts;
  for (int r = 1; r < w.MSGrid1()->Rows(); ++r)
    for (int c = 0; c < 4; ++c) texts << w.MSGrid1()->TextMatrix(r, c);
  for (int c : {1, 3}) texts << (w.Header1()->item(1, c) ? w.Header1()->item(1, c)->text() : QString());
  return texts.join(QLatin1Char('|')).toStdString();
}

// The summary of the window's own figures, as "调节表" shows it.
std::string SummaryOf(frmYHDZQC& w) {
  QStringList texts;
  for (const auto& row : SummaryGridCells(w.Texts())) texts << QStringList(row.begin(), row.end());
  texts << w.Label(21)->text() << w.Label(22)->text();
  return texts.join(QLatin1Char('|')).toStdString();
}

std::string EmptySummary() { return QStringList(14, QString()).join(QLatin1Char('|')).toStdString(); }

// The window is used again for the next account or book: it shows no summary
// until "调节表", never the one before.
TEST_P(FrmYhdzqcTest, AnotherAccountOrBookStartsWithoutTheSummaryBefore) {
  const QString keys[] = {Book() ? QStringLiteral("YH001") : QStringLiteral("100201"), fx_.Key(),
                          Book() ? QStringLiteral("YH003") : QStringLiteral("100203")};
  QDialog* window = nullptr;
  for (const QString& key : keys) {
    SCOPED_TRACE(key.toStdString());
    session_.Modals().Then(testing::ChooseInDialog(key));
    bool ran = false;
    session_.Modals().Then([&](QDialog& d) {
      ran = true;
      auto& w = dynamic_cast<frmYHDZQC&>(d);
      if (window) EXPECT_EQ(window, &d) << "not the same window";
      window = &d;
      EXPECT_EQ(w.Target().Key(), key);
      EXPECT_EQ(SummaryShown(w), EmptySummary());
      w.Command(6)->click();
      EXPECT_EQ(SummaryShown(w), SummaryOf(w));
      w.close();
    });
    host::ExecuteMenu(QStringLiteral("RP0303"), {}, {}, {});
    EXPECT_TRUE(ran);
  }
}

// An account or book whose opening figures cannot be read (a stored amount
// written around the program) is refused with the reason after another one was
// open: the set-up window does not open with the other one's figures, nothing
// is saved to it, and the function and the account are given back.
TEST_P(FrmYhdzqcTest, AnAccountWhoseFiguresCannotBeReadOpensWithNothingOfAnother) {
  const QString first = Book() ? QStringLiteral("YH001") : QStringLiteral("100201");
  const struct {
    const char* name;
    bool damaged;
  } cases[] = {{"figures read", false}, {"an amount that cannot be read", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    session_.Modals().Then(testing::ChooseInDialog(first));
    session_.Modals().Then([](QDialog& d) { d.close(); });
    host::ExecuteMenu(QStringLiteral("RP0303"), {}, {}, {});
    const QString opening =
        QStringLiteral("update %1 set mmoney=? where %2=? and ibegin=0").arg(fx_.StatementTable(), fx_.KeyColumn());
    if (c.damaged && session_.Database().IsPostgres()) {
      fx_.Db().Execute(QString(opening).replace(QStringLiteral("mmoney=?"), QStringLiteral("mmoney=cast(? as numeric)")),
                       {QStringLiteral("999999999999999"), fx_.Key()});
    } else if (c.damaged) {
      fx_.Db().Execute(QStringLiteral("pragma ignore_check_constraints=1"));
      fx_.Db().Execute(opening, {QStringLiteral("12,50"), fx_.Key()});
      fx_.Db().Execute(QStringLiteral("pragma ignore_check_constraints=0"));
    }
    const Money journalBefore = JournalOpening();
    session_.Messages().Clear();
    session_.Modals().Then(testing::ChooseInDialog(fx_.Key()));
    bool shown = false;
    session_.Modals().Then([&](QDialog& d) {
      shown = true;
      dynamic_cast<frmYHDZQC&>(d).Toolbar()->Click(QStringLiteral("exit"));  // the exit that saves
    });
    host::ExecuteMenu(QStringLiteral("RP0303"), {}, {}, {});
    EXPECT_EQ(shown, !c.damaged);
    EXPECT_EQ(session_.Messages().Count(), c.damaged ? 1 : 0);
    if (c.damaged) {
      EXPECT_TRUE(session_.Messages().LastPrompt().startsWith(
          shared::GetResString(QStringLiteral("corvane.opening.failed"), QString()).left(6)));
    }
    EXPECT_EQ(JournalOpening(), journalBefore);
    EXPECT_EQ(shared::FunctionClaimCount(host::OpeningFunctionId()), 0);
    EXPECT_TRUE(session_.OtherSessionCanLock(fx_.Target().accountCode, host::OpeningFunctionId()));
    if (c.damaged) fx_.Db().Execute(opening, {Money::FromCents(90000), fx_.Key()});
  }
}

// Once shown (the summary, or the data output's table), the summary follows every
// change of the window's figures; one never shown stays empty.
TEST_P(FrmYhdzqcTest, TheShownSummaryFollowsEveryChangeOfTheFigures) {
  corvane::testing::ScriptedPrinting printing;
  suite::SuiteSettings(fx_.Db(), QStringLiteral("001")).Set(QStringLiteral("LocalPrintFormats"), QStringLiteral("0"));
  auto typeBalance = [](QLabel* label, QLineEdit* box, const char* digits) {
    QMouseEvent click(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(label, &click);
    ASSERT_FALSE(box->isHidden());
    QTest::keyClicks(box, QString::fromLatin1(digits));
    QTest::keyClick(box, Qt::Key_Return);
    ASSERT_TRUE(box->isHidden());
  };
  enum Shown { kNothing, kSummary, kDataOutput };
  struct Case {
    const char* change;
    Shown shown;
    std::function<void(frmYHDZQC&)> change_;
  };
  const Case cases[] = {
      {"journal opening typed", kSummary, [&](frmYHDZQC& w) { typeBalance(w.Label(21), w.Text1(), "1234"); }},
      {"bank opening typed", kSummary, [&](frmYHDZQC& w) { typeBalance(w.Label(22), w.Text5(), "777"); }},
      {"typed after the data output", kDataOutput,
       [&](frmYHDZQC& w) { typeBalance(w.Label(21), w.Text1(), "88"); }},
      {"direction turned", kSummary,
       [&](frmYHDZQC& w) {
         for (const QString& t : {fx_.StatementTable(), fx_.JournalTable()})
           fx_.Db().Execute(QStringLiteral("update %1 set %2=null where %3=?")
                                .arg(t, t == fx_.StatementTable() ? QStringLiteral("iflag") : QStringLiteral("iflagbank"),
                                     fx_.KeyColumn()), {fx_.Key()});
         session_.Messages().Answer(6);
         w.Toolbar1_ButtonClick(QStringLiteral("edit"));
         ASSERT_FALSE(w.BankFx);
       }},
      {"typed with nothing shown", kNothing, [&](frmYHDZQC& w) { typeBalance(w.Label(21), w.Text1(), "55"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.change);
    Open([&](frmYHDZQC& w) {
      if (c.shown == kSummary) w.Command(6)->click();
      if (c.shown == kDataOutput) w.Toolbar1_ButtonClick(QStringLiteral("dout"));
      const std::string before = SummaryOf(w);
      c.change_(w);
      ASSERT_NE(SummaryOf(w), before) << "the figures did not change";
      EXPECT_EQ(SummaryShown(w), c.shown == kNothing ? EmptySummary() : SummaryOf(w));
      // What prints is the window's figures, whatever the grid shows.
      w.Toolbar1_ButtonClick(QStringLiteral("preview"));
      ASSERT_FALSE(printing.Runs().empty());
      EXPECT_EQ(printing.Runs().back().headRow.value("P5").toString(), w.Label(14)->text());
    });
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, FrmYhdzqcTest, ::testing::Values(false, true), testing::ModeName);

// A foreign-currency account names its currency after the foreign note; a book
// does not, and its journal items show the book's own amounts all the same.
class ForeignOpeningTest : public testing::OpeningWindowTest {
 protected:
  ForeignOpeningTest() : OpeningWindowTest(/*foreign=*/true) {}
};

TEST_P(ForeignOpeningTest, AnAccountNamesItsCurrencyABookDoesNotAndItsItemsShowTheirOwnAmounts) {
  Open([&](frmYHDZQC& w) {
    const QString account = QStringLiteral("测试银行(") + OpeningFixture::account_ + QStringLiteral(")") + Cash("00089");
    EXPECT_EQ(w.Label(12)->text(), account + (Book() ? QString() : QStringLiteral("美元")));
    Shot(w, Book() ? QStringLiteral("opening-foreign-book.png") : QStringLiteral("opening-foreign-account.png"));
    session_.Modals().Then([&](QDialog& d) {
      auto& items = dynamic_cast<frmQYFQC&>(d);
      EXPECT_TRUE(items.Label1()->text().endsWith(Cash("00089") + QStringLiteral("美元")))
          << items.Label1()->text().toStdString();
      // The period-21 item of 30 is kept as 3 in the currency's own column.
      QStringList debits;
      for (int r = 1; r < items.MsGrid1()->Rows(); ++r) debits << items.MsGrid1()->TextMatrix(r, kQyDebit);
      EXPECT_TRUE(debits.contains(QStringLiteral("3.00"))) << debits.join(' ').toStdString();
    });
    w.Command2_Click();
  });
}

INSTANTIATE_TEST_SUITE_P(Modes, ForeignOpeningTest, ::testing::Values(false, true), testing::ModeName);

// The summary's first column is headed by its caption fitted to 12 bytes, cut or
// filled, the third by the whole caption; its rows are 600 twips high.
class SummaryHeadingTest : public ::testing::TestWithParam<const char*> {};

TEST_P(SummaryHeadingTest, TheFirstCaptionIsTwelveBytesAndTheRowsSixHundredTwipsHigh) {
  corvane::testing::SuiteSession session(false, QDate(2026, 12, 15), QString::fromLatin1(GetParam()));
  frmYHDZQC w;
  w.FillSummaryGrid();
  const QString whole = Cash("00087");
  const QString first = w.Header1()->item(1, 0)->text();
  EXPECT_EQ(Session::Current().Common().GetByteLength(first), 12) << first.toStdString();
  EXPECT_TRUE(whole.startsWith(first.trimmed())) << first.toStdString();
  EXPECT_EQ(w.Header1()->item(1, 2)->text(), whole);
  for (int r = 1; r <= 3; ++r) EXPECT_EQ(w.MSGrid1()->RowHeight(r), 600) << r;
}

INSTANTIATE_TEST_SUITE_P(Languages, SummaryHeadingTest, ::testing::Values("zh-CN", "en-US"));

}  // namespace
}  // namespace corvane::opening
