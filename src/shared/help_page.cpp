#include "shared/help_page.h"

namespace corvane::shared {

namespace {
HelpPageOpener& Opener() {
  static HelpPageOpener opener;
  return opener;
}
}  // namespace

void SetHelpPageOpener(HelpPageOpener opener) { Opener() = std::move(opener); }

bool ShowHelpPage(const QString& pageId) {
  const HelpPageOpener& opener = Opener();
  if (!opener) return false;
  opener(pageId);
  return true;
}

}  // namespace corvane::shared
