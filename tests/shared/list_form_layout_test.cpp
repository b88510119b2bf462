#include "shared/list_form_layout.h"

#include <QLabel>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

namespace corvane::shared {
namespace {

// A list window 900 pixels (13500 twips) wide with its toolbar host, the three
// query combos, two bands and a header.
struct ListWindow {
  std::unique_ptr<QWidget> window = std::make_unique<QWidget>();

  explicit ListWindow(int width = 900) {
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

TEST(LayoutListFormTest, CombosGoToTheRightEndWhenTheToolbarKeepsRoom) {
  ListWindow w;
  LayoutListForm(w.window.get());
  EXPECT_EQ(w.Get("CTBCtrl1")->width(), 900);
  EXPECT_EQ(w.Get("cbostyle")->geometry(), QRect(769, 19, 120, 20));      // 13500-1800-160
  EXPECT_EQ(w.Get("CombOut")->geometry(), QRect(789, 19, 100, 20));       // 13500-1500-160
  EXPECT_EQ(w.Get("cboQueryType")->geometry(), QRect(689, 19, 80, 20));   // left of cbostyle
  EXPECT_FALSE(w.Get("cbostyle")->isHidden());
  EXPECT_FALSE(w.Get("CombOut")->isHidden());
}

TEST(LayoutListFormTest, NarrowWindowKeepsTheCombosWhereTheyAre) {
  ListWindow w(500);  // 7500 - 1800 - 160 < 6800
  LayoutListForm(w.window.get());
  EXPECT_EQ(w.Get("cbostyle")->x(), 0);
  EXPECT_EQ(w.Get("cboQueryType")->x(), 0);
  EXPECT_EQ(w.Get("CombOut")->x(), 0);
  EXPECT_FALSE(w.Get("cbostyle")->isHidden());
  // 8550 twips: room for the narrower output combo only.
  ListWindow wider(570);
  LayoutListForm(wider.window.get());
  EXPECT_EQ(wider.Get("cbostyle")->x(), 0);
  EXPECT_EQ(wider.Get("CombOut")->x(), 459);  // (8550 - 1500 - 160) / 15
}

TEST(LayoutListFormTest, UpperBandGoesUnderTheToolbarAndHeadersUnderIt) {
  struct Case { int picture2Top, picture3Top; const char* upper; int headerTop; };
  const Case cases[] = {{100, 50, "Picture3", 19 + 30}, {40, 50, "Picture2", 19 + 40},
                        {50, 50, "Picture3", 19 + 30}};
  for (const Case& c : cases) {
    ListWindow w;
    w.Get("Picture2")->move(0, c.picture2Top);
    w.Get("Picture3")->move(0, c.picture3Top);
    LayoutListForm(w.window.get());
    EXPECT_EQ(w.Get(c.upper)->y(), 19) << c.upper;
    EXPECT_EQ(w.Get("Header")->y(), c.headerTop) << c.upper;
  }
}

TEST(LayoutListFormTest, EnglishWidensTheSettlementStyleCombo) {
  ListWindow english;
  LayoutListForm(english.window.get(), "en-US");
  EXPECT_EQ(english.Get("cbostyle")->width(), 160);
  ListWindow chinese;
  LayoutListForm(chinese.window.get(), "zh-CN");
  EXPECT_EQ(chinese.Get("cbostyle")->width(), 120);
}

TEST(LayoutListFormTest, MissingControlsAreSkipped) {
  QWidget window;
  window.resize(900, 500);
  auto* header = new QWidget(&window);
  header->setObjectName("Header1");
  header->setGeometry(0, 300, 900, 20);
  auto* band = new QWidget(&window);
  band->setObjectName("Picture2");
  band->setGeometry(0, 60, 900, 40);
  LayoutListForm(&window);
  EXPECT_EQ(band->y(), 60);     // no toolbar to sit under
  EXPECT_EQ(header->y(), 100);  // still under its band
  LayoutListForm(nullptr);
}

TEST(AutoSizeLabelTest, LabelFitsItsTextAndTheLinesGo) {
  QWidget window;
  auto* label = new QLabel(QString::fromUtf8("长期未达账审计"), &window);
  label->resize(10, 10);
  auto* line1 = new QWidget(&window);
  auto* line2 = new QWidget(&window);
  AutoSizeLabel(label, line1, line2);
  EXPECT_EQ(label->font().pointSize(), 15);
  EXPECT_EQ(label->size(), label->sizeHint());
  EXPECT_GT(label->width(), 10);
  EXPECT_TRUE(line1->isHidden());
  EXPECT_TRUE(line2->isHidden());
}

}  // namespace
}  // namespace corvane::shared
