#include "shared/grid_editor.h"

#include "platform/controls/amount_key_filter.h"
#include "platform/controls/entry_grid.h"
#include "shared/messages.h"
#include "shared/session.h"

#include <QComboBox>
#include <QTimer>
#include <algorithm>
#include <exception>
#include <utility>

namespace corvane::shared {

using platform::ColorFromBgr;
using platform::EditAnswer;
using platform::LeaveAnswer;

namespace {

constexpr quint32 kWhite = 0xFFFFFF;
constexpr quint32 kNearWhite = 0xFFFFFE;

QColor Yellow() {
  const QColor c = Session::Current().gColorLightYellow;
  return c.isValid() ? c : ColorFromBgr(0xC6F3F7);
}

QColor Grey() {
  const QColor c = Session::Current().gColorLightGrey;
  return c.isValid() ? c : ColorFromBgr(0xE8E8E8);
}

// "Yellow − 1" of the suite's colour numbers: one less in the red byte.
QColor YellowMinusOne() { return ColorFromBgr(platform::BgrFromColor(Yellow()) - 1); }

}  // namespace

QColor RowStateColor(int state, int col, int balanceCol) {
  switch (state) {
    case kRowOpen: return ColorFromBgr(col >= 0 && col == balanceCol ? kNearWhite : kWhite);
    case kRowTicked: return Yellow();
    case kRowCleared: return Grey();
    case kRowProtected: return ColorFromBgr(kNearWhite);
    case kRowProtectedMarked: return YellowMinusOne();
    default: return QColor(0, 0, 0);
  }
}

int RowStateOfColor(const QColor& color) {
  for (int state : {kRowTicked, kRowCleared, kRowProtected, kRowProtectedMarked})
    if (RowStateColor(state) == color) return state;
  return kRowOpen;
}

GridEditor::GridEditor(platform::EntryGrid* grid, GridEditorHost* host, QObject* parent)
    : QObject(parent), grid_(grid), host_(host) {
  grid_->SetBeforeAcceptEdit([this](int row, int col, QString& text) { return AcceptEdit(row, col, text); });
  grid_->SetBeforeLeaveRow([this](int row, int& col) { return LeaveRow(row, col); });
  connect(grid_, &platform::GridBase::RowColChange, this, &GridEditor::RememberEnteredRow);
  connect(grid_, &platform::EntryGrid::ButtonClick, this, [this](int row, int col, QWidget* editor) {
    if (col < 0 || col >= static_cast<int>(specs_.size()) || !specs_[static_cast<size_t>(col)].button) return;
    // A list cell keeps what is typed: completing a typed code to the first entry
    // that begins with it ("2" to "201 ...") would keep a code nobody typed.
    if (auto* list = qobject_cast<QComboBox*>(editor)) list->setCompleter(nullptr);
    emit CellButton(row, col, editor);
  });
}

void GridEditor::SetColumns(std::vector<GridColumnSpec> specs, int headerTwips) {
  specs_ = std::move(specs);
  const int cols = static_cast<int>(specs_.size());
  grid_->SetRows(1);
  grid_->SetCols(cols);
  grid_->SetRowHeight(0, headerTwips);
  for (int c = 0; c < cols; ++c) {
    const GridColumnSpec& s = specs_[static_cast<size_t>(c)];
    grid_->SetTextMatrix(0, c, s.title);
    grid_->SetColWidth(c, s.hidden ? 0 : s.widthTwips);
    grid_->SetColAlignment(c, s.alignment);
    grid_->SetColumnEditor(c, {s.kind, s.maxBytes, 2});
    grid_->SetColPrintKind(c, s.print);
  }
  grid_->SetLengthCounter(&GridEditor::ByteLength);
  grid_->ClearProtectedColors();
  for (int state : {kRowProtected, kRowTicked, kRowProtectedMarked, kRowCleared})
    grid_->AddProtectedColor(RowStateColor(state));
  enteredRow_ = -1;
  refusedRow_ = -1;
}

int GridEditor::DataRows() const { return grid_->Rows() - 1; }

// --- Keys --------------------------------------------------------------------

GridRowKey GridEditor::Key(int row) const {
  const QVariant v = grid_->RowData(row);
  if (v.typeId() == QMetaType::QString) {
    const QString s = v.toString();
    return s.isEmpty() ? GridRowKey{} : GridRowKey{s};
  }
  const qint64 id = v.toLongLong();
  return id == 0 ? GridRowKey{} : GridRowKey{id};
}

void GridEditor::SetKey(int row, const GridRowKey& key) {
  if (const auto* id = std::get_if<qint64>(&key)) grid_->SetRowData(row, QVariant::fromValue(*id));
  else if (const auto* text = std::get_if<QString>(&key)) grid_->SetRowData(row, *text);
  else grid_->SetRowData(row, QVariant::fromValue(qint64{0}));
}

QString GridEditor::KeyText(const GridRowKey& key) {
  if (const auto* id = std::get_if<qint64>(&key)) return QString::number(*id);
  if (const auto* text = std::get_if<QString>(&key)) return *text;
  return QString();
}

// --- States ------------------------------------------------------------------

void GridEditor::SetRowState(int row, int state) {
  for (int c = 0; c < grid_->Cols(); ++c) grid_->SetCellBackColor(row, c, RowStateColor(state, c, balanceCol_));
}

int GridEditor::RowStateOf(int row) const {
  // Column 0 carries the state colour in every state (the balance column does not).
  return RowStateOfColor(grid_->CellBackColor(row, 0));
}

// --- Rows --------------------------------------------------------------------

int GridEditor::AppendRow(const QStringList& texts, const GridRowKey& key, int state) {
  std::vector<QColor> colors;
  for (int c = 0; c < grid_->Cols(); ++c) colors.push_back(RowStateColor(state, c, balanceCol_));
  const int row = grid_->AddRowFromText(texts.join(QLatin1Char('\t')), colors);
  SetKey(row, key);
  if (balance_ && balance_->Rows() < row) balance_->InsertRow(row);
  return row;
}

void GridEditor::RemoveRow(int row) {
  refusedRow_ = -1;
  if (row == enteredRow_) enteredRow_ = -1;
  else if (row < enteredRow_) --enteredRow_;
  grid_->RemoveRow(row);
  if (balance_) balance_->RemoveRow(row);
}

void GridEditor::RemoveRows(int first, int last) {
  if (first > last) return;
  refusedRow_ = -1;
  if (enteredRow_ >= first && enteredRow_ <= last) enteredRow_ = -1;
  else if (enteredRow_ > last) enteredRow_ -= last - first + 1;
  grid_->RemoveRows(first, last);
  if (balance_) balance_->RemoveRows(first, last);
}

void GridEditor::WriteBalances(int fromRow) {
  if (!balance_ || balanceCol_ < 0) return;
  const int first = balance_->RecomputeFrom(fromRow);
  const bool redraw = grid_->Redraw();
  grid_->SetRedraw(false);
  const int last = std::min(balance_->Rows(), grid_->Rows() - 1);
  for (int r = first; r <= last; ++r) grid_->SetTextMatrix(r, balanceCol_, balance_->BalanceText(r));
  grid_->SetRedraw(redraw);
}

int GridEditor::ApplyFilter(const std::function<bool(int row)>& shown) {
  const bool redraw = grid_->Redraw();
  grid_->SetRedraw(false);
  int first = 0;
  const int rowTwips = grid_->DataRowHeight();
  for (int r = 1; r < grid_->Rows(); ++r) {
    const bool show = shown(r);
    grid_->SetRowHeight(r, show ? rowTwips : 0);
    if (show && first == 0) first = r;
  }
  grid_->SetRedraw(redraw);
  return first;
}

QStringList GridEditor::RowTexts(int row) const {
  QStringList texts;
  for (int c = 0; c < grid_->Cols(); ++c) texts << grid_->TextMatrix(row, c);
  return texts;
}

int GridEditor::ByteLength(const QString& text) {
  try {
    return Session::Current().Common().GetByteLength(text);
  } catch (const std::exception&) {
    // Without the suite's services count the Chinese encoding's way: two bytes
    // for anything outside ASCII.
    int n = 0;
    for (QChar ch : text) n += ch.unicode() < 0x80 ? 1 : 2;
    return n;
  }
}

// --- Edit protocol -------------------------------------------------------------

bool GridEditor::FitsColumn(int col, const QString& text) const {
  if (col < 0 || col >= static_cast<int>(specs_.size())) return true;
  const GridColumnSpec& column = specs_[static_cast<size_t>(col)];
  // Amounts and dates are held to their forms by their own editors and checks (an
  // amount's display form with its separators is longer than what is typed).
  const bool textual = column.kind == platform::ColumnKind::Text || column.kind == platform::ColumnKind::List;
  const int bytes = textual && column.maxBytes > 0 ? ByteLength(text) : 0;
  if (bytes <= column.maxBytes) return true;
  ShowMsgBox(GetResString(QStringLiteral("corvane.grid.toolong"), column.title, column.maxBytes, bytes), 48,
             GetResString(kCashTitleKey));
  return false;
}

EditAnswer GridEditor::AcceptEdit(int row, int col, QString& text) {
  text = text.trimmed();
  // Amounts and dates typed (or pasted) full-width are read in their ASCII forms.
  const platform::ColumnKind kind = grid_->ColumnEditorOf(col).kind;
  if (kind == platform::ColumnKind::Amount || kind == platform::ColumnKind::Date) text = platform::ToHalfWidth(text);
  if (!FitsColumn(col, text)) return Refused(row, col);
  if (!host_) return EditAnswer::Accept;
  grid_->SetTextMatrix(row, col, text);
  return host_->ValidateCell(row, col, text) ? EditAnswer::Accept : Refused(row, col);
}

EditAnswer GridEditor::Refused(int row, int col) {
  // What ended the edit (Tab, a click, an arrow key) may still move the cursor on
  // and open the next cell; once it has, the cursor goes back, so the user's next
  // keys land in the refused cell and not in another column.
  refusedRow_ = row;
  refusedCol_ = col;
  QTimer::singleShot(0, this, [this] {
    const int row = std::exchange(refusedRow_, -1);
    if (row < 1 || row >= grid_->Rows() || refusedCol_ >= grid_->Cols()) return;
    if (grid_->IsEditing()) {
      // Keys typed meanwhile may have opened the refused cell again: that edit stays.
      if (grid_->Row() == row && grid_->Col() == refusedCol_) return;
      grid_->CancelEdit();
    }
    grid_->SetCurrentCell(row, refusedCol_);
    grid_->setFocus();
  });
  return EditAnswer::Refuse;
}

LeaveAnswer GridEditor::LeaveRow(int row, int& col) {
  if (!host_) return LeaveAnswer::Leave;
  for (int c = 0; c < grid_->Cols(); ++c) {
    QString text = grid_->TextMatrix(row, c).trimmed();
    grid_->SetTextMatrix(row, c, text);
    if (!FitsColumn(c, text) || !host_->ValidateCell(row, c, text)) {
      col = c;
      return LeaveAnswer::Stay;
    }
  }
  if (!host_->ValidateRow(row, col)) return LeaveAnswer::Stay;
  bool saved = false;
  try {
    saved = host_->SaveRow(row);
  } catch (const std::exception& e) {
    ShowMsgBox(FailureText(e), 16, GetResString(kCashTitleKey));
    col = grid_->Col();
    return LeaveAnswer::Stay;
  }
  if (!saved) {
    col = grid_->Col();
    return LeaveAnswer::Stay;
  }
  if (row == enteredRow_) enteredTexts_ = RowTexts(row);
  return LeaveAnswer::Leave;
}

GridEditor::Commit GridEditor::CommitCurrentRow() {
  if (grid_->IsEditing() && !grid_->CommitEdit()) return Commit::Invalid;
  const int row = grid_->Row();
  if (row < 1 || row >= grid_->Rows() || !grid_->IsRowDirty(row)) return Commit::Clean;
  return grid_->RequestLeaveRow() ? Commit::Saved : Commit::Invalid;
}

bool GridEditor::SettleBeforeCommand() {
  if (CommitCurrentRow() != Commit::Invalid) return true;
  const int answer = ShowMsgBox(GetResString(QStringLiteral("corvane.grid.discardrow")), 260, GetResString(kCashTitleKey));
  if (answer != 6) return false;
  DiscardCurrentRow();
  return true;
}

bool GridEditor::IsCurrentRowDirty() const {
  const int row = grid_->Row();
  return row >= 1 && row < grid_->Rows() && (grid_->IsEditing() || grid_->IsRowDirty(row));
}

void GridEditor::DiscardCurrentRow() {
  if (grid_->IsEditing()) grid_->CancelEdit();
  refusedRow_ = -1;
  const int row = grid_->Row();
  if (row < 1 || row >= grid_->Rows()) return;
  if (!IsSaved(row)) {
    RemoveRow(row);
    return;
  }
  if (row == enteredRow_)
    for (int c = 0; c < enteredTexts_.size() && c < grid_->Cols(); ++c) grid_->SetTextMatrix(row, c, enteredTexts_[c]);
  grid_->SetRowDirty(row, false);
}

void GridEditor::RememberEnteredRow() {
  const int row = grid_->Row();
  if (row == enteredRow_ || row < 1 || row >= grid_->Rows()) return;
  // A row left dirty (the gate said stay) keeps its first snapshot.
  if (enteredRow_ >= 1 && enteredRow_ < grid_->Rows() && grid_->IsRowDirty(enteredRow_)) return;
  enteredRow_ = row;
  enteredTexts_ = RowTexts(row);
}

}  // namespace corvane::shared
