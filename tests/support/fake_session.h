#pragma once

#include "support/fake_services.h"

#include "shared/session.h"

#include <memory>
#include <utility>

namespace corvane::testing {

// Puts fresh fakes of the common and cash services and a silent UI style into the
// session; the session owns them, the test keeps the pointers to set their answers.
template <class Common, class Cash>
std::pair<Common*, Cash*> InstallFakeServices() {
  shared::Session& session = shared::Session::Current();
  auto common = std::make_unique<Common>();
  auto cash = std::make_unique<Cash>();
  const std::pair<Common*, Cash*> fakes{common.get(), cash.get()};
  session.gCommonServices = std::move(common);
  session.gCashServices = std::move(cash);
  session.gUiStyle = std::make_unique<FakeUiStyle>();
  return fakes;
}

// Takes the fakes out of the session again and leaves it in account mode, so that
// the next test starts from a clean session.
inline void RemoveFakeServices() {
  shared::Session& session = shared::Session::Current();
  session.gCommonServices.reset();
  session.gCashServices.reset();
  session.gUiStyle.reset();
  session.gBookMode = 0;
}

}  // namespace corvane::testing
