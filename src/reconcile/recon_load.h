#pragma once

#include "platform/controls/grid_model_columns.h"
#include "platform/db/money.h"
#include "platform/db/db_connection.h"
#include "platform/db/sql_builder.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>
#include <vector>

namespace corvane::reconcile {

// What the reconciliation window loads: one account (in book mode the book's
// account code and the book code), the period range as dates, and whether lines
// ticked already are wanted too. Taken once when the opener loads the window, so
// a later selection in another window cannot change what this one shows.
struct ReconLoadRequest {
  QString code;
  QString bookCode;
  bool bookMode = false;
  bool includeTicked = false;
  QDate startDate;  // invalid: no lower bound
  QDate endDate;
  QDate reconStart;  // the reconciliation start date: opening items from it on are not loaded
};

platform::SqlBuilder JournalLoadQuery(const ReconLoadRequest& r);
platform::SqlBuilder StatementLoadQuery(const ReconLoadRequest& r);

// What the filters and the reference need of one loaded line, kept beside the
// grid so that filtering never parses cell texts.
struct LineFacts {
  QDate date;
  QString style;   // trimmed
  QString number;  // trimmed
  bool debit = false;
  platform::Money amount;
  std::optional<int> tick;  // the stored tick value; none when unticked
};

// The rows of one grid, ready to show: cells (dates and amounts as values), row
// keys, and the facts of each line (its tick among them).
struct GridRows {
  platform::GridColumns cells;
  std::vector<QVariant> keys;
  std::vector<LineFacts> facts;
  int size() const { return cells.RowCount(); }
};

// Texts that stay the same for every row, looked up once per load.
struct RowTexts {
  QString debit;   // direction text of "借"
  QString credit;  // direction text of "贷"
};

// Told the two arguments of a loading status text ("…loadingbill" for the
// journal: the date and the voucher; "…loading" for the statement: the date and
// the style with the key) for the first row read and then every kRowsPerReport
// rows, never per row. The date comes as a date: how it reads is the window's
// (the language of the session).
using LoadProgress = std::function<void(const QDate& date, const QString& line)>;
constexpr int kRowsPerReport = 4096;

// The journal rows (9 columns) of the journal query, read straight into grid
// texts. With foreign currency the foreign amounts are shown, and a line whose
// foreign debit and credit are both below a cent is left out (it has nothing to
// reconcile in that currency).
GridRows JournalRows(platform::DbConnection& db, const platform::SqlBuilder& query, bool foreign,
                     const RowTexts& texts, const LoadProgress& progress = {});
// The statement rows (6 columns) of the statement query.
GridRows StatementRows(platform::DbConnection& db, const platform::SqlBuilder& query, const RowTexts& texts,
                       const LoadProgress& progress = {});


}  // namespace corvane::reconcile
