#include "suite/import/import_texts.h"

#include "platform/db/db_error.h"
#include "suite/import/statement_file.h"
#include "suite/services/text_source.h"

namespace corvane::suite {

namespace {
TextSource* g_texts = nullptr;
}

void SetImportTexts(TextSource* texts) { g_texts = texts; }

QString ImportText(const QString& key) {
  const QString text = g_texts ? g_texts->Text(key, nullptr) : QString();
  return text.isEmpty() ? key : text;
}

QString ImportFailureReason(const std::exception& e) {
  const auto* db = dynamic_cast<const platform::DbError*>(&e);
  if (db && db->IsConnectionLost()) return ImportText(QStringLiteral("corvane.host.connectionlost"));
  return db && db->IsBusy() ? ImportTextWith(QStringLiteral("corvane.host.busy"), {db->Message()})
                            : QString::fromUtf8(e.what());
}

QString ImportFailureText(const std::exception& e) {
  return ImportTextWith(QStringLiteral("corvane.import.failed"), {ImportFailureReason(e)});
}

// ---- Reading statement files.

QString ImportTextWith(const QString& key, const QStringList& args) {
  const QString text = ImportText(key);
  if (text == key) return args.isEmpty() ? key : key + QStringLiteral(" | ") + args.join(QStringLiteral(" | "));
  QString out = text;
  for (qsizetype i = args.size(); i > 0; --i) out.replace(QStringLiteral("%") + QString::number(i), args[i - 1]);
  return out;
}

QString SeparatorName(QChar c) {
  if (c.isNull()) return ImportText(QStringLiteral("corvane.import.sep.none"));
  if (c == QLatin1Char(' ')) return ImportText(QStringLiteral("corvane.import.sep.space"));
  return QString(c);
}

QString LineRefusalText(const LineRefusal& r) {
  return ImportTextWith(QStringLiteral("corvane.import.refusedline"),
                        {QString::number(r.lineNo), ImportTextWith(r.reasonKey, r.args)});
}

QString BalanceCheckText(const BalanceCheck& b) {
  auto money = [](const std::optional<platform::Money>& m) { return m ? m->ToDisplayText() : QString(); };
  return ImportTextWith(b.reasonKey, {b.statement, money(b.opening), b.lines.ToDisplayText(), b.Expected().ToDisplayText(),
                                      money(b.closing), QString::number(b.lineNo)});
}

}  // namespace corvane::suite
