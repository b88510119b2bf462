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
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>
#include <unistd.h>

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

// Answers the message boxes Qt shows by itself (the print dialog's "already
// exists", the file dialog's "replace") with one button, and records their texts.
class QtBoxAnswers {
 public:
  explicit QtBoxAnswers(QMessageBox::StandardButton answer) : answer_(answer) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { AnswerShownBox(); });
    timer_.start(20);
  }
  const QStringList& Asked() const { return asked_; }

 private:
  void AnswerShownBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    asked_ << box->text();
    QAbstractButton* button = box->button(answer_);
    (button ? button : box->buttons().value(0))->click();
  }

  QMessageBox::StandardButton answer_;
  QTimer timer_;
  QStringList asked_;
};

// The button of a dialog's own button box that has this role.
QAbstractButton* ButtonOf(QWidget& dialog, QDialogButtonBox::ButtonRole role) {
  for (QDialogButtonBox* box : dialog.findChildren<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly))
    for (QAbstractButton* button : box->buttons())
      if (box->buttonRole(button) == role) return button;
  return nullptr;
}

// The row of a view showing this name, once the view's folder model has it.
QModelIndex RowNamed(QAbstractItemView& view, const QString& name) {
  QModelIndex found;
  QTest::qWaitFor([&] {
    for (int r = 0, rows = view.model()->rowCount(view.rootIndex()); r < rows && !found.isValid(); ++r) {
      const QModelIndex index = view.model()->index(r, 0, view.rootIndex());
      if (index.data().toString() == name) found = index;
    }
    return found.isValid();
  }, 5000);
  return found;
}

// Goes to folder in a file dialog, picks a name shown in its list with the
// mouse and presses its Save.
void PickInFileDialog(QFileDialog& files, const QString& folder, const QString& name) {
  if (QDir(files.directory()) != QDir(folder)) files.setDirectory(folder);
  auto* list = files.findChild<QListView*>(QStringLiteral("listView"));
  ASSERT_NE(list, nullptr);
  const QModelIndex row = RowNamed(*list, name);
  ASSERT_TRUE(row.isValid()) << name.toStdString() << " is not listed";
  list->scrollTo(row);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(row).center());
  QAbstractButton* save = ButtonOf(files, QDialogButtonBox::AcceptRole);
  ASSERT_NE(save, nullptr);
  QTest::mouseClick(save, Qt::LeftButton);
}

// How a clerk names the print dialog's output file.
enum class Way { Typed, Completer, Chooser };

const char* WayName(Way way) {
  switch (way) {
    case Way::Typed: return "typed";
    case Way::Completer: return "from the completer";
    case Way::Chooser: return "from the ... chooser";
  }
  return "";
}

// Names the file name (in folder) as the output file of the print dialog, the
// way a clerk does: typed whole, typed in part and taken from the completer's
// list, or picked in the dialog that "..." opens.
void NameOutputFile(QDialog& print, Way way, const QString& folder, const QString& name) {
  auto* box = print.findChild<QLineEdit*>(QStringLiteral("filename"));
  ASSERT_NE(box, nullptr);
  const QString path = folder + QLatin1Char('/') + name;
  if (way == Way::Chooser) {
    QTimer::singleShot(0, [&] {
      if (auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) PickInFileDialog(*files, folder, name);
      if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != &print) modal->close();
    });
    auto* browse = print.findChild<QAbstractButton*>(QStringLiteral("fileBrowser"));
    ASSERT_NE(browse, nullptr);
    QTest::mouseClick(browse, Qt::LeftButton);
  } else {
    QApplication::setActiveWindow(&print);  // the clerk's window: its box takes the keys and the completer
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, way == Way::Typed ? path : path.chopped(2));  // the completer ends the name
    if (way == Way::Completer) {
      QAbstractItemView* popup = box->completer()->popup();
      ASSERT_TRUE(QTest::qWaitFor([popup] { return popup->isVisible(); }, 5000)) << "no completion offered";
      const QModelIndex row = RowNamed(*popup, name);
      ASSERT_TRUE(row.isValid()) << name.toStdString() << " is not offered";
      popup->setCurrentIndex(row);
      QTest::keyClick(popup, Qt::Key_Return);
    }
  }
  ASSERT_EQ(QDir::cleanPath(box->text()).toStdString(), QDir::cleanPath(path).toStdString()) << WayName(way);
}

