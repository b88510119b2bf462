// A command of an open window (a save, a delete, a reload, a check, a match, an
// import…) while another session holds what it needs longer than the database
// waits: the user is told in the session's language, in the component's own
// words (the database's only as the detail), or in the command's own busy text
// where it has one; nothing is written and the window stays open. On SQLite a
// read does not wait for a writer: there a command that only reads goes on.
#include "balance/frm_yetjb.h"
#include "balance/frm_yetjb1.h"
#include "host/menu_dispatcher.h"
#include "platform/controls/entry_grid.h"
#include "platform/controls/list_grid.h"
#include "platform/controls/toolbar_host.h"
#include "platform/db/db_connection.h"
#include "query/frm_yhcqwd.h"
#include "query/frm_yhdzcx.h"
#include "reconcile/frm_yhdz.h"
#include "reconcile/frm_yhdz_auto.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "statement/frm_yhdzd.h"
#include "suite/import/statement_import_dialog.h"
#include "suite/import/suite_statement_importer.h"
#include "suite/resources/resource_texts.h"
#include "suite/services/text_source.h"
#include "support/busy_database.h"
#include "support/query_windows.h"
#include "support/suite_session.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace corvane::host {
namespace {

using shared::GetResString;
using shared::Session;

class BusyCommand;

// Opens the row's window, runs its command under the other session's lock
// (through BusyCommand::UnderLock) and says whether the window is still open.
using Command = std::function<bool(BusyCommand&)>;

struct BusyRow {
  const char* name;
  bool bookMode;
  const char* language;
  const char* pgLock;      // what the other session locks on PostgreSQL
  bool sqliteWaits;        // the command writes: on SQLite it waits too
  const char* busyKey;     // the text that says so
  const char* state;       // what must read the same afterwards
  Command command;
};

void PrintTo(const BusyRow& r, std::ostream* os) { *os << r.name; }

class BusyCommand : public ::testing::TestWithParam<BusyRow> {
 public:
  BusyCommand() : session_(GetParam().bookMode, QDate(2026, 12, 15), QString::fromLatin1(GetParam().language)) {
    testing::WaitBriefly(session_.Database());
  }

  // The demo's first bank account, or bank book in book mode.
  QString Code() const { return GetParam().bookMode ? QStringLiteral("YH001") : QStringLiteral("100201"); }
  testing::SuiteSession& Session() { return session_; }

  // Runs the command while the other session holds its lock; what the
  // database holds is read just before and just after, the window still open.
  void UnderLock(const std::function<void()>& command) {
    before_ = State();
    session_.Messages().Clear();
    {
      testing::OtherSessionWriting other(session_.Database(), QString::fromLatin1(GetParam().pgLock));
      command();
      QApplication::processEvents();
    }
    shown_ = session_.Messages().Shown();
    after_ = State();
  }

  QStringList State() {
    QStringList cells;
    const platform::ResultSet r = session_.Db().Query(QString::fromLatin1(GetParam().state));
    for (const auto& row : r.rows)
      for (const auto& v : row) cells << (v.IsNull() ? QStringLiteral("null") : v.ToString());
    for (const char* table : {"corvane_claim", "corvane_lock"})
      cells << session_.Db().QueryValue(QStringLiteral("select count(*) from %1").arg(QLatin1String(table))).ToString();
    return cells;
  }

  QStringList before_, after_;
  std::vector<platform::MessageRequest> shown_;

