#include "host/product_facade.h"
#include "host/session_startup.h"
#include "platform/services/object_factory.h"
#include "platform/services/service_error.h"
#include "shared/function_claim.h"
#include "shared/messages.h"
#include "shared/session.h"
#include "support/fake_services.h"
#include "support/scripted_dialogs.h"
#include "suite/db/open_db_connection.h"

#include <QDir>
#include <QtCore/private/qlocale_p.h>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace corvane::host {
namespace {

using shared::Session;
using testing::FakeCashServices;
using testing::FakeCommonServices;
using testing::FakeLoginContext;
using testing::FakeUiStyle;

// Fills the object factory with fakes and keeps a hand on each one created.
class LoginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Session& s = Session::Current();
    s.gCashServices.reset();
    s.gUiStyle.reset();
    s.gCommonServices.reset();
    s.dateTextFormat = QStringLiteral("yyyy-MM-dd");
    s.systemFolder = dir_.path();
    auto& f = platform::ObjectFactory::Instance();
    f.makeCommonServices = [this] { auto c = std::make_unique<FakeCommonServices>(); common_ = c.get(); setUpCommon(*c); return c; };
    f.makeCashServices = [this] { auto c = std::make_unique<FakeCashServices>(); cash_ = c.get(); setUpCash(*c); return c; };
    f.makeUiStyleService = [] { return std::make_unique<FakeUiStyle>(); };
    f.openConnection = [](const QString&) -> std::unique_ptr<platform::DbConnection> {
      throw platform::ServiceError(QStringLiteral("not opened in this test"));
    };
  }
  void TearDown() override { platform::ObjectFactory::Instance() = platform::ObjectFactory(); }

  std::function<void(FakeCommonServices&)> setUpCommon = [](FakeCommonServices&) {};
  std::function<void(FakeCashServices&)> setUpCash = [](FakeCashServices&) {};
  QTemporaryDir dir_;
  FakeLoginContext login_;
  FakeCommonServices* common_ = nullptr;
  FakeCashServices* cash_ = nullptr;
  testing::ScriptedMessages messages_;
  clsProductFacade facade_;
};

TEST_F(LoginTest, StartsTheSessionInOrder) {
  setUpCommon = [](FakeCommonServices& c) { c.accountSet.DigestLength = 255; c.accountSet.AmountLength = 200; };
  ASSERT_TRUE(facade_.Login(&login_));
  Session& s = Session::Current();
  EXPECT_EQ(s.gLogin, &login_);
  // Column widths in 32-bit arithmetic: 255 * 180 overflowed 16 bits.
  EXPECT_EQ(s.gColWidthA, 255 * 180);
  EXPECT_EQ(s.gColWidthB, 200 * 90);
  EXPECT_EQ(common_->calls, (std::vector<QString>{QStringLiteral("SetLogin"), QStringLiteral("Initialize:2026")}));
  EXPECT_EQ(cash_->calls, (std::vector<QString>{QStringLiteral("SetLogin"), QStringLiteral("InitSession"),
                                                 QStringLiteral("IsSubsystemOn:GL"), QStringLiteral("IsSubsystemOn:RP")}));
  EXPECT_EQ(s.gPrintExTable, QStringLiteral("PrintEx_001"));
  EXPECT_EQ(s.gHelpFile, QStringLiteral("/opt/suite/Help/GL_zh-CN.chm"));
  EXPECT_TRUE(common_->folders.ReportPath().endsWith(QStringLiteral("/REP/zh-CN/")));
  // The print-format file does not exist: said once, and start-up still succeeds.
  EXPECT_EQ(messages_.Count(), 1);
  EXPECT_EQ(messages_.Shown()[0].buttons, 0);
  EXPECT_FALSE(s.gPrintFormatDb);
}

