// The reconciliation window when its connection to the server breaks and the
// server comes back: what the clerk is told, what is written, who holds the account.
#include "frm_yhdz_fixture.h"

#include <QThread>

namespace corvane::reconcile {
namespace {

class FrmYhdzReconnectTest : public test::FrmYhdzTest {
 protected:
  void SetUp() override {
    if (!session_.Database().IsPostgres()) GTEST_SKIP() << "a SQLite file has no connection to a server to lose";
    reader_ = session_.Database().OpenAnother();
  }
  // The server ends the session's connection, as a restart does to it.
  void DropSessionConnection() {
    const long long pid = session_.Db().QueryValue(QStringLiteral("select pg_backend_pid()")).ToInt();
    reader_->QueryValue(QStringLiteral("select pg_terminate_backend(?::int)"), {pid});
    const QString running = QStringLiteral("select count(*) from pg_stat_activity where pid = ?::int");
    for (int i = 0; i < 500 && reader_->QueryValue(running, {pid}).ToInt() > 0; ++i) QThread::msleep(10);
  }
  void PressSpaceOnTick(frmYHDZ* w) {
    w->MsGrid2()->SetCurrentCell(1, 5);
    emit w->MsGrid2()->KeyPressed(Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
  }
  // Read through a connection of its own, so that reading starts nothing on the session's.
  platform::DbValue StoredTick(frmYHDZ* w) {
    return reader_->QueryValue(QStringLiteral("select iflag from %1 where i_id=?").arg(StatementTable()),
                               {w->MsGrid2()->RowData(1).toLongLong()});
  }
  long long OwnerPid(const QString& table) {
    return reader_->QueryValue(QStringLiteral("select min(owner_pid) from %1").arg(table)).ToInt();
  }
  std::unique_ptr<platform::DbConnection> reader_;
};

TEST_P(FrmYhdzReconnectTest, ACommandCutOffIsSaidInTheProgramsWordsAndTheNextOneConnectsAgain) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  DropSessionConnection();
  session_.Messages().Clear();
  PressSpaceOnTick(w);
  ASSERT_EQ(session_.Messages().Count(), 1);
  const QString said = session_.Messages().LastPrompt();
  EXPECT_EQ(said, shared::GetResString(QStringLiteral("corvane.host.connectionlost")));
  EXPECT_FALSE(said.contains(QStringLiteral("select"), Qt::CaseInsensitive)) << said.toStdString();
  EXPECT_TRUE(StoredTick(w).IsNull());
  EXPECT_EQ(w->MsGrid2()->TextMatrix(1, 5), QString());
  PressSpaceOnTick(w);
  EXPECT_EQ(session_.Messages().Count(), 1) << session_.Messages().LastPrompt().toStdString();
  EXPECT_EQ(StoredTick(w).ToInt(), 24);
  EXPECT_EQ(w->MsGrid2()->TextMatrix(1, 5), kManualMark);
  // The session's claim and lock name the new connection: the account stays its own.
  const long long now = session_.Db().QueryValue(QStringLiteral("select pg_backend_pid()")).ToInt();
  EXPECT_EQ(OwnerPid(QStringLiteral("corvane_lock")), now);
  EXPECT_EQ(OwnerPid(QStringLiteral("corvane_claim")), now);
  const QString code = w->CurYHKM;
  EXPECT_FALSE(OtherSessionCanLock(code));
  // What the window gave back is not taken again after the next loss.
  Close(w);
  DropSessionConnection();
  EXPECT_ANY_THROW(session_.Db().QueryValue(QStringLiteral("select 1")));
  session_.Db().QueryValue(QStringLiteral("select 1"));
  EXPECT_TRUE(OtherSessionCanLock(code));
}

TEST_P(FrmYhdzReconnectTest, AnAccountTakenMeanwhileIsNamedWithItsHolderAndNothingMoreIsWritten) {
  frmYHDZ* w = Open();
  ASSERT_NE(w, nullptr);
  const QString code = w->CurYHKM;
  DropSessionConnection();
  testing::OtherSession other(session_);
  ASSERT_TRUE(other.Common().LockAccount(code, true, QStringLiteral("GL040703")));
  session_.Messages().Clear();
  const int modals = session_.Modals().Count();
  // The first command finds the connection gone; the next ones connect again.
  PressSpaceOnTick(w);
  ASSERT_EQ(session_.Messages().LastPrompt(), shared::GetResString(QStringLiteral("corvane.host.connectionlost")));
  const std::function<void()> commands[] = {[&] { PressSpaceOnTick(w); }, [&] { PressSpaceOnTick(w); },
                                            [&] { w->rBankCheck(); }, [&] { w->rBankUnCheck(); }};
  for (const auto& command : commands) {
    const int before = session_.Messages().Count();
    command();
    ASSERT_EQ(session_.Messages().Count(), before + 1);
    const QString said = session_.Messages().LastPrompt();
    EXPECT_TRUE(said.contains(code) && said.contains(QStringLiteral("[x]"))) << said.toStdString();
    EXPECT_TRUE(StoredTick(w).IsNull());
  }
  EXPECT_EQ(session_.Modals().Count(), modals);
  EXPECT_EQ(Ticks(), 0);
  Close(w);
  EXPECT_EQ(reader_->QueryValue(QStringLiteral("select session_id from corvane_lock where code=?"), {code}).ToString(),
            QStringLiteral("s2"));
}

INSTANTIATE_TEST_SUITE_P(Modes, FrmYhdzReconnectTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "BookMode" : "AccountMode"; });

}  // namespace
}  // namespace corvane::reconcile
