#include "shared/form_lookup.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

namespace corvane::shared {
namespace {

TEST(FormLookupTest, FindsAWindowByCaptionWhateverTheLetterCase) {
  auto statement = std::make_unique<QWidget>();
  statement->setWindowTitle("Bank Statement");
  auto reconciliation = std::make_unique<QWidget>();
  reconciliation->setWindowTitle(QString::fromUtf8("银行对账"));
  reconciliation->show();

  EXPECT_EQ(FindOpenForm("BANK statement"), statement.get());  // hidden, yet loaded
  EXPECT_EQ(FindOpenForm(QString::fromUtf8("银行对账")), reconciliation.get());
  EXPECT_TRUE(IsFormOpen("bank statement"));
  EXPECT_FALSE(IsFormOpen("Bank Statements"));
  statement.reset();
  EXPECT_FALSE(IsFormOpen("Bank Statement"));
}

TEST(FormLookupTest, BlankCaptionFindsNothingAmongUntitledWindows) {
  auto untitled = std::make_unique<QWidget>();
  untitled->show();
  EXPECT_FALSE(IsFormOpen(""));
  EXPECT_FALSE(IsFormOpen("  "));
}

}  // namespace
}  // namespace corvane::shared
