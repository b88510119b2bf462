#pragma once

#include "platform/db/db_value.h"

#include <QString>
#include <functional>
#include <memory>

namespace corvane::platform {

class CommonServices;
class LoginContext;

// The suite's voucher viewer: shows one general-ledger voucher, read only. The
// caller creates one per request, hands it the services, the login and the list
// the voucher was picked from, and asks for the voucher by its key.
class VoucherViewer {
 public:
  virtual ~VoucherViewer() = default;
  virtual void SetServices(CommonServices* services) = 0;
  virtual void SetLogin(LoginContext* login) = 0;
  // The SELECT (with its bound values) of the list the voucher was picked from.
  virtual void SetListSql(const QString& sql, const DbParams& params) = 0;
  // systemCode "GL", functionId "GL0205", mode 3 (look only), kind "CN"; the
  // voucher by book flag, period, sign and number (texts). False when there is no
  // such voucher.
  virtual bool ShowVoucher(const QString& systemCode, const QString& functionId, int mode, const QString& kind,
                           const QString& book, const QString& period, const QString& sign,
                           const QString& number) = 0;

  using Maker = std::function<std::unique_ptr<VoucherViewer>()>;
  // The suite installs its maker at start-up; Create throws ServiceError without one.
  static void SetMaker(Maker maker);
  static std::unique_ptr<VoucherViewer> Create();
};

}  // namespace corvane::platform
