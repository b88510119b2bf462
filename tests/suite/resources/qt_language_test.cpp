#include "suite/resources/qt_language.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QLocale>
#include <QPushButton>
#include <gtest/gtest.h>

namespace corvane::suite {
namespace {

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
