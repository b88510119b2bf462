#include "shared/list_form_layout.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

namespace corvane::shared {
namespace {

// A list window (500 pixels high) with its toolbar host, the three query combos,
// two bands and a header.
struct ListWindow {
  std::unique_ptr<QWidget> window = std::make_unique<QWidget>();

  explicit ListWindow(int width) {
    window->resize(width, 500);
    Add("CTBCtrl1", QRect(0, 0, 100, 20));
    Add("cbostyle", QRect(0, 100, 120, 20))->hide();  // 1800 twips
    Add("CombOut", QRect(0, 100, 100, 20))->hide();   // 1500 twips
    Add("cboQueryType", QRect(0, 100, 80, 20));       // 1200 twips
    Add("Picture2", QRect(0, 100, 900, 40));
    Add("Picture3", QRect(0, 50, 900, 30));
    Add("Header", QRect(0, 300, 900, 20));
  }
  QWidget* Add(const char* name, const QRect& geometry) {
    auto* w = new QWidget(window.get());
    w->setObjectName(name);
    w->setGeometry(geometry);
    return w;
  }
  QWidget* Get(const char* name) const { return window->findChild<QWidget*>(name); }
};

// Each combo moves to the right end (width - its width - 160 twips) only while
// 6800 twips stay free for the toolbar; cboQueryType goes left of cbostyle. The
// upper band goes under the toolbar (19 pixels) and the header under that band.
TEST(LayoutListFormTest, CombosBandsAndHeadersFollowTheToolbar) {
  struct Case { int width; const char* language; int styleX, outX, queryX, styleWidth, picture2Top, headerTop; };
  const Case cases[] = {
      {900, "", 769, 789, 689, 120, 100, 19 + 30},
      {500, "", 0, 0, 0, 120, 40, 19 + 40},      // 7500 - 1800 - 160 < 6800; Picture2 the upper band
      {570, "", 0, 459, 0, 120, 50, 19 + 30},    // room for the narrower output combo only; a tie goes to Picture3
      {900, "en-US", 769, 789, 689, 160, 100, 19 + 30},  // widened after it was placed
  };
  for (const Case& c : cases) {
    ListWindow w(c.width);
    w.Get("Picture2")->move(0, c.picture2Top);
    LayoutListForm(w.window.get(), QString::fromLatin1(c.language));
    SCOPED_TRACE(c.width);
    EXPECT_EQ(w.Get("CTBCtrl1")->width(), c.width);
    EXPECT_EQ(w.Get("cbostyle")->geometry(), QRect(c.styleX, 19, c.styleWidth, 20));
    EXPECT_EQ(w.Get("CombOut")->pos(), QPoint(c.outX, 19));
    EXPECT_EQ(w.Get("cboQueryType")->pos(), QPoint(c.queryX, 19));
    EXPECT_FALSE(w.Get("cbostyle")->isHidden() || w.Get("CombOut")->isHidden());
    EXPECT_EQ(w.Get(c.picture2Top < 50 ? "Picture2" : "Picture3")->y(), 19);
    EXPECT_EQ(w.Get("Header")->y(), c.headerTop);
  }
}

}  // namespace
}  // namespace corvane::shared
