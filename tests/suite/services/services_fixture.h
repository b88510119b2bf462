#pragma once

#include "platform/db/db_connection.h"
#include "suite/services/suite_cash_services.h"
#include "suite/services/suite_common_services.h"
#include "suite/services/suite_login_context.h"
#include "suite/services/text_source.h"
#include "support/test_database.h"

#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Readable texts in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace corvane::suite::test {

// Texts as their keys, as the suite gives a key it does not know.
class FakeTexts : public TextSource {
 public:
  QString Text(const QString& key, const QStringList*) override { return key; }
  int LocalizeControls(QWidget*, const QString&) override { return 0; }
};

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
  // A session with the user and login date given, on the connection given; its
  // texts are the keys themselves unless texts are given.
  Session Open(platform::DbConnection& connection, const QString& userId = QStringLiteral("u1"),
               const QDate& loginDate = QDate(kYear, 3, 30), TextSource* texts = nullptr);
  // The twelve periods of kYear (and none of any other year).
  void SeedCalendar();
  void SetOption(const QString& key, const QString& value);
  void AddBook(const QString& code, const QString& currency = QStringLiteral("人民币"), int lastFlowNo = 0);
  bool IsPostgres() const { return db_.IsPostgres(); }

  corvane::testing::TestDatabase db_;
  FakeTexts texts_;
};

// One session of user u1 on the test's connection.
class OneSessionTest : public ServicesTest {
 protected:
  OneSessionTest() : s_(Open(Conn())) {}
  Session s_;
};

// Two sessions of users ua and ub on two connections to one database.
class TwoSessionsTest : public ServicesTest {
 protected:
  TwoSessionsTest() : otherConn_(db_.OpenAnother()), a_(Open(*otherConn_, QStringLiteral("ua"))),
                      b_(Open(Conn(), QStringLiteral("ub"))) {}
  std::unique_ptr<platform::DbConnection> otherConn_;
  Session a_;
  Session b_;
};

}  // namespace corvane::suite::test
