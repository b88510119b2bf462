#pragma once

#include "suite/import/statement_file.h"

#include <QByteArray>
#include <vector>

namespace corvane::suite {

// An OFX file cut into documents the library reads one after the other: the
// library's time per transaction grows with the number of transactions in the
// document, so a long statement is read a bounded run of transactions at a time.
// Each piece is the whole file (header, sign-on, every statement's wrapper and
// balances) with the transactions of all statements but its own run left out;
// runs follow one another, so the pieces' transactions, in piece order, are the
// file's in file order. Only whole transactions are left out (STMTTRN elements
// found by the file's tag structure, each a child of a BANKTRANLIST).
class OfxChunks {
 public:
  // perPiece: the transactions of one piece; with atLeastTheWrapper more when the
  // file's wrapper is large beside its transactions (many short statements), so the
  // wrapper's bytes are read no more often than the transactions' are.
  OfxChunks(const QByteArray& bytes, int perPiece, bool atLeastTheWrapper = true);

  // 0 when the file is to be read whole: too few transactions to cut, or a tag
  // structure that is not clean (a file cut short, an unmatched closing tag, a
  // transaction outside a BANKTRANLIST), which the library then reports.
  int Count() const { return pieces_ < 2 ? 0 : pieces_; }
  // fileLines: each left-out line stays as a line, so that the library numbers the
  // piece's lines as the file's (slower: for the text of an error).
  QByteArray Piece(int i, bool fileLines) const;

 private:
  struct Span {
    qsizetype begin = 0, end = 0;
    qsizetype list = 0;  // where its BANKTRANLIST begins
  };
  bool Scan();
  void AppendLeftOut(QByteArray& out, qsizetype from, qsizetype to) const;

  const QByteArray& bytes_;
  std::vector<Span> transactions_;
  int perPiece_ = 0;
  int pieces_ = 0;
};

// ReadOfxFile with pieces of exactly perPiece transactions.
ParsedStatement ReadOfxFile(const QString& path, const StatementReadOptions& options, int perPiece);

}  // namespace corvane::suite
