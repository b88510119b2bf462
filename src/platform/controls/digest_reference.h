#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QListWidget;

namespace corvane::platform {

class CommonServices;
class LoginContext;

// The suite's digest reference: picks a digest (摘要) text from those the
// account set has used, narrowed by what the user has typed. It starts from
// ParamObject.InputText and hands back ParamObject.Confirmed and, on OK, the
// chosen text in ParamObject.Value2.
class DigestReference : public QDialog {
  Q_OBJECT

 public:
  explicit DigestReference(QWidget* parent = nullptr);

  QString HelpFile;
  void SetLogin(LoginContext* login) { login_ = login; }
  void SetCommonServices(CommonServices* services) { services_ = services; }
  // 0: pick a digest (the only mode the component uses).
  void SetMode(int mode) { mode_ = mode; }
  // Loads the digests and shows the dialog through the modal runner.
  void Show();

  QLineEdit* Filter() const { return filter_; }
  QListWidget* List() const { return list_; }
  void Confirm();

 private:
  void Refill();

  LoginContext* login_ = nullptr;
  CommonServices* services_ = nullptr;
  int mode_ = 0;
  QLineEdit* filter_;
  QListWidget* list_;
};

}  // namespace corvane::platform
