#include "platform/controls/entry_grid.h"
#include "platform/print/print_work_db.h"
#include "platform/print/rtprn.h"
#include "platform/print/template_path.h"
#include "platform/services/common_services.h"
#include "platform/services/login_context.h"
#include "shared/account_facts.h"
#include "shared/messages.h"
#include "shared/print_control_text.h"
#include "shared/print_format.h"
#include "shared/session.h"
#include "statement/frm_yhdzd.h"
#include "statement/statement_report.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>

namespace corvane::statement {

using shared::GetResString;
using shared::Session;

namespace {

class WaitCursor {
 public:
  WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
};

}  // namespace

void frmYHDZD::OutputReport(int mode) {
  if (!SettleCurrentRow()) return;
  Session& s = Session::Current();
  auto* prn = findChild<platform::RTPrn*>(QStringLiteral("RTPrn1"));
  if (!prn) prn = new platform::RTPrn(this);
  int result = 0;
  {
    StatementBusy busy(*this);
    WaitCursor wait;
    prn->setBlnrtpOptionA(true);
    prn->rtpSetOwner(this);
    const QString language = s.gLogin ? s.gLogin->GetLanguageId() : QString();
    const QString programFolder =
        s.applicationFolder.isEmpty() ? QCoreApplication::applicationDirPath() : s.applicationFolder;
    const QString folder = platform::ReportTemplateFolder(programFolder, language);
    platform::PrintWorkDb* work = s.Common().GetPrintWorkDb();
    WriteStatementReportTables(*work, label1_->text(), shared::GetCurrencyName(context_.LineKey()));
    prn->setObjrtpBodyGrid(nullptr);
    prn->setObjrtpSecondBody(nullptr);
    prn->setStrrtpTailTemplate(QString());
    prn->setStrrtpTailTable(QString());
    QStringList format{QString(), QString(), QString(), QString()};
    shared::LoadPrintFormat(QStringLiteral("GLYhDzd"), format);
    const QStringList settings = s.Common().LoadPageSettings(QStringLiteral("GLYhDzd"));
    prn->setIntrtpReportKind(1);
    prn->setStrrtpDatabase(s.Common().GetPrintWorkDb()->Name());
    prn->setStrrtpHeadTemplate(platform::ReportTemplatePath(folder, format.value(1)));
    prn->setStrrtpHeadTable(QStringLiteral("ZPDJ_Head"));
    prn->setStrrtpTailTemplate(platform::ReportTemplatePath(folder, format.value(2)));
    prn->setStrrtpTailTable(QStringLiteral("ZPDJ_Tail"));
    prn->setObjrtpBodyGrid(grid_);
    prn->setBlnrtpOptionB(false);
    prn->setLngrtpOptionC(1);
    prn->setLngrtpPaperSize(settings.value(0).toInt());
    prn->setLngrtpPaperOrient(settings.value(1).compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ? 1 : 0);
    if (!settings.value(2).isEmpty())
      prn->rtpSetMargin(settings.value(2).toInt(), settings.value(3).toInt(), settings.value(4).toInt(),
                        settings.value(5).toInt());
    prn->setIntrtpOptionD(30);
    prn->setBlnrtpOptionE(true);
  }
  switch (mode) {
    case 1: result = prn->rtpPrint(); break;
    case 2: result = prn->rtpPreview(); break;
    case 3: {
      struct Field {
        const char* key;
        int type;
        int width;
      };
      const Field fields[] = {{"00024", 8, 10}, {"00025", 10, 20}, {"00026", 10, 10},
                              {"00083", 5, 16}, {"00084", 5, 16},  {"00643", 5, 16}};
      prn->rtpOutputColumn(platform::RTPrn::kDataOutOpen, QString(), 0, 6);
      for (int i = 0; i < 6; ++i)
        prn->rtpOutputColumn(i, GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.") + QLatin1String(fields[i].key)),
                             fields[i].type, fields[i].width);
      result = prn->rtpOutputColumn(platform::RTPrn::kDataOutRun, QString(), 0, 0);
      break;
    }
    default:
      return;
  }
  shared::ShowPrintResult(result, mode);
}

}  // namespace corvane::statement
