#pragma once

#include "platform/controls/amount_reader.h"

#include <QString>

class QLineEdit;

namespace corvane::shared {

// What a clerk is told when a typed or pasted value cannot be read as meant: each
// message names the text and the form to type, in the words every box and cell
// uses.
QString AmountRefusalText(const QString& typed, platform::AmountRefusal why, int decimals = 2);
QString DateRefusalText(const QString& typed);
QString WholeNumberRefusalText(const QString& typed);

// Shows prompt and gives the box the focus with its text selected, for the clerk
// to type it again.
void RefuseBox(QLineEdit* box, const QString& prompt);

}  // namespace corvane::shared