 protected:
  testing::SuiteSession session_;
};

// --- The windows' commands ------------------------------------------------------------

statement::frmYHDZD* OpenStatement(BusyCommand& t) {
  t.Session().Modals().Then(testing::ChooseEntry(t.Code(), 0));
  ExecuteMenu(QStringLiteral("RP0304"), {}, {}, {});
  return Session::Current().windows.Find<statement::frmYHDZD>();
}

// A text typed into a cell and kept as Enter keeps it.
bool Type(platform::EntryGrid* grid, int row, int col, const QString& text) {
  if (!grid->StartEdit(row, col)) return false;
  auto* line = qobject_cast<QLineEdit*>(grid->ActiveEditor());
  if (!line) return false;
  line->setText(text);
  return grid->CommitEdit();
}

// A new line keyed in (number and credit), not yet saved; gives its row.
int KeyNewLine(statement::frmYHDZD* w) {
  w->Toolbar()->Click(QStringLiteral("add"));
  const int row = w->MsGrid1()->Rows() - 1;
  EXPECT_TRUE(Type(w->MsGrid1(), row, 3, QStringLiteral("BUSY-1")));
  EXPECT_TRUE(Type(w->MsGrid1(), row, 5, QStringLiteral("12.34")));
  return row;
}

bool StatementSave(BusyCommand& t) {
  statement::frmYHDZD* w = OpenStatement(t);
  if (!w) return false;
  const int row = KeyNewLine(w);
  t.UnderLock([&] { w->Toolbar()->Click(QStringLiteral("save")); });
  EXPECT_FALSE(w->Editor().IsSaved(row));
  return w->isVisible();
}

bool StatementDelete(BusyCommand& t) {
  statement::frmYHDZD* w = OpenStatement(t);
  if (!w) return false;
  const int row = KeyNewLine(w);
  w->Toolbar()->Click(QStringLiteral("save"));
  EXPECT_TRUE(w->Editor().IsSaved(row));
  w->MsGrid1()->SetCurrentCell(row, 1);
  t.UnderLock([&] {
    t.Session().Messages().Answer(6);  // yes, delete it
    w->Toolbar()->Click(QStringLiteral("del"));
  });
  EXPECT_TRUE(w->Editor().IsSaved(row));
  return w->isVisible();
}

// F7, the same account chosen again: the window loads it afresh.
bool StatementReload(BusyCommand& t) {
  statement::frmYHDZD* w = OpenStatement(t);
  if (!w) return false;
  t.UnderLock([&] {
    t.Session().Modals().Then(testing::ChooseEntry(t.Code(), 0));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F7, Qt::NoModifier);
    QCoreApplication::sendEvent(w->MsGrid1()->View(), &press);
  });
  return w->isVisible();
}

// The statement window's Import of a sheet with these lines.
bool ImportSheet(BusyCommand& t, const QByteArray& sheet) {
  QTemporaryDir folder;
  suite::ResourceTexts texts(QString::fromLatin1(t.GetParam().language));
  suite::TextSourceAdapter<suite::ResourceTexts> source(texts);
  suite::RegisterImportObjects(&source, folder.path());
  QFile file(folder.filePath(QStringLiteral("lines.csv")));
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(sheet);
  file.close();
  statement::frmYHDZD* w = OpenStatement(t);
  if (!w) return false;
  t.UnderLock([&] {
    t.Session().Modals().Then([&](QDialog& d) {
      auto& dialog = dynamic_cast<suite::StatementImportDialog&>(d);
      dialog.SetFile(file.fileName());
      dialog.cmdImport_Click();
      EXPECT_TRUE(dialog.isVisible());
    });
    w->Toolbar()->Click(QStringLiteral("import"));
  });
  suite::RegisterImportObjects(nullptr, QString());
  return w->isVisible();
}

bool StatementImport(BusyCommand& t) {
  return ImportSheet(t, "date,number,debit,credit\n2026-01-05,IMP-1,10.00,\n2026-01-06,IMP-2,,20.00\n");
}

// Lines with settlement styles, which the dialog looks up before it offers Import.
bool StatementImportWithStyles(BusyCommand& t) {
  return ImportSheet(t, "date,settlement,number,debit,credit\n2026-01-05,201,IMP-1,10.00,\n2026-01-06,202,IMP-2,,20.00\n");
}

// The opening set-up's change of the balance direction, confirmed.
bool OpeningDirection(BusyCommand& t) {
  bool open = false;
  t.Session().Modals().Then(testing::ChooseEntry(t.Code(), 0));
  t.Session().Modals().Then([&](QDialog& d) {
    t.UnderLock([&] {
      t.Session().Messages().Answer(6);
      d.findChild<platform::ToolbarHost*>()->Click(QStringLiteral("edit"));
    });
    open = d.isVisible();
  });
  ExecuteMenu(QStringLiteral("RP0303"), {}, {}, {});
  return open;
}

reconcile::frmYHDZ* OpenReconciliation(BusyCommand& t) {
  t.Session().Modals().Then(testing::ChooseEntry(t.Code(), 0));
  ExecuteMenu(QStringLiteral("RP0305"), {}, {}, {});
  return Session::Current().windows.Find<reconcile::frmYHDZ>();
}

