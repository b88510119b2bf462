#include "shared/form_lookup.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

namespace corvane::shared {
namespace {

TEST(FormLookupTest, FindsALoadedWindowByCaptionWhateverTheLetterCase) {
  auto statement = std::make_unique<QWidget>();  // loaded, not shown
  statement->setWindowTitle("Bank Statement");
  QWidget untitled;
  untitled.show();
  EXPECT_EQ(FindOpenForm("BANK statement"), statement.get());
  EXPECT_FALSE(IsFormOpen("Bank Statements"));
  EXPECT_FALSE(IsFormOpen("  "));  // not the untitled window
  statement.reset();
  EXPECT_FALSE(IsFormOpen("Bank Statement"));
}

}  // namespace
}  // namespace corvane::shared
