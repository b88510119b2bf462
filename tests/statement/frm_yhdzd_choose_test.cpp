#include "statement_fixture.h"

#include <QLabel>

namespace corvane::statement {
namespace {

using platform::Money;

// F7 shows the kept selection dialog again; what its answer does to the window.
class ChooseAgainTest : public StatementTest {
 protected:
  // The other account (book in book mode) of the demo data and its account.
  QString OtherKey() const { return Book() ? QStringLiteral("YH001") : QStringLiteral("100201"); }

  static void PressF7(frmYHDZD* w) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F7, Qt::NoModifier);
    QCoreApplication::sendEvent(w->MsGrid1()->View(), &press);
  }
  static testing::ScriptedModals::Step Cancel() {
    return [](QDialog& d) { dynamic_cast<shared::frmYHKMXZ&>(d).Command2_Click(); };
  }
};

TEST_P(ChooseAgainTest, CancelChangesNothingAndTheDialogStaysLoaded) {
  AddLine(QDate(2026, 7, 5), true, 50);
  frmYHDZD* w = Open();
  ASSERT_NE(w, nullptr);
  const QString caption = w->Label1()->text();
  AddLine(QDate(2026, 7, 6), true, 10);  // stored meanwhile: only a reload would show it
  session_.Modals().Then(Cancel());
  PressF7(w);
  EXPECT_EQ(session_.Modals().Count(), 2);
  EXPECT_EQ(session_.Modals().Shown().back(), "frmYHKMXZ");
  EXPECT_EQ(Column(w, 6), QStringList({"1,050.00"}));
  EXPECT_EQ(w->Label1()->text(), caption);
  EXPECT_TRUE(shared::frmYHKMXZ::IsLoaded());
  EXPECT_FALSE(OtherSessionCanLock("100204", "GL040702"));
}

// The period range the window applies is the one the opener's dialog shows, even
// after a caller that hides it used the dialog.
TEST_P(ChooseAgainTest, TheOpenerShowsThePeriodRangeItApplies) {
  shared::frmYHKMXZ::Instance().PrepareForOpening();
  QString shownEnd;
  session_.Modals().Then([&](QDialog& d) {
    auto& dialog = dynamic_cast<shared::frmYHKMXZ&>(d);
    QComboBox* start = Book() ? dialog.cmbStartDate() : dialog.Combo2();
    QComboBox* end = Book() ? dialog.cmbEndDate() : dialog.Combo3();
    for (QComboBox* c : {start, end}) {
      EXPECT_TRUE(c->isVisible());
      EXPECT_TRUE(d.rect().contains(QRect(c->mapTo(&d, QPoint(0, 0)), c->size())));
    }
    EXPECT_EQ(start->currentIndex(), 0);
    EXPECT_EQ(end->currentIndex(), 1);
    shownEnd = end->currentText();
    dialog.Command1_Click();
  });
  host::ExecuteMenu(QStringLiteral("RP0304"), {}, {}, {});
  frmYHDZD* w = shared::Session::Current().windows.Find<frmYHDZD>();
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(shownEnd.isEmpty());
  EXPECT_EQ(w->strDateEnd, shownEnd);
}

TEST_P(ChooseAgainTest, TheDialogIsKeptWhileTheWindowLivesAndUnloadedWithIt) {
  frmYHDZD* w = Open();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(shared::frmYHKMXZ::Instance().MeUsedFlag);
  CloseWindow(w);
  ASSERT_EQ(shared::Session::Current().windows.Find<frmYHDZD>(), nullptr);
  EXPECT_FALSE(shared::frmYHKMXZ::IsLoaded());
}

TEST_P(ChooseAgainTest, ConfirmingTheSameAccountReloadsIt) {
  AddLine(QDate(2026, 7, 5), true, 50);
  frmYHDZD* w = Open();
  ASSERT_NE(w, nullptr);
  AddLine(QDate(2026, 7, 6), true, 10);
  session_.Modals().Then(Choose());
  PressF7(w);
  EXPECT_EQ(Column(w, 6), QStringList({"1,050.00", "1,060.00"}));
  EXPECT_FALSE(OtherSessionCanLock("100204", "GL040702"));
}

