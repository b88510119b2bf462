#include "platform/controls/amount_edit.h"
#include "platform/controls/amount_key_filter.h"
#include "platform/controls/amount_reader.h"
#include "platform/controls/date_text.h"
#include "platform/controls/typed_value.h"

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

// Only a digit of the whole part is refused for want of room; every other key goes
// in, for the reader to refuse the text by name rather than leave another number.
INSTANTIATE_TEST_SUITE_P(
    Amount, AmountKeys,
    ::testing::Values(
        KeyCase{"MinusOnEmpty", "", 0, 0, '-', V::Pass},
        KeyCase{"SecondSignAtEnd", "-5", 2, 0, '-', V::Pass},
        KeyCase{"SecondSignAtStart", "-5", 0, 0, '+', V::Pass},
        KeyCase{"SignNotAtStart", "5", 1, 0, '-', V::Pass},
        KeyCase{"SignReplacingEverything", "-5", 0, 2, '-', V::Pass},
        KeyCase{"SignWhenPositiveOnly", "", 0, 0, '-', V::Pass, {true, 16, 2}},
        KeyCase{"SecondPoint", "1.2", 3, 0, '.', V::Pass},
        KeyCase{"PointLeavingTwoDecimals", "12345", 3, 0, '.', V::Pass},
        KeyCase{"PointLeavingFourDecimals", "12345", 1, 0, '.', V::Pass},
        KeyCase{"PointBeforeTheSign", "-5", 0, 0, '.', V::Pass},
        KeyCase{"PointWithoutDecimals", "12", 2, 0, '.', V::Pass, {false, 16, 0}},
        KeyCase{"Letter", "1", 1, 0, 'a', V::Pass},
        KeyCase{"FullWidthDigit", "", 0, 0, QChar(0xFF11), V::Pass},
        KeyCase{"DigitBeforeTheSign", "-5", 0, 0, '1', V::Pass},
        KeyCase{"ThirteenthDigitAddsPoint", "123456789012", 12, 0, '3', V::PassThenPoint},
        KeyCase{"ThirteenthDigitInsideTheNumber", "123456789012", 5, 0, '3', V::Pass},
        KeyCase{"FourteenthIntegerDigit", "1234567890123", 13, 0, '4', V::Refuse},
        // The integer part keeps to maxLength - decimals - 1 even once the point is typed.
        KeyCase{"FourteenthIntegerDigitBeforeThePoint", "1234567890123.4", 3, 0, '9', V::Refuse},
        KeyCase{"ThirdDecimalAtEnd", "12.34", 5, 0, '5', V::Pass},
        KeyCase{"ThirdDecimalRightAfterPoint", "12.34", 3, 0, '5', V::Pass},
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
  EXPECT_EQ(edit.text(), QStringLiteral("-12a34-567"));  // kept for the reader to refuse
  EXPECT_EQ(edit.Reading().refusal, AmountRefusal::Format);
  edit.setText(QStringLiteral("-1234567"));
  SendFocus(&edit, QEvent::FocusOut);
  EXPECT_EQ(edit.text(), QStringLiteral("-1,234,567.00"));
  EXPECT_EQ(edit.Value(), Money::FromCents(-123456700));
  SendFocus(&edit, QEvent::FocusIn);
  EXPECT_EQ(edit.text(), QStringLiteral("-1234567.00"));
  edit.insert(QStringLiteral("x9"));  // over the text the Tab selected
  EXPECT_EQ(edit.text(), QStringLiteral("x9")) << "pasted text goes in as typed text does";
  EXPECT_FALSE(edit.Value().has_value());
  edit.setText(QStringLiteral("-"));  // a lone sign is cleared
  SendFocus(&edit, QEvent::FocusOut);
  EXPECT_EQ(edit.text(), QString());
  EXPECT_FALSE(edit.Value().has_value());
}

// What a clerk types or pastes, through the one reader of each kind. A text that
// cannot be read as meant is refused with its reason, never read as another value.
TEST(TypedReaders, OneTextOneAnswer) {
  using R = AmountRefusal;
  const std::pair<const char*, AmountReading> amounts[] = {
      {"12,5", {{}, R::Separator}},           {"１２，５", {{}, R::Separator}},   {"1 234,56", {{}, R::Separator}},
      {"1.234,56", {{}, R::Separator}},       {"1e5", {{}, R::Format}},           {"abc", {{}, R::Format}},
      {"12.345", {{}, R::Decimals}},          {" ", {{}, R::Empty}},              {"99999999999999999", {{}, R::Range}},
      {"(100", {{}, R::Format}},              {"100)", {{}, R::Format}},          {"(100.00)", {Money::FromCents(-10000), R::None}},
      {"（１００．００）", {Money::FromCents(-10000), R::None}},
      {"１２３４．５６", {Money::FromCents(123456), R::None}}, {"1,234.56", {Money::FromCents(123456), R::None}},
      {"－１２。５", {Money::FromCents(-1250), R::None}},   {"１２５", {Money::FromCents(12500), R::None}},
      {"123,456.78", {Money::FromCents(12345678), R::None}}, {"1234,567", {{}, R::Separator}},
  };
  for (const auto& [text, read] : amounts) {
    const AmountReading r = ReadAmount(QString::fromUtf8(text));
    EXPECT_EQ(std::pair(r.value, r.refusal), std::pair(read.value, read.refusal)) << text;
  }
  const std::pair<const char*, std::optional<QDate>> dates[] = {
      {"2026-12-01", QDate(2026, 12, 1)}, {"２０２６．１２．０１", QDate(2026, 12, 1)}, {"20261201", QDate(2026, 12, 1)},
      {"2026.02.30", {}}, {"26.12.01", {}}, {"0100.01.01", {}}, {"2026.12.01x", {}}};
  for (const auto& [text, date] : dates) EXPECT_EQ(DateText::Parse(QString::fromUtf8(text)), date) << text;
  const std::tuple<const char*, bool, std::optional<qint64>> numbers[] = {
      {"３０", false, 30}, {"１２", false, 12}, {"abc30", true, {}}, {"3O", true, {}}, {"30天", true, {}},
      {"1e5", false, {}},  {"2.5", false, {}},  {"2.5", true, 2},   {"-３.５", true, -4}, {"", true, {}}};
  for (const auto& [text, round, number] : numbers) EXPECT_EQ(ReadWholeNumber(QString::fromUtf8(text), round), number) << text;
  EXPECT_EQ(ReadCode(QString::fromUtf8(" ２０３　")), QStringLiteral("203"));
}

TEST(AmountEdit, DisplayFormRoundsToTheDecimals) {
  EXPECT_EQ(AmountEdit::FormatAmount(Money::FromRaw(12345678), 0), QStringLiteral("1,235"));
  EXPECT_EQ(AmountEdit::FormatAmount(Money::FromRaw(-12345678), 3), QStringLiteral("-1,234.568"));
  EXPECT_EQ(AmountEdit::FormatAmount(Money::FromRaw(12345678), 2), QStringLiteral("1,234.57"));
}

}  // namespace
}  // namespace corvane::platform
