#include "platform/services/voucher_viewer.h"

#include "platform/services/service_error.h"

namespace corvane::platform {

namespace {
VoucherViewer::Maker& TheMaker() {
  static VoucherViewer::Maker maker;
  return maker;
}
}  // namespace

void VoucherViewer::SetMaker(Maker maker) { TheMaker() = std::move(maker); }

std::unique_ptr<VoucherViewer> VoucherViewer::Create() {
  if (!TheMaker()) throw ServiceError(QStringLiteral("No voucher viewer is installed"));
  return TheMaker()();
}

}  // namespace corvane::platform
