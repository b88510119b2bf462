#include "platform/controls/amount_edit.h"
#include "platform/controls/calculator_engine.h"
#include "platform/controls/calculator_popup.h"
#include "platform/controls/date_picker.h"
#include "support/scripted_dialogs.h"

#include <QCalendarWidget>
#include <QCoreApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>

namespace corvane::platform {
namespace {

struct CalcCase {
  const char* name;
  double start;
  const char* keys;
  const char* display;
  bool error = false;
};

class CalculatorSequences : public ::testing::TestWithParam<CalcCase> {};

TEST_P(CalculatorSequences, KeysGiveTheDisplay) {
  const CalcCase& c = GetParam();
  CalculatorEngine engine;
  engine.Start(c.start);
  for (const QChar key : QString::fromLatin1(c.keys)) EXPECT_TRUE(engine.Press(key)) << key.toLatin1();
  EXPECT_EQ(engine.Display(), QString::fromLatin1(c.display));
  EXPECT_EQ(engine.HasError(), c.error);
  if (!c.error) {
    EXPECT_NEAR(engine.Value(), QString::fromLatin1(c.display).toDouble(), 1e-9);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Calculator, CalculatorSequences,
    ::testing::Values(CalcCase{"LeftToRight", 0, "2+3*4=", "20"},
                      CalcCase{"StartsFromTheValue", 1234.5, "+0.5=", "1235"},
                      CalcCase{"DigitReplacesTheStartValue", 1234.5, "7", "7"},
                      CalcCase{"BackDropsADigit", 0, "123B", "12"},
                      CalcCase{"BackToNothingShowsZero", 0, "1B", "0"},
                      CalcCase{"BackLeavesAResultAlone", 0, "2+3=B", "5"},
                      CalcCase{"ClearStartsOver", 0, "5+5C2=", "2"},
                      CalcCase{"SecondOperatorReplacesTheFirst", 0, "5+-3=", "2"},
                      CalcCase{"EqualsReusesTheShownValue", 0, "5+=", "10"},
                      CalcCase{"DecimalsWithoutNoise", 0, "0.1+0.2=", "0.3"},
                      CalcCase{"LeadingPoint", 0, ".5*4=", "2"},
                      CalcCase{"NegativeResult", 0, "3-5=", "-2"},
                      CalcCase{"Division", 0, "1/3=", "0.3333333333"},
                      CalcCase{"ChainedWithoutEquals", 0, "10/4*2", "2"},
                      CalcCase{"DivisionByZero", 0, "5/0=", "E", true},
                      CalcCase{"ErrorHoldsUntilCleared", 0, "5/0=7+1=", "E", true},
                      CalcCase{"ClearedAfterError", 0, "5/0=C8", "8"},
                      CalcCase{"TooLarge", 0, "99999999*99999999=", "E", true}),
    [](const auto& info) { return std::string(info.param.name); });

// Drives the pop-up that PopupUnder opens: checks where it starts, presses keys.
struct PopupCase {
  const char* name;
  bool amountBox;
  const char* before;
  const char* keys;  // "!" accepts; without it the pop-up is closed as by Esc
  const char* startDisplay;
  const char* after;
  bool written;
};

class CalculatorRound : public ::testing::TestWithParam<PopupCase> {};

TEST_P(CalculatorRound, ResultGoesBackIntoTheBox) {
  const PopupCase& c = GetParam();
  QWidget window;
  QLineEdit* box = c.amountBox ? new AmountEdit(&window) : new QLineEdit(&window);
  box->setText(QString::fromLatin1(c.before));
  QString startDisplay;
  corvane::testing::ScriptedModals runner;
  runner.Then([&](QDialog& dialog) {
    auto* popup = qobject_cast<CalculatorPopup*>(&dialog);
    ASSERT_NE(popup, nullptr);
    startDisplay = popup->Display();
    for (const QChar key : QString::fromLatin1(c.keys)) {
      if (key == QLatin1Char('!')) popup->AcceptResult();
      else popup->Press(QString(key));
    }
  });
  EXPECT_EQ(CalculatorPopup::PopupUnder(box), c.written);
  EXPECT_EQ(runner.Count(), 1);
  EXPECT_EQ(startDisplay, QString::fromLatin1(c.startDisplay));
  EXPECT_EQ(box->text(), QString::fromLatin1(c.after));
}

INSTANTIATE_TEST_SUITE_P(
    Calculator, CalculatorRound,
    ::testing::Values(PopupCase{"SeparatorsDoNotCutTheAmount", false, "1,234.50", "+10!", "1234.5", "1244.5", true},
                      PopupCase{"AmountBoxShowsDisplayForm", true, "1,234.50", "*2!", "1234.5", "2,469.00", true},
                      PopupCase{"PendingOperationIsWorkedOut", false, "8", "/4!", "8", "2", true},
                      PopupCase{"EmptyBoxStartsAtZero", false, "", "5!", "0", "5", true},
                      PopupCase{"ClosedWithoutOk", false, "1,234.50", "+10", "1234.5", "1,234.50", false},
                      PopupCase{"ErrorWritesNothing", false, "9", "/0!", "9", "9", false}),
    [](const auto& info) { return std::string(info.param.name); });


// The accept key speaks the session's language, as Qt's own OK buttons do; the
// other keys are signs and digits, the same in every language.
TEST(CalculatorFace, AcceptKeyFollowsTheSessionLanguage) {
  struct Case { const char* locale; const char* accept; };
  const Case cases[] = {{"zh_CN", "确定"}, {"en_US", "OK"}};
  for (const Case& c : cases) {
    QTranslator translator;
    const bool chinese = QLatin1String(c.locale) == QLatin1String("zh_CN");
    if (chinese) {
      ASSERT_TRUE(translator.load(QLocale(QString::fromLatin1(c.locale)), QStringLiteral("qtbase"), QStringLiteral("_"),
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
      QCoreApplication::installTranslator(&translator);
    }
    CalculatorPopup popup;
    popup.adjustSize();
    const QRect display = popup.findChild<QLabel*>()->geometry();
    QStringList captions;
    for (const QPushButton* button : popup.findChildren<QPushButton*>()) {
      captions << button->text();
      EXPECT_GT(button->geometry().top(), display.bottom()) << "the keys sit below the display";
    }
    if (chinese) QCoreApplication::removeTranslator(&translator);
    EXPECT_EQ(captions.size(), 20) << c.locale;
    EXPECT_TRUE(captions.contains(QString::fromUtf8(c.accept))) << c.locale << " " << captions.join(' ').toStdString();
    for (const char* sign : {"C", "=", "00", "7"})
      EXPECT_TRUE(captions.contains(QString::fromLatin1(sign))) << c.locale << " " << sign;
  }
}

// The date picker, run as the calculator is.
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
