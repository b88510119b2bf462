#pragma once

#include <QString>

class QComboBox;

namespace corvane::platform {

// The period lists of the selection dialogs. Position k of a plain list holds
// period k + 1. A list filled "from the beginning" has one entry before the
// periods that bounds nothing: chosen as the start it takes in everything before
// the first period (the opening items and the statement lines before the year),
// chosen as the end everything after the start. Its caption is for the clerk;
// its period text is empty, which every reader of a period range takes as no
// bound, so the caption is never read as a period.
class PeriodList {
 public:
  // Adds the entry that bounds nothing, with its caption in the session's language.
  static void AddNoBoundEntry(QComboBox* list, const QString& caption);
  // The period text of the entry at index: empty for the entry that bounds
  // nothing and for no entry at all, else the entry's text.
  static QString PeriodTextAt(const QComboBox* list, int index);
  // The period text of the list's chosen entry.
  static QString ChosenPeriodText(const QComboBox* list);
};

}  // namespace corvane::platform
