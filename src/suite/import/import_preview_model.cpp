#include "suite/import/import_preview_model.h"

#include "suite/import/import_texts.h"

#include <QBrush>
#include <QColor>
#include <algorithm>

namespace corvane::suite {

void ImportPreviewModel::Show(const std::vector<platform::ImportLine>& lines, const QHash<int, QString>& refused,
                              const QSet<int>& duplicate, bool wholeFile, const QHash<int, QString>& texts) {
  beginResetModel();
  wholeFile_ = wholeFile;
  rows_.clear();
  rows_.reserve(lines.size() + static_cast<size_t>(refused.size()));
  QSet<int> shown;
  for (const platform::ImportLine& l : lines) {
    Row row{l.lineNo, &l, Written, {}, {}};
    if (auto it = refused.find(l.lineNo); it != refused.end()) row = {l.lineNo, &l, Refused, *it, texts.value(l.lineNo)};
    else if (duplicate.contains(l.lineNo)) row.kind = Duplicate;
    shown.insert(l.lineNo);
    rows_.push_back(row);
  }
  for (auto it = refused.begin(); it != refused.end(); ++it)
    if (!shown.contains(it.key())) rows_.push_back({it.key(), nullptr, Refused, it.value(), texts.value(it.key())});
  std::stable_sort(rows_.begin(), rows_.end(), [](const Row& a, const Row& b) { return a.lineNo < b.lineNo; });
  endResetModel();
}

int ImportPreviewModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ImportPreviewModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QString ImportPreviewModel::Cell(int row, int column) const {
  if (row < 0 || row >= rowCount()) return QString();
  const Row& r = rows_[static_cast<size_t>(row)];
  if (column == Line) return QString::number(r.lineNo);
  if (column == Text) return r.text;
  if (column == Verdict) {
    if (r.kind == Refused) return r.reason;
    if (wholeFile_) return ImportText(QStringLiteral("corvane.import.fileline"));
    if (r.kind == Duplicate)
      return ImportText(book_ ? QStringLiteral("corvane.import.duplicateline.book") : QStringLiteral("corvane.import.duplicateline"));
    return ImportText(QStringLiteral("corvane.import.ok.line"));
  }
  if (!r.line) return QString();
  const platform::ImportLine& l = *r.line;
  const QString amount = l.amount ? l.amount->ToDisplayText() : QString();
  switch (column) {
    case Date: return l.date.isValid() ? l.date.toString(QStringLiteral("yyyy.MM.dd")) : QString();
    case Style: return l.settle;
    case Number: return l.number;
    case Debit: return l.bd_c == 1 ? amount : QString();
    case Credit: return l.bd_c == 0 ? amount : QString();
    default: return QString();
  }
}

QVariant ImportPreviewModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole) return Cell(index.row(), index.column());
  // A long reason or line text whole, where its column cuts it.
  if (role == Qt::ToolTipRole && (index.column() == Verdict || index.column() == Text)) return Cell(index.row(), index.column());
  if (role == Qt::TextAlignmentRole && (index.column() == Debit || index.column() == Credit))
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  if (role == Qt::ForegroundRole && index.column() == Verdict) {
    const Kind kind = rows_[static_cast<size_t>(index.row())].kind;
    if (kind == Refused) return QBrush(QColor(0xB0, 0x00, 0x00));
    if (kind == Duplicate) return QBrush(QColor(0xA0, 0x60, 0x00));
  }
  return {};
}

QVariant ImportPreviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* keys[] = {"corvane.import.col.line",   "corvane.import.col.date",  "corvane.import.col.style",
                               "corvane.import.col.number", "corvane.import.col.debit", "corvane.import.col.credit",
                               "corvane.import.col.text",   "corvane.import.col.check"};
  return section >= 0 && section < ColumnCount ? ImportText(QString::fromLatin1(keys[section])) : QVariant();
}

QHash<int, QString> TextOfLines(const QString& text, QList<int> lineNos, int most) {
  QHash<int, QString> out;
  std::sort(lineNos.begin(), lineNos.end());
  int lineNo = 1;
  qsizetype from = 0;
  for (int wanted : lineNos) {
    if (wanted < 1) continue;
    for (; lineNo < wanted && from <= text.size(); ++lineNo) {
      const qsizetype end = text.indexOf(QLatin1Char('\n'), from);
      from = end < 0 ? text.size() + 1 : end + 1;
    }
    if (from > text.size()) break;
    qsizetype end = text.indexOf(QLatin1Char('\n'), from);
    if (end < 0) end = text.size();
    QStringView line = QStringView(text).mid(from, end - from);
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    out.insert(wanted, line.size() > most ? line.left(most).toString() + QChar(0x2026) : line.toString());
  }
  return out;
}

}  // namespace corvane::suite
