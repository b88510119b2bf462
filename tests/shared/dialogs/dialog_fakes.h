#pragma once

#include "fake_services.h"
#include "scripted_dialogs.h"

#include "platform/services/records.h"

#include <QDialog>
#include <QStringList>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <ostream>

// Readable texts in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace corvane::testing {

// The common services as the two dialogs use them: twelve period texts, a
// settlement-style list of "code name" entries, and date checks on the usual
// typed forms. Records the period calls as "Fill:<list>", "Sync:<start>><end>".
class DialogCommonServices : public FakeCommonServices {
 public:
  QStringList periods;
  int currentPeriod = 6;
  QStringList settleStyles{QStringLiteral("1 现金结算"), QStringLiteral("2 支票"),
                           QStringLiteral("201 现金支票"), QStringLiteral("202 转账支票")};
  std::vector<QString> periodCalls;

  DialogCommonServices();
  void FillPeriodCombo(QComboBox* list, bool selectCurrent) override;
  void SyncPeriodCombos(QComboBox* start, QComboBox* end) override;
  void AttachSettleStyleList(QWidget* control, bool combo) override;
  QString GetSettleStyleCode(const QString& entryText, int) override;
  bool IsValidDate(const QString& text) override { return ParseDate(text).isValid(); }
  QDate ParseDate(const QString& text) override;
  QString GetAccountName(const QString& code) override { return QStringLiteral("名称") + code; }
};

// Bank books by code; an unknown code is refused as the suite's service would.
class DialogCashServices : public FakeCashServices {
 public:
  std::map<QString, platform::BookInfo> books;
  platform::BookInfo GetBook(const QString& code) override;
};

// Installs the fakes in the session for one test and takes them out again,
// with every window the test loaded.
class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  platform::ParamObject& Param() { return common->param; }

  DialogCommonServices* common = nullptr;
  DialogCashServices* cash = nullptr;
  ScriptedModals modals;
  ScriptedMessages messages;
};

// A control of a dialog by its design name; fails the test when it is missing.
template <class W>
W* Child(QWidget& parent, const QString& name) {
  W* w = parent.findChild<W*>(name);
  EXPECT_NE(w, nullptr) << name.toStdString();
  return w;
}

}  // namespace corvane::testing
