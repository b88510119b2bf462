// A SQLite database keeps its locks while the program lists, picks or reads
// files in the database's own folder: nothing but the database layer opens the
// database's files (on Linux closing any descriptor of a file drops all of the
// process's locks on it).
#include "print_fixture.h"

#include "platform/db/database_files.h"
#include "platform/db/db_connection.h"
#include "platform/services/statement_line_writer.h"
#include "suite/db/open_db_connection.h"
#include "suite/import/statement_file.h"
#include "suite/import/statement_import_dialog.h"
#include "suite/import/suite_statement_importer.h"
#include "suite/print/suite_report_engine.h"
#include "support/open_watch.h"
#include "support/scripted_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSet>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>

namespace corvane::testing {
namespace {

// Shows a window and runs events until one of its folder models has listed
// folder and taken in what it found; false when none did within 5 s.
bool ListFolder(QWidget& window, const QString& folder) {
  window.show();
  QEventLoop loop;
  bool listed = false;
  for (QFileSystemModel* model : window.findChildren<QFileSystemModel*>())
    QObject::connect(model, &QFileSystemModel::directoryLoaded, &loop, [&](const QString& path) {
      if (QDir(path) != QDir(folder)) return;
      listed = true;
      loop.quit();
    });
  QTimer::singleShot(5000, &loop, &QEventLoop::quit);
  loop.exec();
  QTest::qWait(200);  // the model's type and icon passes over the rows found
  return listed;
}

class FileListingLocksTest : public PrintFixture {
 protected:
  FileListingLocksTest() {
    home_ = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(dir_.path()));  // a database kept in the home folder
    cwd_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());  // started from the database's folder, as run.sh does
  }
  ~FileListingLocksTest() override {
    QDir::setCurrent(cwd_);
    qputenv("HOME", home_);
  }

  // A new database of its own (so that a case that loses the locks leaves the
  // next one whole), holding the write lock and a read under it.
  void Hold(int number) {
    name_ = QStringLiteral("corvane%1.db").arg(number);
    db_ = suite::OpenDbConnection(QStringLiteral("sqlite:") + Database());
    db_->Execute(QStringLiteral("create table t (a integer)"));
    db_->Execute(QStringLiteral("insert into t values (1)"));  // the WAL has frames
    db_->BeginTrans();
    db_->QueryValue(QStringLiteral("select count(*) from t"));
  }

  QString Database() const { return Path(name_); }

  // What another process meets when it asks for the write lock: "busy" while
  // this one still holds its locks.
  std::string OtherProcessWriteLock() const {
    QProcess probe;
    probe.start(QStringLiteral(CORVANE_WRITE_LOCK_PROBE), {Database()});
    probe.waitForFinished(10000);
    return probe.readAllStandardOutput().trimmed().toStdString();
  }

  // Prints a small grid report; the print dialog is answered by step.
  int PrintThrough(const std::function<void(QDialog&)>& step) {
    FillGrid(3);
    WriteHeadAndTail({QStringLiteral("银行对账单"), "", "", "", "", "", ""}, {"", "", "", "", "", ""});
    modals_.Then(step);
    suite::SuiteReportEngine engine(nullptr);
    return engine.Print(GridJob());
  }

  QString name_;
  std::unique_ptr<platform::DbConnection> db_;
  ScriptedModals modals_;
  ScriptedMessages messages_;
  QByteArray home_;
  QString cwd_;
};

