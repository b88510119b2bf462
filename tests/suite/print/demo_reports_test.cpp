// The two kinds of report filled from the demo account set, as the windows will
// fill them: the bank statement of the account with the most lines (head, a
// body over several pages, tail) and the two-sided reconciliation statement
// form. CORVANE_KEEP_PRINT_OUTPUT=1 keeps the PDFs to look at.
#include "print_fixture.h"

#include "platform/db/db_connection.h"
#include "platform/db/money.h"
#include "platform/print/print_work_db.h"
#include "platform/print/report_engine.h"
#include "shared/session.h"
#include "suite/print/report_renderer.h"
#include "support/suite_session.h"

#include <QDate>

#include <algorithm>

namespace corvane::testing {
namespace {

using platform::Money;
using platform::ReportJob;

class DemoReportsTest : public PrintFixture {
 protected:
  platform::CommonServices& Common() { return shared::Session::Current().Common(); }
  QString Text(const char* key) { return Common().GetString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.") + QLatin1String(key)); }
  platform::PrintWorkDb& Work() { return *Common().GetPrintWorkDb(); }

  // Drop, create, one row: what every report procedure does with its table.
  void WriteRow(const QString& table, const QStringList& columns, const QVariantList& values) {
    try {
      Work().Execute(QStringLiteral("DROP TABLE ") + table);
    } catch (...) {
    }
    Work().Execute(QStringLiteral("CREATE TABLE %1 (%2)").arg(table, columns.join(QLatin1Char(','))));
    auto rs = Work().OpenRecordset(table);
    rs->AddNew();
    for (int i = 0; i < values.size(); ++i)
      if (values[i].isValid()) rs->SetField(QStringLiteral("P%1").arg(i + 1), values[i]);
    rs->Update();
    rs->Close();
  }
  static QStringList Columns(int texts, int longs = 0) {
    QStringList c;
    for (int i = 1; i <= texts + longs; ++i) c << QStringLiteral("P%1 %2").arg(i).arg(i <= texts ? "String" : "Long");
    return c;
  }
  // The debit-direction account with the most statement lines.
  QString Busiest() {
    return session_.Db()
        .QueryValue(QStringLiteral("select c.ccode from code c join rp_bankrecp r on r.ccode = c.ccode "
                                   "where c.bd_c = ? group by c.ccode order by count(*) desc, c.ccode limit 1"),
                    {1})
        .ToString();
  }
  QString AccountLine(const QString& code) {
    return Text("00511") + code + QLatin1Char(' ') + Common().GetAccountName(code);
  }
  QString Signatures() { return Text("00054") + Common().GetSessionInfo().ReportText; }

  SuiteSession session_;
};

TEST_F(DemoReportsTest, BankStatementOverSeveralPages) {
  const QString code = Busiest();
  grid_.SetCols(7);
  const char* titles[] = {"ID", "00024", "00025", "00026", "00083", "00084", "00643"};
  for (int c = 0; c < 7; ++c) grid_.SetTextMatrix(0, c, c ? Text(titles[c]) : QStringLiteral("ID"));
  const int widths[] = {0, 1400, 1800, 1600, 2000, 2000, 2200};
  for (int c = 0; c < 7; ++c) grid_.SetColWidth(c, widths[c]);
  for (int c = 4; c < 7; ++c) grid_.SetColAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
  // The running balance as the statement window keeps it: it starts before the
  // first line so that it equals the opening balance at the start date, and
  // moves the way the account's balance direction says.
  const platform::AccountInfo account = Common().GetAccount(code);
  const bool debitAccount = account.direction == 1;
  std::vector<std::vector<platform::DbValue>> lines;
  Money balance;
  session_.Db().ForEachRow(
      QStringLiteral("select i_id, dDate, csettle, cn_id, bd_c, mmoney, ibegin from rp_bankrecp "
                     "where ccode = ? and bdelete = ? order by dDate, i_id"),
      {code, 0}, [&](const std::vector<platform::DbValue>& r) {
        if (r[6].ToInt() == 0) {
          balance += r[5].ToMoney();
          return;
        }
        const bool up = (r[4].ToInt() == 1) == debitAccount;
        if (r[1].ToDate() < account.StartDate) balance += up ? -r[5].ToMoney() : r[5].ToMoney();
        lines.push_back(r);
      });
  std::vector<std::vector<QString>> rows;
  for (const auto& r : lines) {
    const Money amount = r[5].ToMoney();
    const bool debit = r[4].ToInt() == 1;
    balance += debit == debitAccount ? amount : -amount;
    rows.push_back({r[0].ToString(), r[1].ToDate().toString(QStringLiteral("yyyy.MM.dd")), r[2].ToString(),
                    r[3].ToString(), debit ? amount.ToDisplayText() : QString(),
                    debit ? QString() : amount.ToDisplayText(), balance.ToDisplayText()});
  }
  ASSERT_GT(rows.size(), 50u);
  grid_.FillRows(std::move(rows));

  WriteRow(QStringLiteral("ZPDJ_Head"), Columns(7),
           {Text("00502"), QString(), QString(), QString(), AccountLine(code), QString(), Text("00052")});
  WriteRow(QStringLiteral("ZPDJ_Tail"), Columns(6),
           {QString(), QString(), QString(), Text("00053") + Common().GetAccountSetInfo().ReportHeadText, Signatures(),
            Text("00055") + QDate(2026, 12, 31).toString(QStringLiteral("yyyy.MM.dd"))});
  ReportJob job = GridJob();
  job.dataFile = Work().Name();
  job.orientation = 2;  // landscape, as a user may set the page up
  const QString pdf = Path(QStringLiteral("demo-statement.pdf"));
  ASSERT_EQ(suite::WriteReportPdf(job, pdf), 0);
  EXPECT_GE(PdfPages(pdf), 3);
  EXPECT_TRUE(PdfText(pdf).contains(balance.ToDisplayText())) << "the closing balance";
  EXPECT_TRUE(PdfText(pdf, PdfPages(pdf)).contains(Text("00053")));
  EXPECT_TRUE(PdfText(pdf, 2).contains(Text("00502")));
}

TEST_F(DemoReportsTest, TwoSidedStatementForm) {
  // The figures as the balance statement works them out: balances from the openings and the lines from the start date on, the
  // unticked lines of each side at any date.
  const QString code = Busiest();
  const QDate start = Common().GetAccount(code).StartDate;
  Money journal, bank, bankIn, bankOut, bookIn, bookOut;
  session_.Db().ForEachRow(
      QStringLiteral("select md, mc, iflagbank, iperiod, dbill_date from gl_accvouch "
                     "where ccode = ? and bdelete = ? and iflag is null"),
      {code, 0}, [&](const std::vector<platform::DbValue>& r) {
        const int period = static_cast<int>(r[3].ToInt());
        if (period == 20 || (period != 21 && r[4].ToDate() >= start)) journal += r[0].ToMoney() - r[1].ToMoney();
        if (period == 20 || r[2].ToInt() != 0) return;
        bookIn += r[0].ToMoney();
        bookOut += r[1].ToMoney();
      });
  session_.Db().ForEachRow(
      QStringLiteral("select bd_c, mmoney, iflag, ibegin, dDate from rp_bankrecp where ccode = ? and bdelete = ?"),
      {code, 0}, [&](const std::vector<platform::DbValue>& r) {
        const bool in = r[0].ToInt() == 1;
        if (r[3].ToInt() == 0) {
          bank += r[1].ToMoney();
          return;
        }
        if (r[4].ToDate() >= start) bank += in ? r[1].ToMoney() : -r[1].ToMoney();
        if (r[2].ToInt() == 0) (in ? bankIn : bankOut) += r[1].ToMoney();
      });
  const QString setText = Common().GetAccountSetInfo().GetAccountSetText();
  const QStringList makegrid = {setText + QString(std::max(0, 40 - Common().GetByteLength(setText)), QLatin1Char(' ')),
                                Common().GetSessionInfo().GetSessionText()};
  QVariantList row = {Text("00913"), AccountLine(code), Text("00571") + QStringLiteral("2026.12.31"), QString(),
                      (journal + bankIn - bankOut).ToDisplayText(), Text("00503"), Text("00502"), Text("00087"),
                      journal.ToDisplayText(), Text("00087"), bank.ToDisplayText(), Text("00722"),
                      bankIn.ToDisplayText(), Text("00723"), bookIn.ToDisplayText(), Text("00724"),
                      bankOut.ToDisplayText(), Text("00725"), bookOut.ToDisplayText(),
                      Common().GetString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.makegrid"), &makegrid),
                      Text("00055") + QStringLiteral("2026.12.31"), QString(), QString(), Text("00726"), QString(),
                      Text("00726"), (bank + bookIn - bookOut).ToDisplayText(), QVariant(), QVariant(), 1};
  WriteRow(QStringLiteral("yhdzqc_H"), Columns(27, 3), row);
  ReportJob job;
  job.reportKind = platform::kReportKindForm;
  job.dataFile = Work().Name();
  job.headTemplate = Template(QStringLiteral("zh-CN"), QStringLiteral("balance_form"));
  job.headTable = QStringLiteral("yhdzqc_H");
  const QString pdf = Path(QStringLiteral("demo-form.pdf"));
  ASSERT_EQ(suite::WriteReportPdf(job, pdf), 0);
  const QString text = PdfText(pdf);
  EXPECT_TRUE(text.contains(Text("00913")));
  EXPECT_TRUE(text.contains((journal + bankIn - bankOut).ToDisplayText()));
  EXPECT_TRUE(text.contains((bank + bookIn - bookOut).ToDisplayText()));
  EXPECT_TRUE(text.contains(Text("00725")));
}

}  // namespace
}  // namespace corvane::testing
