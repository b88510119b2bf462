#pragma once

#include <QString>

namespace corvane::suite {

// Account numbers compared without blanks and dashes, as banks write them both
// ways, and without letter case (IBANs).
QString PlainAccountNo(QString s);

// Why a file cannot go into the account: the bank account number or the currency
// it names differs from the account's (both named), or empty when it fits. What
// the file or the account does not name is not compared.
QString ForeignFileReason(const QString& fileAccountNo, const QString& fileCurrency, const QString& accountNo,
                          const QString& currency);

}  // namespace corvane::suite