TEST_P(ChooseAgainTest, AnotherAccountIsLoadedAndTheLockMovesToIt) {
  frmYHDZD* w = Open();
  ASSERT_NE(w, nullptr);
  session_.Modals().Then(Choose(OtherKey()));
  PressF7(w);
  EXPECT_EQ(w->Context().LineKey(), OtherKey());
  EXPECT_TRUE(w->Label1()->text().contains(QStringLiteral("(100201)"))) << w->Label1()->text().toStdString();
  EXPECT_TRUE(OtherSessionCanLock("100204", "GL040702"));
  EXPECT_FALSE(OtherSessionCanLock("100201", "GL040702"));
  CloseWindow(w);
  EXPECT_TRUE(OtherSessionCanLock("100201", "GL040702"));
}

TEST_P(ChooseAgainTest, ARefusedLockKeepsTheWindowWhereItIs) {
  testing::OtherSession other(session_);
  ASSERT_TRUE(other.Common().LockAccount(QStringLiteral("100201"), true, QStringLiteral("GL040702")));
  AddLine(QDate(2026, 7, 5), true, 50);
  frmYHDZD* w = Open();
  ASSERT_NE(w, nullptr);
  session_.Modals().Then(Choose(OtherKey()));
  PressF7(w);
  EXPECT_EQ(w->Context().LineKey(), Key());
  EXPECT_EQ(Column(w, 6), QStringList({"1,050.00"}));
  other.Common().LockAccount(QStringLiteral("100201"), false);
  EXPECT_FALSE(OtherSessionCanLock("100204", "GL040702"));
}

TEST_P(ChooseAgainTest, TheRowBeingKeyedIsSavedBeforeTheReload) {
  const qint64 id = AddLine(QDate(2026, 7, 5), true, 50);
  frmYHDZD* w = Open();
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(TypeKeys(w->MsGrid1(), 1, 4, "70"));
  session_.Modals().Then(Choose());
  PressF7(w);
  EXPECT_EQ(Db().QueryValue("select mmoney from " + Table() + " where i_id=?", {id}).ToMoney(), Money::FromCents(7000));
  EXPECT_EQ(Column(w, 6), QStringList({"1,070.00"}));
}

TEST_P(ChooseAgainTest, AnInvalidRowAsksFirstAndStayingLoadsNothing) {
  AddLine(QDate(2026, 7, 5), true, 50);
  frmYHDZD* w = Open();
  ASSERT_NE(w, nullptr);
  w->AddRow();
  ASSERT_TRUE(Type(w->MsGrid1(), 2, 3, "N-1"));  // no amount: the row cannot be saved
  session_.Modals().Then(Choose(OtherKey()));
  session_.Messages().Answer(1);  // the row check's message
  session_.Messages().Answer(7);  // stay
  PressF7(w);
  EXPECT_EQ(session_.Messages().LastPrompt(), shared::GetResString(QStringLiteral("corvane.statement.discardrow")));
  EXPECT_EQ(w->Context().LineKey(), Key());
  EXPECT_EQ(w->MsGrid1()->Rows(), 3);
  EXPECT_FALSE(OtherSessionCanLock("100204", "GL040702"));

  session_.Modals().Then(Choose());
  session_.Messages().Answer(1);
  session_.Messages().Answer(6);  // drop the row
  PressF7(w);
  EXPECT_EQ(w->MsGrid1()->Rows(), 2);
  EXPECT_EQ(Count("select count(*) from " + Table() + " where " + KeyColumn() + "=? and ibegin=2", {Key()}), 1);
}

INSTANTIATE_TEST_SUITE_P(Modes, ChooseAgainTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "book" : "account"; });

}  // namespace
}  // namespace corvane::statement