bool Matching(BusyCommand& t) {
  reconcile::frmYHDZ* w = OpenReconciliation(t);
  if (!w) return false;
  t.UnderLock([&] {
    t.Session().Modals().Then([](QDialog& d) {
      d.findChild<QLineEdit*>(QStringLiteral("Text1"))->clear();
      dynamic_cast<reconcile::frmYHDZAuto&>(d).Command1_Click();
    });
    w->Toolbar()->Click(QStringLiteral("auto"));
  });
  return w->isVisible();
}

bool BalanceCheck(BusyCommand& t) {
  reconcile::frmYHDZ* w = OpenReconciliation(t);
  if (!w) return false;
  t.UnderLock([&] { w->Toolbar()->Click(QStringLiteral("check")); });
  return w->isVisible();
}

// The balance statement's two-sided view of its first account, then its detail.
bool BalanceDetail(BusyCommand& t) {
  ExecuteMenu(QStringLiteral("RP0306"), {}, {}, {});
  auto* w = Session::Current().windows.Find<balance::frmYETJB>();
  if (!w) return false;
  w->MSGrid1()->SetCurrentCell(1, 0);
  t.UnderLock([&] {
    t.Session().Modals().Then(
        [](QDialog& d) { d.findChild<platform::ToolbarHost*>()->Click(QStringLiteral("detail")); });
    w->Toolbar()->Click(QStringLiteral("view"));
  });
  return w->isVisible();
}

// The query and the audit load again with the conditions chosen anew.
bool QueryReload(BusyCommand& t) {
  t.Session().Modals().Then(testing::ChooseEntry(t.Code(), 0));
  ExecuteMenu(QStringLiteral("RP0307"), {}, {}, {});
  auto* w = Session::Current().windows.Find<query::frmYHDZCX>();
  if (!w) return false;
  t.UnderLock([&] {
    t.Session().Modals().Then(testing::ChooseEntry(t.Code(), 0));
    w->Toolbar()->Click(QStringLiteral("search"));
  });
  return w->isVisible();
}

bool AuditReload(BusyCommand& t) {
  t.Session().Modals().Then(testing::AuditConditions(QStringLiteral("2026.12.31"), QStringLiteral("30")));
  ExecuteMenu(QStringLiteral("RP0309"), {}, {}, {});
  auto* w = Session::Current().windows.Find<query::frmYHCQWD>();
  if (!w) return false;
  t.UnderLock([&] {
    t.Session().Modals().Then(testing::AuditConditions(QStringLiteral("2026.12.31"), QStringLiteral("60")));
    w->Toolbar()->Click(QStringLiteral("search"));
  });
  return w->isVisible();
}

// --- The table ---------------------------------------------------------------------------

bool Chinese(const QString& text) { return text.contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]"))); }

TEST_P(BusyCommand, SaysSoInTheSessionsLanguageWritesNothingAndStaysOpen) {
  const BusyRow& r = GetParam();
  bool open = false;
  EXPECT_NO_THROW(open = r.command(*this));
  EXPECT_TRUE(open);
  ASSERT_FALSE(before_.isEmpty());
  EXPECT_EQ(after_, before_);
  if (!session_.Database().IsPostgres() && !r.sqliteWaits) {
    // A read goes on beside the other session's write.
    for (const auto& m : shown_) ADD_FAILURE() << m.prompt.toStdString();
    return;
  }
  // The component's (or the command's) own words; the database's come only as
  // the detail of the component's busy text.
  const QString busyKey = QString::fromLatin1(r.busyKey);
  const QStringList around = GetResString(busyKey, QStringLiteral("\x01")).split(QChar(1));
  ASSERT_FALSE(around[0].trimmed().isEmpty());
  int told = 0;
  for (const auto& m : shown_) {
    const qsizetype at = m.prompt.indexOf(around[0]);
    if (at < 0) continue;
    ++told;
    if (around.size() == 2) {
      EXPECT_TRUE(m.prompt.endsWith(around[1])) << m.prompt.toStdString();
      EXPECT_GT(m.prompt.size(), at + around[0].size() + around[1].size()) << m.prompt.toStdString();
    } else {
      EXPECT_EQ(m.prompt.mid(at), around[0]);
    }
    EXPECT_EQ(Chinese(m.prompt), QLatin1String(r.language) == QLatin1String("zh-CN")) << m.prompt.toStdString();
  }
  EXPECT_EQ(told, 1) << [&] {
    std::string all;
    for (const auto& m : shown_) all += "[" + m.prompt.toStdString() + "] ";
    return all;
  }();
}

