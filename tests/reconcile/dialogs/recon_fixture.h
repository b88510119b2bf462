#pragma once

#include "../matching/match_ledger.h"
#include "fake_services.h"
#include "scripted_dialogs.h"
#include "test_database.h"

#include "platform/controls/date_text.h"
#include "platform/db/money.h"
#include "reconcile/frm_yhdz.h"

#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <stdexcept>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace corvane::testing {

// The common services as the reconciliation window and its dialogs use them: the
// 2026 calendar by months (period texts "2026.01" to "2026.12"), an account start
// date, date texts in the usual typed forms.
class ReconCommonServices : public FakeCommonServices {
 public:
  int currentPeriod = 6;
  bool noPeriods = false;
  bool accountFails = false;  // the account record cannot be read

  platform::AccountInfo GetAccount(const QString& code) override {
    if (accountFails) throw std::runtime_error("account record unavailable");
    platform::AccountInfo a;
    a.code = code;
    a.StartDate = QDate(2026, 3, 1);
    return a;
  }
  QDate ParseDate(const QString& text) override { return platform::DateText::Parse(text).value_or(QDate()); }
  bool IsValidDate(const QString& text) override { return ParseDate(text).isValid(); }
  // As the suite's: an accepted date goes back into the box in the display form.
  bool CheckDateBox(QLineEdit* box) override {
    const QDate date = ParseDate(box->text());
    if (date.isValid()) box->setText(FormatDate(date));
    return date.isValid();
  }
  platform::AccountingCalendar GetCalendar() override;
  void FillPeriodCombo(QComboBox* list, bool fromBeginning) override;
};

class ReconCashServices : public FakeCashServices {
 public:
  int bookDirection = 0;  // 0 or more: a debit-direction book
  bool bookFails = false;  // the book's facts cannot be read
  QDate GetBookStartDate(const QString&) override {
    if (bookFails) throw std::runtime_error("book unavailable");
    return QDate(2026, 3, 1);
  }
  int GetBookDirectionValue(const QString&, int) override {
    if (bookFails) throw std::runtime_error("book unavailable");
    return bookDirection;
  }
};

// Installs the fakes in the session; the tests of both modes set the mode.
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
W* Child(QWidget& parent, const char* name) {
  W* w = parent.findChild<W*>(QString::fromLatin1(name));
  EXPECT_NE(w, nullptr) << name;
  return w;
}

inline platform::Money M(const char* text) { return *platform::Money::Parse(QString::fromLatin1(text)); }

// Lines of account "A" (book "BK1" in book mode) in the tables of one mode; the
// tests write the same lines into the other mode's tables to prove that nothing
// reads them.
using reconcile::test::JournalRow;
using reconcile::test::MatchLedger;
using reconcile::test::StatementRow;

}  // namespace corvane::testing
