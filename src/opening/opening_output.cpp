#include "opening/frm_qyfqc.h"
#include "opening/frm_yhdzqc.h"
#include "opening/frm_yhfqc.h"
#include "opening/guarded_command.h"
#include "opening/opening_report.h"

#include "platform/controls/entry_grid.h"
#include "platform/controls/list_grid.h"
#include "platform/print/grid_print_service.h"
#include "platform/print/print_control.h"
#include "platform/print/print_work_db.h"
#include "platform/print/report_job.h"
#include "platform/print/rtprn.h"
#include "platform/print/scoped_grid_font.h"
#include "platform/services/object_factory.h"
#include "shared/account_facts.h"
#include "shared/amount_unit.h"
#include "shared/messages.h"
#include "shared/print_control_text.h"
#include "shared/session.h"

#include <QLabel>

namespace corvane::opening {

using platform::RTPrn;
using shared::GetResString;
using shared::Session;

namespace {

QString CashText(const char* number) { return GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.") + QLatin1String(number)); }

QString UnitLine() {
  platform::CommonServices& common = Session::Current().Common();
  return UnitAndPreparerLine(common.GetAccountSetInfo().ReportHeadText, common.GetSessionInfo().ReportText,
                             [&](const QString& t) { return common.GetByteLength(t); });
}

QString Today() { return QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd")); }

struct DataColumn {
  const char* key;
  int type;
  int width;
};

}  // namespace

void frmYHDZQC::OutputSummaryReport(int mode) {
  if (mode != 1 && mode != 2) return;
  RunGuarded([&] {
    RTPrn& prn = *rtprn_;
    prn.setRtpOptionA(true);
    prn.rtpSetOwner(this);
    WriteWorkTable({kSummaryWorkTable, WorkColumns(30, 27),
                    SummaryWorkRow(Texts(), target_.bookMode, UnitLine(), QDate::currentDate())});
    prn.setRtpGrid(nullptr);
    prn.setRtpGrid2(nullptr);
    prn.setRtpTailTemplate(QString());
    prn.setRtpTailTable(QString());
    // Without a print-format row (already said) the run goes on with nameless
    // templates, and the control's result tells the user the rest.
    const ReportFormat format = LoadReportFormat(QStringLiteral("GLYhQc"));
    prn.setRtpReportKind(platform::kReportKindForm);
    prn.setRtpDataFile(Session::Current().Common().GetPrintWorkDb()->Name());
    prn.setRtpHeadTemplate(format.headTemplate);
    prn.setRtpHeadTable(kSummaryWorkTable);
    prn.setRtpOptionB(false);
    prn.setRtpOptionC(1);
    ApplyPageSettings(prn, format.pageSettings);
    prn.setRtpOptionD(30);
    prn.setRtpOptionE(true);
    RunAndReport(prn, mode);
  });
}

void frmYHDZQC::OutputSummaryData() {
  // The grid is made as high as the output table before the cells are written.
  const TextGrid cells = DataOutputCells(Texts());
  grid_->SetRows(static_cast<int>(cells.size()) + 1);
  grid_->SetCols(4);
  for (size_t r = 0; r < cells.size(); ++r)
    for (int c = 0; c < 4; ++c) grid_->SetTextMatrix(static_cast<int>(r) + 1, c, cells[r][c]);
  summaryShown_ = true;
  RunGuarded([&] {
    RTPrn& prn = *rtprn_;
    prn.setRtpGrid(grid_);
    prn.setRtpGrid2(nullptr);
    prn.rtpDataOut(RTPrn::kDataOutOpen, QString(), 0, 4);
    const std::array<QString, 4> captions = DataOutputCaptions(Session::Current().BookMode());
    const int types[] = {10, 5, 10, 5}, widths[] = {30, 16, 30, 16};
    for (int i = 0; i < 4; ++i) prn.rtpDataOut(i, captions[i], types[i], widths[i]);
    shared::ShowPrintResult(prn.rtpDataOut(RTPrn::kDataOutRun, QString(), 0, 0), shared::kPrintModeDataOut);
  });
}

void OpeningItemWindow::OutputReport(int mode) {
  if (mode < 1 || mode > 3) return;
  Session& s = Session::Current();
  const bool enterprise = EnterpriseSide();
  RunGuarded([&] {
    if (s.BookMode()) {
      if (!gridPrint_) gridPrint_ = platform::ObjectFactory::Instance().CreateGridPrintService(s.Common());
      int result = 0;
      gridPrint_->PrintGrid(grid_, GridPrintKey(), prnCtrl_, mode - 1,
                            GetResString(enterprise ? QStringLiteral("corvane.opening.flowheader")
                                                    : QStringLiteral("corvane.opening.bankheader")),
                            result);
      return;
    }
    RTPrn& prn = *rtprn_;
    prn.setRtpOptionA(true);
    prn.rtpSetOwner(this);
    const QString head = enterprise ? QStringLiteral("qcrjz_Head") : QStringLiteral("ZPDJ_Head");
    const QString tail = enterprise ? QStringLiteral("qcrjz_Tail") : QStringLiteral("ZPDJ_Tail");
    WriteWorkTable({head, WorkColumns(7, 7),
                    {CashText(enterprise ? "00104" : "00881"), QString(), QString(), QString(), label1_->text(),
                     QString(), shared::AmountUnitText(shared::GetCurrencyName(context_.target.Key()))}});
    WriteWorkTable({tail, WorkColumns(6, 6),
                    {QString(), QString(), QString(), CashText("00053") + s.Common().GetAccountSetInfo().ReportHeadText,
                     CashText("00054") + s.Common().GetSessionInfo().ReportText, CashText("00055") + Today()}});
    prn.setRtpGrid(nullptr);
    prn.setRtpGrid2(nullptr);
    prn.setRtpTailTemplate(QString());
    prn.setRtpTailTable(QString());
    const ReportFormat format = LoadReportFormat(PageKey());
    prn.setRtpReportKind(platform::kReportKindGrid);
    prn.setRtpDataFile(s.Common().GetPrintWorkDb()->Name());
    prn.setRtpHeadTemplate(format.headTemplate);
    prn.setRtpHeadTable(head);
    prn.setRtpTailTemplate(format.tailTemplate);
    prn.setRtpTailTable(tail);
    if (enterprise) {
      // The enterprise side gives its margins before the body.
      if (!format.pageSettings.value(2).isEmpty())
        prn.rtpSetMargin(format.pageSettings.value(2).toInt(), format.pageSettings.value(3).toInt(),
                         format.pageSettings.value(4).toInt(), format.pageSettings.value(5).toInt());
      prn.setRtpGrid(grid_);
      prn.setRtpOptionB(false);
      prn.setRtpOptionC(1);
      prn.setLngrtpPaperSize(format.pageSettings.value(0).toInt());
      prn.setLngrtpPaperOrient(format.pageSettings.value(1).compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ? 1 : 0);
    } else {
      prn.setRtpGrid(grid_);
      prn.setRtpOptionB(false);
      prn.setRtpOptionC(1);
      ApplyPageSettings(prn, format.pageSettings);
    }
    prn.setRtpOptionD(30);
    prn.setRtpOptionE(true);
    int result = 0;
    if (mode == 1 && !enterprise) {
      platform::ScopedGridFontSize font(grid_, 10.5, 9);
      result = prn.rtpPrint();
    } else if (mode == 1) {
      result = prn.rtpPrint();
    } else if (mode == 2) {
      result = prn.rtpPreview();
    } else {
      static const DataColumn journal[] = {{"00031", 8, 10}, {"00079", 10, 24}, {"00080", 10, 10},
                                           {"00025", 10, 20}, {"00026", 10, 10}, {"00083", 5, 16},
                                           {"00084", 5, 16},  {"00032", 8, 10},  {"00077", 10, 20}};
      static const DataColumn bank[] = {{"00024", 8, 10}, {"00025", 10, 20}, {"00026", 10, 10}, {"00083", 5, 16},
                                        {"00084", 5, 16}};
      const DataColumn* columns = enterprise ? journal : bank;
      const int n = enterprise ? 9 : 5;
      prn.rtpDataOut(RTPrn::kDataOutOpen, QString(), 0, n);
      for (int i = 0; i < n; ++i) prn.rtpDataOut(i, CashText(columns[i].key), columns[i].type, columns[i].width);
      result = prn.rtpDataOut(RTPrn::kDataOutRun, QString(), 0, 0);
    }
    shared::ShowPrintResult(result, mode);
  });
}

}  // namespace corvane::opening
