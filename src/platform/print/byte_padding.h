#pragma once

#include <QString>

namespace corvane::platform {

// A text followed by spaces up to a width in bytes, as the report lines line
// texts up ("makegrid": the account set's text filled to 40 bytes before the
// preparer). A text already as wide or wider gets no spaces, instead of
// failing the whole report.
QString PadToByteWidth(const QString& text, int textBytes, int widthBytes);

}  // namespace corvane::platform