// The print-format file is found in any folder, "#" and "%" in its name too, and
// opened as it is: no stray empty database beside it, its journal left alone
// (other programs open the same file).
TEST_F(LoginTest, ThePrintFormatFileOpensInAFolderOfAnyName) {
  platform::ObjectFactory::Instance().openConnection = [](const QString& c) { return suite::OpenDbConnection(c); };
  for (const char* name : {"plain", "a#b", "100%", "sp ace?x"}) {
    SCOPED_TRACE(name);
    const QString folder = dir_.filePath(QString::fromLatin1(name));
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/ZQCOMSQL")));
    suite::OpenDbConnection(PrintFormatConnectionString(folder + QStringLiteral("/ZQCOMSQL/Zqformat.db"), true))
        ->Execute(QStringLiteral("create table PrintEx_001 (i_id integer primary key, cTableCode text)"));
    Session::Current().systemFolder = folder;
    const QStringList before = QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    messages_.Clear();
    ASSERT_TRUE(facade_.Login(&login_));
    EXPECT_EQ(messages_.Count(), 0);
    ASSERT_TRUE(Session::Current().gPrintFormatDb);
    platform::DbConnection& db = *Session::Current().gPrintFormatDb;
    EXPECT_EQ(db.QueryValue(QStringLiteral("select count(*) from PrintEx_001")).ToInt(), 0);
    EXPECT_NE(db.QueryValue(QStringLiteral("pragma journal_mode")).ToString().toLower(), QStringLiteral("wal"));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    Session::Current().gPrintFormatDb.reset();
  }
}

TEST_F(LoginTest, ModeComesFromTheCashOptionsOnlyWhenCashManagementIsOn) {
  struct Case { bool rpOn; int useBankBooks; int mode; int optionsAsked; };
  const Case cases[] = {{false, 1, 0, 0}, {true, 0, 0, 1}, {true, 1, 1, 1}, {true, -1, -1, 1}};
  for (const Case& c : cases) {
    setUpCash = [c](FakeCashServices& cash) { cash.rpOn = c.rpOn; cash.useBankBooks = c.useBankBooks; };
    Session::Current().gCashServices.reset();
    ASSERT_TRUE(facade_.Login(&login_));
    EXPECT_EQ(Session::Current().gBookMode, c.mode) << c.rpOn << c.useBankBooks;
    EXPECT_EQ(cash_->optionsAsked, c.optionsAsked);
  }
}

// A failing outside call gives false without a message; a date format the
// component cannot send to SQL refuses the session and says so.
TEST_F(LoginTest, RefusedSessions) {
  EXPECT_FALSE(facade_.Login(nullptr));
  login_.failConnection = true;
  EXPECT_FALSE(facade_.Login(&login_));
  EXPECT_EQ(messages_.Count(), 0);
  login_.failConnection = false;
  Session::Current().dateTextFormat = QStringLiteral("yyyy/MM/dd");
  EXPECT_FALSE(facade_.Login(&login_));
  ASSERT_EQ(messages_.Count(), 1);
  EXPECT_TRUE(messages_.LastPrompt().startsWith(QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03838|Q9.GL.ZZTool.00662|")))
      << messages_.LastPrompt().toStdString();
  EXPECT_EQ(messages_.Shown()[0].buttons, 64);
  EXPECT_EQ(messages_.Shown()[0].title, QStringLiteral("Q9.CW.GL.ZWSQL.BAS.00427"));
}

// The locale variables as a test sets them, put back as they were when it ends.
class LocaleEnvironment {
 public:
  LocaleEnvironment() {
    for (const char* name : kNames)
      if (qEnvironmentVariableIsSet(name)) saved_.emplace_back(name, qgetenv(name));
  }
  ~LocaleEnvironment() {
    for (const char* name : kNames) qunsetenv(name);
    for (const auto& [name, value] : saved_) qputenv(name, value);
  }
  // nullptr: unset.
  void Set(const char* lcAll, const char* lcTime, const char* lang) {
    const char* values[] = {lcAll, lcTime, lang};
    for (int i = 0; i < 3; ++i) {
      if (values[i]) qputenv(kNames[i], values[i]);
      else qunsetenv(kNames[i]);
    }
  }

 private:
  static constexpr const char* kNames[] = {"LC_ALL", "LC_TIME", "LANG"};
  std::vector<std::pair<const char*, QByteArray>> saved_;
};

// The refusal names the variable that decides the date format where the host
// runs, and a setting that helps there: LC_TIME cannot while LC_ALL is set.
TEST_F(LoginTest, TheDateRefusalNamesTheVariableThatDecides) {
  struct Case { const char* lcAll; const char* lcTime; const char* lang; const char* said; };
  const Case cases[] = {
      {"en_US.UTF-8", nullptr, nullptr, "LC_ALL|LC_ALL=en_CA.UTF-8"},
      {"C.UTF-8", "en_CA.UTF-8", "zh_CN.UTF-8", "LC_ALL|LC_ALL=en_CA.UTF-8"},
      {"", "en_US.UTF-8", "en_CA.UTF-8", "LC_TIME|LC_TIME=en_CA.UTF-8"},
      {nullptr, "C", nullptr, "LC_TIME|LC_TIME=en_CA.UTF-8"},
      {nullptr, "", "zh_CN.UTF-8", "LANG|LC_TIME=en_CA.UTF-8"},
      {nullptr, nullptr, nullptr, "LANG|LC_TIME=en_CA.UTF-8"},
  };
  LocaleEnvironment environment;
  Session::Current().dateTextFormat = QStringLiteral("yyyy/MM/dd");
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "LC_ALL " << (c.lcAll ? c.lcAll : "unset") << ", LC_TIME "
                                      << (c.lcTime ? c.lcTime : "unset") << ", LANG " << (c.lang ? c.lang : "unset"));
    environment.Set(c.lcAll, c.lcTime, c.lang);
    messages_.Clear();
    EXPECT_FALSE(facade_.Login(&login_));
    ASSERT_EQ(messages_.Count(), 1);
    EXPECT_EQ(messages_.LastPrompt().toStdString(), std::string("Q9.CW.GL.ZWSQL.BAS.03838|Q9.GL.ZZTool.00662|") + c.said);
  }
}

