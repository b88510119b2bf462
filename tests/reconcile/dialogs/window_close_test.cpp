#include "recon_fixture.h"

#include "fake_session.h"

#include "shared/session.h"

#include <stdexcept>

namespace corvane::testing {
namespace {

// Common services whose account lock can fail to be given back.
class UnlockFailingServices : public ReconCommonServices {
 public:
  bool unlockThrows = false;
  std::vector<QString> locks;  // "<code>:<1|0>"
  bool LockAccount(const QString& code, bool lock, const QString&) override {
    locks.push_back(QStringLiteral("%1:%2").arg(code).arg(lock ? 1 : 0));
    if (!lock && unlockThrows) throw std::runtime_error("lock service gone");
    return true;
  }
};

// Closing the window gives back the account lock and the function claim, each
// on its own: a lock that cannot be given back never keeps the function claimed.
TEST(ReconWindowClose, GivesBackLockAndClaimEachOnItsOwn) {
  for (const bool unlockThrows : {false, true}) {
    SCOPED_TRACE(unlockThrows);
    auto [common, cash] = InstallFakeServices<UnlockFailingServices, ReconCashServices>();
    FakeLoginContext login;
    shared::Session::Current().gLogin = &login;
    common->unlockThrows = unlockThrows;
    {
      auto* w = new reconcile::frmYHDZ;  // deletes itself on close
      w->SetHeld(QStringLiteral("GL040703"), QStringLiteral("100201"));
      w->close();
    }
    EXPECT_EQ(common->locks, std::vector<QString>{QStringLiteral("100201:0")});
    EXPECT_EQ(login.calls, std::vector<QString>{QStringLiteral("ClaimTask:GL040703:0")});
    shared::Session::Current().gLogin = nullptr;
    RemoveFakeServices();
  }
}

}  // namespace
}  // namespace corvane::testing
