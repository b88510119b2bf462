// The sums and account facts over the database, and the pop-ups that fill a box.
#include "platform/controls/calculator_popup.h"
#include "platform/controls/date_picker.h"
#include "platform/controls/digest_reference.h"
#include "platform/db/db_error.h"
#include "shared/account_facts.h"
#include "shared/balance_sums.h"
#include "shared/popups.h"
#include "shared/session.h"
#include "support/fake_services.h"
#include "support/scripted_dialogs.h"
#include "support/suite_session.h"
#include "support/test_database.h"

#include <QLineEdit>
#include <QListWidget>
#include <gtest/gtest.h>

namespace corvane::shared {
namespace {

using platform::Money;

Money M(const char* text) { return *Money::Parse(QString::fromLatin1(text)); }

// One account "A" (book "BK1" in book mode) with lines on both sides around the
// reconciliation start date 2026-03-01, and another account's lines that no sum
// may pick up. The same lines go into the account-mode and the book-mode tables.
class BalanceSumsTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    auto common = std::make_unique<testing::FakeCommonServices>();
    common->connection = &db_.Connection();
    Session& s = Session::Current();
    s.gCommonServices = std::move(common);
    s.gCashServices = std::make_unique<testing::FakeCashServices>();
    s.gBookMode = GetParam() ? 1 : 0;
    for (const char* code : {"A", "B"}) {
      Statement(code, "2026-01-01", 1, "999", 0, 0, 0);  // opening row, never summed
      Journal(code, 20, "2026-01-01", "500", "0");       // journal opening, never summed
    }
    Statement("A", "2026-02-10", 1, "100", 0, 0);
    Statement("A", "2026-02-20", 0, "40", 2, 1);
    Statement("A", "2026-03-01", 1, "10", 14, 0);
    Statement("A", "2026-03-31", 0, "7", 0, 0);
    Statement("A", "2026-04-01", 1, "1000", 0, 0);
    Statement("B", "2026-02-01", 1, "5", 0, 0);
    Journal("A", 1, "2026-01-15", "100", "0");
    Journal("A", 21, "2026-02-25", "0", "30");
    Journal("A", 3, "2026-03-05", "60", "0", 3);
    Journal("A", 3, "2026-03-20", "0", "20", 0, 1);
    Journal("A", 3, "2026-03-10", "1000", "0", 0, 0, /*posted=*/0);
    Journal("A", 4, "2026-04-02", "0", "0", 0, 0, 1, "12.5");
    Journal("B", 2, "2026-02-02", "9", "0");
  }
  void TearDown() override {
    Session::Current().gCommonServices.reset();
    Session::Current().gBookMode = 0;
  }

  static QString Code() { return GetParam() ? QStringLiteral("BK1") : QStringLiteral("A"); }
  static QString BookOf(const char* code) {
    const QString c = QString::fromLatin1(code);
    return c == QLatin1String("A") ? QStringLiteral("BK1") : c == QLatin1String("O'K") ? QStringLiteral("B'K") : QStringLiteral("BK2");
  }

  void Statement(const char* code, const char* date, int debit, const char* amount, int tick, int cleared, int ibegin = 2) {
    const QString table = GetParam() ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp");
    db_.Connection().Execute(
        QStringLiteral("insert into %1 (ccode, cBookCode, dDate, bd_c, mmoney, iflag, bdelete, ibegin) values (?,?,?,?,?,?,?,?)").arg(table),
        {code, BookOf(code), QDate::fromString(QString::fromLatin1(date), Qt::ISODate), debit, M(amount), tick, cleared, ibegin});
  }
  void Journal(const char* code, int period, const char* date, const char* md, const char* mc, int tick = 0,
               int cleared = 0, int posted = 1, const char* mdForeign = "0") {
    const QDate d = QDate::fromString(QString::fromLatin1(date), Qt::ISODate);
    if (GetParam()) {
      db_.Connection().Execute(
          QStringLiteral("insert into RP_Flow (cFlowID, cBookCode, ccode, BillDate, iperiod, ibook, md, mc, md_f, iflagbank, bdelete) "
                         "values (?,?,?,?,?,?,?,?,?,?,?)"),
          {BookOf(code) + QString::number(++flow_), BookOf(code), code, d, period, posted, M(md), M(mc), M(mdForeign), tick, cleared});
    } else {
      db_.Connection().Execute(
          QStringLiteral("insert into gl_accvouch (ccode, dbill_date, iperiod, ibook, md, mc, md_f, iflagbank, bdelete) "
                         "values (?,?,?,?,?,?,?,?,?)"),
          {code, d, period, posted, M(md), M(mc), M(mdForeign), tick, cleared});
    }
  }

