#include "suite/resources/fill_arguments.h"
#include "suite/resources/qt_language.h"
#include "suite/resources/resource_texts.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace corvane::suite {
namespace {

TEST(ResourceTextsTest, GivesTextsWithTheirArgumentsAndAMissingKeyAsItself) {
  const ResourceTexts texts;
  const QString missingAccount = QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03556");
  const QStringList account{"1002"};
  EXPECT_EQ(texts.Text(missingAccount, &account), QString::fromUtf8("科目 1002 不存在！"));
  const QStringList line{"2026-03-05", "201 - 0042"};
  EXPECT_EQ(texts.Text("Q9.GL.ZWSQL.CASHBANK.loading", &line),
            QString::fromUtf8("正在调入银行对账单：2026-03-05  201 - 0042"));
  // Without arguments the placeholder stays, so a caller that forgot them is noticed.
  EXPECT_TRUE(texts.Text(missingAccount).contains(QStringLiteral("%1")));
  for (const QString& key : {QStringLiteral("Q9.GL.ZWSQL.CASHBANK.99999"), QStringLiteral("no.such.key")}) {
    EXPECT_FALSE(texts.Contains(key));
    EXPECT_EQ(texts.Text(key), key);
    EXPECT_EQ(texts.Text(key, &account), key);
  }
}

TEST(ResourceTextsTest, ChoosesTheLanguageAndFallsBackToChinese) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"zh-CN", "zh-CN", "提示"}, {"en-US", "en-US", "Information"}, {"fr-FR", "zh-CN", "提示"}, {"", "zh-CN", "提示"},
  };
  for (const auto& [asked, language, title] : cases) {
    const ResourceTexts texts(QString::fromUtf8(asked));
    EXPECT_EQ(texts.Language(), QString::fromUtf8(language)) << asked;
    EXPECT_EQ(texts.Text("Q9.CW.GL.ZWSQL.BAS.00427"), QString::fromUtf8(title)) << asked;
  }
}

TEST(FillArgumentsTest, FillsPlaceholdersInOrderOnce) {
  struct Case {
    const char* text;
    QStringList args;
    const char* expected;
  };
  const Case cases[] = {
      {"%2 before %1", {"a", "b"}, "b before a"},
      {"%1 and %1", {"x"}, "x and x"},
      {"%1 of %2", {"only"}, "only of %2"},  // a missing value stays visible
      {"%1", {"%2 literal"}, "%2 literal"},  // an argument is never filled again
      {"100%% done by %1", {"me"}, "100% done by me"},
      {"ends with %", {}, "ends with %"},
      {"%0 and %a", {"x"}, "%0 and %a"},
      {"%10/%1", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "ten"}, "ten/1"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FillArguments(QString::fromUtf8(c.text), c.args), QString::fromUtf8(c.expected)) << c.text;
}

// Qt's own buttons and calendars speak the session's language, and a second
// session in another language takes over from the first.
TEST(QtLanguage, StandardButtonsAndCalendarsFollowTheSession) {
  struct Case { const char* language; const char* ok; const char* yes; const char* no; const char* january; };
  const Case cases[] = {{"zh-CN", "确定", "是", "否", "一月"},
                        {"en-US", "OK", "Yes", "No", "January"},
                        {"zh-CN", "确定", "是", "否", "一月"}};
  for (const Case& c : cases) {
    EXPECT_TRUE(InstallQtLanguage(QString::fromLatin1(c.language))) << c.language;
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Yes | QDialogButtonBox::No);
    EXPECT_EQ(box.button(QDialogButtonBox::Ok)->text().remove(QLatin1Char('&')), QString::fromUtf8(c.ok)) << c.language;
    EXPECT_TRUE(box.button(QDialogButtonBox::Yes)->text().remove(QLatin1Char('&')).startsWith(QString::fromUtf8(c.yes))) << c.language;
    EXPECT_TRUE(box.button(QDialogButtonBox::No)->text().remove(QLatin1Char('&')).startsWith(QString::fromUtf8(c.no))) << c.language;
    QCalendarWidget calendar;
    EXPECT_EQ(calendar.locale().standaloneMonthName(1), QString::fromUtf8(c.january)) << c.language;
  }
  InstallQtLanguage(QStringLiteral("en-US"));
}

}  // namespace
}  // namespace corvane::suite
