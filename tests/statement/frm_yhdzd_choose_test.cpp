#include "statement_fixture.h"

namespace corvane::statement {
namespace {

// F7 shows the kept selection dialog again; what its answer does to the window.
class ChooseAgainTest : public StatementTest {
 protected:
  // The other account (book in book mode) of the demo data and its account.
  QString OtherKey() const { return Book() ? QStringLiteral("YH001") : QStringLiteral("100201"); }

  static void PressF7(frmYHDZD* w) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F7, Qt::NoModifier);
    QCoreApplication::sendEvent(w->MsGrid1()->View(), &press);
  }
};

// One window, answered in turn: Cancel changes nothing and keeps the dialog
// loaded; the same account reloads (showing a line stored meanwhile); another
// account locked elsewhere keeps the window where it is; another account free
// is loaded and the lock moves to it, and is given back when the window closes.
TEST_P(ChooseAgainTest, TheAnswerDecidesWhatIsLoadedAndLocked) {
  testing::OtherSession other(session_);
  AddLine(QDate(2026, 7, 5), true, 50);
  frmYHDZD* w = Open();
  ASSERT_NE(w, nullptr);
  const QString caption = w->Label1()->text();
  AddLine(QDate(2026, 7, 6), true, 10);  // stored meanwhile: only a reload shows it
  const struct {
    const char* name;
    testing::ScriptedModals::Step answer;
    bool lockedElsewhere;  // the other account
    QString key;           // afterwards
    QStringList balances;  // afterwards, unless another account is loaded
  } cases[] = {
      {"cancel", [](QDialog& d) { dynamic_cast<shared::frmYHKMXZ&>(d).Command2_Click(); }, false, Key(), {"1,050.00"}},
      {"same account", Choose(), false, Key(), {"1,050.00", "1,060.00"}},
      {"other account locked elsewhere", Choose(OtherKey()), true, Key(), {"1,050.00", "1,060.00"}},
      {"other account", Choose(OtherKey()), false, OtherKey(), {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.lockedElsewhere) {
      ASSERT_TRUE(other.Common().LockAccount(QStringLiteral("100201"), true, QStringLiteral("GL040702")));
    }
    session_.Modals().Then(c.answer);
    const int shown = session_.Modals().Count();
    PressF7(w);
    EXPECT_EQ(session_.Modals().Count(), shown + 1);
    EXPECT_EQ(session_.Modals().Shown().back(), "frmYHKMXZ");
    EXPECT_TRUE(shared::frmYHKMXZ::IsLoaded());
    EXPECT_EQ(w->Context().LineKey(), c.key);
    EXPECT_EQ(OtherSessionCanLock("100204"), c.key != Key());
    if (c.lockedElsewhere) other.Common().LockAccount(QStringLiteral("100201"), false);
    if (c.key != Key()) continue;
    EXPECT_EQ(Column(w, 6), c.balances);
    EXPECT_EQ(w->Label1()->text(), caption);
  }
  EXPECT_TRUE(w->Label1()->text().contains(QStringLiteral("(100201)"))) << w->Label1()->text().toStdString();
  EXPECT_FALSE(OtherSessionCanLock("100201"));
  CloseWindow(w);
  EXPECT_TRUE(OtherSessionCanLock("100201"));
  EXPECT_FALSE(shared::frmYHKMXZ::IsLoaded());
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
  EXPECT_TRUE(shared::frmYHKMXZ::Instance().MeUsedFlag);
}

// Closing the window, F7 and Delete all settle the row being keyed first: a valid
// row is saved; an invalid one asks whether to discard it, and staying does
// nothing else (nor does deleting a row discarded).
TEST_P(ChooseAgainTest, LeavingSavesOrAsksForTheRowBeingKeyed) {
  const struct {
    const char* name;
    std::function<void(frmYHDZD*)> leave;
    bool closes;
  } cases[] = {
      {"close", [](frmYHDZD* w) { CloseWindow(w); }, true},
      {"choose again",
       [this](frmYHDZD* w) {
         session_.Modals().Then(Choose(OtherKey()));
         PressF7(w);
       },
       false},
      {"delete", [](frmYHDZD* w) { w->rDel(); }, false},
  };
  const auto shown = [] { return shared::Session::Current().windows.Find<frmYHDZD>(); };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Exec("delete from " + Table() + " where " + KeyColumn() + "=? and ibegin=2", {Key()});
    const qint64 id = AddLine(QDate(2026, 7, 5), true, 50);
    frmYHDZD* w = Open();
    w->AddRow();
    ASSERT_TRUE(Type(w->MsGrid1(), 2, 3, "N-1"));  // no amount: the row cannot be saved
    session_.Messages().Answer(1);  // the row check's message
    session_.Messages().Answer(7);  // stay
    c.leave(w);
    EXPECT_EQ(session_.Messages().LastPrompt(), shared::GetResString(QStringLiteral("corvane.grid.discardrow")));
    ASSERT_EQ(shown(), w);
    EXPECT_EQ(w->Context().LineKey(), Key());
    EXPECT_EQ(w->MsGrid1()->Rows(), 3);
    EXPECT_FALSE(OtherSessionCanLock("100204"));
    session_.Messages().Answer(1);
    session_.Messages().Answer(6);  // discard
    c.leave(w);
    EXPECT_EQ(session_.Messages().LastPrompt(), shared::GetResString(QStringLiteral("corvane.grid.discardrow")));
    EXPECT_EQ(shown() == nullptr, c.closes);
    EXPECT_EQ(Lines(), 1);
    if (shown()) CloseWindow(shown());

    w = Open();
    ASSERT_TRUE(Type(w->MsGrid1(), 1, 4, "70", true));
    c.leave(w);
    EXPECT_EQ(Db().QueryValue("select mmoney from " + Table() + " where i_id=?", {id}).ToMoney(), Money::FromCents(7000));
    if (shown()) CloseWindow(shown());
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, ChooseAgainTest, ::testing::Bool(), ModeName);

}  // namespace
}  // namespace corvane::statement
