// Every report and grid print of the seven functions, run as a clerk runs them:
// each function from the host's menu, each window's Preview (paged through to
// the last page) and Print (to a PDF file through the print dialog), the
// balance statement's list report, two-sided view and detailed statement, the
// opening set-up's item windows, both grids of the query windows. On the demo
// data and on the demo with the largest amounts a line can carry in both
// directions, in both languages and both modes: no date, amount or number is
// cut on any page, and no text of a body either (a long one wraps). With a long
// account name and long journal summaries, each head keeps the account's code.
#include "balance/frm_yetjb.h"
#include "balance/frm_yetjb1.h"
#include "balance/frm_yhdzcx1.h"
#include "host/menu_dispatcher.h"
#include "opening/frm_yhdzqc.h"
#include "platform/controls/toolbar_host.h"
#include "platform/db/money.h"
#include "platform/print/template_path.h"
#include "query/frm_yhcqwdtj.h"
#include "shared/frm_yhkmxz.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "suite/print/preview_dialog.h"
#include "suite/print/report_elisions.h"
#include "suite/services/suite_settings.h"
#include "support/query_windows.h"
#include "support/suite_session.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace corvane::testing {
namespace {

using shared::Session;

// The first and last statement line and journal line of every account (book)
// carry the largest amount a line may hold, one each way, and so does every
// opening row: balances and sums then reach past it in both signs.
void WidenAmounts(platform::DbConnection& db, bool book) {
  const QString statement = book ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp");
  const QString journal = book ? QStringLiteral("RP_Flow") : QStringLiteral("gl_accvouch");
  const QString journalId = book ? QStringLiteral("cFlowID") : QStringLiteral("i_id");
  const QString key = book ? QStringLiteral("cBookCode") : QStringLiteral("ccode");
  const platform::Money max = platform::Money::LineMax();
  const platform::Money zero;
  for (const char* pick : {"min", "max"}) {
    const bool first = QLatin1String(pick) == QLatin1String("min");
    db.Execute(QStringLiteral("update %1 set mmoney=?, bd_c=? where i_id in (select %2(i_id) from %1 where ibegin=2 "
                              "group by %3)").arg(statement, QLatin1String(pick), key),
               {max, first ? 1 : 0});
    db.Execute(QStringLiteral("update %1 set md=?, mc=? where %2 in (select %3(%2) from %1 where iperiod between 1 and 12 "
                              "group by %4)").arg(journal, journalId, QLatin1String(pick), key),
               {first ? max : zero, first ? zero : max});
  }
  db.Execute(QStringLiteral("update %1 set mmoney=? where ibegin=0").arg(statement), {max});
  db.Execute(QStringLiteral("update %1 set md=?, mc=? where iperiod=20").arg(journal), {zero, max});
}

// A name with blanks and digits, and a summary of 60 characters naming a date and an amount.
const QString kLongName = QStringLiteral("工商银行北京朝阳支行基本存款账户 0200 0049 0920 0112 345（2019.03.01 开户）");
const QString kLongSummary =
    QStringLiteral("收回北京朝阳区客户货款 2026.03.15 到账 86,420.13 元，含上月未结清的运输费与装卸费及保险费用合计数");

struct WalkCase {
  const char* language;
  bool book;
  bool largest;
  bool longTexts = false;
};

std::string CaseName(const ::testing::TestParamInfo<WalkCase>& info) {
  return std::string(info.param.language[0] == 'z' ? "Chinese" : "English") + (info.param.book ? "Book" : "Account") +
         (info.param.largest ? "Largest" : "Demo") + (info.param.longTexts ? "LongTexts" : "");
}

class EveryReportPrintsFiguresWhole : public ::testing::TestWithParam<WalkCase> {
 protected:
  EveryReportPrintsFiguresWhole() {
    if (GetParam().largest) WidenAmounts(session_.Db(), GetParam().book);
    if (GetParam().longTexts) {
      session_.Db().Execute(QStringLiteral("update code set ccode_name=? where ccode='100201'"), {kLongName});
      session_.Db().Execute(QStringLiteral("update gl_accvouch set cdigest=? where ccode='100201' and iperiod<>20"),
                            {kLongSummary});
    }
    // The last account's row in the balance statement names an unreadable date in a sentence: a text, to cut.
    const QString t = GetParam().book ? "rp_bankrecp_rp" : "rp_bankrecp", k = GetParam().book ? "cBookCode" : "ccode";
    session_.Db().Execute(
        QStringLiteral("update %1 set iflag=1 where i_id=(select i_id from %1 order by %2 desc, i_id desc limit 1)").arg(t, k));
    session_.Database().StoreDateText(t, "ddate", "iflag=1", {}, session_.Database().IsPostgres() ? "infinity" : "2026-01-32");
    // The print formats as the demo keeps them on the server; the templates of the source tree.
    suite::SuiteSettings(session_.Db(), QStringLiteral("001")).Set(QStringLiteral("LocalPrintFormats"), QStringLiteral("0"));
    Session& s = Session::Current();
    s.applicationFolder = QStringLiteral(CORVANE_REP_DIR "/..");
    s.Common().GetFolderSettings().SetReportPath(
        platform::ReportTemplateFolder(s.applicationFolder, QString::fromLatin1(GetParam().language)) + QLatin1Char('/'));
  }
  ~EveryReportPrintsFiguresWhole() override { Session::Current().applicationFolder.clear(); }

