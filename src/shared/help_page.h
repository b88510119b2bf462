#pragma once

#include <QString>

#include <functional>

namespace corvane::shared {

// Help of the function windows. Each function has one help page, named by its menu
// id ("RP0305"); the host ships the pages and shows them in its own viewer. A window
// opens its page from its help button, its right-click help item and F1 with
//   shared::ShowHelpPage(QStringLiteral("RP0305"));
// which never sends a key to the window, so help cannot call itself again.

using HelpPageOpener = std::function<void(const QString& pageId)>;

// Installed by the host at log-in; an empty opener removes it.
void SetHelpPageOpener(HelpPageOpener opener);

// Opens the help page of a menu id (an id without a page of its own shows the
// index). False when no host has installed its help.
bool ShowHelpPage(const QString& pageId);

}  // namespace corvane::shared
