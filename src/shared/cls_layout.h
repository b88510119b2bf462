#pragma once

#include "shared/twips.h"
#include "shared/word_layout_math.h"

#include <QPointer>
#include <optional>

class QWidget;

namespace corvane::shared {

// Sizes windows and places controls in words: one word is 180 twips, the width of
// a character of a 9-point font, so a window can say "a grid 1.7 words from the
// left edge, stretching to 0.5 words from the right" and keep saying it as the
// user resizes it.
//
// On each resize the window calls InitFormResize once, which notes the window's
// inner size, its toolbar room and its status bar, then Layout for every control
// placed against the window and LayoutSub for every control inside a container.
// Controls placed with Layout are direct children of the window.
//
// The public class of the same name in the suite is a COM class whose layout steps
// skip every failure; here a missing widget is simply passed over.
class clsLayout {
 public:
  // A screen of kTwipsPerPixel twips per pixel, the rate the whole system uses.
  clsLayout();
  // A screen of another density: the frame values and the word widths differ.
  explicit clsLayout(int twipsPerPixel);

  bool NormalFont() const { return normalFont_; }
  void SetNormalFont(bool value) { normalFont_ = value; }
  int WordTwip() const { return wordTwip_; }
  void SetWordTwip(int value) { wordTwip_ = value; }
  int XNullPixel() const { return xNullPixel_; }
  void SetXNullPixel(int value) { xNullPixel_ = value; }
  int XNullTwip() const { return xNullTwip_; }
  void SetXNullTwip(int value) { xNullTwip_ = value; }
  int YNullPixel() const { return yNullPixel_; }
  void SetYNullPixel(int value) { yNullPixel_ = value; }
  int YNullTwip() const { return yNullTwip_; }
  void SetYNullTwip(int value) { yNullTwip_ = value; }

  // Twips taken by WordNum characters of the font size (9 points when left out).
  // Nothing when the product does not fit in 32 bits.
  std::optional<int> TwipWord(int WordNum, std::optional<double> FontSize = std::nullopt) const;

  // Notes the window's facts for the Layout calls of this resize. The minimum
  // sizes are part of the call but the window's size is never forced by them.
  void InitFormResize(QWidget* frmObj, float MinWordWidth, float MinWordHeight,
                      bool SmallToolBar = false);
  // Gives a window in its normal state an outer size of WordWidth x WordHeight words,
  // keeping its position. bToolBar is part of the call and changes nothing.
  void InitForm(QWidget* frmObj, float WordWidth, float WordHeight, bool bToolBar = true);
  // Places obj on the window last seen by InitFormResize.
  void Layout(QWidget* obj, Words xMinWidth, Words yMinHeight, Words xLeft, Words xRight,
              Words yTop, Words yBottom, bool bMid = false);
  // Places obj inside objParent, never making it smaller than it is.
  void LayoutSub(QWidget* objParent, QWidget* obj, Words xMinWidth, Words yMinHeight,
                 Words xLeft, Words xRight, Words yTop, Words yBottom, bool bMid = false);

  // What InitFormResize noted, for the windows that place further controls by hand.
  int TwipsX() const { return twipsX_; }
  int ToolBarHeight() const { return toolBarHeight_; }
  int FormWidth() const { return formWidth_; }
  int FormHeight() const { return formHeight_; }
  bool HasStatusBar() const { return hasStatusBar_; }

 private:
  void ApplyToolbarRoom(QWidget* frmObj, bool smallToolBar);
  void PlaceWidget(QWidget* obj, std::optional<TwipSpan> across,
                   std::optional<TwipSpan> down) const;
  int ToTwips(int pixels) const { return PixelsToTwips(pixels, twipsX_); }

  bool normalFont_ = true;
  int wordTwip_ = 180;
  int xNullPixel_ = 8;
  int xNullTwip_ = 0;
  int yNullPixel_ = 27;
  int yNullTwip_ = 0;

  int twipsX_ = kTwipsPerPixel;
  bool hasStatusBar_ = false;
  QPointer<QWidget> statusBar_;
  int toolBarHeight_ = 0;
  int formWidth_ = 0;
  int formHeight_ = 0;
  bool scanning_ = false;
};

}  // namespace corvane::shared
