#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <set>

namespace corvane::platform {
class DbConnection;
}

namespace corvane::suite {

class SessionOwner;
class TextSource;

// The register of running functions: which session runs which function
// (corvane_claim), checked against the user's rights (corvane_user_right) and
// the functions that only one session may run at a time (corvane_function).
//
// A claim is refused when
//   - the user has rows in corvane_user_right and none for the function
//     (a user without rows may run everything: a suite with no rights set up
//     keeps working), error kNoRight;
//   - the function is exclusive and another live session runs it, kInUse;
//   - this session has it registered already, kAlreadyRegistered (22), which the
//     component counts as granted.
// Giving back a function this session has not registered is refused with kNotRegistered.
class FunctionClaims {
 public:
  static constexpr int kNoRight = 20;
  static constexpr int kInUse = 21;
  static constexpr int kAlreadyRegistered = 22;
  static constexpr int kNotRegistered = 23;
  static constexpr int kNoFunction = 24;

  FunctionClaims(platform::DbConnection& connection, const SessionOwner& owner, QString userId, QString userName,
                 TextSource* texts);

  bool Claim(const QString& functionId);
  bool Release(const QString& functionId);
  // Gives back every function of the session (the end of a session).
  void ReleaseAll();
  // After the connection was made again: registers again the functions the
  // session claimed whose rows another session cleared as ended meanwhile.
  void Renew();

  // The display name of a function in the session's language (text
  // "corvane.function.<id>"); without such a text the name the suite keeps in
  // corvane_function, and the id itself when the suite does not know it.
  QString FunctionName(const QString& functionId) { return FunctionName(connection_, functionId, texts_); }
  static QString FunctionName(platform::DbConnection& connection, const QString& functionId, TextSource* texts);

  int ErrorNumber() const { return errorNumber_; }
  const QString& ErrorText() const { return errorText_; }

 private:
  bool MayRun(const QString& functionId);
  // Who runs the function in another live session, nothing when no one does;
  // rows of ended sessions are cleared on the way.
  std::optional<QString> OtherLiveRunner(const QString& functionId);
  bool IsExclusive(const QString& functionId);
  bool Refuse(int number, const QString& key, const QString& fallback, const QStringList& args);
  bool Grant();
  void Register(const QString& functionId);

  platform::DbConnection& connection_;
  const SessionOwner& owner_;
  QString userId_;
  QString userName_;
  TextSource* texts_;
  bool postgres_ = false;
  int errorNumber_ = 0;
  QString errorText_;
  std::set<QString> held_;  // the functions this session claimed and holds
};

}  // namespace corvane::suite
