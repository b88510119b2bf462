#include "statement_fixture.h"

#include "platform/services/statement_line_writer.h"
#include "statement/frm_nb_import_cond.h"
#include "suite/import/statement_import_dialog.h"
#include "suite/import/suite_statement_importer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <stdexcept>

namespace corvane::statement {
namespace {

using platform::Money;

QString Sample(const char* name) {
  return QStringLiteral(CORVANE_IMPORT_SAMPLES "/") + QLatin1String(name);
}

class ImportTest : public StatementTest {
 protected:
  ImportTest() { suite::RegisterImportObjects(nullptr, bankFolder_.path()); }
  ~ImportTest() override { suite::StatementImportDialog::progressHook = nullptr; }

  long long Lines() { return Count("select count(*) from " + Table() + " where " + KeyColumn() + "=? and ibegin=2", {Key()}); }

  // The importer's dialog: this file, then Import.
  void ScriptImport(const QString& path) {
    session_.Modals().Then([path](QDialog& d) {
      auto& dialog = dynamic_cast<suite::StatementImportDialog&>(d);
      dialog.SetFile(path);
      dialog.cmdImport_Click();
    });
  }

  QTemporaryDir bankFolder_;
};

TEST_P(ImportTest, ACsvFileIsMappedCheckedAndWrittenForTheBookToo) {
  const long long accountLines = Count("select count(*) from rp_bankrecp where ccode='100204' and ibegin=2");
  frmYHDZD* w = Open();
  ScriptImport(Sample("statement.csv"));
  w->Toolbar1_ButtonClick(QStringLiteral("import"));
  EXPECT_EQ(Lines(), 2);
  EXPECT_EQ(w->MsGrid1()->Rows(), 3);  // reloaded
  EXPECT_EQ(Count("select count(*) from " + Table() + " where " + KeyColumn() +
                      "=? and ibegin=2 and bdelete=0 and iflag is null and bd_c is not null and ccode='100204'",
                  {Key()}),
            2);
  // In book mode nothing goes to the accounts' table.
  EXPECT_EQ(Count("select count(*) from rp_bankrecp where ccode='100204' and ibegin=2"), accountLines + (Book() ? 0 : 2));
  EXPECT_EQ(w->MsGrid1()->TextMatrix(2, 6), "1,900.50");
}

TEST_P(ImportTest, ACamtFileIsRecognisedAndItsUnreadableLineRefused) {
  frmYHDZD* w = Open();
  ScriptImport(Sample("camt053.xml"));
  w->Toolbar1_ButtonClick(QStringLiteral("import"));
  // Its statement has no closing balance and a line that cannot be read: nothing is written.
  EXPECT_EQ(Lines(), 0);
}

TEST_P(ImportTest, DuplicatesAreWrittenOnlyWhenTheUserSaysSo) {
  AddLine(QDate(2026, 7, 10), true, 1200.50, 0, "zp1001");
  frmYHDZD* w = Open();
  session_.Messages().Answer(7);  // no to the duplicate
  ScriptImport(Sample("statement.csv"));
  w->Toolbar1_ButtonClick(QStringLiteral("import"));
  EXPECT_EQ(Lines(), 2);
  session_.Messages().Answer(6);
  ScriptImport(Sample("statement.csv"));
  w->Toolbar1_ButtonClick(QStringLiteral("import"));
  EXPECT_EQ(Lines(), 4);
}

TEST_P(ImportTest, AFailureMidImportWritesNothing) {
  QFile big(bankFolder_.filePath("big.csv"));
  ASSERT_TRUE(big.open(QIODevice::WriteOnly));
  big.write("date,number,debit,credit\n");
  for (int i = 0; i < 5000; ++i) big.write(QStringLiteral("2026-07-%1,N%2,%3,\n").arg(1 + i % 28, 2, 10, QLatin1Char('0')).arg(i).arg(i + 1).toUtf8());
  big.close();
  suite::StatementImportDialog::progressHook = [](int done, int) {
    if (done >= 4000) throw std::runtime_error("disk full");
  };
  frmYHDZD* w = Open();
  ScriptImport(big.fileName());
  w->Toolbar1_ButtonClick(QStringLiteral("import"));
  EXPECT_EQ(Lines(), 0);
  suite::StatementImportDialog::progressHook = nullptr;
  ScriptImport(big.fileName());
  w->Toolbar1_ButtonClick(QStringLiteral("import"));
  EXPECT_EQ(Lines(), 5000);
}

INSTANTIATE_TEST_SUITE_P(Modes, ImportTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "book" : "account"; });

// --- Internet banking (book mode) ----------------------------------------------------

class NetBankTest : public ImportTest {
 protected:
  NetBankTest() { QFile::copy(Sample("camt053.xml"), bankFolder_.filePath("YH004-2026-07.xml")); }

  void ScriptDates(const QString& start, const QString& end) {
    session_.Modals().Then([start, end](QDialog& d) {
      auto& dialog = dynamic_cast<frmNBImportCond&>(d);
      dialog.txtStartDate()->setText(start);
      dialog.txtEndDate()->setText(end);
      dialog.cmdOK_Click();
    });
  }
};

TEST_P(NetBankTest, FetchesTheBooksLinesInTheRange) {
  frmYHDZD* w = Open();
  ScriptDates("2026.07.01", "2026.07.31");
  w->Toolbar1_ButtonClick(QStringLiteral("import1"));
  if (!Book()) {
    EXPECT_EQ(session_.Modals().Count(), 1);  // only the selection: account mode has no internet-banking import
    return;
  }
  // Two lines in July; the August one is outside, the one without a direction refused.
  EXPECT_EQ(Lines(), 2);
  EXPECT_EQ(Count("select count(*) from rp_bankrecp_rp where cBookCode='YH004' and ccode='100204' and ibegin=2 and "
                  "bdelete=0 and mbalance=0 and iflag is null"),
            2);
  EXPECT_EQ(w->MsGrid1()->Rows(), 3);
}

// Book mode only: the command exists nowhere else.
class NetBankBookTest : public NetBankTest {};

TEST_P(NetBankBookTest, AStartAfterTheEndIsRefused) {
  frmYHDZD* w = Open();
  ScriptDates("2026.07.31", "2026.07.01");
  w->Toolbar1_ButtonClick(QStringLiteral("import1"));
  EXPECT_EQ(session_.Messages().LastPrompt(), shared::GetResString(QStringLiteral("corvane.import.startafterend")));
  EXPECT_EQ(Lines(), 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, NetBankTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "book" : "account"; });
INSTANTIATE_TEST_SUITE_P(Book, NetBankBookTest, ::testing::Values(true),
                         [](const auto& info) { return "book"; });

}  // namespace
}  // namespace corvane::statement
