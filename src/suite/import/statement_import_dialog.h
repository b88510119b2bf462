#pragma once

#include "platform/services/statement_line_writer.h"
#include "suite/import/csv_statement.h"
#include "suite/import/statement_file.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTableView;
class QWidget;

namespace corvane::platform {
class DbConnection;
}

namespace corvane::suite {

class ImportPreviewModel;

// The importer's dialog: the user picks a bank file and sees, before anything is
// written, what will be: the recognised format, for CSV/TSV the separators, first
// data line, date format and column mapping (guesses shown, each one the user's
// to change), the balance check of each statement, and every line with its date,
// number, amount in its debit or credit column and verdict (written, refused with
// its reason and the file's text of the line, or already in the account). A
// line's settlement style is taken as keying takes it: its code is kept, and a
// style the suite does not know refuses the line. The
// columns stay mapped by position through every change of the sheet's layout, so
// a line still read is read as before; what the file itself refuses (its
// encoding, its structure, its balances) holds through every change of the
// sheet's layout or mapping. Import stays disabled, with the reason
// shown, for a file that cannot be read, is of no known format, names another
// bank account or currency than the account's, or does not add up (unless the
// user ticks that it is to be imported as a damaged file). Import asks before
// writing lines the account already holds, writes in one transaction with
// progress, and closes; Written() is the number of lines written.
class StatementImportDialog : public QDialog {
  Q_OBJECT

 public:
  StatementImportDialog(platform::DbConnection& db, platform::ImportTarget target, QWidget* parent = nullptr);

  // The bank account number (empty: none kept) and currency code the file must name.
  void SetAccountFacts(const QString& bankAccountNo, const QString& currency);
  // Reads a file as if the user had picked it.
  void SetFile(const QString& path);
  void cmdImport_Click();
  int Written() const { return written_; }

  const ParsedStatement& Parsed() const { return parsed_; }
  const std::vector<platform::ImportLine>& Accepted() const { return accepted_; }
  CsvMapping Mapping() const { return mapping_; }
  void SetMapping(const CsvMapping& mapping);

  QLabel* lblFormat() const { return lblFormat_; }
  QLabel* lblProblem() const { return lblProblem_; }
  QLabel* lblBalance() const { return lblBalance_; }
  QCheckBox* chkDamaged() const { return chkDamaged_; }
  QComboBox* cboDecimal() const { return cboDecimal_; }
  QComboBox* cboThousands() const { return cboThousands_; }
  QComboBox* cboDelimiter() const { return cboDelimiter_; }
  QSpinBox* spnFirstLine() const { return spnFirstLine_; }
  QCheckBox* chkHeader() const { return chkHeader_; }
  QComboBox* cboDateFormat() const { return cboDateFormat_; }
  QPushButton* cmdImport() const { return cmdImport_; }
  QListWidget* lstRefused() const { return lstRefused_; }
  const ImportPreviewModel& Preview() const { return *preview_; }
  QTableView* tblPreview() const { return tblPreview_; }

  // Between write batches (tests use it to make a failure happen mid-import).
  static inline std::function<void(int done, int total)> progressHook;

 private:
  QWidget* BuildCsvBox();
  void Browse();
  void Read();
  void ReadCsvText();
  void ApplyMapping();
  void CheckStyles();
  void LayoutChanged();
  void CsvChanged();
  void Recheck();
  void FillCsvControls();
  void ShowBalances();
  QString Problem() const;

  platform::DbConnection& db_;
  platform::ImportTarget target_;
  QString bankAccountNo_, currency_;
  QString path_;
  QByteArray bytes_;
  ParsedStatement parsed_;
  QString text_;  // the file's text: a CSV file's always, another's once a line of it is shown
  bool textOk_ = true;  // a CSV file's bytes are valid text in its encoding
  CsvReadOptions layout_, guessedLayout_;
  CsvTable csv_;
  CsvMapping mapping_;
  CsvMapping guess_;
  std::vector<platform::ImportLine> accepted_;
  std::vector<size_t> duplicates_;  // positions in accepted_
  int written_ = 0;
  bool filling_ = false;

  QLineEdit* txtFile_ = nullptr;
  QLabel* lblFormat_ = nullptr;
  QLabel* lblProblem_ = nullptr;
  QWidget* csvBox_ = nullptr;
  QComboBox* cboDecimal_ = nullptr;
  QComboBox* cboThousands_ = nullptr;
  QComboBox* cboDelimiter_ = nullptr;
  QSpinBox* spnFirstLine_ = nullptr;
  QCheckBox* chkHeader_ = nullptr;
  QComboBox* cboDateFormat_ = nullptr;
  QLabel* lblGuess_ = nullptr;
  QComboBox* cbo_[8] = {};  // date, style, number, debit, credit, amount, direction, balance
  QLabel* lblBalance_ = nullptr;
  QCheckBox* chkDamaged_ = nullptr;
  ImportPreviewModel* preview_ = nullptr;
  QTableView* tblPreview_ = nullptr;
  QLabel* lblRefused_ = nullptr;
  QListWidget* lstRefused_ = nullptr;
  QPushButton* cmdImport_ = nullptr;
};

}  // namespace corvane::suite
