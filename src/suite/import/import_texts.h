#pragma once

#include <QString>
#include <QStringList>

#include <exception>

namespace corvane::suite {

class TextSource;

// The resource texts of the importer's dialogs; without a text source (or a
// text) the key itself shows, never an empty caption.
void SetImportTexts(TextSource* texts);
QString ImportText(const QString& key);
// Why an import failed: a wait for another session that ran out in the
// component's own busy words (the session's language), the database's words
// only as their detail; anything else by its own text.
QString ImportFailureReason(const std::exception& e);
// That reason inside the importer's failure text.
QString ImportFailureText(const std::exception& e);

// ---- Reading statement files: the texts of refusals and balance checks.
struct LineRefusal;
struct BalanceCheck;
// The text of key with %1, %2... replaced by args; without a text the key and
// the args, parted by " | ".
QString ImportTextWith(const QString& key, const QStringList& args);
// A decimal or thousands separator as a clerk reads it: "none" and a blank in
// words, any other mark as itself.
QString SeparatorName(QChar c);
// "Line 12: the amount 1,2,3 does not fit ..."
QString LineRefusalText(const LineRefusal& refusal);
// What a statement's balance check found: that its balances add up, with the
// figures; that the file gives a closing balance but no opening one to check the
// lines against (an OFX statement); or why they fail, with both figures.
QString BalanceCheckText(const BalanceCheck& check);

}  // namespace corvane::suite
