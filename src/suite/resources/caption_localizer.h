#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace corvane::suite {

// Looks a resource key up; no value when the texts do not hold the key.
using CaptionLookup = std::function<std::optional<QString>(const QString& key)>;

// Sets the captions of a window and of its controls from resource texts.
//
// The rule (docs/captions.md tells it with examples): with W the window's object name
// and P the key prefix,
//   - the window's title comes from key  P + W
//   - a control named C inside the window takes its caption from  P + W + "." + C :
//       QLabel and every QAbstractButton (push, check, radio, tool button): text
//       QGroupBox: title;  QMenu: title;  QAction (toolbar button, menu item): text
//   - a QTabWidget or a free-standing QTabBar named C takes the text of tab i from
//       P + W + "." + C + "." + i   (tabs counted from 0)
//   - any named control or action takes its tool tip from  P + W + "." + C + ".tip"
// Controls without an object name, and controls whose key the texts lack, keep their
// design-time captions, so a window still reads sensibly with a partial text file.
// A child widget that is a window of its own (a dialog parented to the window) is not
// entered: its controls belong to that dialog's keys, not to its parent's, even when
// both have a "Command1". Pop-up menus are entered, their items belong to the window.
// Returns the number of captions, titles, tab texts and tool tips set; a window
// without an object name gets nothing (it has no key) and 0 is returned.
int ApplyCaptions(QWidget* window, const QString& keyPrefix, const CaptionLookup& lookup);

}  // namespace corvane::suite
