#pragma once

#include "fake_session.h"
#include "scripted_dialogs.h"

#include "platform/controls/date_text.h"
#include "platform/services/period_list.h"
#include "shared/session.h"

#include <QComboBox>
#include <QListWidget>
#include <gtest/gtest.h>
#include <map>
#include <ostream>
#include <tuple>

// Readable texts in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace corvane::testing {

// The common services as the shared windows use them: the periods "2026.01" to
// "2026.12", settlement styles as "code name" entries, dates in the forms a date
// box reads and page settings per report key.
class SharedCommonServices : public FakeCommonServices {
 public:
  QStringList periods;
  int currentPeriod = 6;
  QStringList settleStyles{"1 现金结算", "2 支票", "201 现金支票", "202 转账支票"};
  std::map<QString, QStringList> pageSettings;
  std::vector<QString> saved;  // report keys in the order SavePageSettings got them

  SharedCommonServices() {
    for (int p = 1; p <= 12; ++p) periods.push_back(QStringLiteral("2026.%1").arg(p, 2, 10, QLatin1Char('0')));
  }
  void FillPeriodCombo(QComboBox* list, bool fromBeginning) override {
    if (fromBeginning) platform::PeriodList::AddNoBoundEntry(list, QStringLiteral("不限"));
    list->addItems(periods);
    list->setCurrentIndex(0);
  }
  platform::PeriodInfo GetPeriodInfo() override { return {currentPeriod}; }
  void AttachSettleStyleList(QWidget* control, bool combo) override {
    if (combo) {
      static_cast<QComboBox*>(control)->addItems(settleStyles);
    } else {
      static_cast<QListWidget*>(control)->addItems(settleStyles);
    }
  }
  QString GetSettleStyleCode(const QString& entry, int) override { return entry.section(QLatin1Char(' '), 0, 0); }
  QDate ParseDate(const QString& text) override { return platform::DateText::Parse(text).value_or(QDate()); }
  QStringList PrepareReportTemplate(const QString& key) override {
    const auto it = pageSettings.find(key);
    return it == pageSettings.end() ? QStringList(7, QString()) : it->second;
  }
  void SavePageSettings(const QString& key, const QStringList& settings) override {
    saved.push_back(key);
    pageSettings[key] = settings;
  }
};

// Bank books by code; an unknown code is refused as the suite's service would.
class SharedCashServices : public FakeCashServices {
 public:
  std::map<QString, platform::BookInfo> books;
  platform::BookInfo GetBook(const QString& code) override {
    const auto it = books.find(code);
    if (it == books.end()) throw platform::ServiceError("no book " + code);
    return it->second;
  }
};

// Installs the fakes in the session (account mode) for one test; takes them and
// every window the test loaded away again.
class SessionTest : public ::testing::Test {
 protected:
  void SetUp() override { std::tie(common, cash) = InstallFakeServices<SharedCommonServices, SharedCashServices>(); }
  void TearDown() override {
    shared::Session& s = shared::Session::Current();
    s.windows.UnloadAll();
    RemoveFakeServices();
    s.gPrintFormatDb.reset();
    s.gPrintExTable.clear();
  }
  platform::ParamObject& Param() { return common->param; }

  SharedCommonServices* common = nullptr;
  SharedCashServices* cash = nullptr;
  ScriptedModals modals;
  ScriptedMessages messages;
};

// A control of a window by its design name; fails the test when it is missing.
template <class W>
W* Child(QWidget& parent, const QString& name) {
  W* w = parent.findChild<W*>(name);
  EXPECT_NE(w, nullptr) << name.toStdString();
  return w;
}

}  // namespace corvane::testing
