#include "suite/import/account_match.h"

#include "suite/import/import_texts.h"

#include <QStringList>

namespace corvane::suite {

QString PlainAccountNo(QString s) {
  s.remove(QLatin1Char(' '));
  s.remove(QLatin1Char('-'));
  return s.toUpper();
}

QString ForeignFileReason(const QString& fileAccountNo, const QString& fileCurrency, const QString& accountNo,
                          const QString& currency) {
  QStringList reasons;
  if (!fileAccountNo.trimmed().isEmpty() && !accountNo.trimmed().isEmpty() &&
      PlainAccountNo(fileAccountNo) != PlainAccountNo(accountNo))
    reasons << ImportTextWith(QStringLiteral("corvane.import.otheraccount"), {fileAccountNo.trimmed(), accountNo.trimmed()});
  if (!fileCurrency.trimmed().isEmpty() && !currency.trimmed().isEmpty() &&
      fileCurrency.trimmed().compare(currency.trimmed(), Qt::CaseInsensitive) != 0)
    reasons << ImportTextWith(QStringLiteral("corvane.import.othercurrency"), {fileCurrency.trimmed(), currency.trimmed()});
  return reasons.join(QLatin1Char('\n'));
}

}  // namespace corvane::suite
