#pragma once

#include "platform/services/voucher_viewer.h"

class QDialog;

namespace corvane::suite {

// Our suite's voucher viewer: a modal, read-only window listing the lines of one
// voucher (date, account, digest, debit, credit) with its totals.
class SuiteVoucherViewer : public platform::VoucherViewer {
 public:
  void SetServices(platform::CommonServices* services) override { services_ = services; }
  void SetLogin(platform::LoginContext* login) override { login_ = login; }
  // Kept as given: our viewer shows the one voucher asked for and offers no paging
  // through the list.
  void SetListSql(const QString& sql, const platform::DbParams& params) override {
    listSql_ = sql;
    listParams_ = params;
  }
  bool ShowVoucher(const QString& systemCode, const QString& functionId, int mode, const QString& kind,
                   const QString& book, const QString& period, const QString& sign, const QString& number) override;

 private:
  platform::CommonServices* services_ = nullptr;
  platform::LoginContext* login_ = nullptr;
  QString listSql_;
  platform::DbParams listParams_;
};

}  // namespace corvane::suite
