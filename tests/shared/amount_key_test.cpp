#include "shared/amount_key_filter.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace corvane::shared {
namespace {

struct KeyCase {
  const char* name;
  int key;
  const char* text;
  int selStart;
  int selLength;
  bool passes;
  bool pointFollows = false;
  platform::AmountKeyRules rules = {};
};

// The key handler form on a box holding text with the caret (and selection) given:
// the key comes back or is zeroed, and a point that must follow reaches the box.
// The rule itself is platform::FilterAmountKey's; these are the cases its own
// table leaves out, and what only the key handler form sees.
TEST(FilterAmountKeyTest, DecidesEachKeyForTheBoxAsItStands) {
  const KeyCase cases[] = {
      {"sign in front of the digits", '-', "12", 0, 0, true},
      {"sign when only positive amounts", '-', "", 0, 0, true, false, {true, 16, 2}},
      {"point leaving three decimals", '.', "12345", 2, 0, true},
      {"Chinese character", 0x94F6, "12", 2, 0, true},
      {"key beyond 16 bits", 0x1F600, "12", 2, 0, false},
      {"fifth decimal of four", '5', "1.2345", 6, 0, true, false, {false, 16, 4}},
      {"13th integer digit brings its point", '3', "123456789012", 12, 0, true, true},
      {"with a sign the 12th digit does", '2', "-12345678901", 12, 0, true, true},
      {"13th digit in front brings none", '9', "123456789012", 0, 0, true},
      {"digit over the selected sign", '5', "-12", 0, 1, true},
      {"Backspace in a full box", 8, "1234567890123.45", 16, 0, true},
  };
  for (const KeyCase& c : cases) {
    QLineEdit box(QString::fromLatin1(c.text));
    box.setSelection(c.selStart, c.selLength);
    int key = c.key;
    FilterAmountKey(key, &box, c.rules.positiveOnly, c.rules.maxLength, c.rules.decimals);
    EXPECT_EQ(key, c.passes ? c.key : 0) << c.name;
    QCoreApplication::processEvents();
    EXPECT_EQ(box.text().endsWith(QLatin1Char('.')), c.pointFollows) << c.name;
  }
}

void Type(QLineEdit& box, const char* keys) {
  for (const char* k = keys; *k != 0; ++k) {
    QTest::keyClick(&box, *k);
    QCoreApplication::processEvents();
  }
}

// Only the whole part's room is held to. What a Chinese input method types in
// full-width mode, key by key or committed in one piece, reaches it in ASCII and
// under the same rules.
TEST(AmountKeyFilterTest, FullWidthKeysAndCommittedTextAreTypedInAscii) {
  QLineEdit box;
  new AmountKeyFilter(&box);
  Type(box, "-12a.3-45");
  EXPECT_EQ(box.text(), "-12a.3-45");  // kept whole, for the reader to refuse by name
  box.clear();
  Type(box, "123456789012345");
  EXPECT_EQ(box.text(), "1234567890123.45");  // the point came by itself
  QGuiApplication::clipboard()->setText("99");
  QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(box.text(), "1234567890123.45");
  box.clear();
  for (QChar ch : QString::fromUtf8("－７７．７７７"))
    QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
  EXPECT_EQ(box.text(), "-77.777");  // the third decimal kept, as typed in ASCII
  box.clear();
  QInputMethodEvent commit;
  commit.setCommitString(QString::fromUtf8("１２３。４"));
  QCoreApplication::sendEvent(&box, &commit);
  EXPECT_EQ(box.text(), "123.4");
  int key = 0xFF17;  // "７" in a window's own key handler
  FilterAmountKey(key, &box);
  EXPECT_EQ(key, '7');
}

}  // namespace
}  // namespace corvane::shared
