#include "support/suite_session.h"

#include "host/product_facade.h"
#include "platform/services/common_services.h"
#include "platform/services/object_factory.h"
#include "shared/session.h"
#include "suite/demo/demo_data.h"
#include "suite/resources/resource_texts.h"
#include "suite/services/register_suite_objects.h"
#include "suite/services/suite_login_context.h"
#include "suite/services/suite_settings.h"
#include "suite/services/text_source.h"

#include <QApplication>
#include <stdexcept>

namespace corvane::testing {

namespace {

suite::LoginValues Values(QDate loginDate, const QString& language = QStringLiteral("zh-CN")) {
  suite::LoginValues v;
  v.userId = QStringLiteral("demo");
  v.accountSetKey = QStringLiteral("001");
  v.year = loginDate.year();
  v.userName = QStringLiteral("测试");
  v.loginDate = loginDate;
  v.installPath = QStringLiteral("/tmp");
  v.languageId = language;
  return v;
}

}  // namespace

SuiteSession::SuiteSession(bool bookMode, QDate loginDate, const QString& language, const QString& userId) {
  suite::GenerateDemoData(db_.Connection());
  suite::SuiteSettings(db_.Connection(), QStringLiteral("001"))
      .Set(QStringLiteral("UseBankBooks"), bookMode ? QStringLiteral("1") : QStringLiteral("0"));
  texts_ = std::make_unique<suite::ResourceTexts>(language);
  textSource_ = std::make_unique<suite::TextSourceAdapter<suite::ResourceTexts>>(*texts_);
  suite::LoginValues values = Values(loginDate, language);
  values.userId = userId;
  login_ = std::make_unique<suite::SuiteLoginContext>(db_.Connection(), values, textSource_.get());
  suite::RegisterSuiteObjects(textSource_.get(), login_.get());
  shared::Session& s = shared::Session::Current();
  s.gCashServices.reset();
  s.gUiStyle.reset();
  s.systemFolder = QStringLiteral("/nonexistent-corvane-test");
  // The session's host gives its short date format, whatever the test machine's
  // locale writes (its own guard has tests of its own).
  s.dateTextFormat = QStringLiteral("yyyy-MM-dd");
  host::clsProductFacade facade;
  if (!facade.Login(login_.get())) throw std::runtime_error("the test session did not start");
  messages_.Clear();  // the missing print-format file is said at start-up
}

SuiteSession::~SuiteSession() {
  shared::Session& s = shared::Session::Current();
  s.windows.UnloadAll();
  QApplication::processEvents();
  login_->Close();
  s.gCommonServices.reset();
  s.gCashServices.reset();
  s.gUiStyle.reset();
  s.gLogin = nullptr;
  s.gBookMode = 0;
  platform::ObjectFactory::Instance() = platform::ObjectFactory();
}

std::unique_ptr<suite::SuiteLoginContext> SuiteSession::OtherLogin(std::unique_ptr<platform::DbConnection>& connection) {
  connection = db_.OpenAnother();
  auto v = Values(QDate(2026, 12, 15));
  v.userId = QStringLiteral("other");
  return std::make_unique<suite::SuiteLoginContext>(*connection, v, textSource_.get());
}

bool SuiteSession::OtherSessionCanLock(const QString& code, const QString& functionId) {
  OtherSession other(*this);
  const bool granted = other.Common().LockAccount(code, true, functionId);
  if (granted) other.Common().LockAccount(code, false);
  return granted;
}

OtherSession::OtherSession(SuiteSession& session) {
  login_ = session.OtherLogin(connection_);
  common_ = platform::ObjectFactory::Instance().CreateCommonServices();
  common_->SetLogin(login_.get());
  common_->Initialize(connection_.get(), QStringLiteral("other"), QStringLiteral("001"), 2026, QStringLiteral("x"),
                      QDate(2026, 12, 15), QStringLiteral("s2"));
}

OtherSession::~OtherSession() {
  common_.reset();
  login_->Close();
}

}  // namespace corvane::testing
