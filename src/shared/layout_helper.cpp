#include "shared/layout_helper.h"

#include <QWidget>

namespace corvane::shared {

void LayoutHelper::PrepareForm(QWidget* frm, float minWordWidth, float minWordHeight,
                               bool smallToolBar) {
  layout_.InitFormResize(frm, minWordWidth, minWordHeight, smallToolBar);
}

void LayoutHelper::FitControl(QWidget* ctl, Words xMinWidth, Words yMinHeight, Words xLeft,
                              Words xRight, Words yTop, Words yBottom, bool bMid, bool bRedraw) {
  layout_.Layout(ctl, xMinWidth, yMinHeight, xLeft, xRight, yTop, yBottom, bMid);
  if (bRedraw && ctl != nullptr) ctl->repaint();
}

void LayoutHelper::PlaceLabel(QWidget* ctl, Words xMinWidth, Words yMinHeight, Words xLeft,
                              Words xRight, Words yTop, Words yBottom, bool bMid, bool bRedraw) {
  FitControl(ctl, xMinWidth, yMinHeight, xLeft, xRight, yTop, yBottom, bMid, bRedraw);
}

}  // namespace corvane::shared
