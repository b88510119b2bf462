#pragma once

#include "platform/db/money.h"
#include "reconcile/recon_load.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace corvane::reconcile {

// The conditions of the reconciliation window's row filters, converted once from
// the window's condition variables before a filter pass.
struct RowConditions {
  bool execFilter = false;       // off: every row shows
  QDate startDate, endDate;      // invalid: no bound
  QStringList styles;            // settlement-style codes wanted; empty: any (unless selNull)
  bool selNull = false;          // rows without a style are wanted
  QString number;                // settlement number; empty: any
  int direction = 0;             // 0 any, 1 debit, 2 credit
  std::optional<platform::Money> amount;
  int markMode = 0;              // 1 unmarked, 2 "○", 3 "Y", other: any
};

// Whether a row with these facts and this mark cell passes the conditions. Texts
// compare without regard to letter case; dates compare as dates.
bool RowPasses(const LineFacts& line, const QString& mark, const RowConditions& c);

// Which rows of a grid to hide: one flag per line, for a whole pass at once.
std::vector<bool> HiddenRows(const std::vector<LineFacts>& lines, const std::vector<QString>& marks,
                             const RowConditions& c);

// The direction a reference line pairs with on the other side: with a credit
// balance direction (bankDirectionDebit false) a debit line pairs with credit
// lines and the reverse; with a debit balance direction the same direction pairs.
int PairedDirection(bool lineIsDebit, bool bankDirectionDebit);

}  // namespace corvane::reconcile
