#pragma once

#include "opening/opening_target.h"
#include "platform/db/db_connection.h"
#include "platform/db/money.h"
#include "support/suite_session.h"

#include <QDate>
#include <QString>

namespace corvane::opening::testing {

// A bank account (and, in book mode, its bank book) of its own beside the demo
// data, with a start date of 2026-03-01 and lines on both sides whose sums are
// worked out by hand in the tests:
//   statement before the start: debit 150 and 50 (ticked), credit 30 (cleared)
//   and 20; on the start date a debit of 999 (not counted); opening row 900
//   journal before the start: a period-21 debit of 30, a period-1 credit of 50, a
//   ticked period-2 credit of 30; on the start date a debit of 777; opening 1000
//   account mode also a void line (iflag 1) of 555 that no sum counts
// A foreign-currency account keeps tenths of those journal amounts in md_f/mc_f.
class OpeningFixture {
 public:
  OpeningFixture(corvane::testing::SuiteSession& session, bool bookMode, bool debitDirection = true,
                 bool foreign = false, const QString& bookCode = QStringLiteral("YH009"));

  OpeningTarget Target() const;
  platform::DbConnection& Db() { return session_.Db(); }
  const QString& JournalTable() const { return journal_; }
  const QString& StatementTable() const { return statement_; }
  const QString& KeyColumn() const { return keyColumn_; }
  QString Key() const { return bookMode_ ? bookCode_ : account_; }

  // A statement line of the fixture's account (or book); returns its i_id.
  long long AddStatement(const QDate& d, const platform::DbValue& bdC, double amount, int tick = 0, int deleted = 0);
  // A journal line; returns its key (i_id, or the flow id in book mode).
  QString AddJournal(const QDate& d, int period, double debit, double credit, int tick = 0, int deleted = 0,
                     int voidFlag = 0);

  static inline const QString account_ = QStringLiteral("100209");
  static inline const QDate start_ = QDate(2026, 3, 1);

 private:
  corvane::testing::SuiteSession& session_;
  bool bookMode_;
  bool foreign_;
  QString bookCode_;
  QString journal_, statement_, keyColumn_;
  int flowNo_ = 900;
};

}  // namespace corvane::opening::testing
