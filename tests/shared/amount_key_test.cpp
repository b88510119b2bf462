#include "shared/amount_key.h"
#include "shared/amount_key_filter.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <string>

namespace corvane::shared {
namespace {

struct KeyCase {
  std::string name;
  int key;
  QString text;
  int selStart;
  int selLength = 0;
  int expected = 0;  // the key itself when it passes, 0 when refused
  bool queuesPoint = false;
  AmountKeyOptions options = {};
};

void Check(const KeyCase& c) {
  const AmountKeyVerdict v = FilterAmountKey(c.key, {c.text, c.selStart, c.selLength}, c.options);
  EXPECT_EQ(v.keyAscii, c.expected) << c.name;
  EXPECT_EQ(v.queueDecimalPoint, c.queuesPoint) << c.name;
}

AmountKeyOptions PositiveOnly() { return {true, 16, 2}; }
AmountKeyOptions FourDecimals() { return {false, 16, 4}; }

TEST(AmountKeyTest, SignsAndPoints) {
  const KeyCase cases[] = {
      {"minus on an empty box", '-', "", 0, 0, '-'},
      {"plus on an empty box", '+', "", 0, 0, '+'},
      {"second sign", '-', "-", 1, 0, 0},
      {"sign after the digits", '-', "12", 2, 0, 0},
      {"sign in front of digits", '-', "12", 0, 0, '-'},
      {"sign when only positive amounts", '-', "", 0, 0, 0, false, PositiveOnly()},
      {"first point", '.', "12", 2, 0, '.'},
      {"second point", '.', "1.2", 3, 0, 0},
      {"letter", 'a', "12", 2, 0, 0},
      {"comma", ',', "12", 2, 0, 0},
      {"Chinese character", 0x94F6, "12", 2, 0, 0},
      {"blank", ' ', "", 0, 0, 0},
  };
  for (const KeyCase& c : cases) Check(c);
}

TEST(AmountKeyTest, DigitsAndDecimals) {
  const KeyCase cases[] = {
      {"digit on an empty box", '7', "", 0, 0, '7'},
      {"third decimal at the end", '5', "12.34", 5, 0, 0},
      {"digit into the integer part", '5', "12.34", 1, 0, '5'},
      {"digit over a selected decimal", '5', "12.34", 4, 1, '5'},
      {"second decimal", '5', "12.3", 4, 0, '5'},
      {"fourth decimal of four", '5', "1.234", 5, 0, '5', false, FourDecimals()},
      {"fifth decimal of four", '5', "1.2345", 6, 0, 0, false, FourDecimals()},
      {"13th integer digit brings its point", '3', "123456789012", 12, 0, '3', true},
      {"with a sign the 12th digit does", '2', "-12345678901", 12, 0, '2', true},
      {"12th digit brings none", '2', "12345678901", 11, 0, '2'},
  };
  for (const KeyCase& c : cases) Check(c);
}

TEST(AmountKeyTest, EditingKeysPassEvenInAFullBox) {
  const QString full = "1234567890123.45";
  for (int key : {kKeyBackspace, kKeyEnter, kKeyEscape}) {
    Check({"editing key " + std::to_string(key), key, full, 16, 0, key});
  }
  Check({"point in a full box", '.', full, 16, 0, 0});
  Check({"digit in a full box", '1', full, 0, 0, 0});
}

// Typing that the suite's boxes let through although the text is then no amount, or
// an amount too large to keep.
TEST(AmountKeyTest, KeysThatWouldSpoilTheAmount) {
  const KeyCase cases[] = {
      {"digit in front of the sign", '5', "-12", 0, 0, 0},
      {"point in front of the sign", '.', "-12", 0, 0, 0},
      {"digit over the selected sign", '5', "-12", 0, 1, '5'},
      {"14th integer digit in front", '9', "1234567890123", 0, 0, 0},
      {"14th integer digit before the point", '9', "1234567890123.4", 3, 0, 0},
      {"13th digit in front brings no point", '9', "123456789012", 0, 0, '9'},
      {"point leaving three decimals", '.', "12345", 2, 0, 0},
      {"point leaving two decimals", '.', "12345", 3, 0, '.'},
  };
  for (const KeyCase& c : cases) Check(c);
}

void Type(QLineEdit& box, const QString& keys) {
  for (const QChar key : keys) {
    QTest::keyClick(&box, key.toLatin1());
    QCoreApplication::processEvents();
  }
}

TEST(AmountKeyFilterTest, BoxTakesOnlyWhatAnAmountMayHold) {
  QLineEdit box;
  new AmountKeyFilter(&box);
  Type(box, "-12a.3-45");
  EXPECT_EQ(box.text(), "-12.34");
}

TEST(AmountKeyFilterTest, PointFollowsTheLastIntegerDigit) {
  QLineEdit box;
  new AmountKeyFilter(&box);
  Type(box, "123456789012345");
  EXPECT_EQ(box.text(), "1234567890123.45");
  QTest::keyClick(&box, Qt::Key_Backspace);
  EXPECT_EQ(box.text(), "1234567890123.4");
}

TEST(AmountKeyFilterTest, PasteIsRefusedAndNavigationPasses) {
  QLineEdit box;
  new AmountKeyFilter(&box);
  box.setText("12");
  QGuiApplication::clipboard()->setText("99");
  QTest::keyClick(&box, Qt::Key_Home);
  EXPECT_EQ(box.cursorPosition(), 0);
  QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(box.text(), "12");
}

TEST(AmountKeyFilterTest, KeyHandlerFormZeroesARefusedKey) {
  QLineEdit box;
  box.setText("1.23");
  box.setCursorPosition(4);
  int key = '4';
  FilterAmountKey(key, &box);
  EXPECT_EQ(key, 0);
  key = '4';
  FilterAmountKey(key, &box, false, 16, 3);
  EXPECT_EQ(key, '4');
}

}  // namespace
}  // namespace corvane::shared
