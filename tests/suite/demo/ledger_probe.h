#pragma once

#include "platform/db/db_connection.h"
#include "platform/db/money.h"

#include <QDate>
#include <QString>
#include <vector>

namespace corvane::suite {

// The live lines of one bank account or book read back from the database as the
// reconciliation lists take them, with what a reconciliation of them must find.
// It knows nothing of how the generators planned the lines.
class LedgerProbe {
 public:
  struct Line {
    QDate date;
    int period = 0;
    bool moneyIn = false;  // as the enterprise sees it
    platform::Money amount;
    QString settle;
    QString number;
  };

  static LedgerProbe ForAccount(platform::DbConnection& connection, const QString& code);
  static LedgerProbe ForBook(platform::DbConnection& connection, const QString& bookCode);

  // Pairs of one journal and one statement line that the one-to-one matching
  // with every condition on can tick: facing directions, exactly equal amounts,
  // the same style and number (letter case aside), dates at most dateWindow apart.
  int OneToOnePairs(int dateWindow) const;
  // Settlement numbers whose lines do not pair off one to one (a side has two or
  // more lines) but whose debit and credit totals face each other exactly
  // (cents == 0), or miss by the given number of cents.
  int Groups(std::int64_t cents = 0) const;
  // Lines whose amount appears on no line of the other side.
  int JournalOnly() const;
  int BankOnly() const;
  // Journal opening + bank lines before the start - bank opening - journal lines
  // before the start, all as the enterprise sees them: zero when the opening
  // set-up balances.
  platform::Money OpeningGap() const;

  const std::vector<Line>& Journal() const { return journal_; }
  const std::vector<Line>& Bank() const { return bank_; }
  int JournalOpeningRows() const { return journalOpeningRows_; }
  int BankOpeningRows() const { return bankOpeningRows_; }
  QDate Start() const { return start_; }

 private:
  void Load(platform::DbConnection& connection, const QString& journalSql, const QString& bankSql,
            const QString& key);

  bool debitDirection_ = false;
  bool foreign_ = false;
  QDate start_;
  platform::Money journalOpening_;
  platform::Money bankOpening_;
  int journalOpeningRows_ = 0;
  int bankOpeningRows_ = 0;
  std::vector<Line> journal_;
  std::vector<Line> bank_;
};

}  // namespace corvane::suite
