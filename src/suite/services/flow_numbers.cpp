#include "suite/services/flow_numbers.h"

#include "platform/db/db_connection.h"
#include "platform/db/text_key.h"
#include "platform/services/service_error.h"
#include "suite/services/service_texts.h"
#include "suite/services/text_source.h"

#include <algorithm>

namespace corvane::suite {

namespace {

// "0#####": at least six digits, as the journal windows read the number back.
constexpr int kDigits = 6;
constexpr int kMaxClashes = 1000;

QString CodeOf(const QString& bookCode) { return bookCode.trimmed(); }

}  // namespace

QString FlowNumbers::Format(const QString& bookCode, qint64 number) {
  return CodeOf(bookCode) + QStringLiteral("%1").arg(number, kDigits, 10, QLatin1Char('0'));
}

QString FlowNumbers::Take(const QString& bookCode) {
  const QString code = CodeOf(bookCode);
  // A taken id can still be in use: flows keyed in before the counter, or the id
  // of another book whose code is this one with digits added ("B1" + "1000001" is
  // "B11" + "000001"). The first clash moves the counter past the book's flows;
  // a clash after that is another book's id and is stepped over.
  for (int round = 0; round < kMaxClashes; ++round) {
    const auto [stored, n] = Increment(code);
    const QString id = Format(stored, n);
    if (!IdExists(id)) return id;
    if (round == 0) CatchUp(stored);
  }
  throw platform::ServiceError(
      TextOr(texts_, QStringLiteral("corvane.suite.book.noflowid"), QStringLiteral("账簿[%1]无法取得新的流水号。"), {code}));
}

QString FlowNumbers::Peek(const QString& bookCode) {
  const QString code = CodeOf(bookCode);
  const platform::ResultSet r =
      connection_.Query(QStringLiteral("select cBookCode, iLastFlowNo from RP_Book where cBookCode = ?"), {code});
  if (r.rows.empty()) throw BookMissingError(texts_, code);
  const QString stored = CodeOf(r.rows[0][0].ToString());
  qint64 n = r.rows[0][1].ToInt() + 1;
  if (IdExists(Format(stored, n))) n = std::max(n, HighestUsed(stored) + 1);
  return Format(stored, n);
}

std::pair<QString, qint64> FlowNumbers::Increment(const QString& bookCode) {
  const platform::ResultSet r = connection_.Query(
      QStringLiteral("update RP_Book set iLastFlowNo = iLastFlowNo + 1 where cBookCode = ? "
                     "returning cBookCode, iLastFlowNo"),
      {bookCode});
  if (r.rows.empty()) throw BookMissingError(texts_, bookCode);
  return {CodeOf(r.rows[0][0].ToString()), r.rows[0][1].ToInt()};
}

bool FlowNumbers::IdExists(const QString& flowId) {
  return !connection_.QueryValue(QStringLiteral("select 1 from RP_Flow where cFlowID = ?"), {flowId}).IsNull();
}

qint64 FlowNumbers::HighestUsed(const QString& bookCode) {
  const platform::ResultSet r =
      connection_.Query(QStringLiteral("select cFlowID from RP_Flow where cBookCode = ?"), {bookCode});
  qint64 highest = 0;
  for (const auto& row : r.rows) {
    const QString id = row[0].ToString().trimmed();
    if (id.size() <= bookCode.size() || !platform::TextKey::Equal(id.left(bookCode.size()), bookCode)) continue;
    bool ok = false;
    const qint64 n = id.mid(bookCode.size()).toLongLong(&ok);
    if (ok && n > highest) highest = n;
  }
  return highest;
}

void FlowNumbers::CatchUp(const QString& bookCode) {
  const qint64 highest = HighestUsed(bookCode);
  // Only forward: a session that counted further meanwhile keeps its lead.
  connection_.Execute(
      QStringLiteral("update RP_Book set iLastFlowNo = ? where cBookCode = ? and iLastFlowNo < ?"),
      {highest, bookCode, highest});
}

}  // namespace corvane::suite
