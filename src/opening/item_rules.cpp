#include "opening/opening_items.h"

#include "shared/date_text.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "shared/settle_style_match.h"

namespace corvane::opening {

using platform::Money;
using shared::GetResString;
using shared::Session;

namespace {

QString Cash(const char* number) { return GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.") + QLatin1String(number)); }
QString Own(const char* name) { return GetResString(QStringLiteral("corvane.opening.") + QLatin1String(name)); }

CellCheck Refuse(const QString& text, const QString& prompt) { return {false, text, prompt}; }

// A date before the start date; the three refusals are the window's own.
CellCheck CheckItemDate(const QString& text, const QDate& start, const QString& emptyPrompt, const QString& latePrompt) {
  if (text.isEmpty()) return Refuse(text, emptyPrompt);
  QString d = text;
  if (shared::NormalizeDateText(d).isEmpty()) return Refuse(text, Cash("00096"));
  if (Session::Current().Common().ParseDate(d) >= start) return Refuse(text, latePrompt);
  return {true, d, {}};
}

// An amount cell: empty, or a number shown "#,0.00". A refusal names what was typed.
CellCheck CheckAmount(const QString& text) {
  if (text.isEmpty()) return {true, text, {}};
  const auto refuse = [&](const QString& why) {
    return Refuse(text, GetResString(QStringLiteral("corvane.grid.amountrefused"), text, why));
  };
  const auto m = Money::Parse(Session::Current().Common().AmountTextToNumberText(text));
  if (!m) return refuse(Own("amounterr"));
  if (*m > Money::LineMax() || *m < -Money::LineMax())
    return refuse(GetResString(QStringLiteral("corvane.grid.amounttoolarge"), Money::LineMax().ToDisplayText()));
  return {true, m->ToDisplayText(), {}};
}

Money AmountOf(const QString& text) {
  return Money::Parse(Session::Current().Common().AmountTextToNumberText(text)).value_or(Money());
}

// The digits a voucher number text begins with, as the number is read from it.
QString LeadingDigits(const QString& text) {
  qsizetype n = 0;
  while (n < text.size() && text[n] >= QLatin1Char('0') && text[n] <= QLatin1Char('9')) ++n;
  return text.left(n);
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
      // Only the leading number is stored, so the cell keeps just that number (none
      // for 0, as a stored 0 is shown); a text without one would be stored as 0.
      const QString digits = LeadingDigits(text);
      if (digits.isEmpty()) return Refuse(text, GetResString(QStringLiteral("corvane.opening.voucherno"), text));
      if (digits.toDouble() > 32767) return Refuse(text, Cash("00100"));
      const int number = digits.toInt();
      return {true, number == 0 ? QString() : QString::number(number), {}};
    }
    case kQySettle:
      return {true, shared::SettleStyleOfCell(text).code, {}};
    case kQyDebit:
    case kQyCredit:
      return CheckAmount(text);
    case kQyBillDate: {
      if (text.isEmpty()) return {true, text, {}};
      QString d = text;
      if (shared::NormalizeDateText(d).isEmpty()) return Refuse(text, Cash("00096"));
      return {true, d, {}};
    }
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
  if (!AmountOf(kept[kQyDebit]).IsZero() && !AmountOf(kept[kQyCredit]).IsZero())
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
  const Money debit = AmountOf(kept[kYhDebit]), credit = AmountOf(kept[kYhCredit]);
  if (!debit.IsZero() && !credit.IsZero()) return {false, kYhDebit, Own("bothamounts")};
  // The line is stored on the side that carries the amount. A zero typed alone is
  // an item of 0 on its own side ("0.00" counts as filled), a debit when both are.
  if (!kept[kYhDebit].isEmpty() && credit.IsZero()) kept[kYhCredit].clear();
  else if (debit.IsZero() && !credit.IsZero()) kept[kYhDebit].clear();
  cells = std::move(kept);
  return {};
}

}  // namespace corvane::opening
