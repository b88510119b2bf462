#pragma once

#include <QString>
#include <functional>

namespace corvane::suite {

// A band line that names something by name and code, "银行科目：工行基本户(100201)",
// shortened to a width: the label before the first colon and the code in its
// brackets (with anything after it) stay whole, the name loses its end and
// shows "…". Empty when the text is not of that shape; the shortest form
// ("label…(code)") when even that is too wide.
QString ShortenedNameLine(const QString& text, double width, const std::function<double(const QString&)>& measure);

}  // namespace corvane::suite
