#pragma once

#include "shared/session.h"
#include "support/fake_services.h"
#include "support/scripted_dialogs.h"

#include <QHash>
#include <gtest/gtest.h>
#include <map>

namespace corvane::shared {

// The common services with page settings kept per report key and resource texts
// a test may give; keys without a text come back as the fake's "<key>|args".
class PrintCommonServices : public testing::FakeCommonServices {
 public:
  std::map<QString, QStringList> pageSettings;
  std::vector<QString> saved;  // report keys in the order SavePageSettings got them
  QHash<QString, QString> texts;

  QStringList PrepareReportTemplate(const QString& key) override {
    const auto it = pageSettings.find(key);
    return it == pageSettings.end() ? QStringList(7, QString()) : it->second;
  }
  void SavePageSettings(const QString& key, const QStringList& settings) override {
    saved.push_back(key);
    pageSettings[key] = settings;
  }
  QString GetString(const QString& key, const QStringList* args) override {
    if (!failStrings && texts.contains(key)) return texts.value(key);
    return FakeCommonServices::GetString(key, args);
  }
};

// Installs the fake services in the session for one test and answers message
// boxes from a script; everything it set is taken away afterwards.
class SessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto common = std::make_unique<PrintCommonServices>();
    common_ = common.get();
    Session& s = Session::Current();
    s.gCommonServices = std::move(common);
    s.gCashServices = std::make_unique<testing::FakeCashServices>();
  }
  void TearDown() override {
    Session& s = Session::Current();
    s.gCommonServices.reset();
    s.gCashServices.reset();
    s.gPrintFormatDb.reset();
    s.gPrintExTable.clear();
  }

  PrintCommonServices* common_ = nullptr;
  testing::ScriptedMessages messages_;
};

}  // namespace corvane::shared
