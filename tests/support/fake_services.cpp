#include "fake_services.h"

#include "platform/services/message_presenter.h"

namespace corvane::testing {

int FakeCashServices::ShowMessage(const QString& prompt, int buttons, const QString& title, const QString& helpFile,
                                  int context) {
  return platform::MessagePresenter::Current().Show({prompt, buttons, title, helpFile, context});
}

}  // namespace corvane::testing
