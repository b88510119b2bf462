#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace corvane::shared {

// The last step of a list window's resize: stretches the toolbar host "CTBCtrl1"
// over the window, puts the query combos "cbostyle", "CombOut" and "cboQueryType"
// at the right end of the toolbar row when the toolbar keeps room enough, puts the
// upper of the bands "Picture2" and "Picture3" right under the toolbar and the
// headers "Header", "Header1" and "Header2" under that band. A control the window
// lacks is skipped. With the language "en-US" the settlement-style combo is widened
// for the longer English texts.
void LayoutListForm(QWidget* frm, const QString& languageId = QString());

// Makes a title label fit its text at 15 points and hides the two lines drawn
// around it (the audit window's title).
void AutoSizeLabel(QLabel* lbl, QWidget* ctlA, QWidget* ctlB);

}  // namespace corvane::shared
