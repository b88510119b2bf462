#pragma once

#include <QString>
#include <QStringList>

namespace corvane::suite {

// Puts the arguments into a resource text: %1 is the first argument, %2 the second,
// and so on (up to %99). The text is read once from left to right, so an argument that
// itself contains "%1" is never filled again. A placeholder without an argument stays
// as written (the missing value is then visible), extra arguments are ignored, and
// "%%" stands for one percent sign.
QString FillArguments(const QString& text, const QStringList& args);

// The highest placeholder number a text uses (0 for none); "%%" is not a placeholder.
int HighestPlaceholder(const QString& text);

}  // namespace corvane::suite
