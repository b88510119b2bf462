// Faults of the database layer found in use: each case fails without its mend.
#include "platform/db/db_error.h"
#include "platform/db/text_key.h"
#include "platform/db/transaction_guard.h"
#include "reconcile/match_line.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace corvane::suite {
namespace {

using platform::DbConnection;
using platform::DbError;
using platform::DbParams;
using platform::DbValue;
using platform::Money;
using platform::TransactionGuard;

class DbMendsTest : public ::testing::Test {
 protected:
  DbConnection& conn() { return db_.Connection(); }
  long long AddLine(const QString& code = QStringLiteral("100201")) {
    conn().Execute(QStringLiteral("insert into rp_bankrecp (ccode, mmoney) values (?, ?)"), {code, Money::FromCents(100)});
    return conn().QueryValue(QStringLiteral("select max(i_id) from rp_bankrecp")).ToInt();
  }
  long long Count(const QString& where, const DbParams& params = {}) {
    return conn().QueryValue(QStringLiteral("select count(*) from rp_bankrecp where ") + where, params).ToInt();
  }
  testing::TestDatabase db_;
};

// A batch written inside a transaction that then rolls back is written again by
// the retry: added rows and changed rows alike.
TEST_F(DbMendsTest, ARetryAfterARollbackWritesTheBatchAgain) {
  const long long existing = AddLine();
  auto rs = conn().OpenRecordset(QStringLiteral("select i_id, ccode, mmoney, iflag from rp_bankrecp"), {},
                                 DbConnection::kOpenBatch);
  rs->Edit();
  rs->SetField(QStringLiteral("iflag"), 3);
  rs->Update();
  for (const char* code : {"100202", "100203"}) {
    rs->AddNew();
    rs->SetField(QStringLiteral("ccode"), QString::fromLatin1(code));
    rs->SetField(QStringLiteral("mmoney"), Money::FromCents(250));
    rs->Update();
  }
  try {
    TransactionGuard tx(conn());
    rs->UpdateBatch();
    conn().Execute(QStringLiteral("update rp_bankrecp set nosuchcolumn = 1"));  // what else belonged to the change
    tx.Commit();
    FAIL() << "the bad statement was accepted";
  } catch (const DbError&) {
  }
  EXPECT_EQ(Count(QStringLiteral("1=1")), 1);
  {
    TransactionGuard tx(conn());
    rs->UpdateBatch();
    tx.Commit();
  }
  EXPECT_EQ(Count(QStringLiteral("ccode in ('100202', '100203') and mmoney = ?"), {Money::FromCents(250)}), 2);
  EXPECT_EQ(Count(QStringLiteral("i_id = ? and iflag = 3"), {existing}), 1);
  rs->UpdateBatch();  // committed: nothing is written twice
  EXPECT_EQ(Count(QStringLiteral("1=1")), 3);
}

// Writes go to the statement's own table, whatever "from" stands inside the column list.
TEST_F(DbMendsTest, TheTableWrittenIsTheOneAfterTheStatementsOwnFrom) {
  QStringList selects = {
      QStringLiteral("select i_id, (select max(i_id) from gl_accvouch) as m, iflag from rp_bankrecp"),
      QStringLiteral("select i_id, 'from gl_accvouch' as t, iflag FROM rp_bankrecp"),
  };
  if (db_.IsPostgres()) selects << QStringLiteral("select i_id, extract(year from ddate) as y, iflag from rp_bankrecp");
  else selects << QStringLiteral("select i_id, strftime('%Y', ddate) as \"from\", iflag from rp_bankrecp");
  int tick = 1;
  for (const QString& sql : selects) {
    SCOPED_TRACE(sql.toStdString());
    const long long id = AddLine();
    auto rs = conn().OpenRecordset(sql + QStringLiteral(" where i_id = ?"), {id}, DbConnection::kOpenEditable);
    rs->Edit();
    rs->SetField(QStringLiteral("iflag"), ++tick);
    ASSERT_NO_THROW(rs->Update());
    EXPECT_EQ(Count(QStringLiteral("i_id = ? and iflag = ?"), {id, tick}), 1);
  }
}

// A value longer than its column is refused by a large batch as by a single
// statement, never cut to the column's length; at either end of the batch.
TEST_F(DbMendsTest, ALargeBatchRefusesATooLongValue) {
  std::vector<long long> ids;
  for (int i = 0; i < 250; ++i) ids.push_back(AddLine());
  for (size_t longAt : {size_t{0}, ids.size() - 1}) {
    std::vector<DbParams> rows;
    for (size_t i = 0; i < ids.size(); ++i)
      rows.push_back({i == longAt ? QStringLiteral("2020202020202020202020") : QStringLiteral("202"), ids[i]});
    TransactionGuard tx(conn());
    EXPECT_THROW(conn().ExecuteBatch(QStringLiteral("update rp_bankrecp set csettle=? where i_id=?"), rows), DbError)
        << longAt;
  }
  EXPECT_EQ(Count(QStringLiteral("csettle is not null")), 0);
}

// A large batch keyed by a code writes what the same statements one by one
// would: the key compares by the codes' rule, so two spellings of one code
// ("k007", "Ｋ007 ") are one row, and the later value is the one that stays,
// whichever of the two spellings comes first.
TEST_F(DbMendsTest, ALargeBatchKeyedByACodeWritesAsRowByRow) {
  std::vector<DbParams> rows;
  for (int i = 0; i < 250; ++i) {
    const QString code = QStringLiteral("K%1").arg(i, 3, 10, QLatin1Char('0'));
    conn().Execute(QStringLiteral("insert into code (ccode, ccode_name) values (?, ?)"), {code, QStringLiteral("old")});
    rows.push_back({QStringLiteral("n%1").arg(i), code.toLower()});
  }
  // With statistics the server may join the batch any way it likes, as it does
  // on a live database: the outcome must not depend on it.
  conn().Execute(QStringLiteral("analyze code"));
  struct Case { const char* name; QString otherSpelling; bool otherFirst; };
  const Case cases[] = {
      {"distinct codes", QString(), false},
      {"full-width and blank, last", QStringLiteral("\uFF2B007 "), false},
      {"full-width and blank, first", QStringLiteral("\uFF2B007 "), true},
      {"upper case, last", QStringLiteral("K007"), false},
      {"upper case, first", QStringLiteral("K007"), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<DbParams> batch = rows;
    const DbParams other{QStringLiteral("other"), c.otherSpelling};
    if (!c.otherSpelling.isEmpty()) batch.insert(c.otherFirst ? batch.begin() : batch.end(), other);
    {
      TransactionGuard tx(conn());
      ASSERT_NO_THROW(conn().ExecuteBatch(QStringLiteral("update code set ccode_name=? where ccode=?"), batch));
      tx.Commit();
    }
    const bool otherStays = !c.otherSpelling.isEmpty() && !c.otherFirst;
    EXPECT_EQ(conn().QueryValue(QStringLiteral("select ccode_name from code where ccode = ?"), {QStringLiteral("K007")}).ToString(),
              otherStays ? QStringLiteral("other") : QStringLiteral("n7"));
    EXPECT_EQ(conn().QueryValue(QStringLiteral("select count(*) from code where ccode_name like 'n%'")).ToInt(),
              otherStays ? 249 : 250);
  }
}

// Both engines refuse the same rows: out of a smallint's or integer's range, a
// text longer than its varchar, no calendar day, no number where one belongs.
TEST_F(DbMendsTest, BothEnginesRefuseTheSameRows) {
  struct Case { const char* column; DbValue value; bool refused; bool journal = false; };
  const QString code40(40, QLatin1Char('9'));
  const Case cases[] = {
      {"iflag", 32767, false},
      {"iflag", 99999, true},
      {"iflag", -32769, true},
      {"iflag", QStringLiteral("abc"), true},
      {"ccode", code40, false},
      {"ccode", code40 + QLatin1Char('9'), true},
      {"ccode", QString(40, QChar(0x94F6)), false},  // characters, not bytes
      {"ddate", QDate(2026, 2, 28), false},
      {"ddate", QStringLiteral("2026-02-30"), true},
      {"mmoney", QStringLiteral("abc"), true},
      {"ibegin", DbValue(), true},
      {"ino_id", 2147483647LL, false, true},
      {"ino_id", 2147483648LL, true, true},
      {"nfrat", QStringLiteral("x"), true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.column) + " = " + c.value.ToString().toStdString());
    const QString sql = (c.journal ? QStringLiteral("insert into gl_accvouch (iperiod, ccode, %1) values (1, '1002', ?)")
                                   : QStringLiteral("insert into rp_bankrecp (%1) values (?)"))
                            .arg(QLatin1String(c.column));
    if (c.refused) EXPECT_THROW(conn().Execute(sql, {c.value}), DbError);
    else EXPECT_NO_THROW(conn().Execute(sql, {c.value}));
  }
}

// A row another session holds is waited for 5 s, then the write fails as Busy
// with nothing written, instead of waiting for ever.
TEST_F(DbMendsTest, ARowHeldByAnotherSessionGivesABusyErrorAndWritesNothing) {
  const long long id = AddLine();
  auto other = db_.OpenAnother();
  other->BeginTrans();
  other->Execute(QStringLiteral("update rp_bankrecp set iflag = 1 where i_id = ?"), {id});
  bool busy = false;
  try {
    TransactionGuard tx(conn());
    conn().Execute(QStringLiteral("update rp_bankrecp set iflag = 2 where i_id = ?"), {id});
    tx.Commit();
  } catch (const DbError& e) {
    busy = e.IsBusy();
  }
  EXPECT_TRUE(busy);
  EXPECT_FALSE(conn().InTransaction());
  other->RollbackTrans();
  EXPECT_EQ(Count(QStringLiteral("iflag is null")), 1);
  // Only waiting ends in Busy: a refused statement is another kind of error.
  try {
    conn().Execute(QStringLiteral("update rp_bankrecp set iflag = 99999"));
    ADD_FAILURE() << "a flag out of range was accepted";
  } catch (const DbError& e) {
    EXPECT_FALSE(e.IsBusy());
  }
}

// One rule decides whether two codes are the same key: SQLite's collation, the
// PostgreSQL collation and the C++ key (TextKey, the matching's MatchText) must
// agree on every pair, and sort distinct keys alike.
using platform::TextKey;

struct KeyPair {
  const char* a;
  const char* b;
  bool same;
};

const KeyPair kPairs[] = {
    {"ab01", "AB01", true},                    // ASCII letter case
    {"Ａb０1", "ab01", true},                  // full-width letters and digits
    {"１００２", "1002", true},
    {"ZP", "ｚｐ", true},
    {"1002 ", "1002", true},                   // trailing blanks
    {"1002\u3000", "1002", true},              // an ideographic blank
    {"YH\u00AD001", "YH001", true},            // a soft hyphen is ignored
    {"café", "cafe", false},                   // accents count
    {"CAFÉ", "café", true},
    {"银行", "銀行", false},                   // simplified and traditional characters differ
    {"支票01", "支票01", true},
    {"支票01", "支付01", false},
    {"1002", "1003", false},
    {"A-01", "A01", false},                    // punctuation counts
    {"zz00123", "ZZ00123", true},
};

class KeyRuleTest : public ::testing::Test {
 protected:
  platform::DbConnection& conn() { return db_.Connection(); }
  testing::TestDatabase db_;
};

TEST_F(KeyRuleTest, TheCppKeysAndTheDatabaseCompareGroupAndKeepKeysUniqueByTheRule) {
  for (const KeyPair& p : kPairs) {
    SCOPED_TRACE(std::string(p.a) + " / " + p.b);
    const QString a = QString::fromUtf8(p.a), b = QString::fromUtf8(p.b);
    EXPECT_EQ(TextKey::Of(a) == TextKey::Of(b), p.same);
    EXPECT_EQ(TextKey::Equal(a, b), p.same);
    EXPECT_EQ(reconcile::MatchText(a) == reconcile::MatchText(b), p.same);
    conn().Execute(QStringLiteral("delete from code"));
    conn().Execute(QStringLiteral("delete from gl_accvouch"));
    conn().Execute(QStringLiteral("insert into code (ccode) values (?)"), {a});
    EXPECT_EQ(conn().QueryValue(QStringLiteral("select count(*) from code where ccode = ?"), {b}).ToInt(), p.same ? 1 : 0);
    // The primary key refuses the second spelling exactly when it is the same key.
    if (p.same) EXPECT_THROW(conn().Execute(QStringLiteral("insert into code (ccode) values (?)"), {b}), platform::DbError);
    else EXPECT_NO_THROW(conn().Execute(QStringLiteral("insert into code (ccode) values (?)"), {b}));
    // GROUP BY puts both lines in one group exactly when the matching would.
    for (const QString& number : {a, b})
      conn().Execute(QStringLiteral("insert into gl_accvouch (iperiod, ccode, cn_id) values (1, '1002', ?)"), {number});
    EXPECT_EQ(conn().Query(QStringLiteral("select cn_id, count(*) from gl_accvouch group by cn_id")).rows.size(),
              p.same ? 1u : 2u);
  }
}

TEST_F(KeyRuleTest, TheDatabaseSortsDistinctKeysAsTheCppKeyDoes) {
  QStringList keys;
  for (const KeyPair& p : kPairs) {
    for (const char* text : {p.a, p.b}) {
      const QString k = QString::fromUtf8(text);
      if (std::none_of(keys.begin(), keys.end(), [&](const QString& x) { return TextKey::Equal(x, k); })) keys << k;
    }
  }
  for (const QString& k : keys) conn().Execute(QStringLiteral("insert into code (ccode) values (?)"), {k});
  QStringList fromDb;
  for (const auto& row : conn().Query(QStringLiteral("select ccode from code order by ccode")).rows)
    fromDb << row[0].ToString();
  std::sort(keys.begin(), keys.end(), [](const QString& x, const QString& y) { return TextKey::Of(x) < TextKey::Of(y); });
  EXPECT_EQ(fromDb, keys);
  std::sort(keys.begin(), keys.end(),
            [](const QString& x, const QString& y) { return reconcile::MatchText(x) < reconcile::MatchText(y); });
  EXPECT_EQ(fromDb, keys);
}

}  // namespace
}  // namespace corvane::suite
