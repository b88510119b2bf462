#pragma once

#include "platform/services/service_error.h"

#include <QString>

namespace corvane::suite {

class TextSource;

// The error of a book code that names no bank book, in the language of the
// texts (Chinese without texts); more than one service meets it.
platform::ServiceError BookMissingError(TextSource* texts, const QString& bookCode);

}  // namespace corvane::suite
