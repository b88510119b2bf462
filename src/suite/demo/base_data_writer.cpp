#include "suite/demo/base_data_writer.h"

#include "suite/demo/batch_inserter.h"
#include "suite/demo/ledger_plan.h"

#include <QDate>

namespace corvane::suite {

namespace {

const QString kKeep = QStringLiteral(" on conflict do nothing");

const QStringList kTables = {QStringLiteral("corvane_calendar"), QStringLiteral("settlestyle"),
                             QStringLiteral("dsign"), QStringLiteral("PrintEx"),
                             QStringLiteral("corvane_options")};

}  // namespace

long long BaseDataWriter::CountRows(const QString& table) {
  return connection_.QueryValue(QStringLiteral("select count(*) from ") + table).ToInt();
}

void BaseDataWriter::Write(GeneratedCounts& counts) {
  std::vector<long long> before;
  for (const QString& t : kTables) before.push_back(CountRows(t));
  WriteCalendar();
  WriteSettleStyles();
  WriteVoucherTypes();
  WritePrintFormats();
  WriteOptions();
  for (qsizetype i = 0; i < kTables.size(); ++i) counts.Add(kTables[i], CountRows(kTables[i]) - before[static_cast<size_t>(i)]);
}

void BaseDataWriter::WriteCalendar() {
  BatchInserter rows(connection_, QStringLiteral("corvane_calendar"),
                     {QStringLiteral("iyear"), QStringLiteral("iperiod"), QStringLiteral("dbegin"),
                      QStringLiteral("dend")}, kKeep);
  for (int month = 1; month <= 12; ++month) {
    const QDate first(kDemoYear, month, 1);
    rows.Add({kDemoYear, month, first, first.addMonths(1).addDays(-1)});
  }
  rows.Flush();
}

void BaseDataWriter::WriteSettleStyles() {
  struct Style { const char* code; const char* name; int grade; int leaf; };
  static const Style styles[] = {
      {"1", "现金结算", 1, 1},  {"2", "支票结算", 1, 0}, {"201", "现金支票", 2, 1},
      {"202", "转账支票", 2, 1}, {"3", "汇兑", 1, 0},     {"301", "电汇", 2, 1},
      {"302", "信汇", 2, 1},     {"4", "银行汇票", 1, 1}, {"5", "委托收款", 1, 1},
      {"6", "网上银行", 1, 1},   {"9", "其他", 1, 1}};
  BatchInserter rows(connection_, QStringLiteral("settlestyle"),
                     {QStringLiteral("cSSCode"), QStringLiteral("cSSName"), QStringLiteral("iSSGrade"),
                      QStringLiteral("bSSEnd")}, kKeep);
  for (const Style& s : styles) rows.Add({s.code, QString::fromUtf8(s.name), s.grade, s.leaf});
  rows.Flush();
}

void BaseDataWriter::WriteVoucherTypes() {
  struct Sign { const char* sign; int seq; const char* text; };
  static const Sign signs[] = {
      {"记", 1, "记账凭证"}, {"收", 2, "收款凭证"}, {"付", 3, "付款凭证"}, {"转", 4, "转账凭证"}};
  BatchInserter rows(connection_, QStringLiteral("dsign"),
                     {QStringLiteral("csign"), QStringLiteral("isignseq"), QStringLiteral("ctext")}, kKeep);
  for (const Sign& s : signs) rows.Add({QString::fromUtf8(s.sign), s.seq, QString::fromUtf8(s.text)});
  rows.Flush();
}

void BaseDataWriter::WritePrintFormats() {
  // The templates are REP/<language>/<name>.rep beside the programs: the list
  // reports share a head and a tail, the two statements of both sides are one
  // form. A row with ititleres 1 would print with "printdef" instead.
  struct Format { const char* code; const char* head; const char* tail; };
  static const Format formats[] = {
      {"GLYhDzd", "list_head", "list_tail"},   {"GLYhQcRjz", "list_head", "list_tail"},
      {"GLYhQcDzd", "list_head", "list_tail"}, {"GLYhYeDjb", "list_head", "list_tail"},
      {"GLYhDzdGd", "list_head", "list_tail"}, {"GLYhQc", "balance_form", ""},
      {"GLYhYeDjbMx", "balance_form", ""}};
  BatchInserter rows(connection_, QStringLiteral("PrintEx"),
                     {QStringLiteral("cSystemName"), QStringLiteral("cTableCode"), QStringLiteral("ititleres"),
                      QStringLiteral("cResPathHead"), QStringLiteral("cResPathtail")}, kKeep);
  for (const Format& f : formats) rows.Add({"GL", f.code, 0, f.head, f.tail});
  rows.Flush();
}

void BaseDataWriter::WriteOptions() {
  BatchInserter rows(connection_, QStringLiteral("corvane_options"),
                     {QStringLiteral("ckey"), QStringLiteral("cvalue")}, kKeep);
  rows.Add({"Subsystem.GL", "1"});
  rows.Add({"Subsystem.RP", "1"});
  rows.Add({"UseBankBooks", "0"});  // account mode; "1" switches the session to the bank books
  rows.Add({"HomeCurrency", QStringLiteral("人民币")});
  rows.Add({"AccountSetName", QStringLiteral("演示账套")});
  rows.Flush();
}

}  // namespace corvane::suite