// The system's short date format, as a test gives it for as long as it lives.
class SystemShortDate : public QSystemLocale {
 public:
  explicit SystemShortDate(const char* format) : format_(QString::fromLatin1(format)) {}
  QVariant query(QueryType type, QVariant in) const override {
    return type == DateFormatShort ? QVariant(format_) : QSystemLocale::query(type, std::move(in));
  }

 private:
  QString format_;
};

// Without a format from the host, the system's short date format decides; one
// that writes dates without "-" refuses the session with its message.
TEST_F(LoginTest, ShortDateFormatMustWriteADash) {
  struct Case { const char* system; const char* host; bool starts; };
  const Case cases[] = {
      {"yyyy/M/d", "", false},   {"d MMM yyyy", "", false},          {"dd.MM.yy", "", false},
      {"yyyy-MM-dd", "", true},  {"dd-MM-yy", "", true},             {"yyyy/M/d", "yyyy-MM-dd", true},
      {"yyyy-MM-dd", "yyyy/MM/dd", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "system " << c.system << ", host " << c.host);
    const SystemShortDate system(c.system);
    Session::Current().dateTextFormat = QString::fromLatin1(c.host);
    messages_.Clear();
    EXPECT_EQ(facade_.Login(&login_), c.starts);
    const auto& shown = messages_.Shown();
    const long refusals = std::count_if(shown.begin(), shown.end(), [](const platform::MessageRequest& m) {
      return m.prompt.startsWith(QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03838|"));
    });
    EXPECT_EQ(refusals, c.starts ? 0 : 1);
  }
}

TEST(HelpNameTest, OnlyTheThreeLanguagesHaveAHelpFile) {
  struct Case { const char* sys; const char* lang; const char* name; };
  const Case cases[] = {{"GL", "zh-CN", "GL_zh-CN"}, {"GL", "zh-TW", "GL_zh-TW"}, {"GL", "en-US", "GL_en-US"},
                        {"GF", "zh-CN", "GF_zh-CN"}, {"GL", "ZH-CN", ""},        {"GL", "fr-FR", ""}};
  for (const Case& c : cases)
    EXPECT_EQ(HelpName(QString::fromLatin1(c.sys), QString::fromLatin1(c.lang)), QString::fromLatin1(c.name)) << c.lang;
  for (auto [in, out] : {std::pair{"", "/"}, {" /a ", "/a/"}, {"/a/", "/a/"}}) {
    QString p = QString::fromLatin1(in);
    AddBackslash(p);
    EXPECT_EQ(p, QString::fromLatin1(out));
  }
}

TEST_F(LoginTest, UnknownMenuIdsDoNothing) {
  ASSERT_TRUE(facade_.Login(&login_));
  messages_.Clear();
  for (const char* id : {"RP0104", "RP02", "rp0305", "", "RP0310"})
    EXPECT_EQ(facade_.CallFunction(QString::fromLatin1(id), {}, {}, {}), nullptr);
  EXPECT_EQ(messages_.Count(), 0);
}

TEST_F(LoginTest, ClaimFunctionBranches) {
  ASSERT_TRUE(facade_.Login(&login_));
  struct Case {
    const char* name;
    bool claim, answer;
    int errorNumber;
    const char* errorText;
    bool result;
    const char* shown;  // prompt, or nullptr when nothing is shown
    bool afterRefused;
  };
  const Case cases[] = {
      {"granted", true, true, 0, "", true, nullptr, false},
      {"refused with text", true, false, 5, " busy ", false, " busy ", true},
      {"refused blank text", true, false, 5, "   ", false, "Q9.GL.ZZTool.00661|name of GL040703", true},
      {"already registered", true, false, 22, "", true, nullptr, true},
      {"release refused", false, false, 5, "x", false, nullptr, true},
      {"release 22", false, false, 22, "", true, nullptr, true},
  };
  for (const Case& c : cases) {
    // Each case starts with no holder in the component, so a release reaches the host.
    while (shared::FunctionClaimCount(QStringLiteral("GL040703")) > 0) shared::ClaimFunction(QStringLiteral("GL040703"), false);
    login_.calls.clear();
    messages_.Clear();
    login_.claimAnswer = c.answer;
    login_.errorNumber = c.errorNumber;
    login_.errorText = QString::fromUtf8(c.errorText);
    EXPECT_EQ(shared::ClaimFunction(QStringLiteral("GL040703"), c.claim), c.result) << c.name;
    EXPECT_EQ(messages_.Count(), c.shown ? 1 : 0) << c.name;
    if (c.shown) {
      EXPECT_EQ(messages_.LastPrompt(), QString::fromUtf8(c.shown)) << c.name;
      EXPECT_EQ(messages_.Shown()[0].buttons, 16) << c.name;
    }
    const bool called = std::count(login_.calls.begin(), login_.calls.end(), QStringLiteral("AfterClaimRefused")) == 1;
    EXPECT_EQ(called, c.afterRefused) << c.name;
    if (c.answer) EXPECT_EQ(login_.calls.size(), 1u) << c.name;  // nothing asked after a grant
  }
}

TEST_F(LoginTest, ResourceTextsTakeTheirArgumentsInOrderAndFailQuietly) {
  ASSERT_TRUE(facade_.Login(&login_));
  EXPECT_EQ(shared::GetResString(QStringLiteral("K")), QStringLiteral("K"));
  EXPECT_EQ(shared::GetResString(QStringLiteral("K"), 3, QStringLiteral("b")), QStringLiteral("K|3|b"));
  common_->failStrings = true;
  EXPECT_EQ(shared::GetResString(QStringLiteral("K")), QString());
}

// A host main window: its GetActiveForm answers with the window it holds.
class MainWindow : public QObject {
  Q_OBJECT

 public:
  QObject* active = nullptr;
  Q_INVOKABLE QObject* GetActiveForm() { return active; }
};

// A main window with no active window answers nullptr; no main window, or one
// that cannot be asked, fails the call.
TEST(MainFormProxyTest, HandsBackTheActiveWindowOrFails) {
  QObject form;
  QObject plain;
  MainWindow withForm;
  withForm.active = &form;
  MainWindow withoutForm;
  struct Case { const char* name; QObject* mainWindow; bool fails; QObject* result; };
  const Case cases[] = {
      {"not set", nullptr, true, nullptr},
      {"no such method", &plain, true, nullptr},
      {"active window", &withForm, false, &form},
      {"no active window", &withoutForm, false, nullptr},
  };
  for (const Case& c : cases) {
    clsMainFormProxy proxy;
    proxy.m_oMDIMain = c.mainWindow;
    if (c.fails) {
      EXPECT_THROW(proxy.GetActiveForm(), platform::ServiceError) << c.name;
    } else {
      EXPECT_EQ(proxy.GetActiveForm(), c.result) << c.name;
    }
  }
}

}  // namespace
}  // namespace corvane::host

#include "login_test.moc"
