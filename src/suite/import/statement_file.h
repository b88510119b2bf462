#pragma once

#include "platform/services/statement_line_writer.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace corvane::suite {

// The bank files a statement import reads. Unknown: the content is none of them
// (a binary file, an XML document of another kind, text without columns).
enum class StatementFormat { Unknown, Csv, Ofx, Camt053, Mt940 };

// A line of the file that could not be read: where it stands in the file (1-based
// line), the resource key of the reason and what the reason's %1, %2... stand for
// (the text that was read, the figures that disagree).
struct LineRefusal {
  int lineNo = 0;
  QString reasonKey;
  QStringList args;
};

// One statement of the file checked against its own balances: the opening balance
// plus the lines read must give the closing balance. Balances are signed: a credit
// balance (the bank owes the holder) is positive; lines add credits, take debits.
struct BalanceCheck {
  int lineNo = 0;     // where the statement begins in the file
  QString statement;  // its reference in the file, when it has one
  std::optional<platform::Money> opening;  // missing: the file gives none
  platform::Money lines;                   // credits less debits of its lines
  std::optional<platform::Money> closing;  // missing: the file gives none (or was cut before it)
  bool ok = false;
  QString reasonKey;  // why not ok: corvane.import.balance.none, .noclosing, .noopening, .differs
  // What the lines lead to: the opening balance plus the lines.
  platform::Money Expected() const { return opening.value_or(platform::Money()) + lines; }
  // Sets ok and reasonKey from the figures.
  void Conclude();
};

// How a file is read. A statement whose balances do not add up (or that lacks
// them) makes the file damaged; its lines are imported only when the caller says
// so, knowingly.
struct StatementReadOptions {
  bool importDamaged = false;
};

// What one file gave: its lines (numbered by the file line they start on), the
// account number and currency it names when the format carries them, the lines
// it could not read with their reasons, and the balance check of each statement.
struct ParsedStatement {
  StatementFormat format = StatementFormat::Unknown;
  QString encoding;  // the text encoding it was read in, when a text format
  QString accountNo;
  QString currency;
  std::vector<platform::ImportLine> lines;
  std::vector<LineRefusal> refused;
  std::vector<BalanceCheck> balances;
  // Set when the file could not be read at all (not a statement file, an XML
  // error, a parser's error, a file cut short where that shows): lines is then
  // empty and nothing may be imported.
  QString error;
  QString errorKey;            // the resource key of error
  bool importDamaged = false;  // the options it was read with

  // Marks the file unreadable: the error's text from its key and arguments, no lines.
  void SetUnreadable(const QString& key, const QStringList& args = {});

  // Whether a statement of it does not add up or lacks a balance.
  bool Damaged() const;
  // Whether its lines may be written: readable, and not damaged unless it was read
  // with importDamaged.
  bool Importable() const { return error.isEmpty() && (!Damaged() || importDamaged); }
};

// Text of a file: UTF-8 (with or without byte-order mark), UTF-16 (by its mark or
// its content) or GB18030, told apart by the content. encoding names the one
// used; ok is false when the bytes are not valid text in it (a damaged file).
struct DecodedText {
  QString text;
  QString encoding;
  bool ok = true;
};
DecodedText DecodeStatementBytes(const QByteArray& bytes);
// The same text; wasGb18030 tells whether it was read as GB18030.
QString DecodeStatementText(const QByteArray& bytes, bool* wasGb18030 = nullptr);

// The format by the file's structure: the root element and namespace of a
// camt.053 document, the header or root of an OFX file, MT940 field tags at line
// starts; a text of columns is CSV/TSV; anything else Unknown.
StatementFormat DetectStatementFormat(const QByteArray& bytes);

// Reads a camt.053, MT940 or OFX file (CSV needs a mapping: csv_statement.h).
ParsedStatement ReadCamt053(const QByteArray& bytes, const StatementReadOptions& options = {});
ParsedStatement ReadMt940(const QByteArray& bytes, const StatementReadOptions& options = {});
ParsedStatement ReadOfxFile(const QString& path, const StatementReadOptions& options = {});

// A file by its detected format, a CSV file with the guessed layout and
// mapping (csv_statement.h); an unrecognised file, or one that cannot be
// opened, gives an error.
ParsedStatement ReadStatementFile(const QString& path, const StatementReadOptions& options = {});

}  // namespace corvane::suite
