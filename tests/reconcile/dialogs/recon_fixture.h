#pragma once

#include "fake_services.h"
#include "scripted_dialogs.h"
#include "test_database.h"

#include "platform/db/money.h"
#include "reconcile/frm_yhdz.h"

#include <QDate>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace corvane::testing {

// The common services as the reconciliation window and its dialogs use them:
// the 2026 calendar (period texts "2026.01" to "2026.12"), an account start date,
// date texts in the usual typed forms.
class ReconCommonServices : public FakeCommonServices {
 public:
  QDate startDate{2026, 3, 1};
  int currentPeriod = 6;
  bool noPeriods = false;
  std::vector<QString> periodCalls;

  platform::AccountInfo GetAccount(const QString& code) override;
  QDate ParseDate(const QString& text) override;
  bool IsValidDate(const QString& text) override { return ParseDate(text).isValid(); }
  platform::AccountingCalendar GetCalendar() override;
  void FillPeriodCombo(QComboBox* list, bool selectCurrent) override;
};

class ReconCashServices : public FakeCashServices {
 public:
  QDate startDate{2026, 3, 1};
  int bookDirection = 0;  // 0 or more: a debit-direction book
  QDate GetBookStartDate(const QString&) override { return startDate; }
  int GetBookDirectionValue(const QString&, int) override { return bookDirection; }
};

// Installs the fakes in the session (in account or book mode) and, for tests that
// need one, a fresh database on the engine under test.
class ReconTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  void SetBookMode(bool bookMode);
  // A reconciliation window, not shown, with no account loaded.
  reconcile::frmYHDZ& Window();

  ReconCommonServices* common = nullptr;
  ReconCashServices* cash = nullptr;
  ScriptedModals modals;
  ScriptedMessages messages;

 private:
  std::unique_ptr<reconcile::frmYHDZ> window_;
};

// A control of a dialog by its design name; fails the test when it is missing.
template <class W>
W* Child(QWidget& parent, const QString& name) {
  W* w = parent.findChild<W*>(name);
  EXPECT_NE(w, nullptr) << name.toStdString();
  return w;
}

inline platform::Money M(const char* text) { return *platform::Money::Parse(QString::fromLatin1(text)); }

// One account ("A", book "BK1" in book mode) on both sides, written into the
// tables of the mode under test; a line can also go into the other mode's tables
// to prove that nothing reads them.
struct JournalLine {
  QString code = QStringLiteral("A");
  QString book = QStringLiteral("BK1");
  int period = 3;
  QDate date{2026, 3, 10};
  const char* md = "100";
  const char* mc = "0";
  const char* mdForeign = "7";
  const char* mcForeign = "0";
  std::optional<int> tick = 3;
  int posted = 1;
  int cleared = 0;
  std::optional<int> voucherState;  // iflag of gl_accvouch: NULL normal, 1 void, 2
  bool otherModeTable = false;
};

struct StatementLine {
  QString code = QStringLiteral("A");
  QString book = QStringLiteral("BK1");
  QDate date{2026, 3, 12};
  std::optional<int> debit = 1;  // bd_c
  const char* amount = "50";
  std::optional<int> tick = 3;
  int ibegin = 2;
  int cleared = 0;
  bool otherModeTable = false;
};

class ReconData {
 public:
  ReconData(platform::DbConnection& db, bool bookMode) : db_(db), bookMode_(bookMode) {}
  void Add(const JournalLine& line);
  void Add(const StatementLine& line);
  // Removes every line of both sides in both modes' tables.
  void Clear();
  // The tick values of the lines of a table, sorted, NULL left out.
  std::vector<int> JournalTicks(bool otherModeTable = false);
  std::vector<int> StatementTicks(bool otherModeTable = false);

 private:
  platform::DbConnection& db_;
  bool bookMode_;
  int flow_ = 0;
};

}  // namespace corvane::testing