  // Answers each dialog as a clerk would, so the walk reaches every print.
  ScriptedModals::Step Answer() {
    return [this](QDialog& d) {
      if (auto* preview = dynamic_cast<suite::PreviewDialog*>(&d)) return PageThrough(*preview);
      if (auto* print = dynamic_cast<QPrintDialog*>(&d)) return PrintToPdf(*print);
      if (auto* choose = dynamic_cast<shared::frmYHKMXZ*>(&d)) return Choose(*choose);
      if (dynamic_cast<query::frmYHCQWDTJ*>(&d)) return AuditConditions(QStringLiteral("2026.12.31"), QStringLiteral("30"))(d);
      if (auto* opening = dynamic_cast<opening::frmYHDZQC*>(&d)) {
        Walk(*opening);
        session_.Modals().Then(Answer());
        opening->Command1_Click();
        session_.Modals().Then(Answer());
        opening->Command2_Click();
        return;
      }
      if (auto* view = dynamic_cast<balance::frmYETJB1*>(&d)) {
        Walk(*view);
        view->ShowDetailStatement();
        QApplication::processEvents();
        auto* detail = Session::Current().windows.Find<balance::frmYHDZCX1>();
        EXPECT_NE(detail, nullptr);
        if (detail) {
          Walk(*detail);
          detail->close();
        }
        return;
      }
      Walk(d);  // the opening item windows
    };
  }

  void Choose(shared::frmYHKMXZ& choose) {
    const bool book = Session::Current().BookMode();
    QComboBox* list = book ? choose.cmbBook() : choose.Combo1();
    QComboBox* start = book ? choose.cmbStartDate() : choose.Combo2();
    QComboBox* end = book ? choose.cmbEndDate() : choose.Combo3();
    if (list->count() > 0) list->setCurrentIndex(0);
    if (start->isVisibleTo(&choose) && start->count() > 0) start->setCurrentIndex(0);
    if (end->isVisibleTo(&choose) && end->count() > 0) end->setCurrentIndex(end->count() - 1);
    choose.Command1_Click();
  }

  void PageThrough(suite::PreviewDialog& preview) {
    ++previews_;
    auto* next = preview.findChild<QPushButton*>(QStringLiteral("cmdNext"));
    for (int page = 1; page < preview.PageCount(); ++page) next->click();
    EXPECT_EQ(preview.CurrentPage(), preview.PageCount() - 1);
    preview.findChild<QPushButton*>(QStringLiteral("cmdClose"))->click();
  }

  void PrintToPdf(QPrintDialog& dialog) {
    const QString pdf = dir_.filePath(QStringLiteral("print%1.pdf").arg(++prints_));
    dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
    dialog.printer()->setOutputFileName(pdf);
    for (QLineEdit* box : dialog.findChildren<QLineEdit*>())
      if (box->objectName() == QLatin1String("filename")) box->setText(pdf);
    dialog.accept();
  }

  // Preview and Print from the window's toolbar; a window of two grids prints
  // the one on show, so each in turn.
  void Walk(QWidget& w) {
    auto* toolbar = w.findChild<platform::ToolbarHost*>();
    if (!toolbar) return;
    auto* tabs = w.findChild<QTabBar*>();
    for (int tab = 0; tab < (tabs ? tabs->count() : 1); ++tab) {
      if (tabs) tabs->setCurrentIndex(tab);
      for (const char* verb : {"preview", "print"}) {
        const QString key = QString::fromLatin1(verb);
        if (!toolbar->IsButtonVisible(key) || !toolbar->IsButtonEnabled(key)) continue;
        session_.Modals().Then(Answer());
        toolbar->Click(key);
      }
    }
  }

