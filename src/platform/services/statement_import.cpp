#include "platform/services/statement_import.h"

#include "platform/services/service_error.h"

namespace corvane::platform {

std::unique_ptr<StatementImporter> StatementImportFactory::CreateImporter() const {
  if (!makeImporter) throw ServiceError(QStringLiteral("No maker registered for StatementImporter"));
  return makeImporter();
}

std::unique_ptr<BankLineSource> StatementImportFactory::CreateLineSource() const {
  if (!makeLineSource) throw ServiceError(QStringLiteral("No maker registered for BankLineSource"));
  return makeLineSource();
}

StatementImportFactory& StatementImportFactory::Instance() {
  static StatementImportFactory factory;
  return factory;
}

}  // namespace corvane::platform
