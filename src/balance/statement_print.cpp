#include "balance/statement_print.h"

#include "balance/frm_yetjb.h"
#include "balance/frm_yetjb1.h"
#include "balance/frm_yhdzcx1.h"
#include "platform/controls/list_grid.h"
#include "platform/controls/split_grid.h"
#include "platform/db/db_error.h"
#include "platform/print/print_work_db.h"
#include "platform/print/rtprn.h"
#include "platform/print/template_path.h"
#include "shared/account_facts.h"
#include "shared/amount_unit.h"
#include "shared/messages.h"
#include "shared/print_control_text.h"
#include "shared/print_format.h"
#include "shared/session.h"

#include <QCoreApplication>
#include <QDate>
#include <QLabel>
#include <exception>

namespace corvane::balance {

using platform::RTPrn;
using shared::GetResString;
using shared::Session;

namespace {

const QString kCash = QStringLiteral("Q9.GL.ZWSQL.CASHBANK.");
QString Res(const char* number) { return GetResString(kCash + QString::fromLatin1(number)); }

QString Columns(int texts, int longs = 0) {
  QStringList parts;
  for (int i = 1; i <= texts; ++i) parts << QStringLiteral("P%1 String").arg(i);
  for (int i = texts + 1; i <= texts + longs; ++i) parts << QStringLiteral("P%1 Long").arg(i);
  return QStringLiteral(" (") + parts.join(QLatin1Char(',')) + QLatin1Char(')');
}

struct WorkTable {
  QString name;
  QString columns;
  QMap<QString, QVariant> row;
  QStringList order;  // the order in which the row is written; empty: by column name
};

struct ReportRun {
  QString formatCode;
  int kind = platform::kReportKindGrid;
  QObject* body = nullptr;
  WorkTable head;
  std::optional<WorkTable> tail;
  bool margins = true;
};

void WriteWorkTables(platform::PrintWorkDb& work, const std::vector<const WorkTable*>& tables) {
  for (const WorkTable* t : tables) {
    try {
      work.Execute(QStringLiteral("DROP TABLE ") + t->name);
    } catch (const platform::DbError&) {
      // Not there yet: nothing to drop.
    }
  }
  for (const WorkTable* t : tables) work.Execute(QStringLiteral("CREATE TABLE ") + t->name + t->columns);
  for (const WorkTable* t : tables) {
    auto rs = work.OpenRecordset(t->name);
    if (rs->Eof()) {
      rs->AddNew();
      const QStringList order = t->order.isEmpty() ? QStringList(t->row.keys()) : t->order;
      for (const QString& column : order) rs->SetField(column, t->row.value(column));
      rs->Update();
    }
    rs->Close();
  }
}

void Run(QWidget& window, const ReportRun& r, int mode) {
  Session& s = Session::Current();
  RTPrn* prn = window.findChild<RTPrn*>(QStringLiteral("RTPrn1"));
  if (!prn) prn = new RTPrn(&window);
  try {
    prn->setRtpOptionA(true);
    prn->rtpSetOwner(&window);
    const QString folder = platform::ReportTemplateFolder(
        s.applicationFolder.isEmpty() ? QCoreApplication::applicationDirPath() : s.applicationFolder,
        s.gLogin ? s.gLogin->GetLanguageId() : QString());
    platform::PrintWorkDb& work = *s.Common().GetPrintWorkDb();
    std::vector<const WorkTable*> tables{&r.head};
    if (r.tail) tables.push_back(&*r.tail);
    WriteWorkTables(work, tables);
    prn->setRtpGrid(nullptr);
    prn->setRtpGrid2(nullptr);
    prn->setRtpTailTemplate(QString());
    prn->setRtpTailTable(QString());
    QStringList format{QString(), QString(), QString(), QString()};
    shared::LoadPrintFormat(r.formatCode, format);
    const QStringList page = s.Common().PrepareReportTemplate(r.formatCode);
    prn->setRtpReportKind(r.kind);
    prn->setRtpDataFile(work.Name());
    prn->setRtpHeadTemplate(platform::ReportTemplatePath(folder, format.value(1)));
    prn->setRtpHeadTable(r.head.name);
    if (r.tail) {
      prn->setRtpTailTemplate(platform::ReportTemplatePath(folder, format.value(2)));
      prn->setRtpTailTable(r.tail->name);
    }
    if (r.body) prn->setRtpGrid(r.body);
    prn->setRtpOptionB(false);
    prn->setRtpOptionC(1);
    prn->setLngrtpPaperSize(page.value(0).toInt());
    prn->setLngrtpPaperOrient(page.value(1).compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ? 1 : 0);
    if (r.margins && !page.value(2).isEmpty())
      prn->rtpSetMargin(qRound(page.value(2).toDouble()), qRound(page.value(3).toDouble()),
                        qRound(page.value(4).toDouble()), qRound(page.value(5).toDouble()));
    prn->setRtpOptionD(30);
    prn->setRtpOptionE(true);
    const int result = mode == 2 ? prn->rtpPreview() : prn->rtpPrint();
    shared::LocalizePrintControl(result, mode);
  } catch (const std::exception& e) {
    shared::ShowMsgBox(GetResString(QStringLiteral("corvane.balance.printfailed"), shared::FailureText(e)), 16,
                       GetResString(shared::kTitleKey));
  }
}

QString Today() { return QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd")); }

QString LabelText(const frmYETJB1& w, const char* name) { return w.Label(QString::fromLatin1(name))->text(); }

}  // namespace

QMap<QString, QVariant> GridReportTailRow() {
  platform::CommonServices& common = Session::Current().Common();
  return {{QStringLiteral("P1"), QString()},
          {QStringLiteral("P2"), QString()},
          {QStringLiteral("P3"), QString()},
          {QStringLiteral("P4"), Res("00053") + common.GetAccountSetInfo().GetAccountSetText()},
          {QStringLiteral("P5"), Res("00054") + common.GetSessionInfo().GetSessionText()},
          {QStringLiteral("P6"), Res("00055") + Today()}};
}

QMap<QString, QVariant> StatementListHeadRow(const std::vector<AccountStatement>& rows) {
  QStringList currencies;
  // A row that could not be computed shows no amounts to be in any currency.
  for (const AccountStatement& st : rows)
    if (!st.Failed()) currencies << st.facts.currency;
  QMap<QString, QVariant> row{{QStringLiteral("P1"), Res("00913")},
                              {QStringLiteral("P7"), shared::RowsAmountUnitText(currencies)}};
  for (int i = 2; i <= 6; ++i) row[QStringLiteral("P%1").arg(i)] = QString();
  return row;
}

QMap<QString, QVariant> DetailHeadRow(const frmYHDZCX1& w) {
  return {{QStringLiteral("P1"), Res("00570")},
          {QStringLiteral("P2"), QString()},
          {QStringLiteral("P3"), QString()},
          {QStringLiteral("P4"), Res("00571") + w.LblRq()->text()},
          {QStringLiteral("P5"), Res("00511") + w.LblKm()->text()},
          {QStringLiteral("P6"), QString()},
          {QStringLiteral("P7"), shared::AmountUnitText(shared::GetCurrencyName(w.CurYHKM))}};
}

QMap<QString, QVariant> TwoSidedRow(const frmYETJB1& w) {
  Session& s = Session::Current();
  const bool book = s.BookMode();
  const QString setText = s.Common().GetAccountSetInfo().GetAccountSetText();
  const int pad = std::max(0, 40 - s.Common().GetByteLength(setText));
  QMap<QString, QVariant> r;
  auto p = [&r](int n, const QVariant& v) { r[QStringLiteral("P%1").arg(n)] = v; };
  p(1, Res("00913"));
  p(2, (book ? GetResString(QStringLiteral("corvane.balance.bookname")) : Res("00511")) + LabelText(w, "Label12"));
  p(3, Res("00571") + LabelText(w, "Label20"));
  p(4, LabelText(w, "LblUnit"));
  p(5, LabelText(w, "Label14"));
  p(6, book ? GetResString(QStringLiteral("corvane.balance.bookjournal")) : Res("00503"));
  p(7, Res("00502"));
  p(8, Res("00087"));
  p(9, LabelText(w, "Label21"));
  p(10, Res("00087"));
  p(11, LabelText(w, "Label22"));
  p(12, Res("00722"));
  p(13, LabelText(w, "Label16"));
  p(14, Res("00723"));
  p(15, LabelText(w, "Label18"));
  p(16, Res("00724"));
  p(17, LabelText(w, "Label17"));
  p(18, Res("00725"));
  p(19, LabelText(w, "Label19"));
  p(24, Res("00726"));
  p(25, QString());
  p(26, Res("00726"));
  p(27, LabelText(w, "Label15"));
  p(20, GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.makegrid"), setText + QString(pad, QLatin1Char(' ')),
                     s.Common().GetSessionInfo().GetSessionText()));
  p(21, Res("00055") + Today());
  p(22, QString());
  p(23, QString());
  p(30, 1);
  return r;
}

void OutputStatementListReport(frmYETJB& window, int mode) {
  ReportRun r;
  r.formatCode = QStringLiteral("GLYhYeDjb");
  r.body = window.MSGrid1();
  r.head = {QStringLiteral("ZPDJ_Head"), Columns(7), StatementListHeadRow(window.Statements()), {}};
  r.tail = WorkTable{QStringLiteral("ZPDJ_Tail"), Columns(6), GridReportTailRow(), {}};
  Run(window, r, mode);
}

void OutputDetailReport(frmYHDZCX1& window, int mode) {
  ReportRun r;
  r.formatCode = QStringLiteral("GLYhDzdGd");
  r.body = window.ZqgridSP1();
  r.head = {QStringLiteral("ZPDJ_Head"), Columns(7), DetailHeadRow(window), {}};
  r.tail = WorkTable{QStringLiteral("ZPDJ_Tail"), Columns(6), GridReportTailRow(), {}};
  Run(window, r, mode);
}

void OutputTwoSidedReport(frmYETJB1& window, int mode) {
  ReportRun r;
  r.formatCode = QStringLiteral("GLYhYeDjbMx");
  r.kind = platform::kReportKindForm;
  r.margins = false;
  QStringList order;
  for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 24, 25, 26, 27, 20, 21, 22, 23, 30})
    order << QStringLiteral("P%1").arg(n);
  r.head = {QStringLiteral("yhdzqc_H"), Columns(27, 3), TwoSidedRow(window), order};
  Run(window, r, mode);
}

