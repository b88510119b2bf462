#include "suite/services/service_texts.h"

#include "suite/services/text_source.h"

namespace corvane::suite {

platform::ServiceError BookMissingError(TextSource* texts, const QString& bookCode) {
  return platform::ServiceError(
      TextOr(texts, QStringLiteral("corvane.suite.book.missing"), QStringLiteral("账簿[%1]不存在。"), {bookCode.trimmed()}));
}

}  // namespace corvane::suite
