#include "make_db_command.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

// corvane-makedb --db <connection string> [--demo] [--bench-one N] [--bench-many A L]
// Installs the suite's schema in a database and fills it with the demo account
// set or with benchmark data.
int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTextStream out(stdout);
  QTextStream err(stderr);
  QString error;
  const auto request = corvane::makedb::ParseMakeDbArguments(app.arguments().mid(1), error);
  if (!request) {
    const bool help = error == corvane::makedb::MakeDbUsage();
    (help ? out : err) << error;
    return help ? 0 : 1;
  }
  return corvane::makedb::RunMakeDb(*request, out, err);
}