void OutputTwoSidedData(frmYETJB1& window) {
  platform::ListGrid* buffer = window.findChild<platform::ListGrid*>(QStringLiteral("MSGrid1"));
  if (!buffer) {
    buffer = new platform::ListGrid(&window);
    buffer->setObjectName(QStringLiteral("MSGrid1"));
    buffer->hide();
  }
  // The four statement lines are the buffer's data rows; its title row stays empty.
  buffer->SetCols(4);
  buffer->SetRows(5);
  const char* rows[4][4] = {{"00087", "Label21", "00087", "Label22"},
                            {"00746", "Label16", "00747", "Label18"},
                            {"00748", "Label17", "00749", "Label19"},
                            {"00726", "Label14", "00726", "Label15"}};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      buffer->SetTextMatrix(r + 1, c, c % 2 == 0 ? Res(rows[r][c]) : LabelText(window, rows[r][c]));
  for (int c = 0; c < 4; ++c) buffer->SetColWidth(c, 1500);
  RTPrn* prn = window.findChild<RTPrn*>(QStringLiteral("RTPrn1"));
  if (!prn) prn = new RTPrn(&window);
  prn->setRtpGrid(buffer);
  prn->setRtpGrid2(nullptr);
  // A sheet has no head: the balance columns say what their amounts are in.
  const QString unit = LabelText(window, "LblUnit");
  const auto amounts = [&unit](const char* caption) {
    return GetResString(QStringLiteral("corvane.balance.amountcolumn"), Res(caption), unit);
  };
  prn->rtpDataOut(RTPrn::kDataOutOpen, QString(), 0, 4);
  prn->rtpDataOut(0, Res("00752"), 10, 30);
  prn->rtpDataOut(1, amounts("00753"), 5, 30);
  prn->rtpDataOut(2, Res("00754"), 10, 30);
  prn->rtpDataOut(3, amounts("00755"), 5, 30);
  prn->rtpDataOut(RTPrn::kDataOutRun, QString(), 0, 0);
}

}  // namespace corvane::balance
