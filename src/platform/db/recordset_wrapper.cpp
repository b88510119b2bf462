#include "platform/db/recordset_wrapper.h"

#include "platform/db/db_connection.h"
#include "platform/db/db_error.h"

#include <QRegularExpression>
#include <map>

namespace corvane::platform {

namespace {

bool IsPlainIdentifier(const QString& s) {
  static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
  return re.match(s).hasMatch();
}

// The table after the statement's own FROM: the first "from" outside
// parentheses and quotes, so that "extract(year from d)" or a subquery in the
// column list is passed over.
QString FirstFromTable(const QString& sql) {
  static const QRegularExpression fromTable(QStringLiteral("^from\\s+([A-Za-z_][A-Za-z0-9_]*)"),
                                            QRegularExpression::CaseInsensitiveOption);
  int depth = 0;
  QChar quote;
  for (qsizetype i = 0; i < sql.size(); ++i) {
    const QChar c = sql[i];
    if (!quote.isNull()) {
      if (c == quote) quote = QChar();
      continue;
    }
    if (c == QLatin1Char('\'') || c == QLatin1Char('"')) quote = c;
    else if (c == QLatin1Char('(')) ++depth;
    else if (c == QLatin1Char(')')) --depth;
    else if (depth == 0 && (c == QLatin1Char('f') || c == QLatin1Char('F')) &&
             (i == 0 || !(sql[i - 1].isLetterOrNumber() || sql[i - 1] == QLatin1Char('_')))) {
      const auto m = fromTable.match(QStringView(sql).mid(i));
      if (m.hasMatch()) return m.captured(1);
    }
  }
  return {};
}

QString Placeholders(int n) {
  QStringList marks;
  for (int i = 0; i < n; ++i) marks << QStringLiteral("?");
  return marks.join(QLatin1Char(','));
}

}  // namespace

RecordsetWrapper::RecordsetWrapper(DbConnection* connection, QString sql, ResultSet rows, Mode mode)
    : connection_(connection), sql_(std::move(sql)), rows_(std::move(rows)), mode_(mode) {
  for (int i = 0; i < rows_.columns.size(); ++i) {
    const QString key = rows_.columns[i].toLower();
    if (!columnIndex_.contains(key)) columnIndex_.insert(key, i);
  }
  visible_.resize(rows_.rows.size());
  for (size_t i = 0; i < visible_.size(); ++i) visible_[i] = static_cast<int>(i);
  pendingChanges_.resize(rows_.rows.size());
  pendingInsert_.resize(rows_.rows.size(), false);
  unconfirmed_.resize(rows_.rows.size());
}

int RecordsetWrapper::ColumnIndex(const QString& name) const {
  return columnIndex_.value(name.toLower(), -1);
}

int RecordsetWrapper::RequireColumn(const QString& name) const {
  const int i = ColumnIndex(name);
  if (i < 0) throw DbError(QStringLiteral("The recordset has no column \"%1\"").arg(name));
  return i;
}

std::vector<DbValue>& RecordsetWrapper::CurrentRow() {
  if (closed_) throw DbError(QStringLiteral("The recordset is closed"));
  if (Eof()) throw DbError(QStringLiteral("There is no current row"));
  return rows_.rows[visible_[pos_]];
}

const DbValue& RecordsetWrapper::Field(const QString& name) const {
  return Field(RequireColumn(name));
}

const DbValue& RecordsetWrapper::Field(int column) const {
  auto& row = const_cast<RecordsetWrapper*>(this)->CurrentRow();
  if (column < 0 || column >= static_cast<int>(row.size()))
    throw DbError(QStringLiteral("Column number %1 is out of range").arg(column));
  return row[column];
}

void RecordsetWrapper::RequireWritable(const char* what) const {
  if (closed_) throw DbError(QStringLiteral("The recordset is closed"));
  if (mode_ == Mode::ReadOnly)
    throw DbError(QStringLiteral("%1 on a read-only recordset").arg(QString::fromLatin1(what)));
}

void RecordsetWrapper::SetField(const QString& name, const DbValue& value) {
  RequireWritable("Field write");
  if (editState_ == EditState::None) throw DbError(QStringLiteral("Field write without Edit or AddNew"));
  const int col = RequireColumn(name);
  CurrentRow()[col] = value;
  changedColumns_.insert(col);
}

void RecordsetWrapper::Find(const QString& criteria) {
  const RowCriteria c = RowCriteria::Parse(criteria, rows_.columns);
  for (size_t i = 0; i < visible_.size(); ++i) {
    if (c.Matches(rows_.rows[visible_[i]])) {
      pos_ = static_cast<int>(i);
      noMatch_ = false;
      return;
    }
  }
  pos_ = static_cast<int>(visible_.size());
  noMatch_ = true;
}

void RecordsetWrapper::Filter(const QString& criteria) {
  const RowCriteria c = RowCriteria::Parse(criteria, rows_.columns);
  visible_.clear();
  for (size_t i = 0; i < rows_.rows.size(); ++i)
    if (c.IsEmpty() || c.Matches(rows_.rows[i])) visible_.push_back(static_cast<int>(i));
  pos_ = 0;
}

void RecordsetWrapper::AddNew() {
  RequireWritable("AddNew");
  rows_.rows.emplace_back(rows_.columns.size());
  pendingChanges_.emplace_back();
  pendingInsert_.push_back(mode_ == Mode::Batch);
  unconfirmed_.emplace_back();
  visible_.push_back(static_cast<int>(rows_.rows.size()) - 1);
  pos_ = static_cast<int>(visible_.size()) - 1;
  editState_ = EditState::Adding;
  changedColumns_.clear();
}

void RecordsetWrapper::Edit() {
  RequireWritable("Edit");
  CurrentRow();
  editState_ = EditState::Editing;
  changedColumns_.clear();
}

void RecordsetWrapper::CancelUpdate() {
  editState_ = EditState::None;
  changedColumns_.clear();
}

void RecordsetWrapper::Update() {
  RequireWritable("Update");
  if (editState_ == EditState::None) throw DbError(QStringLiteral("Update without Edit or AddNew"));
  const int rowIndex = visible_[pos_];
  if (mode_ == Mode::Batch) {
    pendingChanges_[rowIndex].insert(changedColumns_.begin(), changedColumns_.end());
  } else if (editState_ == EditState::Adding) {
    InsertRow(rowIndex);
  } else {
    WriteRow(rowIndex);
  }
  editState_ = EditState::None;
  changedColumns_.clear();
}

QString RecordsetWrapper::BaseTable() const {
  if (baseTable_.isEmpty()) {
    baseTable_ = FirstFromTable(sql_);
    if (baseTable_.isEmpty()) throw DbError(QStringLiteral("Cannot tell which table to write: %1").arg(sql_));
  }
  return baseTable_;
}

QString RecordsetWrapper::KeyColumn() const {
  if (keyColumn_.isEmpty()) {
    keyColumn_ = connection_->PrimaryKeyOf(BaseTable());
    if (keyColumn_.isEmpty() || ColumnIndex(keyColumn_) < 0)
      throw DbError(QStringLiteral("The rows of %1 cannot be written: its key is not among the columns").arg(BaseTable()));
  }
  return keyColumn_;
}

void RecordsetWrapper::WriteRow(int rowIndex) {
  const std::set<int> cols = mode_ == Mode::Batch ? pendingChanges_[rowIndex] : changedColumns_;
  if (cols.empty()) return;
  QStringList sets;
  DbParams params;
  for (int c : cols) {
    if (!IsPlainIdentifier(rows_.columns[c])) throw DbError(QStringLiteral("Column \"%1\" cannot be written").arg(rows_.columns[c]));
    sets << rows_.columns[c] + QStringLiteral("=?");
    params.push_back(rows_.rows[rowIndex][c]);
  }
  const QString key = KeyColumn();
  params.push_back(rows_.rows[rowIndex][ColumnIndex(key)]);
  const long long n = connection_->Execute(
      QStringLiteral("update %1 set %2 where %3=?").arg(BaseTable(), sets.join(QLatin1Char(',')), key), params);
  if (n != 1) throw DbError(QStringLiteral("The row of %1 to be changed is no longer there").arg(BaseTable()));
}

void RecordsetWrapper::InsertRow(int rowIndex) {
  const std::set<int> cols = mode_ == Mode::Batch ? pendingChanges_[rowIndex] : changedColumns_;
  QStringList names;
  DbParams params;
  for (int c : cols) {
    if (!IsPlainIdentifier(rows_.columns[c])) throw DbError(QStringLiteral("Column \"%1\" cannot be written").arg(rows_.columns[c]));
    names << rows_.columns[c];
    params.push_back(rows_.rows[rowIndex][c]);
  }
  const QString key = KeyColumn();
  const QString sql = names.isEmpty()
      ? QStringLiteral("insert into %1 default values returning %2").arg(BaseTable(), key)
      : QStringLiteral("insert into %1 (%2) values (%3) returning %4")
            .arg(BaseTable(), names.join(QLatin1Char(',')), Placeholders(names.size()), key);
  rows_.rows[rowIndex][ColumnIndex(key)] = connection_->QueryValue(sql, params);
}

void RecordsetWrapper::Delete() {
  RequireWritable("Delete");
  CurrentRow();
  if (mode_ == Mode::Batch) SettleWrittenRows();
  const int rowIndex = visible_[pos_];
  // A row added on the client and not written yet exists nowhere else.
  if (!pendingInsert_[rowIndex]) {
    const QString key = KeyColumn();
    connection_->Execute(QStringLiteral("delete from %1 where %2=?").arg(BaseTable(), key),
                         {rows_.rows[rowIndex][ColumnIndex(key)]});
  }
  pendingChanges_[rowIndex].clear();
  pendingInsert_[rowIndex] = false;
  unconfirmed_[rowIndex] = Unconfirmed();
  visible_.erase(visible_.begin() + pos_);
  editState_ = EditState::None;
}

void RecordsetWrapper::UpdateBatch() {
  if (mode_ != Mode::Batch) throw DbError(QStringLiteral("UpdateBatch on a recordset not opened for batch writes"));
  // Rows changed in the same columns share one statement, run for all of them at once.
  SettleWrittenRows();
  std::map<std::set<int>, std::vector<int>> byColumns;
  for (size_t r = 0; r < rows_.rows.size(); ++r) {
    if (pendingInsert_[r]) {
      InsertRow(static_cast<int>(r));
      MarkWritten(static_cast<int>(r));
    } else if (!pendingChanges_[r].empty()) {
      byColumns[pendingChanges_[r]].push_back(static_cast<int>(r));
    }
  }
  if (byColumns.empty()) return;
  const QString key = KeyColumn();
  const int keyCol = ColumnIndex(key);
  for (const auto& [cols, rowIndices] : byColumns) {
    QStringList sets;
    for (int c : cols) {
      if (!IsPlainIdentifier(rows_.columns[c])) throw DbError(QStringLiteral("Column \"%1\" cannot be written").arg(rows_.columns[c]));
      sets << rows_.columns[c] + QStringLiteral("=?");
    }
    std::vector<DbParams> batch;
    batch.reserve(rowIndices.size());
    for (int r : rowIndices) {
      DbParams p;
      for (int c : cols) p.push_back(rows_.rows[r][c]);
      p.push_back(rows_.rows[r][keyCol]);
      batch.push_back(std::move(p));
    }
    connection_->ExecuteBatch(
        QStringLiteral("update %1 set %2 where %3=?").arg(BaseTable(), sets.join(QLatin1Char(',')), key), batch);
    for (int r : rowIndices) MarkWritten(r);
  }
}

void RecordsetWrapper::MarkWritten(int rowIndex) {
  // Outside a transaction each statement committed by itself: nothing to keep.
  if (const std::uint64_t t = connection_->CurrentTransaction(); t != 0) {
    Unconfirmed& u = unconfirmed_[rowIndex];
    u.transaction = t;
    u.insert = u.insert || pendingInsert_[rowIndex];
    u.columns.insert(pendingChanges_[rowIndex].begin(), pendingChanges_[rowIndex].end());
  }
  pendingInsert_[rowIndex] = false;
  pendingChanges_[rowIndex].clear();
}

void RecordsetWrapper::SettleWrittenRows() {
  const std::uint64_t current = connection_->CurrentTransaction();
  for (size_t r = 0; r < unconfirmed_.size(); ++r) {
    Unconfirmed& u = unconfirmed_[r];
    if (u.transaction == 0 || u.transaction == current) continue;
    if (connection_->RolledBack(u.transaction)) {
      pendingInsert_[r] = pendingInsert_[r] || u.insert;
      pendingChanges_[r].insert(u.columns.begin(), u.columns.end());
    }
    u = Unconfirmed();
  }
}

void RecordsetWrapper::Close() {
  closed_ = true;
  rows_.rows.clear();
  visible_.clear();
  pos_ = 0;
}

}  // namespace corvane::platform
