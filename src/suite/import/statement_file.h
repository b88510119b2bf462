#pragma once

#include "platform/services/statement_line_writer.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace corvane::suite {

// The bank files a statement import reads.
enum class StatementFormat { Unknown, Csv, Ofx, Camt053, Mt940 };

// What one file gave: its lines (unchecked, numbered as they stand in the file),
// and the account number and currency it names when the format carries them.
struct ParsedStatement {
  StatementFormat format = StatementFormat::Unknown;
  QString accountNo;
  QString currency;
  std::vector<platform::ImportLine> lines;
  QString error;  // set when the file could not be read at all
};

// Text of a file in UTF-8 (with or without byte-order mark) or, when it is not
// valid UTF-8, GB18030.
QString DecodeStatementText(const QByteArray& bytes, bool* wasGb18030 = nullptr);

// The format by the file's content: an XML document of the camt.053 namespace,
// OFX headers or tags, MT940 field tags; anything else is read as CSV or TSV.
StatementFormat DetectStatementFormat(const QByteArray& bytes);

// Reads a camt.053, MT940 or OFX file (CSV needs a mapping: csv_statement.h).
ParsedStatement ReadCamt053(const QByteArray& bytes);
ParsedStatement ReadMt940(const QByteArray& bytes);
ParsedStatement ReadOfxFile(const QString& path);

}  // namespace corvane::suite
