#pragma once

#include "platform/services/ui_style_service.h"

namespace corvane::platform {
class DbConnection;
}

namespace corvane::suite {

// Which accounts a user may read, from corvane_account_right: the codes of the
// user's rows, comma-separated in code order ("1002,100201"). A user without
// rows gets the empty list, which means no restriction.
class SuiteRightsService : public platform::AccountRightsService {
 public:
  // connection is not owned.
  explicit SuiteRightsService(platform::DbConnection& connection) : connection_(connection) {}
  QString GetAllowedList(const QString& userId) override;

 private:
  platform::DbConnection& connection_;
};

}  // namespace corvane::suite
