#pragma once

#include <QString>

namespace corvane::shared {

// Shows the wait window with the one-line message text (a resource text the caller
// chose) and the busy pointer. A second call replaces the message. Any message
// box takes the wait window down before it shows.
void ShowWait(const QString& text);

// Hides the wait window and gives back the normal pointer, whatever pointer the
// application had before.
void HideWait();

}  // namespace corvane::shared
