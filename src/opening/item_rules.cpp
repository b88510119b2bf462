#include "opening/opening_items.h"

#include "platform/controls/amount_reader.h"
#include "platform/controls/date_text.h"
#include "platform/controls/typed_value.h"
#include "shared/messages.h"
#include "shared/settle_style_match.h"
#include "shared/typed_value_texts.h"

namespace corvane::opening {

using platform::Money;
using shared::GetResString;

namespace {

QString Cash(const char* number) { return GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.") + QLatin1String(number)); }
QString Own(const char* name) { return GetResString(QStringLiteral("corvane.opening.") + QLatin1String(name)); }

CellCheck Refuse(const QString& text, const QString& prompt) { return {false, text, prompt}; }

// A date cell kept in the form "yyyy.mm.dd"; a text that is no date is named.
CellCheck CheckDate(const QString& text) {
  const std::optional<QDate> date = platform::DateText::Parse(text);
  if (!date) return Refuse(text, shared::DateRefusalText(text));
  return {true, platform::DateText::Format(*date), {}};
}

// A date before the start date; the empty and late refusals are the window's own.
CellCheck CheckItemDate(const QString& text, const QDate& start, const QString& emptyPrompt, const QString& latePrompt) {
  if (text.isEmpty()) return Refuse(text, emptyPrompt);
  const CellCheck date = CheckDate(text);
  if (date.ok && platform::DateText::Parse(date.text) >= start) return Refuse(text, latePrompt);
  return date;
}

// An amount cell: empty, or a number shown "#,0.00". A refusal names what was typed.
CellCheck CheckAmount(const QString& text) {
  if (text.isEmpty()) return {true, text, {}};
  platform::AmountReading r = platform::ReadAmount(text);
  if (r.value && (*r.value > Money::LineMax() || *r.value < -Money::LineMax()))
    r = {std::nullopt, platform::AmountRefusal::Range};
  if (!r.value) return Refuse(text, shared::AmountRefusalText(text, r.refusal));
  return {true, r.value->ToDisplayText(), {}};
}


// Runs every cell check over the row; the first refusal ends it.
template <class Check>
RowCheck CheckCells(std::vector<QString>& cells, int first, int last, Check check) {
  std::vector<QString> kept = cells;
  for (int col = first; col <= last; ++col) {
    const CellCheck r = check(col, cells[col]);
    if (!r.ok) return {false, col, r.prompt};
    kept[col] = r.text;
  }
  cells = std::move(kept);
  return {};
}

}  // namespace

Money CheckedAmount(const QString& cell) { return platform::ReadAmount(cell).value.value_or(Money()); }

QDate CheckedDate(const QString& cell) { return platform::DateText::Parse(cell).value_or(QDate()); }

CellCheck CheckEnterpriseCell(int col, const QString& raw, const ItemContext& c) {
  const QString text = raw.trimmed();
  const bool book = c.target.bookMode;
  switch (col) {
    case kQyDate:
      return CheckItemDate(text, c.startDate, book ? Own("flowdateempty") : Cash("00094"),
                           book ? Own("flowdatelate") : Cash("00098"));
    case kQySign: {
      const int blank = text.indexOf(QLatin1Char(' '));
      return {true, blank < 0 ? text : text.left(blank).trimmed(), {}};
    }
    case kQyNo: {
      if (book || text.isEmpty()) return {true, text, {}};
      // The number is stored as a whole number: a cell that is none is refused (a
      // stored 0 shows as no number, so the cell keeps none for 0).
      const std::optional<qint64> number = platform::ReadWholeNumber(text);
      if (!number || *number < 0) return Refuse(text, GetResString(QStringLiteral("corvane.opening.voucherno"), text));
      if (*number > 32767) return Refuse(text, Cash("00100"));
      return {true, *number == 0 ? QString() : QString::number(*number), {}};
    }
    case kQySettle:
      return {true, shared::SettleStyleOfCell(text).code, {}};
    case kQyDebit:
    case kQyCredit:
      return CheckAmount(text);
    case kQyBillDate:
      return text.isEmpty() ? CellCheck{true, text, {}} : CheckDate(text);
    default:
      return {true, text, {}};
  }
}

CellCheck CheckBankCell(int col, const QString& raw, const ItemContext& c) {
  const QString text = raw.trimmed();
  switch (col) {
    case kYhDate:
      return CheckItemDate(text, c.startDate, Cash("00652"), Cash("00865"));
    case kYhSettle:
      return {true, shared::SettleStyleOfCell(text).code, {}};
    case kYhDebit:
    case kYhCredit:
      return CheckAmount(text);
    default:
      return {true, text, {}};
  }
}

RowCheck CheckEnterpriseRow(std::vector<QString>& cells, const ItemContext& c) {
  std::vector<QString> kept = cells;
  RowCheck r = CheckCells(kept, kQyDate, kQyDigest, [&](int col, const QString& t) { return CheckEnterpriseCell(col, t, c); });
  if (!r.ok) return r;
  if (kept[kQyDebit].isEmpty() && kept[kQyCredit].isEmpty()) return {false, kQyDebit, Cash("00090")};
  if (!CheckedAmount(kept[kQyDebit]).IsZero() && !CheckedAmount(kept[kQyCredit]).IsZero())
    return {false, kQyDebit, Own("bothamounts")};
  // Both dates are in the form "yyyy.mm.dd" now, so the texts order as the dates do.
  if (!kept[kQyBillDate].isEmpty() && kept[kQyBillDate] > kept[kQyDate]) return {false, kQyBillDate, Cash("00092")};
  cells = std::move(kept);
  return {};
}

RowCheck CheckBankRow(std::vector<QString>& cells, const ItemContext& c) {
  std::vector<QString> kept = cells;
  RowCheck r = CheckCells(kept, kYhDate, kYhCredit, [&](int col, const QString& t) { return CheckBankCell(col, t, c); });
  if (!r.ok) return r;
  if (kept[kYhDebit].isEmpty() && kept[kYhCredit].isEmpty()) return {false, kYhDebit, Cash("00090")};
  const Money debit = CheckedAmount(kept[kYhDebit]), credit = CheckedAmount(kept[kYhCredit]);
  if (!debit.IsZero() && !credit.IsZero()) return {false, kYhDebit, Own("bothamounts")};
  // The line is stored on the side that carries the amount. A zero typed alone is
  // an item of 0 on its own side ("0.00" counts as filled), a debit when both are.
  if (!kept[kYhDebit].isEmpty() && credit.IsZero()) kept[kYhCredit].clear();
  else if (debit.IsZero() && !credit.IsZero()) kept[kYhDebit].clear();
  cells = std::move(kept);
  return {};
}

}  // namespace corvane::opening
