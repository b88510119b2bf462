#pragma once

#include <QString>
#include <utility>

namespace corvane::platform {
class DbConnection;
}

namespace corvane::suite {

class TextSource;

// The flow numbers (cFlowID) of bank books: the book code followed by a number
// of at least six digits, counted per book in RP_Book.iLastFlowNo. Taking a
// number is one atomic update of the book's row, so sessions working on the
// same book at once never get the same number; a number taken inside a
// transaction that is rolled back is taken back with it.
class FlowNumbers {
 public:
  // The errors read in the texts' language (Chinese without texts).
  explicit FlowNumbers(platform::DbConnection& connection, TextSource* texts = nullptr)
      : connection_(connection), texts_(texts) {}

  // Takes the next number of the book. Throws ServiceError for a book that is not there.
  QString Take(const QString& bookCode);
  // The number the next Take would give, without taking it.
  QString Peek(const QString& bookCode);

  static QString Format(const QString& bookCode, qint64 number);

 private:
  // Counts one on; gives the book's code as stored (the id keeps its case
  // whatever case the caller typed) and the new number.
  std::pair<QString, qint64> Increment(const QString& bookCode);
  bool IdExists(const QString& flowId);
  // The highest number among the book's flow ids, 0 when it has none.
  qint64 HighestUsed(const QString& bookCode);
  // Moves the counter past the highest number the book's flows already carry
  // (flows keyed in before the counter existed, or by another program).
  void CatchUp(const QString& bookCode);

  platform::DbConnection& connection_;
  TextSource* texts_;
};

}  // namespace corvane::suite
