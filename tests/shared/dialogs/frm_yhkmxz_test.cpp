#include "../session_fakes.h"

#include "shared/frm_yhkmxz.h"
#include "test_database.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include <functional>
#include <memory>

namespace corvane::testing {
namespace {

using shared::frmYHKMXZ;
using Prepare = std::function<int(frmYHKMXZ&)>;

const std::map<std::string, Prepare> kPrepares = {
    {"opening", [](frmYHKMXZ& d) { return d.PrepareForOpening(); }},
    {"statement", [](frmYHKMXZ& d) { return d.PrepareForStatement(); }},
    {"reconciliation", [](frmYHKMXZ& d) { return d.PrepareForReconciliation(); }},
    {"query", [](frmYHKMXZ& d) { return d.PrepareForQuery(); }},
};

QStringList Codes(const QComboBox* combo) {
  QStringList codes;
  for (int i = 0; i < combo->count(); ++i) codes.push_back(combo->itemData(i).toString());
  return codes;
}

void Click(QDialog& d, const char* button) { Child<QPushButton>(d, button)->click(); }
void Choose(QDialog& d, const char* combo, int index) { Child<QComboBox>(d, combo)->setCurrentIndex(index); }

// The selection dialog over a test database holding three bank accounts and, in
// the books table and the cash services, two bank books.
class SelectionTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    common->connection = &db_.Connection();
    AddAccount("100201", "工商银行");
    AddAccount("100202", "建设银行(东城)");
    AddAccount("100203", "农业银行");
    AddBook("B01", "基本户", "100201");
    AddBook("B02", "美元户", "100203");
  }
  void AddAccount(const QString& code, const QString& name, int be = 1, int bend = 1) {
    db_.Connection().Execute("insert into code (ccode, ccode_name, be, bend) values (?,?,?,?)", {code, name, be, bend});
  }
  void AddBook(const QString& code, const QString& name, const QString& account, int type = 2, bool opened = true,
               bool closed = false) {
    db_.Connection().Execute(
        "insert into RP_Book (cbookcode, cbookname, ibooktype, dopendate, bcloseflag) values (?,?,?,?,?)",
        {code, name, type, opened ? QDate(2026, 1, 1) : QDate(), closed ? 1 : 0});
    platform::BookInfo& book = cash->books[code];
    book.BookCode = code;
    book.AccountCode = account;
  }
  static void UseBookMode(bool book = true) { shared::Session::Current().gBookMode = book ? 1 : 0; }
  static frmYHKMXZ& Dialog() { return frmYHKMXZ::Instance(); }

  TestDatabase db_;
};

// Each configuration shows every control its caller reads, whatever ran before it
// on the dialog that stays loaded between uses; what the user ticked stays.
TEST_F(SelectionTest, EachConfigurationShowsWhatItsCallerReadsWhateverRanBefore) {
  struct Expected { const char* name; bool book; bool periods; bool check; bool options; };
  const Expected cases[] = {
      {"opening", false, false, false, false},      {"statement", false, true, false, false},
      {"reconciliation", false, true, true, false}, {"query", false, false, false, true},
      {"opening", true, false, false, false},       {"statement", true, true, true, false},
      {"reconciliation", true, true, true, false},  {"query", true, false, false, true},
  };
  for (const Expected& e : cases) {
    UseBookMode(e.book);
    for (const auto& [before, prepareBefore] : kPrepares) {
      SCOPED_TRACE(std::string(e.name) + (e.book ? " book" : " account") + " after " + before);
      frmYHKMXZ& d = Dialog();
      prepareBefore(d);
      d.Check1()->setChecked(true);
      d.Option1(2)->setChecked(true);
      EXPECT_EQ(kPrepares.at(e.name)(d), e.book ? 2 : 3);
      const auto shown = [&d](const char* name) { return Child<QWidget>(d, name)->isVisibleTo(&d); };
      EXPECT_EQ((std::vector<bool>{shown("Frame1"), shown("famRP"), shown(e.book ? "famDate" : "Combo2"),
                                   shown("Check1"), shown("Option1_0"), shown("Option1_1"), shown("Option1_2")}),
                (std::vector<bool>{!e.book, e.book, e.periods, e.check, e.options, e.options, e.options}));
      EXPECT_TRUE(d.Check1()->isChecked() && d.Option1(2)->isChecked());
    }
    frmYHKMXZ::Unload();
  }
}

