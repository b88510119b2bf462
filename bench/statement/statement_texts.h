#pragma once

#include <QByteArray>
#include <QString>

namespace corvane::bench {

// Statement files of n lines in each format the import reads, the same lines in
// each: dates through 2026, numbers N0..N(n-1), debits and credits in turn,
// amounts 1.00 upwards; the balances of each statement add up.
QString CsvText(int n);
QByteArray Mt940Text(int n);
QByteArray CamtText(int n);
QByteArray OfxText(int n);

}  // namespace corvane::bench
