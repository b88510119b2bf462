#pragma once

#include <initializer_list>

namespace corvane::platform {
class ToolbarHost;
}

namespace corvane::balance {

// One entry of a statement window's toolbar. A null caption makes a separator
// (keyed when key is given, so that it can be hidden with its group).
struct ToolbarButton {
  const char* key;
  const char* caption;
  const char* tip;
  int picture;  // the suite's picture of the command, by resource number
};

// Adds the buttons in order, each named by its key so that the captions of the
// session's language reach it, and gives Help its F1.
void AddToolbarButtons(platform::ToolbarHost& toolbar, std::initializer_list<ToolbarButton> buttons);

}  // namespace corvane::balance
