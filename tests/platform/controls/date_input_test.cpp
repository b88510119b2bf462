#include "platform/controls/date_edit.h"
#include "platform/controls/date_picker.h"
#include "platform/controls/date_text.h"
#include "scripted_popups.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QFocusEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace corvane::platform {
namespace {

struct ParseCase {
  const char* text;
  QDate date;  // invalid: no date
};

class DateTexts : public ::testing::TestWithParam<ParseCase> {};

TEST_P(DateTexts, ReadTheAcceptedForms) {
  const std::optional<QDate> date = DateText::Parse(QString::fromLatin1(GetParam().text));
  EXPECT_EQ(date.has_value(), GetParam().date.isValid()) << GetParam().text;
  if (date) {
    EXPECT_EQ(*date, GetParam().date);
  }
}

INSTANTIATE_TEST_SUITE_P(Date, DateTexts,
                         ::testing::Values(ParseCase{"2024.01.05", QDate(2024, 1, 5)},
                                           ParseCase{"2024-1-5", QDate(2024, 1, 5)},
                                           ParseCase{"2024/12/31", QDate(2024, 12, 31)},
                                           ParseCase{"20240105", QDate(2024, 1, 5)},
                                           ParseCase{" 2024.01.05 ", QDate(2024, 1, 5)},
                                           ParseCase{"2024.02.29", QDate(2024, 2, 29)},
                                           ParseCase{"2023.02.29", QDate()}, ParseCase{"2024.13.01", QDate()},
                                           ParseCase{"2024.01-05", QDate()}, ParseCase{"24.01.05", QDate()},
                                           ParseCase{"2024.1.123", QDate()}, ParseCase{"", QDate()}));

TEST(DateText, FormatsWithLeadingZeros) {
  EXPECT_EQ(DateText::Format(QDate(2024, 1, 5)), QStringLiteral("2024.01.05"));
  EXPECT_EQ(DateText::Format(QDate(987, 11, 25), QLatin1Char('-')), QStringLiteral("0987-11-25"));
  EXPECT_EQ(DateText::Format(QDate()), QString());
}

struct PickCase {
  const char* name;
  const char* before;
  QDate preselected;
  QDate picked;  // invalid: closed without a choice
  const char* after;
};

class DatePickerRound : public ::testing::TestWithParam<PickCase> {};

TEST_P(DatePickerRound, ChosenDateGoesBackIntoTheBox) {
  const PickCase& c = GetParam();
  QWidget window;
  auto* box = new QLineEdit(&window);
  box->setText(QString::fromLatin1(c.before));
  QDate preselected;
  testing::ScriptedPopups runner([&](QDialog& dialog) {
    auto* picker = qobject_cast<DatePicker*>(&dialog);
    ASSERT_NE(picker, nullptr);
    preselected = picker->Calendar()->selectedDate();
    if (c.picked.isValid()) picker->PickDate(c.picked);
  });
  EXPECT_EQ(DatePicker::PopupUnder(box), c.picked.isValid());
  EXPECT_EQ(preselected, c.preselected);
  EXPECT_EQ(box->text(), QString::fromLatin1(c.after));
}

INSTANTIATE_TEST_SUITE_P(
    Date, DatePickerRound,
    ::testing::Values(PickCase{"FromDashedText", "2024-03-15", QDate(2024, 3, 15), QDate(2024, 4, 1), "2024.04.01"},
                      PickCase{"FromDottedText", "2023.12.31", QDate(2023, 12, 31), QDate(2024, 1, 2), "2024.01.02"},
                      PickCase{"NoDateOpensOnToday", "junk", QDate::currentDate(), QDate(2024, 2, 29), "2024.02.29"},
                      PickCase{"ClosedWithoutChoice", "2024-03-15", QDate(2024, 3, 15), QDate(), "2024-03-15"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DatePicker, ActivatingADateChoosesItWithTheSeparator) {
  DatePicker picker;
  picker.SetSeparator(QLatin1Char('-'));
  picker.SetText(QStringLiteral("2024.06.01"));
  emit picker.Calendar()->activated(QDate(2024, 6, 18));
  EXPECT_EQ(picker.result(), QDialog::Accepted);
  EXPECT_EQ(picker.Text(), QStringLiteral("2024-06-18"));
}

void SendFocusOut(QWidget* w) {
  QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(w, &event);
}

TEST(DateEdit, TakesDateCharactersAndTidiesReadableDates) {
  DateEdit edit;
  QTest::keyClicks(&edit, QStringLiteral("2024a-1-5"));
  EXPECT_EQ(edit.text(), QStringLiteral("2024-1-5"));
  SendFocusOut(&edit);
  EXPECT_EQ(edit.text(), QStringLiteral("2024.01.05"));
  EXPECT_EQ(edit.Date(), QDate(2024, 1, 5));
  edit.setText(QStringLiteral("2024-13-01"));
  SendFocusOut(&edit);
  EXPECT_EQ(edit.text(), QStringLiteral("2024-13-01")) << "no date: left for the window's check";
  EXPECT_FALSE(edit.Date().has_value());
}

TEST(DateEdit, ButtonOpensThePicker) {
  DateEdit edit;
  edit.SetDate(QDate(2024, 5, 1));
  testing::ScriptedPopups runner([](QDialog& dialog) { qobject_cast<DatePicker*>(&dialog)->PickDate(QDate(2024, 5, 20)); });
  QSignalSpy picked(&edit, &DateEdit::DatePicked);
  edit.PickerButton()->trigger();
  EXPECT_EQ(runner.Runs(), 1);
  EXPECT_EQ(edit.text(), QStringLiteral("2024.05.20"));
  ASSERT_EQ(picked.count(), 1);
  EXPECT_EQ(picked.at(0).at(0).toDate(), QDate(2024, 5, 20));
}

}  // namespace
}  // namespace corvane::platform
