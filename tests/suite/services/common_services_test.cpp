#include "platform/services/object_factory.h"
#include "platform/services/service_error.h"
#include "services_fixture.h"
#include "suite/services/register_suite_objects.h"
#include "suite/services/suite_rights_service.h"
#include "suite/services/suite_ui_style.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace corvane::suite::test {
namespace {

using platform::ServiceError;

class CommonServicesTest : public ServicesTest {
 protected:
  CommonServicesTest() : s_(Open(Conn())) {}
  void SetSetting(const QString& name, const QString& value) {
    Conn().Execute(QStringLiteral("insert into corvane_setting (set_key, name, value) values (?, ?, ?)"),
                   {QStringLiteral("001"), name, value});
  }
  Session s_;
};

TEST_F(CommonServicesTest, PageSettingsRoundTripPerReportKeyAndAccountSet) {
  const QStringList defaults = s_.common->PrepareReportTemplate(QStringLiteral("RPYETJB"));
  ASSERT_EQ(defaults.size(), 7);
  EXPECT_EQ(defaults[0], QStringLiteral("9"));
  EXPECT_EQ(defaults[1], QStringLiteral("False"));
  EXPECT_EQ(defaults[2], QString());

  const QStringList saved{"256", "True", "10", "20", "30", "40", "x"};
  s_.common->SavePageSettings(QStringLiteral("RPYETJB"), saved);
  EXPECT_EQ(s_.common->LoadPageSettings(QStringLiteral("rpyetjb")), saved);
  s_.common->SavePageSettings(QStringLiteral("RPYETJB"), {"9", "False"});  // saved again, shorter
  EXPECT_EQ(s_.common->LoadPageSettings(QStringLiteral("RPYETJB")),
            QStringList({"9", "False", "", "", "", "", ""}));
  EXPECT_EQ(s_.common->LoadPageSettings(QStringLiteral("GLYhDzd")), defaults);

  // Another account set keeps its own.
  SuiteCommonServices other(&texts_);
  other.Initialize(&Conn(), QStringLiteral("u1"), QStringLiteral("002"), kYear, QString(), QDate(kYear, 3, 1), QString());
  EXPECT_EQ(other.LoadPageSettings(QStringLiteral("RPYETJB")), defaults);
}

TEST_F(CommonServicesTest, DamagedPageSettingsStillGiveWhatReadersRelyOn) {
  s_.common->SavePageSettings(QStringLiteral("K"), {"", "true", "", "", "", "", ""});
  const QStringList read = s_.common->LoadPageSettings(QStringLiteral("K"));
  EXPECT_EQ(read[0], QStringLiteral("9"));
  EXPECT_EQ(read[1], QStringLiteral("True"));
}

TEST_F(CommonServicesTest, AccountSetInfoFromSettingsWithDefaults) {
  platform::AccountSetInfo info = s_.common->GetAccountSetInfo();
  EXPECT_EQ(info.HomeCurrencyName, QStringLiteral("人民币"));
  EXPECT_EQ(info.GetDigestLength(), 60);
  EXPECT_EQ(info.GetAmountLength(), 16);
  SetSetting(QStringLiteral("DigestLength"), QStringLiteral("40"));
  SetSetting(QStringLiteral("AmountLength"), QStringLiteral("300"));  // no byte value: ignored
  SetSetting(QStringLiteral("LocalPrintFormats"), QStringLiteral("0"));
  SetOption(QStringLiteral("HomeCurrency"), QStringLiteral("港币"));
  info = s_.common->GetAccountSetInfo();
  EXPECT_EQ(info.GetDigestLength(), 40);
  EXPECT_EQ(info.GetAmountLength(), 16);
  EXPECT_FALSE(info.LocalPrintFormats);
  EXPECT_EQ(info.HomeCurrencyName, QStringLiteral("港币"));
  EXPECT_EQ(s_.common->GetAccountSetDates().StartDate, QDate(2025, 12, 26));
  SetSetting(QStringLiteral("StartDate"), QStringLiteral("2026.01.01"));
  EXPECT_EQ(s_.common->GetAccountSetDates().StartDate, QDate(2026, 1, 1));
  SetSetting(QStringLiteral("AccountSetName"), QStringLiteral("演示账套"));
  EXPECT_EQ(s_.common->GetSessionInfo().ReportText, QStringLiteral("演示账套"));
  EXPECT_EQ(s_.common->GetSessionInfo().UserName, QStringLiteral("用户u1"));
}

TEST_F(CommonServicesTest, AccountRecordWithDatesCurrencyAndDirection) {
  Conn().Execute(QStringLiteral("insert into code (ccode, ccode_name, bd_c, be, cexch_name, dbegin, dend) "
                                "values (?, ?, ?, ?, ?, ?, ?)"),
                 {QStringLiteral("100201"), QStringLiteral("工行"), 0, 1, QStringLiteral("美元"), QDate(kYear, 1, 1), QDate()});
  Conn().Execute(QStringLiteral("insert into code (ccode, ccode_name, cexch_name) values (?, ?, ?)"),
                 {QStringLiteral("100202"), QStringLiteral("建行"), QStringLiteral("人民币")});
  const platform::AccountInfo a = s_.common->GetAccount(QStringLiteral("100201 "));
  EXPECT_EQ(a.name, QStringLiteral("工行"));
  EXPECT_EQ(a.StartDate, QDate(kYear, 1, 1));
  EXPECT_FALSE(a.EndDate.isValid());
  EXPECT_EQ(a.CurrencyName, QStringLiteral("美元"));
  EXPECT_EQ(a.direction, 0);
  EXPECT_EQ(s_.common->GetAccount(QStringLiteral("100202")).CurrencyName, QString());
  EXPECT_EQ(s_.common->GetAccountName(QStringLiteral("100202")), QStringLiteral("建行"));
  EXPECT_EQ(s_.common->GetAccountName(QStringLiteral("999")), QString());
  EXPECT_THROW(s_.common->GetAccount(QStringLiteral("999")), ServiceError);
}

TEST_F(CommonServicesTest, SettlementStylesAndVoucherSignsFillControls) {
  for (const auto& [code, name, leaf] : {std::tuple{"1", "支票", 0}, {"101", "现金支票", 1}, {"2", "汇兑", 1}})
    Conn().Execute(QStringLiteral("insert into settlestyle (cSSCode, cSSName, bSSEnd) values (?, ?, ?)"),
                   {QString::fromLatin1(code), QString::fromUtf8(name), leaf});
  for (const auto& [sign, seq, text] : {std::tuple{"收", 2, "收款凭证"}, {"记", 1, "记账凭证"}})
    Conn().Execute(QStringLiteral("insert into dsign (csign, isignseq, ctext) values (?, ?, ?)"),
                   {QString::fromUtf8(sign), seq, QString::fromUtf8(text)});

  QComboBox combo;
  s_.common->AttachSettleStyleList(&combo, true);
  ASSERT_EQ(combo.count(), 3);  // the empty choice, then the leaves
  EXPECT_EQ(combo.itemText(0), QString());
  EXPECT_EQ(combo.itemText(1), QStringLiteral("101 现金支票"));
  EXPECT_EQ(combo.itemText(2), QStringLiteral("2 汇兑"));
  QListWidget list;
  s_.common->AttachSettleStyleList(&list, false);
  ASSERT_EQ(list.count(), 2);
  EXPECT_EQ(s_.common->GetSettleStyleCode(list.item(0)->text()), QStringLiteral("101"));
  EXPECT_EQ(s_.common->GetSettleStyleCode(QString()), QString());
  EXPECT_TRUE(s_.common->SettleStyleExists(QStringLiteral("101")));
  EXPECT_FALSE(s_.common->SettleStyleExists(QStringLiteral("9")));
  EXPECT_FALSE(s_.common->SettleStyleExists(QString()));

  s_.common->AttachVoucherSignList(&combo, true);
  ASSERT_EQ(combo.count(), 3);
  EXPECT_EQ(combo.itemText(1), QStringLiteral("记"));
  EXPECT_EQ(combo.itemData(1, Qt::ToolTipRole).toString(), QStringLiteral("记账凭证"));
  platform::VoucherSignInfo info;
  ASSERT_TRUE(s_.common->GetVoucherSign(QStringLiteral("收"), info));
  EXPECT_EQ(info.SignSeq, 2);
  EXPECT_EQ(info.Name, QStringLiteral("收款凭证"));
  EXPECT_FALSE(s_.common->GetVoucherSign(QStringLiteral("转"), info));
}

TEST_F(CommonServicesTest, DirectionTextsAndTheirKeysFollowTheTexts) {
  EXPECT_EQ(s_.common->GetDirectionText(1), QStringLiteral("借"));
  EXPECT_EQ(s_.common->GetDirectionText(0), QStringLiteral("贷"));
  EXPECT_EQ(s_.common->GetDirectionText(2), QStringLiteral("贷"));
  texts_.texts.insert(QStringLiteral("corvane.suite.direction.debit"), QStringLiteral("Dr"));
  texts_.texts.insert(QStringLiteral("corvane.suite.direction.credit"), QStringLiteral("Cr"));
  const std::pair<const char*, const char*> cases[] = {
      {"Dr", "借"}, {" Cr ", "贷"}, {"借", "借"}, {"贷", "贷"}, {"", ""}, {"x", ""},
  };
  for (const auto& [shown, key] : cases) {
    SCOPED_TRACE(shown);
    EXPECT_EQ(s_.common->GetEnumKey(QStringLiteral("EnumDC"), QString::fromUtf8(shown)), QString::fromUtf8(key));
  }
  EXPECT_EQ(s_.common->GetEnumKey(QStringLiteral("EnumOther"), QStringLiteral("借")), QString());
}

TEST_F(CommonServicesTest, TextsAndCaptionsComeFromTheTextSource) {
  texts_.texts.insert(QStringLiteral("k.1"), QStringLiteral("第%1行"));
  const QStringList args{QStringLiteral("3")};
  EXPECT_EQ(s_.common->GetString(QStringLiteral("k.1"), &args), QStringLiteral("第3行"));
  EXPECT_EQ(s_.common->GetString(QStringLiteral("k.none")), QStringLiteral("k.none"));
  QWidget window;
  EXPECT_EQ(s_.common->LocalizeControls(&window, QStringLiteral("Q9.X."), QString(), QString()), 1);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Q9.X."));
  EXPECT_EQ(s_.common->GetLanguage(), QStringLiteral("zh-CN"));
  s_.common->GetParamObject().Value1 = QStringLiteral("100201");
  EXPECT_EQ(s_.common->GetParamObject().Value1, QStringLiteral("100201"));  // one shared object
}

TEST_F(CommonServicesTest, PrintWorkDatabaseIsItsOwnFile) {
  platform::DbConnection* work = s_.common->GetPrintWorkDb();
  ASSERT_NE(work, nullptr);
  EXPECT_EQ(s_.common->GetPrintWorkDb(), work);
  work->Execute(QStringLiteral("create table ZPDJ_Head (a text)"));
  EXPECT_TRUE(Conn().Query(QStringLiteral("select 1 from corvane_options where ckey = ?"), {QStringLiteral("ZPDJ_Head")}).rows.empty());
  EXPECT_NE(work->GetConnectionString(), Conn().GetConnectionString());
}

TEST_F(CommonServicesTest, AllowedAccountsOfAUser) {
  for (const char* code : {"100202", "100201"})
    Conn().Execute(QStringLiteral("insert into corvane_account_right (user_id, ccode) values (?, ?)"),
                   {QStringLiteral("u1"), QString::fromLatin1(code)});
  SuiteRightsService rights(Conn());
  EXPECT_EQ(rights.GetAllowedList(QStringLiteral("U1")), QStringLiteral("100201,100202"));
  EXPECT_EQ(rights.GetAllowedList(QStringLiteral("u2")), QString());  // no rows: no restriction
  Conn().Execute(QStringLiteral("delete from corvane_account_right"));
  Conn().Execute(QStringLiteral("insert into corvane_account_right (user_id, ccode) values (?, ?)"),
                 {QStringLiteral("u3"), QStringLiteral("1,2")});
  // A user whose only right cannot be listed must not end up unrestricted.
  EXPECT_THROW(rights.GetAllowedList(QStringLiteral("u3")), ServiceError);
}

TEST_F(CommonServicesTest, RegisteredFactoryMakesTheSuiteObjects) {
  platform::ObjectFactory& factory = platform::ObjectFactory::Instance();
  const platform::ObjectFactory saved = factory;
  RegisterSuiteObjects(&texts_, s_.login.get());
  EXPECT_NE(dynamic_cast<SuiteCommonServices*>(factory.CreateCommonServices().get()), nullptr);
  EXPECT_NE(dynamic_cast<SuiteCashServices*>(factory.CreateCashServices().get()), nullptr);
  EXPECT_NE(dynamic_cast<SuiteRightsService*>(factory.CreateRightsService().get()), nullptr);
  EXPECT_NE(dynamic_cast<SuiteUiStyle*>(factory.CreateUiStyleService().get()), nullptr);
  auto another = factory.OpenConnection(Conn().GetConnectionString());
  EXPECT_TRUE(another->IsOpen());
  RegisterSuiteObjects(&texts_, nullptr);
  EXPECT_THROW(factory.CreateRightsService(), ServiceError);
  factory = saved;
}

TEST(SuiteUiStyleTest, TraceLinesAreStampedAndOnlyWrittenWithAFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("trace.log"));
  SuiteUiStyle style;
  SuiteUiStyle::SetTraceFile(QString());
  style.WriteTrace(QStringLiteral("lost"));
  SuiteUiStyle::SetTraceFile(path);
  style.WriteTrace(QStringLiteral("main开始:"));
  style.WriteTrace(QStringLiteral("initpubs结束:"));
  SuiteUiStyle::SetTraceFile(QString());
  style.WriteTrace(QStringLiteral("lost too"));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 2);
  const QRegularExpression stamp(QStringLiteral("^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}\\.\\d{3} main开始:$"));
  EXPECT_TRUE(stamp.match(lines[0]).hasMatch()) << lines[0].toStdString();
  EXPECT_TRUE(lines[1].endsWith(QStringLiteral(" initpubs结束:")));
}

}  // namespace
}  // namespace corvane::suite::test
