// One rule decides whether two codes are the same key: SQLite's collation, the
// PostgreSQL collation and the C++ key (TextKey, the matching's MatchText) must
// agree on every pair, and sort distinct keys alike.
#include "platform/db/db_error.h"
#include "platform/db/text_key.h"
#include "reconcile/match_line.h"
#include "support/test_database.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace corvane::suite {
namespace {

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
