#pragma once

#include "platform/services/statement_line_writer.h"
#include "suite/import/csv_statement.h"
#include "suite/import/statement_file.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;
class QWidget;

namespace corvane::platform {
class DbConnection;
}

namespace corvane::suite {

// The importer's dialog: the user picks a bank file; its format (and, for
// CSV/TSV, its text encoding) is recognised; a CSV gets a column mapping with a
// preview; every line is checked and the refused ones are listed with their
// reasons. Import warns about lines the account already holds (written only when
// the user says so), writes the rest in one transaction with progress, and
// closes; Written() is the number of lines written.
class StatementImportDialog : public QDialog {
  Q_OBJECT

 public:
  StatementImportDialog(platform::DbConnection& db, platform::ImportTarget target, QWidget* parent = nullptr);

  // Reads a file as if the user had picked it.
  void SetFile(const QString& path);
  void cmdImport_Click();
  int Written() const { return written_; }

  const ParsedStatement& Parsed() const { return parsed_; }
  const std::vector<platform::ImportLine>& Accepted() const { return accepted_; }
  const std::vector<platform::RefusedLine>& Refused() const { return refused_; }
  CsvMapping Mapping() const { return mapping_; }
  void SetMapping(const CsvMapping& mapping);

  QLabel* lblFormat() const { return lblFormat_; }
  QTableWidget* tblPreview() const { return tblPreview_; }
  QListWidget* lstRefused() const { return lstRefused_; }

  // Between write batches (tests use it to make a failure happen mid-import).
  static inline std::function<void(int done, int total)> progressHook;

 private:
  void Browse();
  void MappingChanged();
  void Recheck();
  void FillMappingCombos();
  void ShowPreview();

  platform::DbConnection& db_;
  platform::ImportTarget target_;
  QString path_;
  ParsedStatement parsed_;
  CsvTable csv_;
  CsvMapping mapping_;
  std::vector<platform::ImportLine> accepted_;
  std::vector<platform::RefusedLine> refused_;
  int written_ = 0;
  bool filling_ = false;

  QLineEdit* txtFile_ = nullptr;
  QLabel* lblFormat_ = nullptr;
  QWidget* mappingBox_ = nullptr;
  QComboBox* cbo_[7] = {};  // date, style, number, debit, credit, amount, direction
  QComboBox* cboDateFormat_ = nullptr;
  QTableWidget* tblPreview_ = nullptr;
  QLabel* lblRefused_ = nullptr;
  QListWidget* lstRefused_ = nullptr;
  QPushButton* cmdImport_ = nullptr;
};

}  // namespace corvane::suite
