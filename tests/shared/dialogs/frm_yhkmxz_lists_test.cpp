#include "selection_fixture.h"

#include <QComboBox>
#include <QPushButton>

namespace corvane::testing {
namespace {

using shared::frmYHKMXZ;

QStringList Entries(const QComboBox* combo) {
  QStringList entries;
  for (int i = 0; i < combo->count(); ++i) entries.push_back(combo->itemText(i));
  return entries;
}

QStringList Codes(const QComboBox* combo) {
  QStringList codes;
  for (int i = 0; i < combo->count(); ++i) codes.push_back(combo->itemData(i).toString());
  return codes;
}

TEST_F(SelectionTest, AccountListTakesLeafBankAccountsInCodeOrder) {
  AddAccount(QStringLiteral("100202"), QStringLiteral("建设银行"));
  AddAccount(QStringLiteral("1002"), QStringLiteral("银行存款"), 1, 0);
  AddAccount(QStringLiteral("100201"), QStringLiteral("工商银行"));
  AddAccount(QStringLiteral("1001"), QStringLiteral("库存现金"), 0, 1);
  frmYHKMXZ& d = Dialog();
  EXPECT_EQ(d.PrepareForOpening(), 2);
  EXPECT_EQ(Entries(d.Combo1()), (QStringList{"工商银行(100201)", "建设银行(100202)"}));
  EXPECT_EQ(Codes(d.Combo1()), (QStringList{"100201", "100202"}));
  EXPECT_EQ(d.Combo1()->currentIndex(), 0);
  // A second preparation lists them afresh, not twice.
  EXPECT_EQ(d.PrepareForQuery(), 2);
}

TEST_F(SelectionTest, RightsListLimitsTheReconciliationAccounts) {
  AddAccount(QStringLiteral("100201"), QStringLiteral("工商银行"));
  AddAccount(QStringLiteral("100202"), QStringLiteral("建设银行"));
  AddAccount(QStringLiteral("100203"), QStringLiteral("农业银行"));
  AddAccount(QStringLiteral("19'04"), QStringLiteral("引号户"));
  struct Case {
    const char* allowed;
    QStringList codes;
  };
  const Case cases[] = {
      {"", {"100201", "100202", "100203", "19'04"}},
      {"  ", {"100201", "100202", "100203", "19'04"}},
      {"'100201','100203'", {"100201", "100203"}},
      {"100202", {"100202"}},
      {" N'100203' , '100201' ", {"100201", "100203"}},
      {"19'04", {"19'04"}},
      {"'100201') or (1=1", {}},
      {",", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.allowed);
    frmYHKMXZ& d = Dialog();
    EXPECT_EQ(d.PrepareForReconciliation(QString::fromUtf8(c.allowed)), c.codes.size());
    EXPECT_EQ(Codes(d.Combo1()), c.codes);
  }
}

TEST_F(SelectionTest, BookListTakesOpenedBankBooksThatAreNotClosed) {
  UseBookMode();
  AddBook(QStringLiteral("B02"), QStringLiteral("一般户"), QStringLiteral("100202"));
  AddBook(QStringLiteral("B01"), QStringLiteral("基本户"), QStringLiteral("100201"));
  AddBook(QStringLiteral("C01"), QStringLiteral("现金日记账"), QStringLiteral("1001"), 1);
  AddBook(QStringLiteral("B03"), QStringLiteral("未启用"), QStringLiteral("100203"), 2, false);
  AddBook(QStringLiteral("B04"), QStringLiteral("已销户"), QStringLiteral("100204"), 2, true, true);
  frmYHKMXZ& d = Dialog();
  EXPECT_EQ(d.PrepareForReconciliation(QStringLiteral("'100201'")), 2);  // rights lists are for accounts
  EXPECT_EQ(Entries(d.cmbBook()), (QStringList{"基本户(B01)", "一般户(B02)"}));
  EXPECT_EQ(Entries(d.cmbBookCode()), (QStringList{"B01", "B02"}));
  EXPECT_EQ(d.cmbBook()->currentIndex(), 0);
  EXPECT_EQ(d.ChosenBookCode(), "B01");
}

TEST_F(SelectionTest, EmptyBookListLeavesNoEarlierBookChosen) {
  UseBookMode();
  AddBook(QStringLiteral("B01"), QStringLiteral("基本户"), QStringLiteral("100201"));
  frmYHKMXZ& d = Dialog();
  d.PrepareForQuery();
  EXPECT_EQ(d.ChosenBookCode(), "B01");
  db->Connection().Execute(QStringLiteral("delete from RP_Book"));
  EXPECT_EQ(d.PrepareForQuery(), 0);
  EXPECT_EQ(d.ChosenBookCode(), "");
  modals.Then([](QDialog& dialog) { Child<QPushButton>(dialog, QStringLiteral("Command1"))->click(); });
  EXPECT_FALSE(d.ShowModal());
}

}  // namespace
}  // namespace corvane::testing