TEST_F(FileListingLocksTest, TheDatabaseKeepsItsLocksWhateverListsOrReadsItsFolder) {
  const QString folder = dir_.path();
  auto listed = [folder](QDialog& d) { EXPECT_TRUE(ListFolder(d, folder)) << "the folder was never listed"; };
  const struct {
    const char* what;
    std::function<void()> act;
  } cases[] = {
      {"statement import, Choose file...",
       [&] {
         modals_.Then(listed);
         suite::StatementImportDialog dialog(*db_, platform::ImportTarget{});
         dialog.findChild<QAbstractButton*>(QStringLiteral("cmdBrowse"))->click();
       }},
      {"data output, the file to write",
       [&] {
         modals_.Then(listed);
         suite::SuiteReportEngine::ChooseOutputFile(nullptr, QStringLiteral("report"), {});
       }},
      {"print dialog, its output file completed by name",
       [&] {
         PrintThrough([&](QDialog& d) {
           ASSERT_FALSE(d.findChildren<QFileSystemModel*>().isEmpty()) << "no completer";
           listed(d);  // it starts in the home folder
         });
       }},
      {"print dialog, ... to choose its output file",
       [&] {
         PrintThrough([&](QDialog& d) {
           d.show();
           QTimer::singleShot(0, [&] {
             QWidget* modal = QApplication::activeModalWidget();
             auto* files = qobject_cast<QFileDialog*>(modal);
             EXPECT_NE(files, nullptr) << "no file dialog";
             if (files) listed(*files);
             if (modal) modal->close();
           });
           auto* browse = d.findChild<QAbstractButton*>(QStringLiteral("fileBrowser"));
           ASSERT_NE(browse, nullptr);
           browse->click();
         });
       }},
      {"print dialog, printing to the database's file",
       [&] {
         const int result = PrintThrough([&](QDialog& d) {
           for (QLineEdit* box : d.findChildren<QLineEdit*>())
             if (box->objectName() == QLatin1String("filename")) box->setText(Database());
           d.accept();
         });
         EXPECT_EQ(result, platform::kReportOutputCannotOpen);
         EXPECT_EQ(db_->QueryValue(QStringLiteral("select count(*) from t")).ToInt(), 1);
       }},
      {"statement import, the database's own files named as the statement",
       [&] {
         suite::StatementImportDialog dialog(*db_, platform::ImportTarget{});
         for (const QString& name : {Database(), Database() + "-wal", Database() + "-shm"}) {
           dialog.SetFile(name);
           EXPECT_EQ(dialog.Parsed().errorKey.toStdString(), "corvane.import.databasefile") << name.toStdString();
           EXPECT_FALSE(dialog.Parsed().Importable()) << name.toStdString();
         }
       }},
      {"a statement file read by path",
       [&] {
         EXPECT_EQ(suite::ReadStatementFile(Database() + "-wal").errorKey.toStdString(), "corvane.import.databasefile");
       }},
      {"the bank's files fetched from the database's folder",
       [&] {
         std::vector<platform::FetchedLine> lines;
         QString message;
         suite::FolderBankLineSource(folder).FetchLines(QStringLiteral("6222"), QDate(2026, 1, 1), QDate(2026, 12, 31),
                                                        QString(), lines, message);
         EXPECT_TRUE(lines.empty());
       }},
  };
  int number = 0;
  for (const auto& c : cases) {
    Hold(++number);
    const QSet<QString> own = {name_, name_ + "-wal", name_ + "-shm"};
    ASSERT_EQ(OtherProcessWriteLock(), "busy") << c.what;
    OpenWatch watch(folder);
    c.act();
    const QSet<QString> opened = watch.Opened();
    EXPECT_FALSE(opened.intersects(own)) << c.what << ": opened " << opened.values().join(' ').toStdString();
    EXPECT_EQ(OtherProcessWriteLock(), "busy") << c.what << ": the locks were lost";
    db_->RollbackTrans();
  }
}

// The database layer names its files while a connection is open on them, and
// only then: a database closed is an ordinary file again.
TEST_F(FileListingLocksTest, ADatabasesFilesAreKnownWhileAConnectionIsOpen) {
  Hold(1);
  auto second = suite::OpenDbConnection(QStringLiteral("sqlite:") + Database());
  db_->RollbackTrans();
  db_.reset();
  for (const char* file : {"corvane1.db", "corvane1.db-wal", "corvane1.db-shm"})
    EXPECT_TRUE(platform::DatabaseFiles::Contains(Path(QLatin1String(file)))) << file;
  second.reset();
  for (const char* file : {"corvane1.db", "corvane1.db-wal", "corvane1.db-shm"})
    EXPECT_FALSE(platform::DatabaseFiles::Contains(Path(QLatin1String(file)))) << file;
}

}  // namespace
}  // namespace corvane::testing
