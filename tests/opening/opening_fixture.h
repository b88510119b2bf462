#pragma once

#include "opening/frm_yhdzqc.h"
#include "opening/frm_yhfqc.h"
#include "opening/opening_target.h"
#include "platform/db/db_connection.h"
#include "platform/db/money.h"
#include "support/suite_session.h"

#include <QDate>
#include <QString>
#include <functional>
#include <gtest/gtest.h>

namespace corvane::opening::testing {

// A bank account (and, in book mode, its bank book) of its own beside the demo
// data, with a start date of 2026-03-01 and lines on both sides whose sums are
// worked out by hand in the tests:
//   statement before the start: debit 150 and 50 (ticked), credit 30 (cleared)
//   and 20; on the start date a debit of 999 (not counted); opening row 900
//   journal before the start: a period-21 debit of 30, a period-1 credit of 50, a
//   ticked period-2 credit of 30; on the start date a debit of 777; opening 1000
//   account mode also a void line (iflag 1) of 555 that no sum counts
// A foreign-currency account keeps tenths of those journal amounts in md_f/mc_f.
class OpeningFixture {
 public:
  OpeningFixture(corvane::testing::SuiteSession& session, bool bookMode, bool debitDirection = true,
                 bool foreign = false, const QString& bookCode = QStringLiteral("YH009"));

  OpeningTarget Target() const;
  platform::DbConnection& Db() { return session_.Db(); }
  const QString& JournalTable() const { return journal_; }
  const QString& StatementTable() const { return statement_; }
  const QString& KeyColumn() const { return keyColumn_; }
  QString Key() const { return bookMode_ ? bookCode_ : account_; }
  // Lines of `table` (journal or statement) of the fixture's account or book that meet `where`.
  long long Count(const QString& table, const QString& where, const platform::DbParams& extra = {});

  // A statement line of the fixture's account (or book); returns its i_id.
  long long AddStatement(const QDate& d, const platform::DbValue& bdC, double amount, int tick = 0, int deleted = 0);
  // A journal line; returns its key (i_id, or the flow id in book mode).
  QString AddJournal(const QDate& d, int period, double debit, double credit, int tick = 0, int deleted = 0,
                     int voidFlag = 0);

  static inline const QString account_ = QStringLiteral("100209");
  static inline const QDate start_ = QDate(2026, 3, 1);

 private:
  corvane::testing::SuiteSession& session_;
  bool bookMode_;
  bool foreign_;
  QString bookCode_;
  QString journal_, statement_, keyColumn_;
  int flowNo_ = 900;
};

// The selection dialog's answer: the account or book `key`, confirmed or cancelled;
// the window it was shown over goes to `owner` when given.
corvane::testing::ScriptedModals::Step ChooseInDialog(const QString& key, bool confirm = true,
                                                      QWidget** owner = nullptr);
QString Cash(const char* number);  // a "Q9.GL.ZWSQL.CASHBANK." text

// A session with the fixture in account or book mode (kept in a foreign currency
// when asked).
class OpeningTest : public ::testing::TestWithParam<bool> {
 protected:
  explicit OpeningTest(bool foreign = false) : fx_{session_, GetParam(), true, foreign} {}
  bool Book() const { return GetParam(); }
  corvane::testing::SuiteSession session_{GetParam()};
  OpeningFixture fx_;
};
inline std::string ModeName(const ::testing::TestParamInfo<bool>& info) { return info.param ? "book" : "account"; }

// The set-up window and its item windows on the fixture.
class OpeningWindowTest : public OpeningTest {
 protected:
  using OpeningTest::OpeningTest;
  // Opens "RP0303" on the fixture and runs `inside` while the set-up window shows.
  void Open(const std::function<void(frmYHDZQC&)>& inside);
  // From the set-up window, the bank (frmYHFQC) or enterprise side's items.
  template <class W>
  void OpenItems(const std::function<void(W&)>& inside) {
    bool ran = false;
    Open([&](frmYHDZQC& setup) {
      session_.Modals().Then([&](QDialog& items) {
        ran = true;
        inside(dynamic_cast<W&>(items));
      });
      std::is_same_v<W, frmYHFQC> ? setup.Command1_Click() : setup.Command2_Click();
    });
    ASSERT_TRUE(ran) << "the item window did not open";
  }
  platform::Money JournalOpening();
  // Saved for the documentation when CORVANE_SCREENSHOT_DIR is set.
  static void Shot(QWidget& w, const QString& name);
};

}  // namespace corvane::opening::testing