  testing::SuiteSession session_{GetParam().book, QDate(2026, 12, 15), QString::fromLatin1(GetParam().language)};
  QTemporaryDir dir_;
  int previews_ = 0;
  int prints_ = 0;
};

TEST_P(EveryReportPrintsFiguresWhole, NoDateAmountOrNumberIsCut) {
  suite::ElidedCellRecorder recorder;
  for (const char* menu : {"RP0303", "RP0304", "RP0305", "RP0306", "RP0307", "RP0308", "RP0309"}) {
    SCOPED_TRACE(menu);
    session_.Modals().Then(Answer());
    if (QLatin1String(menu) == QLatin1String("RP0303")) session_.Modals().Then(Answer());
    host::ExecuteMenu(QString::fromLatin1(menu), {}, {}, {});
    QApplication::processEvents();
    if (auto* balance = Session::Current().windows.Find<balance::frmYETJB>()) {
      Walk(*balance);
      session_.Modals().Then(Answer());
      balance->rPrint();  // the list report, from the right-click menu
      session_.Modals().Then(Answer());
      balance->rView3();
    }
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (!w->isVisible() || w->objectName().startsWith(QLatin1String("qt_"))) continue;
      if (!Session::Current().windows.Find<balance::frmYETJB>()) Walk(*w);
      w->close();
    }
    QApplication::processEvents();
  }
  for (const auto& m : session_.Messages().Shown()) ADD_FAILURE() << m.prompt.toStdString();
  // Opening set-up, its two item windows, statement, balance statement (grid,
  // list, two-sided, detail), the query's and the audit's two grids.
  EXPECT_GE(previews_, 11);
  EXPECT_EQ(prints_, previews_ + 1);
  QStringList cut;
  for (const suite::ElidedCell& e : recorder.Cells())
    if (suite::MustShowWhole(e.kind) || e.part == suite::ElidedCell::Part::Body)
      cut << QStringLiteral("%1 p%2 part %3 row %4 col %5 %6: %7")
                 .arg(e.report).arg(e.page + 1).arg(static_cast<int>(e.part)).arg(e.row).arg(e.column)
                 .arg(QString::fromLatin1(suite::CellKindName(e.kind)), e.text);
  EXPECT_TRUE(cut.isEmpty()) << cut.size() << " cut:\n" << cut.mid(0, 40).join(QLatin1Char('\n')).toStdString();
  if (!GetParam().longTexts) return;
  // Every head line naming the account keeps its code: statement, opening
  // summary and items, two-sided and detailed statement; the summary's date
  // and amount print as written.
  int heads = 0;
  QString all;
  for (int n = 1; n <= prints_; ++n) {
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), dir_.filePath(QStringLiteral("print%1.pdf").arg(n)),
                                             QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(60000));
    all += QString::fromUtf8(text.readAllStandardOutput());
  }
  for (const QString& line : all.split(QLatin1Char('\n'))) {
    if (!line.contains(kLongName.left(10)) || !(line.contains(QChar(0xFF1A)) || line.contains(QLatin1Char(':')))) continue;
    ++heads;
    EXPECT_TRUE(line.contains(QStringLiteral("(100201)"))) << line.toStdString();
  }
  EXPECT_GE(heads, 6);
  EXPECT_TRUE(all.contains(QStringLiteral("2026.03.15")) && all.contains(QStringLiteral("86,420.13")));
}

// The heads say what the pages list: the dollar account and its currency, the audit's date and age.
TEST_P(EveryReportPrintsFiguresWhole, HeadsSayWhatThePagesList) {
  const auto expectPrinted = [this](const char* menu, ScriptedModals::Step choice, const QStringList& says) {
    session_.Modals().Then(std::move(choice));
    host::ExecuteMenu(QString::fromLatin1(menu), {}, {}, {});
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == (menu[5] == '7' ? "frmYHDZCX" : "frmYHCQWD")) Walk(*w);  // both pages
    QProcess pdf;
    pdf.start(QStringLiteral("pdftotext"), {dir_.filePath(QStringLiteral("print%1.pdf").arg(prints_)), QStringLiteral("-")});
    pdf.waitForFinished();
    const QString text = QString::fromUtf8(pdf.readAllStandardOutput()).remove(QRegularExpression(QStringLiteral("\\s")));
    for (QString said : says) EXPECT_TRUE(text.contains(said.remove(QRegularExpression(QStringLiteral("\\s")))));
  };
  const QString code = QString::fromLatin1(GetParam().book ? "(YH003)" : "(100203)");
  expectPrinted("RP0307", ChooseEntry(code.mid(1, code.size() - 2), 0),
                {code, shared::GetResString(QStringLiteral("corvane.print.amountunit"), QStringLiteral("美元"))});
  expectPrinted("RP0309", Answer(), {shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00017")) + "2026.12.31",
                                     shared::GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.overdate"), 30)});
}

INSTANTIATE_TEST_SUITE_P(Print, EveryReportPrintsFiguresWhole,
                         ::testing::Values(WalkCase{"zh-CN", false, false}, WalkCase{"en-US", false, false},
                                           WalkCase{"zh-CN", true, false}, WalkCase{"en-US", true, false},
                                           WalkCase{"zh-CN", false, true}, WalkCase{"en-US", false, true},
                                           WalkCase{"zh-CN", true, true}, WalkCase{"en-US", true, true},
                                           WalkCase{"zh-CN", false, false, true}, WalkCase{"en-US", false, false, true}),
                         CaseName);

}  // namespace
}  // namespace corvane::testing
