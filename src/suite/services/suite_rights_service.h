#pragma once

#include "platform/services/ui_style_service.h"

namespace corvane::platform {
class LoginContext;
}

namespace corvane::suite {

class TextSource;

// Which accounts a user may read, from corvane_account_right: the codes of the
// user's rows, comma-separated in code order ("1002,100201"). A user without
// rows gets the empty list, which means no restriction.
//
// Callers name the user as the session shows him (his name, SessionText2),
// while rights are stored under his key (SessionText1). The service belongs to
// one login and takes the name to that login's user only when it is exactly
// the login's name and the login has a key; any other name, another database,
// or another kind of object or right gets a list that allows nothing, never
// "no restriction".
class SuiteRightsService : public platform::AccountRightsService {
 public:
  // The list given when nothing is allowed: it names no account.
  static const QString kNothingAllowed;

  // login is not owned and must outlive the service; so must the texts its
  // errors are told in (Chinese without texts).
  explicit SuiteRightsService(platform::LoginContext& login, TextSource* texts = nullptr)
      : login_(login), texts_(texts) {}

  void Init(const QString& connectionString, const QString& user, int reserved1, int reserved2,
            int& result) override;
  void GetAllowedList(const QString& objectKind, int reserved, const QString& right, QString& list) override;

 private:
  platform::LoginContext& login_;
  TextSource* texts_;
  QString userId_;  // empty until Init has resolved the user
};

}  // namespace corvane::suite
