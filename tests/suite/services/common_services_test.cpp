#include "platform/services/service_error.h"
#include "services_fixture.h"
#include "suite/resources/resource_texts.h"
#include "suite/services/suite_rights_service.h"

#include <functional>
#include <iterator>

namespace corvane::suite::test {
namespace {

using CommonServicesTest = OneSessionTest;

TEST_F(CommonServicesTest, PageSettingsRoundTripPerReportKeyAndAccountSet) {
  const QStringList defaults = s_.common->PrepareReportTemplate(QStringLiteral("RPYETJB"));
  ASSERT_EQ(defaults.size(), 7);
  EXPECT_EQ(defaults.mid(0, 3), QStringList({"9", "False", ""}));

  const QStringList saved{"256", "True", "10", "20", "30", "40", "x"};
  s_.common->SavePageSettings(QStringLiteral("RPYETJB"), saved);
  EXPECT_EQ(s_.common->LoadPageSettings(QStringLiteral("rpyetjb")), saved);
  s_.common->SavePageSettings(QStringLiteral("RPYETJB"), {"9", "False"});  // saved again, shorter
  EXPECT_EQ(s_.common->LoadPageSettings(QStringLiteral("RPYETJB")), QStringList({"9", "False", "", "", "", "", ""}));
  EXPECT_EQ(s_.common->LoadPageSettings(QStringLiteral("GLYhDzd")), defaults);
  // Damaged values still give what the readers rely on.
  s_.common->SavePageSettings(QStringLiteral("K"), {"", "true", "", "", "", "", ""});
  EXPECT_EQ(s_.common->LoadPageSettings(QStringLiteral("K")).mid(0, 2), QStringList({"9", "True"}));

  // Another account set keeps its own.
  SuiteCommonServices other(&texts_);
  other.Initialize(&Conn(), QStringLiteral("u1"), QStringLiteral("002"), kYear, QString(), QDate(kYear, 3, 1), QString());
  EXPECT_EQ(other.LoadPageSettings(QStringLiteral("RPYETJB")), defaults);
}

struct RightsCase {
  const char* name;
  const char* loginKey;   // the login's user key; its name is "用户" + key
  const char* user;       // the user text the service is initialised with
  bool otherDatabase;     // initialised with another connection string
  const char* objectKind;
  const char* right;
  int result;             // Init's out value
  const char* list;       // the allowed list handed back
};

void PrintTo(const RightsCase& c, std::ostream* os) { *os << c.name; }

class AllowedAccounts : public ServicesTest, public ::testing::WithParamInterface<RightsCase> {};

// Rights are stored by user key and asked for by user name: only the login's
// own name leads to its key, and whatever cannot be resolved allows nothing.
TEST_P(AllowedAccounts, OfTheUserTheSessionNames) {
  const RightsCase& c = GetParam();
  for (const auto& [user, code] : {std::pair{"u1", "100202"}, {"u1", "100201"}, {"用户u2", "100203"}})
    Conn().Execute(QStringLiteral("insert into corvane_account_right (user_id, ccode) values (?, ?)"),
                   {QString::fromUtf8(user), QString::fromLatin1(code)});
  Session session = Open(Conn(), QString::fromLatin1(c.loginKey));
  SuiteRightsService rights(*session.login);
  QString connection = Conn().GetConnectionString();
  if (c.otherDatabase) connection += QStringLiteral("-other");
  int result = -1;
  rights.Init(connection, QString::fromUtf8(c.user), 0, 0, result);
  QString list = QStringLiteral("unset");
  rights.GetAllowedList(QString::fromLatin1(c.objectKind), 0, QString::fromLatin1(c.right), list);
  EXPECT_EQ(result, c.result);
  EXPECT_EQ(list, QString::fromUtf8(c.list));
}

INSTANTIATE_TEST_SUITE_P(
    Services, AllowedAccounts,
    ::testing::Values(RightsCase{"OwnName", "u1", "用户u1", false, "code", "R", 0, "100201,100202"},
                      RightsCase{"OwnNameSpaced", "u1", " 用户u1 ", false, "code", "R", 0, "100201,100202"},
                      // Rows stored under a text equal to his name are not his.
                      RightsCase{"NoRowsOfHisOwn", "u2", "用户u2", false, "code", "R", 0, ""},
                      RightsCase{"AnotherUsersName", "u1", "用户u2", false, "code", "R", 1, "''"},
                      RightsCase{"TheKeyInsteadOfTheName", "u1", "u1", false, "code", "R", 1, "''"},
                      RightsCase{"BlankName", "u1", "", false, "code", "R", 1, "''"},
                      RightsCase{"LoginWithoutKey", "", "用户", false, "code", "R", 1, "''"},
                      RightsCase{"AnotherDatabase", "u1", "用户u1", true, "code", "R", 1, "''"},
                      RightsCase{"AnotherObjectKind", "u1", "用户u1", false, "book", "R", 0, "''"},
                      RightsCase{"AnotherRight", "u1", "用户u1", false, "code", "W", 0, "''"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommonServicesTest, RightsThatCannotBeListedAreRefused) {
  Conn().Execute(QStringLiteral("insert into corvane_account_right (user_id, ccode) values (?, ?)"),
                 {QStringLiteral("u1"), QStringLiteral("1,2")});
  SuiteRightsService rights(*s_.login);
  QString list;
  rights.GetAllowedList(QStringLiteral("code"), 0, QStringLiteral("R"), list);
  EXPECT_EQ(list, SuiteRightsService::kNothingAllowed);  // not initialised: nothing
  int result = -1;
  rights.Init(Conn().GetConnectionString(), QStringLiteral("用户u1"), 0, 0, result);
  ASSERT_EQ(result, 0);
  // A user whose right cannot be listed must not end up unrestricted.
  EXPECT_THROW(rights.GetAllowedList(QStringLiteral("code"), 0, QStringLiteral("R"), list), platform::ServiceError);
}

// The periods run from the 26th to the 25th, so a calendar month would give wrong answers.
TEST_F(CommonServicesTest, DatesAndPeriodTextsFindTheirPeriods) {
  const std::pair<QDate, int> dates[] = {
      {QDate(2025, 12, 26), 1}, {QDate(2026, 1, 25), 1},   {QDate(2026, 1, 26), 2}, {QDate(2026, 2, 28), 3},
      {QDate(2026, 12, 25), 12}, {QDate(2026, 12, 26), 0}, {QDate(2025, 12, 25), 0}, {QDate(), 0},
  };
  for (const auto& [date, period] : dates)
    EXPECT_EQ(s_.common->GetDatePeriod(date), period) << date.toString(Qt::ISODate).toStdString();
  const std::pair<const char*, int> texts[] = {
      {"2026.03", 3}, {"3", 3},        {" 2026.12 ", 12}, {"2026-3", 3}, {"2026/03", 3}, {"2026年3月", 3},
      {"2025.03", 0}, {"2026.13", 0},  {"0", 0},          {"", 0},       {"abc", 0},     {"2026.03.01", 0},
  };
  for (const auto& [text, period] : texts) EXPECT_EQ(s_.common->GetPeriodNumber(QString::fromUtf8(text)), period) << text;

  const platform::AccountingCalendar cal = s_.common->GetCalendar();
  ASSERT_EQ(cal.PeriodCount(), 12);
  EXPECT_EQ(cal.GetPeriodDate(2, 0), QDate(2026, 2, 26));
  EXPECT_EQ(cal.GetPeriodDate(2, 1), QDate(2026, 3, 25));
  for (int i = 0; i < cal.PeriodCount(); ++i) EXPECT_EQ(s_.common->GetPeriodNumber(cal.GetPeriodText(i)), i + 1);
}

TEST_F(CommonServicesTest, CurrentPeriodIsThatOfTheLoginDateKeptWithinTheYear) {
  const std::pair<QDate, int> cases[] = {
      {QDate(2026, 3, 30), 4}, {QDate(2026, 3, 25), 3}, {QDate(2025, 6, 1), 1}, {QDate(2027, 1, 5), 12}, {QDate(), 1},
  };
  for (const auto& [login, period] : cases) {
    Session s = Open(Conn(), QStringLiteral("u1"), login);
    EXPECT_EQ(s.common->GetPeriodInfo().CurrentPeriod, period) << login.toString(Qt::ISODate).toStdString();
  }
}

// An account's currency name is empty exactly when it is the home currency (the
// account set's, else 人民币): the callers take any other name for foreign amounts.
TEST_F(CommonServicesTest, CurrencyNameIsEmptyExactlyForTheHomeCurrency) {
  struct Case { const char* home; platform::DbValue stored; const char* name; };
  const Case cases[] = {
      {nullptr, platform::DbValue(), ""},
      {nullptr, QStringLiteral("人民币"), ""},
      {nullptr, QStringLiteral(" 人民币 "), ""},
      {nullptr, QStringLiteral("美元"), "美元"},
      {"RMB", QStringLiteral("RMB"), ""},
      {"RMB", QStringLiteral("人民币"), "人民币"},
      {"RMB", QStringLiteral("美元"), "美元"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << (c.home ? c.home : "default") << " " << c.stored.ToString().toStdString());
    Conn().Execute(QStringLiteral("delete from corvane_options where ckey = ?"), {QStringLiteral("HomeCurrency")});
    if (c.home) SetOption(QStringLiteral("HomeCurrency"), QString::fromLatin1(c.home));
    Conn().Execute(QStringLiteral("delete from code"));
    Conn().Execute(QStringLiteral("insert into code (ccode, ccode_name, cexch_name, be, bend) values (?, ?, ?, 1, 1)"),
                   {QStringLiteral("100201"), QStringLiteral("bank"), c.stored});
    EXPECT_EQ(s_.common->GetAccount(QStringLiteral("100201")).CurrencyName, QString::fromUtf8(c.name));
  }
}

// A direction text is debit only when it is "借" or the session's debit text,
// credit only when it is "贷" or the credit text; anything else is neither.
TEST_F(CommonServicesTest, DirectionTextsAreReadByTheirExactWords) {
  ResourceTexts english(QStringLiteral("en-US"));
  TextSourceAdapter<ResourceTexts> englishTexts(english);
  struct Case { bool english; const char* enumName; const char* text; const char* key; };
  const Case cases[] = {
      {false, "EnumDC", "借", "借"}, {false, "EnumDC", " 借 ", "借"}, {false, "EnumDC", "贷", "贷"},
      {false, "enumdc", "贷", "贷"}, {false, "EnumDC", "借方", ""},    {false, "EnumDC", "Dr", ""},
      {false, "EnumDC", "", ""},     {false, "EnumBD", "借", ""},     {true, "EnumDC", "Dr", "借"},
      {true, "EnumDC", "借", "借"},  {true, "EnumDC", "Cr", "贷"},    {true, "EnumDC", "贷", "贷"},
      {true, "EnumDC", "dr", ""},    {true, "EnumDC", "Debit", ""},
  };
  Session englishSession = Open(Conn(), QStringLiteral("u2"), QDate(kYear, 3, 30), &englishTexts);
  for (const Case& c : cases) {
    SuiteCommonServices& common = c.english ? *englishSession.common : *s_.common;
    EXPECT_EQ(common.GetEnumKey(QString::fromLatin1(c.enumName), QString::fromUtf8(c.text)), QString::fromUtf8(c.key))
        << (c.english ? "en-US " : "zh-CN ") << c.enumName << " " << c.text;
  }
}

TEST_F(CommonServicesTest, BrokenCalendarsAreRefused) {
  struct Case {
    const char* sql;
    platform::DbParams params;
  };
  const Case cases[] = {
      {"delete from corvane_calendar", {}},
      {"delete from corvane_calendar where iperiod = ?", {5}},
      {"update corvane_calendar set dbegin = ? where iperiod = ?", {QDate(2026, 4, 27), 5}},  // a gap
      {"update corvane_calendar set dend = ? where iperiod = ?", {QDate(2026, 4, 26), 4}},    // an overlap
      {"update corvane_calendar set dend = ? where iperiod = ?", {QDate(2026, 11, 1), 12}},   // reversed
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sql);
    Conn().Execute(QStringLiteral("delete from corvane_calendar"));
    SeedCalendar();
    Conn().Execute(QString::fromLatin1(c.sql), c.params);
    EXPECT_THROW(Open(Conn()).common->GetCalendar(), platform::ServiceError);
  }
}

// The errors the services raise reach the user as they are: each reads in the
// language of the session's texts.
TEST_F(CommonServicesTest, ErrorsAreToldInTheSessionLanguage) {
  using Action = std::function<void(Session&, TextSource&)>;
  const auto calendar = [this](const char* sql, const platform::DbParams& params) -> Action {
    return [this, sql, params](Session&, TextSource& texts) {
      Conn().Execute(QString::fromLatin1(sql), params);
      Open(Conn(), QStringLiteral("u1"), QDate(kYear, 3, 30), &texts).common->GetCalendar();
    };
  };
  const std::pair<const char*, Action> actions[] = {
      {"account", [](Session& s, TextSource&) { s.common->GetAccount(QStringLiteral(" 9999 ")); }},
      {"book", [](Session& s, TextSource&) { s.cash->GetBook(QStringLiteral("NOBOOK")); }},
      {"book direction", [](Session& s, TextSource&) { s.cash->SetBookDirection(QStringLiteral("NOBOOK"), true); }},
      {"flow id", [](Session& s, TextSource&) { s.cash->NewFlowId(QStringLiteral("NOBOOK"), true); }},
      {"flow id peek", [](Session& s, TextSource&) { s.cash->NewFlowId(QStringLiteral("NOBOOK"), false); }},
      {"no periods", calendar("delete from corvane_calendar", {})},
      {"missing period", calendar("delete from corvane_calendar where iperiod = ?", {5})},
      {"reversed period", calendar("update corvane_calendar set dend = ? where iperiod = ?", {QDate(2026, 11, 1), 12})},
      {"gap", calendar("update corvane_calendar set dbegin = ? where iperiod = ?", {QDate(2026, 4, 27), 5})},
      {"rights",
       [this](Session& s, TextSource& texts) {
         Conn().Execute(QStringLiteral("insert into corvane_account_right (user_id, ccode) values (?, ?)"),
                        {QStringLiteral("u1"), QStringLiteral("1,2")});
         SuiteRightsService rights(*s.login, &texts);
         int result = -1;
         rights.Init(Conn().GetConnectionString(), s.login->GetSessionText2(), 0, 0, result);
         QString list;
         rights.GetAllowedList(QStringLiteral("code"), 0, QStringLiteral("R"), list);
       }},
  };
  struct Case { const char* language; const char* messages[std::size(actions)]; };
  const Case cases[] = {
      {"zh-CN",
       {"科目[9999]不存在。", "账簿[NOBOOK]不存在。", "账簿[NOBOOK]不存在。", "账簿[NOBOOK]不存在。", "账簿[NOBOOK]不存在。",
        "会计年度2026没有设置会计期间。", "会计年度2026缺少第5期。", "会计年度2026第12期的起止日期无效。",
        "会计年度2026第5期与上一期不相接。", "用户[u1]的科目权限设置无效。"}},
      {"en-US",
       {"Account [9999] does not exist.", "Bank book [NOBOOK] does not exist.", "Bank book [NOBOOK] does not exist.",
        "Bank book [NOBOOK] does not exist.", "Bank book [NOBOOK] does not exist.",
        "No accounting periods are set up for the year 2026.", "Period 5 of the year 2026 is missing.",
        "Period 12 of the year 2026 has an invalid start or end date.",
        "Period 5 of the year 2026 does not follow on from the period before it.",
        "The account rights of user [u1] are not valid."}},
  };
  for (const Case& c : cases) {
    ResourceTexts resources(QString::fromLatin1(c.language));
    TextSourceAdapter<ResourceTexts> texts(resources);
    for (size_t i = 0; i < std::size(actions); ++i) {
      SCOPED_TRACE(::testing::Message() << c.language << " " << actions[i].first);
      Conn().Execute(QStringLiteral("delete from corvane_account_right"));
      Conn().Execute(QStringLiteral("delete from corvane_calendar"));
      SeedCalendar();
      Session session = Open(Conn(), QStringLiteral("u1"), QDate(kYear, 3, 30), &texts);
      try {
        actions[i].second(session, texts);
        ADD_FAILURE() << "no error";
      } catch (const platform::ServiceError& e) {
        EXPECT_EQ(e.Message(), QString::fromUtf8(c.messages[i]));
      }
    }
  }
}

}  // namespace
}  // namespace corvane::suite::test
