#include "selection_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <functional>

namespace corvane::testing {
namespace {

using shared::frmYHKMXZ;
using Prepare = std::function<int(frmYHKMXZ&)>;

struct Configuration {
  const char* name;
  Prepare prepare;
};

const Configuration kConfigurations[] = {
    {"opening", [](frmYHKMXZ& d) { return d.PrepareForOpening(); }},
    {"statement", [](frmYHKMXZ& d) { return d.PrepareForStatement(); }},
    {"reconciliation", [](frmYHKMXZ& d) { return d.PrepareForReconciliation(); }},
    {"query", [](frmYHKMXZ& d) { return d.PrepareForQuery(); }},
};

const Prepare& PrepareOf(const char* name) {
  for (const Configuration& c : kConfigurations) {
    if (QLatin1String(c.name) == QLatin1String(name)) return c.prepare;
  }
  throw std::logic_error(name);
}

void Click(QDialog& d, const char* button) { Child<QPushButton>(d, QString::fromLatin1(button))->click(); }

class SelectionDialogTest : public SelectionTest {
 protected:
  void SetUp() override {
    SelectionTest::SetUp();
    AddAccount(QStringLiteral("100201"), QStringLiteral("工商银行"));
    AddAccount(QStringLiteral("100202"), QStringLiteral("建设银行(东城)"));
    AddAccount(QStringLiteral("100203"), QStringLiteral("农业银行"));
    AddBook(QStringLiteral("B01"), QStringLiteral("基本户"), QStringLiteral("100201"));
    AddBook(QStringLiteral("B02"), QStringLiteral("美元户"), QStringLiteral("100203"), 2, true, false,
            QStringLiteral("美元"));
  }
};

// What each caller configuration shows; every other configuration run before it
// must not change that.
TEST_F(SelectionDialogTest, EachConfigurationShowsWhatItsCallerReadsWhateverRanBefore) {
  struct Expected {
    const char* name;
    bool book;
    bool periods;  // Combo2 (account mode) or the book period group
    bool check;
    bool options;
  };
  const Expected cases[] = {
      {"opening", false, false, false, false},  {"statement", false, true, false, false},
      {"reconciliation", false, true, true, false}, {"query", false, false, false, true},
      {"opening", true, false, false, false},   {"statement", true, true, true, false},
      {"reconciliation", true, true, true, false},  {"query", true, false, false, true},
  };
  for (const Expected& e : cases) {
    if (e.book) UseBookMode();
    for (const Configuration& before : kConfigurations) {
      SCOPED_TRACE(std::string(e.name) + (e.book ? " book" : " account") + " after " + before.name);
      frmYHKMXZ& d = Dialog();
      before.prepare(d);
      EXPECT_EQ(PrepareOf(e.name)(d), e.book ? 2 : 3);
      const auto shown = [&d](const char* name) {
        return Child<QWidget>(d, QString::fromLatin1(name))->isVisibleTo(&d);
      };
      EXPECT_EQ(shown("Frame1"), !e.book);
      EXPECT_EQ(shown("famRP"), e.book);
      EXPECT_FALSE(shown("cmbBookCode"));
      EXPECT_EQ(shown(e.book ? "famDate" : "Combo2"), e.periods);
      EXPECT_EQ(shown(e.book ? "famDate" : "Combo3"), e.periods);
      EXPECT_EQ(shown("Check1"), e.check);
      for (const char* option : {"Option1_0", "Option1_1", "Option1_2"}) EXPECT_EQ(shown(option), e.options);
    }
    frmYHKMXZ::Unload();
  }
}

struct OkCase {
  const char* name;
  bool book;
  std::function<void(QDialog&)> fill;
  const char* value1;
  const char* value2;
  const char* value3;
  const char* value4;
  int showMode;
};

void ChooseIndex(QDialog& d, const char* combo, int index) {
  Child<QComboBox>(d, QString::fromLatin1(combo))->setCurrentIndex(index);
}
void Tick(QDialog& d) { Child<QCheckBox>(d, QStringLiteral("Check1"))->setChecked(true); }
void Option(QDialog& d, int i) { Child<QRadioButton>(d, QStringLiteral("Option1_%1").arg(i))->setChecked(true); }

TEST_F(SelectionDialogTest, OkHandsBackTheChoiceOfEachConfiguration) {
  // Before each case: ShowMode 2 and the other values "old", as an earlier dialog left them.
  const auto none = [](QDialog&) {};
  const OkCase cases[] = {
      {"opening", false, [](QDialog& d) { ChooseIndex(d, "Combo1", 2); }, "100203", "2026.06", "", "old", 0},
      {"statement", false, none, "100201", "2026.01", "2026.02", "old", 0},
      {"reconciliation", false, none, "100201", "2026.01", "2026.01", "old", 0},
      {"reconciliation", false, Tick, "100201", "2026.01", "2026.01", "old", 1},
      {"query", false, [](QDialog& d) { Option(d, 0); }, "100201", "2026.06", "", "old", 0},
      {"query", false, [](QDialog& d) { Option(d, 1); }, "100201", "2026.06", "", "old", 1},
      {"query", false, [](QDialog& d) { Option(d, 2); }, "100201", "2026.06", "", "old", 2},
      {"opening", true, [](QDialog& d) { ChooseIndex(d, "cmbBook", 1); }, "100203", "2026.06", "", "B02", 0},
      {"statement", true, none, "100201", "2026.01", "2026.02", "B01", 0},
      {"statement", true, Tick, "100201", "2026.01", "2026.02", "B01", 1},
      {"reconciliation", true, Tick, "100201", "2026.01", "2026.01", "B01", 1},
      {"query", true, [](QDialog& d) { Option(d, 2); }, "100201", "2026.06", "", "B01", 2},
      {"query", true, [](QDialog& d) { Option(d, 1); }, "100201", "2026.06", "", "B01", 1},
  };
  for (const OkCase& c : cases) {
    SCOPED_TRACE(std::string(c.name) + (c.book ? " book" : " account"));
    shared::Session::Current().gBookMode = c.book ? 1 : 0;
    frmYHKMXZ::Unload();
    frmYHKMXZ& d = Dialog();
    PrepareOf(c.name)(d);
    Param().ShowMode = 2;
    Param().Value1 = Param().Value2 = Param().Value3 = Param().Value4 = QStringLiteral("old");
    modals.Then([&](QDialog& dialog) {
      c.fill(dialog);
      Click(dialog, "Command1");
    });
    EXPECT_TRUE(d.ShowModal());
    EXPECT_TRUE(Param().Confirmed);
    EXPECT_EQ(Param().Value1, QString::fromUtf8(c.value1));
    EXPECT_EQ(Param().Value2, QString::fromUtf8(c.value2));
    EXPECT_EQ(Param().Value3, QString::fromUtf8(c.value3));
    EXPECT_EQ(Param().Value4, QString::fromUtf8(c.value4));
    EXPECT_EQ(Param().ShowMode, c.showMode);
    EXPECT_TRUE(frmYHKMXZ::IsLoaded());  // OK only hides it
    EXPECT_FALSE(d.isVisible());
  }
}

TEST_F(SelectionDialogTest, AccountNameWithBracketsGivesTheAccountsOwnCode) {
  frmYHKMXZ& d = Dialog();
  d.PrepareForQuery();
  EXPECT_EQ(d.Combo1()->itemText(1), "建设银行(东城)(100202)");
  modals.Then([](QDialog& dialog) {
    ChooseIndex(dialog, "Combo1", 1);
    Click(dialog, "Command1");
  });
  d.ShowModal();
  EXPECT_EQ(Param().Value1, "100202");
}

TEST_F(SelectionDialogTest, EntryAddedWithoutItsCodeIsReadFromItsClosingBrackets) {
  frmYHKMXZ& d = Dialog();
  d.PrepareForOpening();
  d.Combo1()->clear();
  d.Combo1()->addItem(QStringLiteral("招商银行(西城)(100209)"));
  d.Combo1()->setCurrentIndex(0);
  modals.Then([](QDialog& dialog) { Click(dialog, "Command1"); });
  EXPECT_TRUE(d.ShowModal());
  EXPECT_EQ(Param().Value1, "100209");
}

TEST_F(SelectionDialogTest, CancelUnloadsUnlessTheDialogIsKeptForReuse) {
  for (bool kept : {false, true}) {
    SCOPED_TRACE(kept);
    frmYHKMXZ& d = Dialog();
    d.setProperty("marker", 1);
    d.MeUsedFlag = kept;
    d.PrepareForOpening();
    Param().Value1 = QStringLiteral("old");
    Param().ShowMode = 2;
    modals.Then([](QDialog& dialog) {
      ChooseIndex(dialog, "Combo1", 1);
      Click(dialog, "Command2");
    });
    EXPECT_FALSE(d.ShowModal());
    EXPECT_FALSE(Param().Confirmed);
    EXPECT_EQ(Param().Value1, "old");
    EXPECT_EQ(Param().ShowMode, 2);
    EXPECT_EQ(frmYHKMXZ::IsLoaded(), kept);
    frmYHKMXZ& next = Dialog();
    EXPECT_EQ(next.property("marker").isValid(), kept);
    EXPECT_EQ(next.MeUsedFlag, kept);
    frmYHKMXZ::Unload();
  }
}

TEST_F(SelectionDialogTest, ClosingOtherwiseConfirmsNothingAndUnloads) {
  frmYHKMXZ& d = Dialog();
  d.MeUsedFlag = true;
  d.PrepareForOpening();
  Param().Confirmed = true;  // left by an earlier choice
  Param().Value1 = QStringLiteral("old");
  modals.Then([](QDialog& dialog) { ChooseIndex(dialog, "Combo1", 2); });  // closed by the close box
  EXPECT_FALSE(d.ShowModal());
  EXPECT_FALSE(Param().Confirmed);
  EXPECT_EQ(Param().Value1, "old");
  EXPECT_FALSE(frmYHKMXZ::IsLoaded());
}

TEST_F(SelectionDialogTest, OkWithoutAnyEntryKeepsTheDialogOpen) {
  db->Connection().Execute(QStringLiteral("delete from code"));
  frmYHKMXZ& d = Dialog();
  EXPECT_EQ(d.PrepareForOpening(), 0);
  bool stayedOpen = false;
  modals.Then([&](QDialog& dialog) {
    Click(dialog, "Command1");
    stayedOpen = dialog.isVisible();
  });
  EXPECT_FALSE(d.ShowModal());
  EXPECT_TRUE(stayedOpen);
}

TEST_F(SelectionDialogTest, BookThatTheServicesRefuseIsNotConfirmed) {
  UseBookMode();
  AddBook(QStringLiteral("B03"), QStringLiteral("停用户"), QStringLiteral("100202"));
  cash->books.erase(QStringLiteral("B03"));
  frmYHKMXZ& d = Dialog();
  d.PrepareForOpening();
  bool stayedOpen = false;
  modals.Then([&](QDialog& dialog) {
    ChooseIndex(dialog, "cmbBook", 2);
    Click(dialog, "Command1");
    stayedOpen = dialog.isVisible();
  });
  EXPECT_FALSE(d.ShowModal());
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(messages.Count(), 1);
}

TEST_F(SelectionDialogTest, ChoosingABookShowsItsBankAccountAndLedgerAccount) {
  UseBookMode();
  frmYHKMXZ& d = Dialog();
  d.PrepareForOpening();
  EXPECT_EQ(d.ChosenBookCode(), "B01");
  EXPECT_EQ(d.lblAccount()->text(), "账号：6222-B01");
  EXPECT_EQ(d.lblCode()->text(), "科目：名称100201(人民币)");
  d.cmbBook()->setCurrentIndex(1);
  EXPECT_EQ(d.ChosenBookCode(), "B02");
  EXPECT_EQ(d.cmbBookCode()->currentText(), "B02");
  EXPECT_EQ(d.lblCode()->text(), "科目：名称100203(美元)");
  // An entry without a code behind it changes nothing.
  d.cmbBook()->addItem(QStringLiteral("无代码"));
  d.cmbBook()->setCurrentIndex(2);
  EXPECT_EQ(d.ChosenBookCode(), "B02");
  EXPECT_EQ(d.lblAccount()->text(), "账号：6222-B02");
}

TEST_F(SelectionDialogTest, StartPeriodChoiceSyncsOrRefillsTheEndPeriods) {
  for (bool book : {false, true}) {
    SCOPED_TRACE(book);
    shared::Session::Current().gBookMode = book ? 1 : 0;
    frmYHKMXZ::Unload();
    frmYHKMXZ& d = Dialog();
    d.PrepareForStatement();
    QComboBox* start = book ? d.cmbStartDate() : d.Combo2();
    QComboBox* end = book ? d.cmbEndDate() : d.Combo3();
    common->periodCalls.clear();
    start->setCurrentIndex(3);
    const QString sync = QStringLiteral("Sync:%1>%2").arg(start->objectName(), end->objectName());
    EXPECT_EQ(common->periodCalls, std::vector<QString>{sync});
    EXPECT_EQ(end->itemText(0), "2026.04");
    common->periodCalls.clear();
    start->setCurrentIndex(0);
    const std::vector<QString> refill{"Fill:" + start->objectName(), "Fill:" + end->objectName()};
    EXPECT_EQ(common->periodCalls, refill);
    EXPECT_EQ(start->currentIndex(), 0);
    EXPECT_EQ(end->count(), 12);
    EXPECT_EQ(end->currentIndex(), 0);
  }
}

TEST_F(SelectionDialogTest, LoadingSetsTheCaptionByModeAndClearsMeUsedFlag) {
  frmYHKMXZ& account = Dialog();
  EXPECT_EQ(account.windowTitle(), "银行科目选择");
  account.MeUsedFlag = true;
  frmYHKMXZ::Unload();
  UseBookMode();
  frmYHKMXZ& book = Dialog();
  EXPECT_EQ(book.windowTitle(), "银行账簿选择");
  EXPECT_FALSE(book.MeUsedFlag);
  EXPECT_EQ(book.Combo2()->count(), 12);
  EXPECT_EQ(book.cmbStartDate()->count(), 12);
  EXPECT_EQ(book.cmbEndDate()->count(), 0);  // filled when a start period is chosen
}

}  // namespace
}  // namespace corvane::testing
