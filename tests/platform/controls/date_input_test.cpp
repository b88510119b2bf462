#include "platform/controls/date_picker.h"
#include "support/scripted_dialogs.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace corvane::platform {
namespace {

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
  corvane::testing::ScriptedModals runner;
  runner.Then([&](QDialog& dialog) {
    auto* picker = qobject_cast<DatePicker*>(&dialog);
    ASSERT_NE(picker, nullptr);
    preselected = picker->Calendar()->selectedDate();
    if (c.picked.isValid()) picker->PickDate(c.picked);
  });
  EXPECT_EQ(DatePicker::PopupUnder(box), c.picked.isValid());
  EXPECT_EQ(runner.Count(), 1);
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

}  // namespace
}  // namespace corvane::platform
