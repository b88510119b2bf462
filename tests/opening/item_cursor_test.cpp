#include "opening/frm_qyfqc.h"
#include "opening_fixture.h"
#include "platform/controls/entry_grid.h"
#include "shared/messages.h"
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

  struct KeyCase {
    const char* name;
    std::vector<std::pair<int, QString>> typed;  // cell and keys, before the button
    const char* button;
    QStringList shown;  // prompts
    int named;          // the column of the last row the next keys go to
    QString next, kept;
  };

  // After a refusal of the cell or row check, and after the toolbar's Add, the
  // keyboard is on the grid at the cell named, so what the user types next goes
  // there. Each case types into cells of a new row, leaving the last edit open,
  // then clicks a toolbar button; every box gets its default answer: OK, and
  // "stay" to the discard question. However the last cell was left, a line keyed
  // is stored before Add or Exit (the last case).
  void TypingGoesToTheCellNamed(OpeningItemWindow& w, const std::vector<KeyCase>& cases) {
    platform::EntryGrid* g = w.MsGrid1();
    ASSERT_TRUE(corvane::testing::ShowActive(w));
    for (const KeyCase& c : cases) {
      SCOPED_TRACE(c.name);
      if (!c.typed.empty()) w.AddRow();
      for (size_t i = 0; i < c.typed.size(); ++i) {
        g->SetCurrentCell(g->Rows() - 1, c.typed[i].first);
        g->setFocus();
        const QString& keys = c.typed[i].second;
        ASSERT_TRUE(i + 1 < c.typed.size() ? corvane::testing::TypeAsUser(keys) : corvane::testing::TypeKeys(keys));
      }
      session_.Messages().Clear();
      ASSERT_TRUE(corvane::testing::ClickToolButton(*w.Toolbar(), QString::fromLatin1(c.button)));
      QStringList shown;
      for (const auto& m : session_.Messages().Shown()) shown << m.prompt;
      EXPECT_EQ(shown, c.shown);
      EXPECT_EQ(w.isVisible(), qstrcmp(c.button, "exit") != 0);
      if (!w.isVisible()) return;
      const int row = g->Rows() - 1;
      EXPECT_EQ((std::pair{g->Row(), g->Col()}), (std::pair{row, c.named}));
      ASSERT_TRUE(corvane::testing::TypeAsUser(c.next));
      EXPECT_EQ(g->TextMatrix(row, c.named), c.kept);
      if (g->IsEditing()) g->CancelEdit();
      w.Editor()->DiscardCurrentRow();
    }
  }
};

TEST_P(ItemCursorTest, EnterpriseItems) {
  OpenItems<frmQYFQC>([&](frmQYFQC& w) { RefusedDateTypedAgain(w, kQyDate, kQyDebit); });
}

TEST_P(ItemCursorTest, BankItems) {
  OpenItems<frmYHFQC>([&](frmYHFQC& w) { RefusedDateTypedAgain(w, kYhDate, kYhDebit); });
}

TEST_P(ItemCursorTest, EnterpriseItemsTypingAfterARefusalOrAdd) {
  const QString noAmount = testing::Cash("00090"), discard = shared::GetResString(QStringLiteral("corvane.grid.discardrow"));
  const QString undated = Book() ? shared::GetResString(QStringLiteral("corvane.opening.flowdateempty")) : testing::Cash("00094");
  const QString date = QStringLiteral("2026.02.20");
  // A voucher number is stored as the number it begins with, which the cell then shows.
  std::vector<KeyCase> voucher;
  if (!Book())
    voucher.push_back({"SaveAVoucherNumberWithoutANumber", {{kQyDate, date}, {kQyDebit, "75"}, {kQyNo, "EMPTY"}}, "save",
                       {shared::GetResString(QStringLiteral("corvane.opening.voucherno"), QStringLiteral("EMPTY")), discard},
                       kQyNo, "12a", "12"});
  OpenItems<frmQYFQC>([&](frmQYFQC& w) {
    TypingGoesToTheCellNamed(w, voucher);
    TypingGoesToTheCellNamed(
        w, {{"Add", {}, "add", {}, kQyDate, date, date},
            {"SaveWithoutAmount", {{kQyDate, date}}, "save", {noAmount, discard}, kQyDebit, "75", "75.00"},
            {"SaveUndated", {{kQyDebit, "75"}}, "save", {undated, discard}, kQyDate, date, date},
            {"SaveABillDateAfterTheDate", {{kQyDate, date}, {kQyDebit, "75"}, {kQyBillDate, "2026.02.25"}}, "save",
             {testing::Cash("00092"), discard}, kQyBillDate, "2026.02.19", "2026.02.19"},
            {"AddAfterEnterAndEsc", {{kQyDate, date}, {kQyDebit, "10\r\x1b"}}, "add", {}, kQyDate, date, date},
            {"AddWithTheNextEditorOpen", {{kQyDate, date}, {kQyDebit, "10\r"}}, "add", {}, kQyDate, date, date},
            {"ExitAfterTabAndEsc", {{kQyDate, date}, {kQyDebit, "10\t\x1b"}}, "exit", {}, 0, "", ""}});
  });
  EXPECT_EQ(fx_.Count(fx_.JournalTable(), QStringLiteral("iperiod=21 and md=?"), {platform::Money::FromCents(1000)}), 3);
}

TEST_P(ItemCursorTest, BankItemsTypingAfterARefusalOrAdd) {
  const QString date = QStringLiteral("2026.02.20"), discard = shared::GetResString(QStringLiteral("corvane.grid.discardrow"));
  OpenItems<frmYHFQC>([&](frmYHFQC& w) {
    TypingGoesToTheCellNamed(
        w, {{"Add", {}, "add", {}, kYhDate, date, date},
            {"SaveWithoutAmount", {{kYhDate, date}}, "save", {testing::Cash("00090"), discard}, kYhDebit, "75", "75.00"},
            {"SaveUndated", {{kYhDebit, "75"}}, "save", {testing::Cash("00652"), discard}, kYhDate, date, date},
            {"SaveADateOnTheStart", {{kYhDate, "2026.03.01"}}, "save", {testing::Cash("00865"), discard}, kYhDate, date, date},
            {"AddAfterEnterAndEsc", {{kYhDate, date}, {kYhDebit, "10\r\x1b"}}, "add", {}, kYhDate, date, date},
            {"AddWithTheNextEditorOpen", {{kYhDate, date}, {kYhDebit, "10\r"}}, "add", {}, kYhDate, date, date},
            {"ExitAfterTabAndEsc", {{kYhDate, date}, {kYhDebit, "10\t\x1b"}}, "exit", {}, 0, "", ""}});
  });
  EXPECT_EQ(fx_.Count(fx_.StatementTable(), QStringLiteral("mmoney=?"), {platform::Money::FromCents(1000)}), 3);
}

INSTANTIATE_TEST_SUITE_P(Modes, ItemCursorTest, ::testing::Bool(), testing::ModeName);

}  // namespace
}  // namespace corvane::opening
