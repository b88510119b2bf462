#include "platform/controls/amount_edit.h"
#include "platform/controls/amount_key_filter.h"

#include <QApplication>
#include <QFocusEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace corvane::platform {
namespace {

struct KeyCase {
  const char* name;
  QString text;
  int selStart;
  int selLength;
  QChar key;
  AmountKeyVerdict verdict;
  AmountKeyRules rules = {};
};

class AmountKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(AmountKeys, FilterDecidesEachKey) {
  const KeyCase& c = GetParam();
  EXPECT_EQ(FilterAmountKey(c.key, c.text, c.selStart, c.selLength, c.rules), c.verdict);
}

using V = AmountKeyVerdict;
const QString kFullBox = QStringLiteral("1234567890123.45");  // 16 characters

INSTANTIATE_TEST_SUITE_P(
    Amount, AmountKeys,
    ::testing::Values(
        KeyCase{"MinusOnEmpty", "", 0, 0, '-', V::Pass},
        KeyCase{"SecondSignAtEnd", "-5", 2, 0, '-', V::Refuse},
        KeyCase{"SecondSignAtStart", "-5", 0, 0, '+', V::Refuse},
        KeyCase{"SignNotAtStart", "5", 1, 0, '-', V::Refuse},
        KeyCase{"SignReplacingEverything", "-5", 0, 2, '-', V::Pass},
        KeyCase{"SignWhenPositiveOnly", "", 0, 0, '-', V::Refuse, {true, 16, 2}},
        KeyCase{"SecondPoint", "1.2", 3, 0, '.', V::Refuse},
        KeyCase{"PointLeavingTwoDecimals", "12345", 3, 0, '.', V::Pass},
        KeyCase{"PointLeavingFourDecimals", "12345", 1, 0, '.', V::Refuse},
        KeyCase{"PointBeforeTheSign", "-5", 0, 0, '.', V::Refuse},
        KeyCase{"PointWithoutDecimals", "12", 2, 0, '.', V::Refuse, {false, 16, 0}},
        KeyCase{"Letter", "1", 1, 0, 'a', V::Refuse},
        KeyCase{"FullWidthDigit", "", 0, 0, QChar(0xFF11), V::Refuse},
        KeyCase{"DigitBeforeTheSign", "-5", 0, 0, '1', V::Refuse},
        KeyCase{"ThirteenthDigitAddsPoint", "123456789012", 12, 0, '3', V::PassThenPoint},
        KeyCase{"ThirteenthDigitInsideTheNumber", "123456789012", 5, 0, '3', V::Pass},
        KeyCase{"FourteenthIntegerDigit", "1234567890123", 13, 0, '4', V::Refuse},
        // The integer part keeps to maxLength - decimals - 1 even once the point is typed.
        KeyCase{"FourteenthIntegerDigitBeforeThePoint", "1234567890123.4", 3, 0, '9', V::Refuse},
        KeyCase{"ThirdDecimalAtEnd", "12.34", 5, 0, '5', V::Refuse},
        KeyCase{"ThirdDecimalRightAfterPoint", "12.34", 3, 0, '5', V::Refuse},
        KeyCase{"DigitIntoIntegerPart", "12.34", 1, 0, '5', V::Pass},
        KeyCase{"DecimalReplacingASelectedOne", "12.34", 4, 1, '5', V::Pass},
        KeyCase{"BackspaceInFullBox", kFullBox, 16, 0, kKeyBackspace, V::Pass},
        KeyCase{"DigitInFullBox", kFullBox, 2, 0, '1', V::Refuse},
        KeyCase{"DigitReplacingInFullBox", kFullBox, 2, 1, '1', V::Pass}),
    [](const auto& info) { return std::string(info.param.name); });

struct TextCase {
  const char* text;
  bool allowed;
  bool positiveOnly = false;
};

class AmountTexts : public ::testing::TestWithParam<TextCase> {};

TEST_P(AmountTexts, WholeTextsArePossibleAmountsOrNot) {
  const TextCase& c = GetParam();
  EXPECT_EQ(IsAmountTextAllowed(QString::fromUtf8(c.text), {c.positiveOnly, 16, 2}), c.allowed) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Amount, AmountTexts,
                         ::testing::Values(TextCase{"1,234.50", true}, TextCase{"-", true}, TextCase{"12.345", false},
                                           TextCase{"1.2.3", false}, TextCase{"12a", false}, TextCase{"+5", false, true},
                                           TextCase{"12345678901234567", false}, TextCase{"5-", false}));

void SendFocus(QWidget* w, QEvent::Type type) {
  QFocusEvent event(type, Qt::TabFocusReason);
  QApplication::sendEvent(w, &event);
}

TEST(AmountEdit, ShowsDisplayFormWhenLeftAndPlainWhileTyping) {
  AmountEdit edit;
  QTest::keyClicks(&edit, QStringLiteral("-12a34-567"));
  EXPECT_EQ(edit.text(), QStringLiteral("-1234567"));
  SendFocus(&edit, QEvent::FocusOut);
  EXPECT_EQ(edit.text(), QStringLiteral("-1,234,567.00"));
  EXPECT_EQ(edit.Value(), Money::FromCents(-123456700));
  SendFocus(&edit, QEvent::FocusIn);
  EXPECT_EQ(edit.text(), QStringLiteral("-1234567.00"));
  edit.insert(QStringLiteral("x9"));
  EXPECT_EQ(edit.text(), QStringLiteral("-1234567.00")) << "pasted text must be an amount";
  edit.setText(QStringLiteral("-"));  // a lone sign is cleared
  SendFocus(&edit, QEvent::FocusOut);
  EXPECT_EQ(edit.text(), QString());
  EXPECT_FALSE(edit.Value().has_value());
}

TEST(AmountEdit, DisplayFormRoundsToTheDecimals) {
  EXPECT_EQ(AmountEdit::FormatAmount(Money::FromRaw(12345678), 0), QStringLiteral("1,235"));
  EXPECT_EQ(AmountEdit::FormatAmount(Money::FromRaw(-12345678), 3), QStringLiteral("-1,234.568"));
  EXPECT_EQ(AmountEdit::FormatAmount(Money::FromRaw(12345678), 2), QStringLiteral("1,234.57"));
}

}  // namespace
}  // namespace corvane::platform