// Before each case ShowMode is 2 and the values "old", as an earlier dialog left them.
// An account choice resets ShowMode before its controls decide it; a book choice
// leaves it to them. The login period is 2026.06.
TEST_F(SelectionTest, OkHandsBackTheChoiceAndResetsShowMode) {
  struct Case { const char* name; bool book; std::function<void(QDialog&)> fill; QStringList values; int showMode; };
  const auto none = [](QDialog&) {};
  const auto tick = [](QDialog& d) { Child<QCheckBox>(d, "Check1")->setChecked(true); };
  const auto option = [](int i) {
    return [i](QDialog& d) { Child<QRadioButton>(d, QStringLiteral("Option1_%1").arg(i))->setChecked(true); };
  };
  const Case cases[] = {
      // The start lists open on their first entry, which bounds nothing and
      // hands back no period text.
      {"opening", false, [](QDialog& d) { Choose(d, "Combo1", 2); }, {"100203", "", "", "old"}, 0},
      {"statement", false, none, {"100201", "", "2026.01", "old"}, 0},
      {"reconciliation", false, none, {"100201", "", "2026.01", "old"}, 0},
      {"reconciliation", false, tick, {"100201", "", "2026.01", "old"}, 1},
      // Back on the first entry after a period: the end list starts over with it.
      {"reconciliation", false, [](QDialog& d) { Choose(d, "Combo2", 3); Choose(d, "Combo2", 0); },
       {"100201", "", "", "old"}, 0},
      {"query", false, option(0), {"100201", "", "", "old"}, 0},
      {"query", false, option(1), {"100201", "", "", "old"}, 1},
      {"opening", true, [](QDialog& d) { Choose(d, "cmbBook", 1); }, {"100203", "", "", "B02"}, 2},
      {"reconciliation", true, none, {"100201", "", "2026.06", "B01"}, 0},
      {"statement", true, tick, {"100201", "", "2026.01", "B01"}, 1},
      {"query", true, option(2), {"100201", "", "", "B01"}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + (c.book ? " book" : " account"));
    UseBookMode(c.book);
    frmYHKMXZ::Unload();
    frmYHKMXZ& d = Dialog();
    kPrepares.at(c.name)(d);
    Param().ShowMode = 2;
    Param().Value1 = Param().Value2 = Param().Value3 = Param().Value4 = "old";
    modals.Then([&](QDialog& dialog) {
      c.fill(dialog);
      Click(dialog, "Command1");
    });
    EXPECT_TRUE(d.ShowModal());
    EXPECT_TRUE(Param().Confirmed);
    EXPECT_EQ((QStringList{Param().Value1, Param().Value2, Param().Value3, Param().Value4}), c.values);
    EXPECT_EQ(Param().ShowMode, c.showMode);
    EXPECT_TRUE(frmYHKMXZ::IsLoaded());  // OK only hides it
  }
}

