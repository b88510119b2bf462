#include "shared/cls_layout.h"

#include <QCoreApplication>
#include <QString>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <limits>

namespace corvane::shared {
namespace {

// The suite recognises a window's toolbar, status bar and combo boxes by the name of
// their control type. A Qt widget answers by its class name (any widget whose class
// is called "...ToolBar..." counts, so a toolbar host of our own does too) or by
// deriving from the matching Qt class.
bool IsKind(const QWidget* widget, const char* upperName, const char* qtClass) {
  if (widget->inherits(qtClass)) return true;
  return QString::fromLatin1(widget->metaObject()->className()).toUpper().contains(
      QLatin1String(upperName));
}

bool IsToolBar(const QWidget* w) { return IsKind(w, "TOOLBAR", "QToolBar"); }
bool IsStatusBar(const QWidget* w) { return IsKind(w, "STATUSBAR", "QStatusBar"); }
bool IsComboBox(const QWidget* w) { return IsKind(w, "COMBOBOX", "QComboBox"); }

}  // namespace

clsLayout::clsLayout() : clsLayout(kTwipsPerPixel) {}

clsLayout::clsLayout(int twipsPerPixel) : twipsX_(twipsPerPixel > 0 ? twipsPerPixel : kTwipsPerPixel) {
  normalFont_ = (twipsX_ == 15);
  wordTwip_ = 180;
  xNullPixel_ = 8;
  xNullTwip_ = normalFont_ ? 0 : 96;
  yNullPixel_ = normalFont_ ? 27 : 32;
  yNullTwip_ = normalFont_ ? 0 : 384;
}

std::optional<int> clsLayout::TwipWord(int WordNum, std::optional<double> FontSize) const {
  const std::int64_t product = static_cast<std::int64_t>(WordNum) *
                               PixelsPerWord(FontSize.value_or(9), normalFont_) * twipsX_;
  if (product > std::numeric_limits<int>::max() || product < std::numeric_limits<int>::min()) {
    return std::nullopt;
  }
  return static_cast<int>(product);
}

void clsLayout::InitFormResize(QWidget* frmObj, float /*MinWordWidth*/, float /*MinWordHeight*/,
                               bool SmallToolBar) {
  toolBarHeight_ = 0;
  hasStatusBar_ = false;
  statusBar_ = nullptr;
  if (frmObj == nullptr) return;
  // Every control is tested for both kinds; the last status bar found wins.
  const auto children = frmObj->findChildren<QWidget*>();
  for (QWidget* child : children) {
    if (IsToolBar(child)) ApplyToolbarRoom(frmObj, SmallToolBar);
    if (IsStatusBar(child)) {
      hasStatusBar_ = true;
      statusBar_ = child;
    }
  }
  formWidth_ = ToTwips(frmObj->width());
  formHeight_ = ToTwips(frmObj->height());
  // Let the window paint what it has so far. User input waits, and a resize that
  // arrives meanwhile does not start a second round of this from inside the first.
  if (!scanning_) {
    scanning_ = true;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    scanning_ = false;
  }
}

void clsLayout::ApplyToolbarRoom(QWidget* frmObj, bool smallToolBar) {
  QWidget* holder = frmObj->findChild<QWidget*>(QStringLiteral("Picture1"));
  QWidget* host = frmObj->findChild<QWidget*>(QStringLiteral("CTBCtrl1"));
  if (holder != nullptr && host != nullptr) holder->resize(holder->width(), host->height());
  if (host != nullptr) host->resize(frmObj->width(), host->height());
  if (normalFont_) {
    toolBarHeight_ = smallToolBar ? 405 : 387;
  } else {
    toolBarHeight_ = smallToolBar ? 384 : 528;
  }
}

void clsLayout::InitForm(QWidget* frmObj, float WordWidth, float WordHeight, bool /*bToolBar*/) {
  if (frmObj == nullptr) return;
  constexpr auto kNotNormal = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
  if (frmObj->windowState() & kNotNormal) return;
  // The size is the outer size, frame included, as the suite's windows are measured.
  const QSize frame = frmObj->frameGeometry().size() - frmObj->size();
  const int outerWidth = TwipsToPixels(RoundHalfEven(double(WordWidth) * wordTwip_), twipsX_);
  const int outerHeight = TwipsToPixels(RoundHalfEven(double(WordHeight) * wordTwip_), twipsX_);
  frmObj->resize(std::max(0, outerWidth - frame.width()), std::max(0, outerHeight - frame.height()));
}

void clsLayout::Layout(QWidget* obj, Words xMinWidth, Words yMinHeight, Words xLeft, Words xRight,
                       Words yTop, Words yBottom, bool bMid) {
  if (obj == nullptr || wordTwip_ == 0) return;
  const double wt = wordTwip_;
  const double minWidth = xMinWidth.value_or(ToTwips(obj->width()) / wt);
  const double minHeight = yMinHeight.value_or(ToTwips(obj->height()) / wt);
  const auto across = PlaceAcross(minWidth, xLeft, xRight, bMid, wordTwip_, formWidth_);
  auto down = PlaceDown(minHeight, yTop, yBottom, wordTwip_, formHeight_, toolBarHeight_);
  // A control reaching into the status bar stops at its upper edge.
  if (down && hasStatusBar_ && statusBar_ != nullptr) {
    const int barHeight = ToTwips(statusBar_->height());
    if (formHeight_ - barHeight < down->start + down->size) {
      down->size = formHeight_ - barHeight - down->start;
    }
  }
  // The suite also re-scales a picture box to its new size here; a Qt widget's
  // inner co-ordinates always follow its size, so there is nothing to do.
  PlaceWidget(obj, across, down);
}

void clsLayout::LayoutSub(QWidget* objParent, QWidget* obj, Words xMinWidth, Words yMinHeight,
                          Words xLeft, Words xRight, Words yTop, Words yBottom, bool bMid) {
  if (objParent == nullptr || obj == nullptr || wordTwip_ == 0) return;
  const double wt = wordTwip_;
  // Inside a container a control is never made smaller than it already is.
  const double ownWidth = ToTwips(obj->width()) / wt;
  const double ownHeight = ToTwips(obj->height()) / wt;
  const double minWidth = (xMinWidth && *xMinWidth >= ownWidth) ? *xMinWidth : ownWidth;
  const double minHeight = (yMinHeight && *yMinHeight >= ownHeight) ? *yMinHeight : ownHeight;
  const int width = ToTwips(objParent->width());
  const int height = ToTwips(objParent->height());
  PlaceWidget(obj, PlaceAcross(minWidth, xLeft, xRight, bMid, wordTwip_, width),
              PlaceDown(minHeight, yTop, yBottom, wordTwip_, height, 0));
}

void clsLayout::PlaceWidget(QWidget* obj, std::optional<TwipSpan> across,
                            std::optional<TwipSpan> down) const {
  if (!across && !down) return;
  QRect g = obj->geometry();
  int x = g.x(), y = g.y(), w = g.width(), h = g.height();
  // Edges are converted rather than sizes, so neighbours that share an edge in
  // twips share it in pixels. A window smaller than the margins leaves a control
  // of no size instead of one of negative size.
  if (across) {
    x = TwipsToPixels(across->start, twipsX_);
    w = std::max(0, TwipsToPixels(double(across->start) + across->size, twipsX_) - x);
  }
  if (down) {
    y = TwipsToPixels(down->start, twipsX_);
    // A combo box has the height of its font; only its top follows the layout.
    if (!IsComboBox(obj)) h = std::max(0, TwipsToPixels(double(down->start) + down->size, twipsX_) - y);
  }
  obj->setGeometry(x, y, w, h);
}

}  // namespace corvane::shared
