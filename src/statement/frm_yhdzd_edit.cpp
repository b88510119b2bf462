#include "platform/controls/entry_grid.h"
#include "platform/services/common_services.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "shared/settle_style_match.h"
#include "statement/frm_yhdzd.h"
#include "statement/statement_cells.h"
#include "statement/statement_store.h"

namespace corvane::statement {

using platform::Money;
using shared::GetResString;
using shared::Session;

namespace {

// An amount refused is named in the message: the cell goes back to its old text.
int Refuse(const QString& key, const QString* amount = nullptr) {
  QString prompt = key == QLatin1String(kAmountTooLargeKey) ? GetResString(key, Money::LineMax().ToDisplayText())
                                                            : GetResString(key);
  if (amount) prompt = GetResString(QStringLiteral("corvane.grid.amountrefused"), *amount, prompt);
  return shared::ShowMsgBox(prompt, 0, GetResString(shared::kCashTitleKey));
}

}  // namespace

// Cell check: the grid keeps the text as it is left here (a date in "yyyy.mm.dd",
// an amount in "#,0.00", a settlement style as its code).
bool frmYHDZD::ValidateCell(int row, int col, QString& text) {
  QString key;
  switch (col) {
    case 1:
      key = CheckDateCell(text, BDate, context_.upperBound);
      break;
    case 2: {
      const shared::CellSettleStyle style = shared::SettleStyleOfCell(text);
      if (!style.code.isEmpty() && !style.known) key = QStringLiteral("Q9.GL.ZWSQL.CASHBANK.baltypeerr");
      else text = style.code;
      break;
    }
    case 4:
    case 5: {
      Money amount;
      key = CheckAmountCell(text, amount);
      break;
    }
    default:
      break;
  }
  if (key.isEmpty()) return true;
  Refuse(key, col == 4 || col == 5 ? &text : nullptr);
  grid_->setFocus();
  return false;
}

bool frmYHDZD::ValidateRow(int row, int& col) {
  const QString key = CheckAmounts(grid_->TextMatrix(row, 4), grid_->TextMatrix(row, 5), col);
  if (key.isEmpty()) return true;
  Refuse(key);
  return false;
}

StatementLine frmYHDZD::RowLine(int row) const {
  StatementLine line;
  const shared::GridRowKey key = editor_->Key(row);
  line.id = std::holds_alternative<qint64>(key) ? std::get<qint64>(key) : 0;
  QString date = grid_->TextMatrix(row, 1);
  CheckDateCell(date, QDate(), QDate());
  line.date = QDate::fromString(date, QStringLiteral("yyyy.MM.dd"));
  // Stored as the check passed it; the leave path checks a loaded style without
  // rewriting the cell, so SaveRow shows what was stored.
  line.settle = shared::SettleStyleOfCell(grid_->TextMatrix(row, 2)).code;
  line.number = grid_->TextMatrix(row, 3).trimmed();
  const Money debit = CellAmount(grid_->TextMatrix(row, 4));
  line.debit = !debit.IsZero();
  line.amount = line.debit ? debit : CellAmount(grid_->TextMatrix(row, 5));
  return line;
}

bool frmYHDZD::SaveRow(int row) {
  StatementStore store(Session::Current().Db(), context_);
  const StatementLine line = RowLine(row);
  if (line.id == 0) {
    const qint64 id = store.Insert(line);
    editor_->SetKey(row, shared::GridRowKey{id});
    grid_->SetTextMatrix(row, 0, QStringLiteral("%1").arg(id, 6, 10, QLatin1Char('0')));
  } else {
    switch (store.Update(line)) {
      case StatementStore::UpdateResult::Updated:
        break;
      case StatementStore::UpdateResult::Vanished:
        // Someone removed the line: nothing is written and the row may be left.
        shared::ShowMsgBox(GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.checkindexerr"), line.id), 16,
                           GetResString(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00107")));
        SetRowColor(row, shared::kRowOpen);
        return true;
      case StatementStore::UpdateResult::Ticked:
        Refuse(QStringLiteral("Q9.GL.ZWSQL.CASHBANK.00112"));
        return false;
    }
  }
  grid_->SetTextMatrix(row, 2, line.settle);
  SetRowColor(row, shared::kRowOpen);
  balance_.SetAmounts(row, line.debit ? line.amount : Money(), line.debit ? Money() : line.amount, line.debit);
  editor_->WriteBalances(row);
  return true;
}

// Typing an amount into one column empties the other, so a row carries one.
void frmYHDZD::OnEditKey(int row, int col) {
  if (col == 4) grid_->SetTextMatrix(row, 5, QString());
  else if (col == 5) grid_->SetTextMatrix(row, 4, QString());
}

bool frmYHDZD::SettleCurrentRow() { return editor_->SettleBeforeCommand(); }

void frmYHDZD::SetRowColor(int row, int state) { editor_->SetRowState(row, state); }

}  // namespace corvane::statement
