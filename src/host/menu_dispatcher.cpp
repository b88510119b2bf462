#include "host/menu_dispatcher.h"

#include "host/open_bank_recon_opening.h"
#include "host/open_balance_statement.h"
#include "host/open_purge_reconciled.h"
#include "host/open_long_outstanding.h"
#include "host/open_recon_query.h"
#include "host/open_bank_statement.h"
#include "host/open_reconciliation.h"

#include <functional>
#include <map>

namespace corvane::host {

namespace {

using Opener = std::function<void()>;

// The openers of the functions built so far, by menu id.
const std::map<QString, Opener>& Openers() {
  static const std::map<QString, Opener> openers{
      {QStringLiteral("RP0303"), OpenBankReconOpening},
      {QStringLiteral("RP0304"), OpenBankStatement},
      {QStringLiteral("RP0305"), OpenReconciliation},
      {QStringLiteral("RP0306"), OpenBalanceStatement},
      {QStringLiteral("RP0308"), OpenPurgeReconciled},
      {QStringLiteral("RP0307"), OpenReconQuery},
      {QStringLiteral("RP0309"), OpenLongOutstanding},
  };
  return openers;
}

}  // namespace

void ExecuteMenu(const QString& menuId, const QString& menuName, const QString& authId, const QString& cmdLine) {
  const auto& openers = Openers();
  auto it = openers.find(menuId);
  if (it != openers.end()) it->second();
}

bool IsMenuAvailable(const QString& menuId) { return Openers().count(menuId) != 0; }

}  // namespace corvane::host
