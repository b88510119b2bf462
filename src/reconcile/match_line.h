#pragma once

#include "platform/db/db_value.h"
#include "platform/db/money.h"

#include <QDate>
#include <QString>
#include <functional>
#include <vector>

namespace corvane::reconcile {

// One unticked line that may take part in automatic matching: a journal line
// (key i_id, in book mode cFlowID) or a statement line (key i_id), with the values
// the matching compares already in the form it compares them.
struct MatchLine {
  platform::DbValue key;
  QDate date;             // invalid when the line has none: it never passes a date window
  QString number;         // settlement number as a match key: see MatchText and SetMatchNumber
  bool numberNull = false;  // no number stored: the line forms no settlement-number group
  bool numberFolded = false;  // number holds the plain text's fold, not its MatchText
  QString style;          // settlement style as a match key
  platform::Money debit;  // NULL amounts read as 0
  platform::Money credit;
  bool debitSide = false;  // statement lines: the direction as stored (shared::IsDebitLine)
};

// The unticked lines of both sides of one account, in a fixed order (date, then
// key): among equally good candidates the first in this order wins.
struct MatchCandidates {
  std::vector<MatchLine> journal;
  std::vector<MatchLine> statement;
};

// A settlement number or style as the matching compares it: its key by the one
// rule of platform::TextKey (the databases' rule), so grouping and the merge order
// agree with GROUP BY and ORDER BY; no value and a blank value are the empty text.
QString MatchText(const platform::DbValue& value);
QString MatchText(const QString& text);

// A settlement number as the loaders keep it: the fold of a plain text (see
// platform::TextKey::Fold, far cheaper than a sort key, and numbers are nearly
// all different, so no cache helps), otherwise its MatchText.
void SetMatchNumber(MatchLine& line, const platform::DbValue& value);
// Makes the numbers of both sides one kind of key before they are compared: a
// fold equals only folds, so when any number is not plain, every fold becomes its
// MatchText (the fold is the same key as its text). With folds only, the numbers
// order otherwise than their keys do, which no merge depends on: the passes only
// ask whether two numbers are the same key.
void AlignNumberKeys(MatchCandidates& lines);

enum class MatchSide { Journal, Statement };

// The two amounts of a line in facing order: the k-th amount of a journal line
// must equal the k-th amount of its statement partner. A statement line gives
// (credit, debit); a journal line (debit, credit) when the account's direction is
// credit (bankFx false: the bank's credit is the enterprise's debit), else
// (credit, debit).
struct FacingAmounts {
  platform::Money first;
  platform::Money second;
  bool operator==(const FacingAmounts&) const = default;
};
FacingAmounts FacingAmountsOf(const MatchLine& line, MatchSide side, bool bankFx);

// The accounting period of a date; 0 when the calendar has none for it.
using PeriodOf = std::function<int(const QDate&)>;

// The tick value an automatic match stores: the period of the later of the two
// dates (a missing date gives way to the other). A period of 0 would read as
// "unticked", so it is stored as 1.
int AutoTickValue(const PeriodOf& periodOf, const QDate& journalDate, const QDate& statementDate);

}  // namespace corvane::reconcile
