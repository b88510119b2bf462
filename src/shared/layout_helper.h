#pragma once

#include "shared/cls_layout.h"

namespace corvane::shared {

// The layout object the function windows keep for their resize handling. It is the
// word-unit layout under the names those windows call: PrepareForm notes the
// window, FitControl places grids and containers, PlaceLabel places labels and
// combo boxes, each against the window's edges in words of 180 twips (a side left
// out is not anchored; bMid splits the window into halves or centres the control).
class LayoutHelper {
 public:
  LayoutHelper() = default;
  explicit LayoutHelper(int twipsPerPixel) : layout_(twipsPerPixel) {}

  void PrepareForm(QWidget* frm, float minWordWidth, float minWordHeight, bool smallToolBar = false);
  // bRedraw asks for the control to be repainted at once in its new place, which
  // the grids want so that a large grid does not show its old rows stretched.
  void FitControl(QWidget* ctl, Words xMinWidth = {}, Words yMinHeight = {}, Words xLeft = {},
                  Words xRight = {}, Words yTop = {}, Words yBottom = {}, bool bMid = false,
                  bool bRedraw = false);
  void PlaceLabel(QWidget* ctl, Words xMinWidth = {}, Words yMinHeight = {}, Words xLeft = {},
                  Words xRight = {}, Words yTop = {}, Words yBottom = {}, bool bMid = false,
                  bool bRedraw = false);
  // Twips of one title step: a window puts a grid's title box 2.5 of these above
  // the grid.
  int GetTitleHeight() const { return layout_.WordTwip(); }

  clsLayout& Layout() { return layout_; }
  const clsLayout& Layout() const { return layout_; }

 private:
  clsLayout layout_;
};

}  // namespace corvane::shared
