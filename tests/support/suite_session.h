#pragma once

#include "support/scripted_dialogs.h"
#include "support/test_database.h"

#include <QDate>
#include <QString>
#include <memory>

namespace corvane::suite {
class ResourceTexts;
class SuiteLoginContext;
class TextSource;
}

namespace corvane::platform {
class CommonServices;
}

namespace corvane::testing {

// A whole session of the component on a fresh test database holding the demo
// account set: the suite's own services and texts, logged in through the facade
// in account or book mode, with message boxes and modal dialogs scripted. Windows
// left open are closed and the session state is cleared at the end.
class SuiteSession {
 public:
  // userId: the login's user key (its name stays "测试").
  explicit SuiteSession(bool bookMode = false, QDate loginDate = QDate(2026, 12, 15),
                        const QString& language = QStringLiteral("zh-CN"), const QString& userId = QStringLiteral("demo"));
  ~SuiteSession();

  TestDatabase& Database() { return db_; }
  platform::DbConnection& Db() { return db_.Connection(); }
  ScriptedMessages& Messages() { return messages_; }
  ScriptedModals& Modals() { return modals_; }
  suite::SuiteLoginContext& Login() { return *login_; }
  // A second session's login on the same database, for lock and claim tests.
  std::unique_ptr<suite::SuiteLoginContext> OtherLogin(std::unique_ptr<platform::DbConnection>& connection);
  // Whether that second session could lock the account for the function now
  // (the lock is given back at once).
  bool OtherSessionCanLock(const QString& code, const QString& functionId);

 private:
  TestDatabase db_;
  ScriptedMessages messages_;
  ScriptedModals modals_;
  std::unique_ptr<suite::ResourceTexts> texts_;
  std::unique_ptr<suite::TextSource> textSource_;
  std::unique_ptr<suite::SuiteLoginContext> login_;
};

// A second session of its own on the same database with its common services
// ready (for lock and claim tests); it logs out when it goes.
class OtherSession {
 public:
  explicit OtherSession(SuiteSession& session);
  ~OtherSession();
  platform::CommonServices& Common() { return *common_; }

 private:
  std::unique_ptr<platform::DbConnection> connection_;
  std::unique_ptr<suite::SuiteLoginContext> login_;
  std::unique_ptr<platform::CommonServices> common_;
};

}  // namespace corvane::testing