// Presses the print dialog's own Print button.
void PressPrint(QDialog& print) {
  QAbstractButton* button = ButtonOf(print, QDialogButtonBox::AcceptRole);
  ASSERT_NE(button, nullptr);
  QTest::mouseClick(button, Qt::LeftButton);
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

  // Another process reads the database and closes it, as the sqlite3 shell
  // does; whether the -wal file is still there afterwards. It is deleted when
  // this process no longer holds its lock on the database file.
  bool WalSurvivesAnotherReader() const {
    QProcess reader;
    reader.start(QStringLiteral(CORVANE_WRITE_LOCK_PROBE), {Database(), QStringLiteral("--read")});
    reader.waitForFinished(10000);
    EXPECT_EQ(reader.readAllStandardOutput().trimmed().toStdString(), "read");
    return QFileInfo::exists(Database() + "-wal") && QFileInfo::exists(Database() + "-shm");
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

// Print to a file of the database, however it is named and however Qt's
// "already exists" would be answered: the dialog refuses it when Print is
// pressed, says why, and stays open; Qt's check, which opens the file, never
// runs, and the database keeps its locks and its rows. An ordinary file goes on
// to Qt's own check and question as before.
TEST_F(FileListingLocksTest, PrintingToADatabaseFileIsRefusedBeforeAnythingOpensIt) {
  const QString folder = dir_.path();
  struct Target {
    QString what;
    std::function<QString()> name;  // makes what it needs; the name in folder
    bool database = true;
  };
  const auto link = [this](const QString& target, const QString& name) {
    QFile::link(target, Path(name));
    return name;
  };
  const std::vector<Target> targets = {
      {"the database", [this] { return name_; }},
      {"its -wal", [this] { return name_ + "-wal"; }},
      {"its -shm", [this] { return name_ + "-shm"; }},
      {"its -journal",
       [this] {
         QFile(Database() + "-journal").open(QIODevice::WriteOnly);  // left by a rollback journal
         return name_ + "-journal";
       }},
      {"a link to it", [&] { return link(Database(), QStringLiteral("printed%1.pdf").arg(name_)); }},
      {"an ordinary file",
       [this] {
         QFile old(Path(QStringLiteral("old.pdf")));
         old.open(QIODevice::WriteOnly | QIODevice::Truncate);
         old.write("old");
         return QStringLiteral("old.pdf");
       },
       false},
  };
  // Other spellings, typed.
  const std::vector<Target> spellings = {
      {"./ before it", [this] { return "./" + name_; }},
      {"a folder and .. before its -wal",
       [this] {
         QDir(dir_.path()).mkpath(QStringLiteral("sub"));
         return "sub/../" + name_ + "-wal";
       }},
      {"a link to its -shm", [&] { return link(Database() + "-shm", QStringLiteral("shm%1.pdf").arg(name_)); }},
      {"a link to a journal not there", [&] { return link(Database() + "-journal", QStringLiteral("j%1.pdf").arg(name_)); }},
      {"a second name of the file",
       [this] {
         const QString name = QStringLiteral("hard%1.pdf").arg(name_);
         ::link(QFile::encodeName(Database()).constData(), QFile::encodeName(Path(name)).constData());
         return name;
       }},
  };
  struct Row {
    Way way;
    const Target* target;
    QMessageBox::StandardButton answer;
  };
  std::vector<Row> rows;
  for (Way way : {Way::Typed, Way::Completer, Way::Chooser})
    for (const Target& target : targets)
      for (auto answer : {QMessageBox::Yes, QMessageBox::No}) rows.push_back({way, &target, answer});
  for (const Target& target : spellings)
    for (auto answer : {QMessageBox::Yes, QMessageBox::No}) rows.push_back({Way::Typed, &target, answer});

  int number = 0;
  for (const Row& row : rows) {
    const std::string what = std::string(WayName(row.way)) + ", " + row.target->what.toStdString() + ", Qt answered " +
                             (row.answer == QMessageBox::Yes ? "Yes" : "No");
    Hold(++number);
    const QString name = row.target->name();
    const QSet<QString> own = {name_, name_ + "-wal", name_ + "-shm", name_ + "-journal", QFileInfo(name).fileName()};
    ASSERT_EQ(OtherProcessWriteLock(), "busy") << what;
    messages_.Clear();
    QtBoxAnswers qt(row.answer);
    bool stillOpen = false;
    OpenWatch watch(folder);
    const int result = PrintThrough([&](QDialog& d) {
      NameOutputFile(d, row.way, folder, name);
      if (HasFatalFailure()) return;
      PressPrint(d);
      stillOpen = d.isVisible();
    });
    const QSet<QString> opened = watch.Opened();
    if (row.target->database) {
      EXPECT_TRUE(qt.Asked().isEmpty()) << what << ": Qt asked " << qt.Asked().join(' ').toStdString();
      EXPECT_EQ(messages_.Count(), 1) << what << ": not refused";
      EXPECT_TRUE(messages_.LastPrompt().contains(name)) << what << ": " << messages_.LastPrompt().toStdString();
      EXPECT_TRUE(stillOpen) << what << ": the dialog closed";
      EXPECT_EQ(result, platform::kReportCancelled) << what;
      EXPECT_FALSE(opened.intersects(own)) << what << ": opened " << opened.values().join(' ').toStdString();
    } else {
      EXPECT_EQ(qt.Asked().size(), 1) << what << ": Qt's own check did not run";
      EXPECT_EQ(messages_.Count(), 0) << what;
      EXPECT_EQ(stillOpen, row.answer == QMessageBox::No) << what;
      EXPECT_EQ(result, row.answer == QMessageBox::Yes ? platform::kReportOk : platform::kReportCancelled) << what;
      QFile printed(Path(name));
      printed.open(QIODevice::ReadOnly);
      EXPECT_EQ(printed.read(4), row.answer == QMessageBox::Yes ? QByteArray("%PDF") : QByteArray("old")) << what;
    }
    EXPECT_EQ(OtherProcessWriteLock(), "busy") << what << ": the locks were lost";
    EXPECT_TRUE(WalSurvivesAnotherReader()) << what << ": the lock on the database file was lost";
    EXPECT_EQ(db_->QueryValue(QStringLiteral("select count(*) from t")).ToInt(), 1) << what;
    db_->RollbackTrans();
  }
}

// Data output into a link to the database's files is refused before anything
// is written: the file would be truncated under the connection.
TEST_F(FileListingLocksTest, DataOutputIntoADatabaseFileIsRefused) {
  const struct {
    const char* name;
    const char* target;
  } cases[] = {{"report.csv", ""}, {"report.xlsx", "-wal"}, {"shm.csv", "-shm"}};
  int number = 0;
  for (const auto& c : cases) {
    Hold(++number);
    const QString name = QString::fromLatin1(c.name);
    QFile::remove(Path(name));
    ASSERT_TRUE(QFile::link(Database() + QLatin1String(c.target), Path(name))) << c.name;
    // Looked at by name only: reading it here would drop the locks too.
    const auto walState = [this] {
      const QFileInfo wal(Database() + "-wal");
      return std::make_pair(wal.size(), wal.lastModified());
    };
    const auto before = walState();
    FillGrid(3);
    QtBoxAnswers qt(QMessageBox::Yes);  // the file dialog's "replace it?"
    modals_.Then([&](QDialog& d) {
      auto* types = d.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
      ASSERT_NE(types, nullptr);
      if (name.endsWith(QLatin1String(".csv"))) QTest::keyClick(types, Qt::Key_Down);  // the clerk asks for CSV files
      PickInFileDialog(*qobject_cast<QFileDialog*>(&d), dir_.path(), name);
    });
    suite::SuiteReportEngine engine(nullptr);
    OpenWatch watch(dir_.path());
    EXPECT_EQ(engine.DataOut(GridJob()), platform::kReportOutputCannotOpen) << c.name;
    const QSet<QString> opened = watch.Opened();
    EXPECT_FALSE(opened.intersects({name_, name_ + "-wal", name_ + "-shm"}))
        << c.name << ": opened " << opened.values().join(' ').toStdString();
    EXPECT_EQ(OtherProcessWriteLock(), "busy") << c.name << ": the locks were lost";
    EXPECT_TRUE(WalSurvivesAnotherReader()) << c.name << ": the lock on the database file was lost";
    EXPECT_EQ(db_->QueryValue(QStringLiteral("select count(*) from t")).ToInt(), 1) << c.name;
    EXPECT_EQ(walState(), before) << c.name << ": the WAL was written";
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