  testing::TestDatabase db_;
  int flow_ = 100;
};

const QDate kStart(2026, 3, 1);

TEST_P(BalanceSumsTest, StatementSums) {
  struct Case { const char* name; bool debit; std::optional<bool> deleted; int dateMode; std::optional<bool> ticked; const char* end; const char* sum; };
  const Case cases[] = {
      {"debit before start", true, {}, 1, {}, "", "100"},
      {"credit before start", false, {}, 1, {}, "", "40"},
      {"debit from start", true, {}, 2, {}, "", "1010"},
      {"debit from start to end", true, {}, 2, {}, "2026.03.31", "10"},
      {"blank end is no bound", true, {}, 2, {}, "   ", "1010"},
      {"no date condition", true, {}, 3, {}, "", "1110"},
      {"not cleared", false, false, 3, {}, "", "7"},
      {"cleared only", false, true, 3, {}, "", "40"},
      {"ticked only", false, {}, 3, true, "", "40"},
      {"unticked only", true, {}, 3, false, "", "1100"},
      {"combined", true, false, 2, false, "2026.04.30", "1000"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SumBankStatement(Code(), kStart, c.debit, c.deleted, c.dateMode, c.ticked, QString::fromLatin1(c.end)),
              M(c.sum)) << c.name;
  EXPECT_EQ(SumBankStatement(QStringLiteral("nobody"), kStart, true), Money());
}

TEST_P(BalanceSumsTest, JournalSums) {
  struct Case { const char* name; bool debit, foreign; std::optional<bool> deleted; int dateMode; std::optional<bool> ticked; const char* end; const char* sum; };
  const Case cases[] = {
      {"debit before start", true, false, {}, 1, {}, "", "100"},
      {"period 21 counts before start", false, false, {}, 1, {}, "", "30"},
      {"period 21 left out from start", false, false, {}, 2, {}, "", "20"},
      {"unposted lines never count", true, false, {}, 2, {}, "", "60"},
      {"foreign amounts", true, true, {}, 2, {}, "", "12.5"},
      {"ticked only", true, false, {}, 3, true, "", "60"},
      {"unticked only", true, false, {}, 3, false, "", "100"},
      {"cleared only", false, false, true, 3, {}, "", "20"},
      {"up to an end date", false, false, {}, 2, {}, "2026.03.19", "0"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SumJournal(Code(), kStart, c.debit, c.foreign, c.deleted, c.dateMode, c.ticked, QString::fromLatin1(c.end)),
              M(c.sum)) << c.name;
}

TEST_P(BalanceSumsTest, SignedSums) {
  EXPECT_EQ(SumBankSigned(Code(), kStart, QString()), M("60"));
  EXPECT_EQ(SumBankSigned(Code(), kStart, QString(), {}, 2), M("1003"));
  EXPECT_EQ(SumBankSigned(Code(), kStart, QStringLiteral("2026.03.31"), {}, 2), M("3"));
  EXPECT_EQ(SumBankSigned(Code(), kStart, QString(), false, 3), M("1103"));
  EXPECT_EQ(SumJournalSigned(Code(), kStart, QString(), false), M("-30"));   // only period 21 before start
  EXPECT_EQ(SumJournalSigned(Code(), kStart, QString(), false, {}, 2), M("40"));
  EXPECT_EQ(SumJournalSigned(Code(), kStart, QStringLiteral("  "), false, {}, 3), M("110"));
  EXPECT_EQ(SumJournalSigned(Code(), kStart, QString(), true, {}, 2), M("12.5"));
  EXPECT_THROW(SumBankSigned(Code(), kStart, QStringLiteral("not a date")), std::exception);
}

TEST_P(BalanceSumsTest, OpeningBalancesAreCreatedOnceThenUpdated) {
  const QString ccode = QStringLiteral("C");
  const QString book = QStringLiteral("BK3");
  const QString code = GetParam() ? book : ccode;
  EXPECT_EQ(GetBankOpeningBalance(code), Money());
  SaveBankOpeningBalance(ccode, book, M("1234.5678"));
  EXPECT_EQ(GetBankOpeningBalance(code), M("1234.57"));
  SaveBankOpeningBalance(ccode, book, M("-8"));
  EXPECT_EQ(GetBankOpeningBalance(code), M("-8"));
  const QString statements = GetParam() ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp");
  auto rows = db_.Connection().OpenRecordset(QStringLiteral("select * from %1 where ibegin=0 and ccode=?").arg(statements), {ccode});
  ASSERT_EQ(rows->RecordCount(), 1);
  EXPECT_EQ(rows->Field(QStringLiteral("bd_c")).ToInt(), 1);
  EXPECT_EQ(rows->Field(QStringLiteral("mbalance")).ToMoney(), Money());

  EXPECT_EQ(GetJournalOpening(code), Money());
  SaveJournalOpening(ccode, book, M("10.005"));
  SaveJournalOpening(ccode, book, M("20"));
  EXPECT_EQ(GetJournalOpening(code), M("20"));
  const QString journal = GetParam() ? QStringLiteral("RP_Flow where cBookCode=?") : QStringLiteral("gl_accvouch where ccode=?");
  auto opening = db_.Connection().OpenRecordset(QStringLiteral("select * from %1 and iperiod=20").arg(journal), {code});
  ASSERT_EQ(opening->RecordCount(), 1);
  EXPECT_EQ(opening->Field(QStringLiteral("cdigest")).ToString(), QStringLiteral(" "));
  EXPECT_EQ(opening->Field(QStringLiteral("ibook")).ToInt(), 1);
}

TEST_P(BalanceSumsTest, ABookOpeningRowUnderAnotherAccountCodeIsReusedNotDoubled) {
  if (!GetParam()) return;  // a book-mode rule: account mode finds its row by the account code itself
  db_.Connection().Execute(QStringLiteral("insert into RP_Flow (cFlowID, cBookCode, ccode, iperiod, md) values ('BK9X', 'BK9', 'OLD', 20, 5)"));
  SaveJournalOpening(QStringLiteral("NEW"), QStringLiteral("BK9"), M("7"));
  EXPECT_EQ(db_.Connection().QueryValue(QStringLiteral("select count(*) from RP_Flow where cBookCode=? and iperiod=20"), {"BK9"}).ToInt(), 1);
  EXPECT_EQ(GetJournalOpening(QStringLiteral("BK9")), M("7"));
}

// A direction is read and written where the account keeps it (NULL reads as
// debit); a missing account is said and nothing is written. A book's facts come
// from the cash services, so both runs read the account's.
TEST_P(BalanceSumsTest, AccountFactsAreReadAndWrittenAndAMissingAccountIsSaid) {
  testing::ScriptedMessages messages;
  Session::Current().gBookMode = 0;
  db_.Connection().Execute(QStringLiteral("insert into code (ccode, ccode_name, bd_c, be, bend) values "
                                          "('100201', 'bank', 0, 1, 1), ('100209', 'bank', null, 1, 1)"));
  EXPECT_FALSE(GetAccountDirection(QStringLiteral("100201")));
  EXPECT_TRUE(GetAccountDirection(QStringLiteral("100209")));
  SetAccountDirection(QStringLiteral("100201"), true);
  EXPECT_TRUE(GetAccountDirection(QStringLiteral("100201")));
  SetAccountStartDate(QStringLiteral("100201"), QDate(2026, 2, 1));
  EXPECT_EQ(db_.Connection().QueryValue(QStringLiteral("select dbegin from code where ccode=?"), {"100201"}).ToDate(), QDate(2026, 2, 1));
  EXPECT_EQ(messages.Count(), 0);
  EXPECT_FALSE(GetAccountDirection(QStringLiteral("nope")));
  SetAccountDirection(QStringLiteral("nope"), true);
  SetAccountStartDate(QStringLiteral("nope"), QDate(2026, 1, 1));
  ASSERT_EQ(messages.Count(), 3);
  EXPECT_EQ(messages.LastPrompt(), QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03556|nope"));
  EXPECT_EQ(db_.Connection().QueryValue(QStringLiteral("select count(*) from code")).ToInt(), 2);
}

// Codes reach SQL as bound values: an account or book code with a quote in it
// is summed, and its openings and facts read and written, like any other.
TEST_P(BalanceSumsTest, CodesWithAQuoteAreBoundLikeAnyOther) {
  Statement("O'K", "2026-02-10", 1, "100", 0, 0);
  Statement("O'K", "2026-03-05", 0, "7", 0, 0);
  Journal("O'K", 3, "2026-03-05", "60", "0");
  Journal("O'K", 3, "2026-03-06", "0", "5");
  const QString code = GetParam() ? QStringLiteral("B'K") : QStringLiteral("O'K");
  struct Case { const char* name; Money sum; const char* expected; };
  const Case cases[] = {
      {"statement debit before start", SumBankStatement(code, kStart, true, {}, 1), "100"},
      {"statement credit from start", SumBankStatement(code, kStart, false, {}, 2), "7"},
      {"journal debit from start", SumJournal(code, kStart, true, false, {}, 2), "60"},
      {"statement signed", SumBankSigned(code, kStart, QString(), {}, 3), "93"},
      {"journal signed", SumJournalSigned(code, kStart, QString(), false, {}, 2), "55"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.sum, M(c.expected)) << c.name;
  SaveBankOpeningBalance(QStringLiteral("O'K"), QStringLiteral("B'K"), M("12"));
  SaveJournalOpening(QStringLiteral("O'K"), QStringLiteral("B'K"), M("34"));
  EXPECT_EQ(GetBankOpeningBalance(code), M("12"));
  EXPECT_EQ(GetJournalOpening(code), M("34"));

  testing::ScriptedMessages messages;
  Session::Current().gBookMode = 0;
  const QString quoted = QStringLiteral("19'04");
  db_.Connection().Execute(QStringLiteral("insert into code (ccode, ccode_name, bd_c, be, bend) values (?, ?, 0, 1, 1)"),
                           {quoted, QStringLiteral("bank")});
  EXPECT_FALSE(GetAccountDirection(quoted));
  SetAccountDirection(quoted, true);
  SetAccountStartDate(quoted, QDate(2026, 2, 1));
  EXPECT_TRUE(GetAccountDirection(quoted));
  EXPECT_EQ(db_.Connection().QueryValue(QStringLiteral("select dbegin from code where ccode=?"), {quoted}).ToDate(),
            QDate(2026, 2, 1));
  EXPECT_EQ(messages.Count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, BalanceSumsTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "BookMode" : "AccountMode"; });

// The calendar and calculator write their result into the box; the digest
// reference hands its choice back through the shared values.
TEST(PopupsTest, EachPopupHandsBackWhatWasChosen) {
  testing::SuiteSession session;
  QWidget window;
  QLineEdit box(&window);
  box.setText(QStringLiteral("2026-3-1"));
  session.Modals().Then([](QDialog& d) { dynamic_cast<platform::DatePicker&>(d).PickDate(QDate(2026, 3, 9)); });
  PopupCalendar(&box, &window);
  EXPECT_EQ(box.text(), QStringLiteral("2026.03.09"));

  // The calculator starts from the whole amount, separators and all.
  box.setText(QStringLiteral("1,234.50"));
  double startedAt = -1;
  session.Modals().Then([&startedAt](QDialog& d) {
    auto& calculator = dynamic_cast<platform::CalculatorPopup&>(d);
    startedAt = calculator.Value();
    calculator.Press(QStringLiteral("+"));
    calculator.Press(QStringLiteral("1"));
    calculator.AcceptResult();
  });
  PopupCalculator(&box, &window);
  EXPECT_DOUBLE_EQ(startedAt, 1234.5);
  EXPECT_EQ(box.text(), QStringLiteral("1235.5"));

  platform::ParamObject& param = Session::Current().Common().GetParamObject();
  param.InputText = QStringLiteral("手续费");
  QString firstListed;
  session.Modals().Then([&firstListed](QDialog& d) {
    auto& reference = dynamic_cast<platform::DigestReference&>(d);
    ASSERT_GT(reference.List()->count(), 0);
    firstListed = reference.List()->item(0)->text();
    reference.Confirm();
  });
  PopupDigestReference();
  EXPECT_TRUE(param.Confirmed);
  EXPECT_TRUE(firstListed.contains(QStringLiteral("手续费")));
  EXPECT_EQ(param.Value2, firstListed);

  session.Modals().Then([](QDialog& d) { d.reject(); });
  PopupDigestReference();
  EXPECT_FALSE(param.Confirmed);
}

}  // namespace
}  // namespace corvane::shared
