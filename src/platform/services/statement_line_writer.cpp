#include "platform/services/statement_line_writer.h"

#include "platform/db/db_connection.h"
#include "platform/db/text_key.h"
#include "platform/db/transaction_guard.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace corvane::platform {

namespace {

constexpr size_t kBatchRows = 2000;

QString Table(const ImportTarget& t) { return t.bookMode ? QStringLiteral("rp_bankrecp_rp") : QStringLiteral("rp_bankrecp"); }
QString KeyColumn(const ImportTarget& t) { return t.bookMode ? QStringLiteral("cBookCode") : QStringLiteral("ccode"); }
QString KeyOf(const ImportTarget& t) { return t.bookMode ? t.bookCode : t.accountCode; }

// Settlement numbers compare by the one key rule of the databases.
QByteArray NumberKey(const QString& s) { return TextKey::Of(s.trimmed()); }

using LineKey = std::tuple<qint64, QByteArray, int, qint64>;

// What the statement window's columns hold, in bytes of the suite's Chinese
// encoding: a character beyond ASCII takes two (a surrogate pair is one character).
constexpr int kStyleBytes = 20;
constexpr int kNumberBytes = 30;

int SuiteBytes(const QString& s) {
  int bytes = 0;
  for (qsizetype i = 0; i < s.size(); ++i) {
    bytes += s[i].unicode() < 0x80 ? 1 : 2;
    if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) ++i;
  }
  return bytes;
}

// Why a line cannot be written (a resource key, with what its %1, %2... stand for
// in args), or the empty text.
QString Refusal(const ImportLine& l, const StatementDateLimits& dates, QStringList& args) {
  if (!l.date.isValid()) return QStringLiteral("corvane.import.nodate");
  if (QString key = dates.ReasonKey(l.date, args); !key.isEmpty()) return key;
  if (!l.amount || *l.amount <= Money()) return QStringLiteral("corvane.import.noamount");
  if (!l.bd_c || (*l.bd_c != 0 && *l.bd_c != 1)) return QStringLiteral("corvane.import.nodirection");
  if (*l.amount > Money::LineMax()) return QStringLiteral("corvane.import.amounttoolarge");
  if (SuiteBytes(l.settle.trimmed()) > kStyleBytes) return QStringLiteral("corvane.import.styletoolong");
  if (SuiteBytes(l.number.trimmed()) > kNumberBytes) return QStringLiteral("corvane.import.numbertoolong");
  return QString();
}

}  // namespace

std::vector<ImportLine> StatementLineWriter::Check(const std::vector<ImportLine>& lines, const StatementDateLimits& dates,
                                                   std::vector<RefusedLine>& refused) {
  std::vector<ImportLine> ok;
  ok.reserve(lines.size());
  for (const ImportLine& l : lines) {
    QStringList args;
    const QString reason = Refusal(l, dates, args);
    if (reason.isEmpty()) ok.push_back(l);
    else refused.push_back({l.lineNo, reason, args});
  }
  return ok;
}

std::vector<size_t> StatementLineWriter::FindDuplicates(const std::vector<ImportLine>& lines) {
  std::vector<size_t> found;
  if (lines.empty()) return found;
  QDate first = lines.front().date, last = lines.front().date;
  for (const ImportLine& l : lines) {
    first = std::min(first, l.date);
    last = std::max(last, l.date);
  }
  // One read of the account's lines in the file's date range; NULL direction is credit.
  std::set<LineKey> existing;
  db_.ForEachRow(QStringLiteral("select ddate, cn_id, bd_c, mmoney from %1 where %2=? and ibegin<>0 and "
                                "ddate>=? and ddate<=?")
                     .arg(Table(t_), KeyColumn(t_)),
                 {KeyOf(t_), first, last}, [&](const std::vector<DbValue>& row) {
                   existing.emplace(row[0].ToDate().toJulianDay(), NumberKey(row[1].IsNull() ? QString() : row[1].ToString()),
                                    !row[2].IsNull() && row[2].ToInt() == 1 ? 1 : 0, row[3].ToMoney().Raw());
                 });
  for (size_t i = 0; i < lines.size(); ++i) {
    const ImportLine& l = lines[i];
    if (existing.count({l.date.toJulianDay(), NumberKey(l.number), l.bd_c.value_or(0), l.amount.value_or(Money()).Raw()}))
      found.push_back(i);
  }
  return found;
}

int StatementLineWriter::Write(const std::vector<ImportLine>& lines, const Progress& progress) {
  QString columns = QStringLiteral("ccode, ddate, csettle, cn_id, bd_c, mmoney, mbalance, ibegin, bdelete");
  QString marks = QStringLiteral("?,?,?,?,?,?,?,?,?");
  if (t_.bookMode) {
    columns += QStringLiteral(", cBookCode");
    marks += QStringLiteral(",?");
  }
  const QString sql = QStringLiteral("insert into %1 (%2) values (%3)").arg(Table(t_), columns, marks);
  const int total = static_cast<int>(lines.size());
  TransactionGuard guard(db_);
  std::vector<DbParams> batch;
  batch.reserve(std::min(kBatchRows, lines.size()));
  int done = 0;
  for (const ImportLine& l : lines) {
    auto text = [](const QString& s) { return s.trimmed().isEmpty() ? DbValue() : DbValue(s.trimmed()); };
    DbParams p{t_.accountCode, l.date, text(l.settle), text(l.number), l.bd_c.value_or(0), l.amount.value_or(Money()),
               Money(), 2, 0};
    if (t_.bookMode) p.push_back(t_.bookCode);
    batch.push_back(std::move(p));
    if (batch.size() == kBatchRows) {
      db_.ExecuteBatch(sql, batch);
      done += static_cast<int>(batch.size());
      batch.clear();
      if (progress) progress(done, total);
    }
  }
  if (!batch.empty()) {
    db_.ExecuteBatch(sql, batch);
    done += static_cast<int>(batch.size());
    if (progress) progress(done, total);
  }
  guard.Commit();
  return done;
}

}  // namespace corvane::platform