// The code travels as the entry's data; an entry without it is read from its
// closing brackets, however many brackets the name has.
TEST_F(SelectionTest, AccountCodeComesFromTheEntryAndARightsListLimitsTheAccounts) {
  AddAccount("1002", "银行存款", 1, 0);
  AddAccount("1001", "库存现金", 0, 1);
  frmYHKMXZ& d = Dialog();
  EXPECT_EQ(d.PrepareForQuery(), 3);
  EXPECT_EQ(d.Combo1()->itemText(1), "建设银行(东城)(100202)");
  EXPECT_EQ(Codes(d.Combo1()), (QStringList{"100201", "100202", "100203"}));
  d.Combo1()->addItem("招商银行(西城)(100209)");
  for (const auto& [index, code] : {std::pair{1, "100202"}, std::pair{3, "100209"}}) {
    modals.Then([index = index](QDialog& dialog) {
      Choose(dialog, "Combo1", index);
      Click(dialog, "Command1");
    });
    d.ShowModal();
    EXPECT_EQ(Param().Value1, code);
  }
  EXPECT_EQ(d.PrepareForOpening(), 3);  // listed afresh, not twice
  // A rights list restricts by bound codes: quotes and SQL in it are only text.
  AddAccount("19'04", "引号户");
  struct Case { const char* allowed; QStringList codes; };
  const Case cases[] = {
      {"  ", {"100201", "100202", "100203", "19'04"}},
      {"'100201','100203'", {"100201", "100203"}},
      {" N'100203' , 100202 ", {"100202", "100203"}},
      {"19'04", {"19'04"}},
      {"'100201') or (1=1", {}},
      {",", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(d.PrepareForReconciliation(c.allowed), c.codes.size()) << c.allowed;
    EXPECT_EQ(Codes(d.Combo1()), c.codes) << c.allowed;
  }
}

// Nothing half-chosen passes for a choice: a book the services refuse, or no
// book at all, keeps the dialog open.
TEST_F(SelectionTest, BookListTakesOpenedBankBooksAndOkNeedsAUsableOne) {
  UseBookMode();
  AddBook("C01", "现金日记账", "1001", 1);
  AddBook("B03", "未启用", "100203", 2, false);
  AddBook("B04", "已销户", "100204", 2, true, true);
  frmYHKMXZ& d = Dialog();
  EXPECT_EQ(d.PrepareForReconciliation("'100201'"), 2);  // rights lists are for accounts
  EXPECT_EQ(Codes(d.cmbBook()), (QStringList{"B01", "B02"}));
  EXPECT_EQ(d.ChosenBookCode(), "B01");
  cash->books.erase("B01");
  for (int count : {2, 0}) {
    if (count == 0) db_.Connection().Execute("delete from RP_Book");
    EXPECT_EQ(d.PrepareForQuery(), count);
    bool stayedOpen = false;
    modals.Then([&](QDialog& dialog) {
      Click(dialog, "Command1");
      stayedOpen = dialog.isVisible();
    });
    EXPECT_FALSE(d.ShowModal());
    EXPECT_TRUE(stayedOpen);
  }
  EXPECT_EQ(d.ChosenBookCode(), "");  // no book of the last list stays chosen
  EXPECT_EQ(messages.Count(), 1);     // the refused book is said
}

TEST_F(SelectionTest, CancelOrCloseConfirmsNothingAndUnloadsUnlessKept) {
  struct Case { bool kept; bool cancel; bool stays; };
  for (const Case& c : {Case{false, true, false}, Case{true, true, true}, Case{true, false, false}}) {
    SCOPED_TRACE(::testing::Message() << c.kept << c.cancel);
    frmYHKMXZ& d = Dialog();
    d.MeUsedFlag = c.kept;
    d.PrepareForOpening();
    Param().Confirmed = true;  // left by an earlier choice
    Param().Value1 = "old";
    modals.Then([&](QDialog& dialog) {
      Choose(dialog, "Combo1", 1);
      if (c.cancel) Click(dialog, "Command2");
    });
    EXPECT_FALSE(d.ShowModal());
    EXPECT_FALSE(Param().Confirmed);
    EXPECT_EQ(Param().Value1, "old");
    EXPECT_EQ(frmYHKMXZ::IsLoaded(), c.stays);
    EXPECT_EQ(Dialog().MeUsedFlag, c.stays);  // a fresh load clears it
    frmYHKMXZ::Unload();
  }
}

}  // namespace
}  // namespace corvane::testing
