#pragma once

#include "support/suite_session.h"

#include <QString>

class QWidget;

namespace corvane::query {
class TwoGridWindow;
class frmYHDZCX;
class frmYHCQWD;
}

namespace corvane::testing {

// The selection dialog answered with an account (book mode: a book) and a show option.
ScriptedModals::Step ChooseEntry(const QString& code, int showMode);
// The audit conditions typed and confirmed.
ScriptedModals::Step AuditConditions(const QString& date, const QString& days);
// The condition entry dialog with a settlement number and a direction.
ScriptedModals::Step FilterBy(const QString& number, int direction = 0);

// A session for the tick-status query and the audit, opened from the host, in
// account or book mode over the demo data.
class QueryWindows {
 public:
  explicit QueryWindows(bool bookMode) : session_(bookMode), bookMode_(bookMode) {}

  // The demo's first and second bank account, or bank book in book mode.
  QString Code() const { return bookMode_ ? QStringLiteral("YH001") : QStringLiteral("100201"); }
  QString SecondCode() const { return bookMode_ ? QStringLiteral("YH002") : QStringLiteral("100202"); }

  query::frmYHDZCX* OpenQuery(const QString& code, int showMode = 0);
  query::frmYHCQWD* OpenAudit(const QString& date, const QString& days);
  // Function claims held in the database.
  long long Claims();
  // Whether a second session could lock the account now; its refusal box is its own.
  bool OtherSessionCanLock(const QString& code);
  static void Close(QWidget* w);
  // The window holds its function once: a second call brings it forward without
  // a dialog or a second claim; closing gives the claim back.
  void ExpectHeldOnceUntilClosed(query::TwoGridWindow* w, const char* menu, const char* accountModeFunction);

 protected:
  SuiteSession session_;

 private:
  bool bookMode_;
};

}  // namespace corvane::testing
