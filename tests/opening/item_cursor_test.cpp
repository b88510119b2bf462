#include "opening/frm_qyfqc.h"
#include "opening_fixture.h"
#include "platform/controls/entry_grid.h"
#include "support/user_typing.h"

#include <QCoreApplication>
#include <QLineEdit>

namespace corvane::opening {
namespace {

// The item windows key their lines in the statement window's grid editor: a date
// the window refuses (an opening item is dated before the start date, 2026-03-01)
// keeps the cursor in the date cell however the user ended its edit, so the same
// date typed again is checked again and lands in no other column.
class ItemCursorTest : public testing::OpeningWindowTest {
 protected:
  void RefusedDateTypedAgain(OpeningItemWindow& w, int dateCol, int amountCol) {
    const struct {
      const char* name;
      std::function<void(platform::EntryGrid&)> end;
    } cases[] = {{"Tab", [](platform::EntryGrid& g) { QTest::keyClick(g.ActiveEditor(), Qt::Key_Tab); }},
                 {"ClickOnTheAmount", [amountCol](platform::EntryGrid& g) { corvane::testing::ClickCell(g, amountCol); }}};
    platform::EntryGrid* g = w.MsGrid1();
    ASSERT_TRUE(corvane::testing::ShowActive(w));
    w.AddRow();
    const int row = g->Rows() - 1;
    const std::vector<QString> before = w.RowCells(row);
    for (const auto& c : cases) {
      SCOPED_TRACE(c.name);
      session_.Messages().Clear();
      g->SetCurrentCell(row, dateCol);
      ASSERT_TRUE(g->StartEdit(row, dateCol));
      auto* line = qobject_cast<QLineEdit*>(g->ActiveEditor());
      ASSERT_NE(line, nullptr);
      line->setText(QStringLiteral("2026.03.05"));
      c.end(*g);
      QCoreApplication::processEvents();
      EXPECT_EQ((std::pair{g->Row(), g->Col()}), (std::pair{row, dateCol}));
      ASSERT_TRUE(corvane::testing::TypeAsUser(QStringLiteral("2026.03.05")));
      ASSERT_EQ(session_.Messages().Count(), 2);
      EXPECT_FALSE(session_.Messages().Shown()[0].prompt.isEmpty());
      EXPECT_EQ(session_.Messages().Shown()[1].prompt, session_.Messages().Shown()[0].prompt);
      EXPECT_EQ(w.RowCells(row), before);
    }
    w.Editor()->DiscardCurrentRow();
  }
};

TEST_P(ItemCursorTest, EnterpriseItems) {
  OpenItems<frmQYFQC>([&](frmQYFQC& w) { RefusedDateTypedAgain(w, kQyDate, kQyDebit); });
}

TEST_P(ItemCursorTest, BankItems) {
  OpenItems<frmYHFQC>([&](frmYHFQC& w) { RefusedDateTypedAgain(w, kYhDate, kYhDebit); });
}

INSTANTIATE_TEST_SUITE_P(Modes, ItemCursorTest, ::testing::Bool(), testing::ModeName);

}  // namespace
}  // namespace corvane::opening
