#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>

namespace corvane::makedb {

// What one run of corvane-makedb is asked to do.
struct MakeDbRequest {
  QString connectionString;
  bool demo = false;
  int benchOneLines = 0;          // --bench-one N
  int benchManyAccounts = 0;      // --bench-many A L
  long long benchManyLines = 0;
};

// Reads the arguments after the program name. Gives nothing and sets error to
// what is wrong (or to the usage text for --help).
std::optional<MakeDbRequest> ParseMakeDbArguments(const QStringList& arguments, QString& error);

// Opens the database, installs the schema and writes the asked data, telling out
// what it wrote. Returns the exit code: 0 done, 2 the database refused or failed.
int RunMakeDb(const MakeDbRequest& request, QTextStream& out, QTextStream& err);

QString MakeDbUsage();

}  // namespace corvane::makedb
