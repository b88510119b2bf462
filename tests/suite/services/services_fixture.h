#pragma once

#include "fake_texts.h"
#include "platform/db/db_connection.h"
#include "suite/services/suite_cash_services.h"
#include "suite/services/suite_common_services.h"
#include "suite/services/suite_login_context.h"
#include "support/test_database.h"

#include <gtest/gtest.h>
#include <memory>

namespace corvane::suite::test {

// The account-set year of the tests. Its periods run from the 26th to the 25th,
// so that nothing may take a period for a calendar month.
inline constexpr int kYear = 2026;

// One session on a connection: its login and its two service objects.
struct Session {
  std::unique_ptr<SuiteLoginContext> login;
  std::unique_ptr<SuiteCommonServices> common;
  std::unique_ptr<SuiteCashServices> cash;
};

class ServicesTest : public ::testing::Test {
 protected:
  ServicesTest();

  platform::DbConnection& Conn() { return db_.Connection(); }
  // A session with the user and login date given, on the connection given.
  Session Open(platform::DbConnection& connection, const QString& userId = QStringLiteral("u1"),
               const QDate& loginDate = QDate(kYear, 3, 30));
  // The twelve periods of kYear (and none of any other year).
  void SeedCalendar();
  void SetOption(const QString& key, const QString& value);
  void AddBook(const QString& code, const QString& currency = QStringLiteral("人民币"), int lastFlowNo = 0);
  bool IsPostgres() const { return db_.IsPostgres(); }

  corvane::testing::TestDatabase db_;
  FakeTexts texts_;
};

}  // namespace corvane::suite::test
