#pragma once

#include "platform/services/statement_line_writer.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QSet>
#include <QString>
#include <vector>

namespace corvane::suite {

// Every line of the file in file order as it will be written: date, settlement
// style, number, the amount in its debit or credit column, and the line's verdict
// (will be written, refused with its reason, or already in the account, or in
// book mode the book). A
// refused line also shows its text in the file, which is all a line the file
// could not read has to show. Holds no copy of the lines: the dialog keeps them
// alive while it shows them.
class ImportPreviewModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { Line, Date, Style, Number, Debit, Credit, Text, Verdict, ColumnCount };

  explicit ImportPreviewModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  // Whether the lines go to a book (book mode) rather than an account.
  void SetBook(bool book) { book_ = book; }

  // lines: what the file gave; refused: line number → reason text (lines not
  // among them included); duplicate: line numbers the account already holds;
  // wholeFile: whether the file as a whole is refused (no line will be written);
  // texts: line number → the file's text of that line, for the refused lines.
  void Show(const std::vector<platform::ImportLine>& lines, const QHash<int, QString>& refused,
            const QSet<int>& duplicate, bool wholeFile, const QHash<int, QString>& texts = {});

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // The text a cell shows (what tests and the screen read alike).
  QString Cell(int row, int column) const;

 private:
  enum Kind { Written, Refused, Duplicate };
  struct Row {
    int lineNo = 0;
    const platform::ImportLine* line = nullptr;  // none: the file could not read it
    Kind kind = Written;
    QString reason;
    QString text;  // a refused line's text in the file
  };
  std::vector<Row> rows_;
  bool wholeFile_ = false;
  bool book_ = false;
};

// The text of the given lines (1-based, split at line feeds, the carriage return
// before one dropped) of a file's text, each cut to `most` characters ending in
// "…" where it is longer: one pass over the text, however many lines are asked.
QHash<int, QString> TextOfLines(const QString& text, QList<int> lineNos, int most = 200);

}  // namespace corvane::suite