const char kStatementLines[] = "select count(*), coalesce(sum(mmoney), 0) from rp_bankrecp";
const char kBookLines[] = "select count(*), coalesce(sum(mmoney), 0) from rp_bankrecp_rp";
const char kTicks[] =
    "select (select count(*) from rp_bankrecp where iflag is not null and iflag<>0), "
    "(select count(*) from gl_accvouch where iflagbank is not null and iflagbank<>0)";
const char kBookTicks[] =
    "select (select count(*) from rp_bankrecp_rp where iflag is not null and iflag<>0), "
    "(select count(*) from RP_Flow where iflagbank is not null and iflagbank<>0)";

const BusyRow kRows[] = {
    {"StatementSaveAccounts", false, "zh-CN", "lock table rp_bankrecp in exclusive mode", true, "corvane.host.busy",
     kStatementLines, StatementSave},
    {"StatementSaveBooks", true, "en-US", "lock table rp_bankrecp_rp in exclusive mode", true, "corvane.host.busy",
     kBookLines, StatementSave},
    {"StatementDeleteAccounts", false, "en-US", "lock table rp_bankrecp in exclusive mode", true, "corvane.host.busy",
     kStatementLines, StatementDelete},
    {"StatementDeleteBooks", true, "zh-CN", "lock table rp_bankrecp_rp in exclusive mode", true, "corvane.host.busy",
     kBookLines, StatementDelete},
    {"StatementReloadAccounts", false, "zh-CN", "lock table rp_bankrecp in access exclusive mode", false,
     "corvane.host.busy", kStatementLines, StatementReload},
    {"StatementImportAccounts", false, "zh-CN", "lock table rp_bankrecp in exclusive mode", true, "corvane.host.busy",
     kStatementLines, StatementImport},
    {"StatementImportBooks", true, "en-US", "lock table rp_bankrecp_rp in exclusive mode", true, "corvane.host.busy",
     kBookLines, StatementImport},
    {"StatementImportStylesAccounts", false, "en-US", "lock table settlestyle in access exclusive mode", true,
     "corvane.host.busy", kStatementLines, StatementImportWithStyles},
    {"OpeningDirectionAccounts", false, "en-US", "lock table code in exclusive mode", true, "corvane.host.busy",
     "select bd_c from code where ccode='100201'", OpeningDirection},
    {"OpeningDirectionBooks", true, "zh-CN", "lock table RP_Book in exclusive mode", true, "corvane.host.busy",
     "select bd_c from RP_Book where cBookCode='YH001'", OpeningDirection},
    {"MatchingAccounts", false, "zh-CN", "lock table rp_bankrecp, gl_accvouch in exclusive mode", true,
     "corvane.recon.locktimeout", kTicks, Matching},
    {"BalanceCheckBooks", true, "en-US", "lock table rp_bankrecp_rp, RP_Flow in access exclusive mode", false,
     "corvane.host.busy", kBookTicks, BalanceCheck},
    {"BalanceDetailAccounts", false, "zh-CN", "lock table rp_bankrecp, gl_accvouch in access exclusive mode", true,
     "corvane.host.busy", kTicks, BalanceDetail},
    {"BalanceDetailBooks", true, "en-US", "lock table rp_bankrecp_rp, RP_Flow in access exclusive mode", true,
     "corvane.host.busy", kBookTicks, BalanceDetail},
    {"QueryReloadAccounts", false, "en-US", "lock table rp_bankrecp, gl_accvouch in access exclusive mode", false,
     "corvane.host.busy", kTicks, QueryReload},
    {"AuditReloadBooks", true, "zh-CN", "lock table rp_bankrecp_rp, RP_Flow in access exclusive mode", false,
     "corvane.host.busy", kBookTicks, AuditReload},
};

INSTANTIATE_TEST_SUITE_P(Windows, BusyCommand, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane::host
