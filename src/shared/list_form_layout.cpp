#include "shared/list_form_layout.h"

#include "shared/twips.h"

#include <QLabel>
#include <QWidget>

namespace corvane::shared {
namespace {

constexpr int kMarginTwips = 160;       // between the right combo and the window edge
constexpr int kLeastFreeTwips = 6800;   // toolbar room the buttons keep
constexpr int kEnglishComboTwips = 2400;

QWidget* Find(QWidget* frm, const char* name) {
  return frm->findChild<QWidget*>(QString::fromLatin1(name));
}

int Twips(int pixels) { return PixelsToTwips(pixels); }
int Pixels(double twips) { return TwipsToPixels(twips); }

// Moves combo to the right end of the toolbar row when the buttons keep their room.
// widthForTest is the width whose room is tested; extraLeft moves it further left.
void PlaceQueryCombo(QWidget* combo, int frameWidth, int widthForTest, int extraLeft) {
  if (frameWidth - widthForTest - kMarginTwips >= kLeastFreeTwips) {
    combo->move(Pixels(frameWidth - Twips(combo->width()) - extraLeft - kMarginTwips), combo->y());
  }
  combo->setVisible(true);
}

// The band of Picture2 and Picture3 that lies higher goes right under the toolbar
// (when there is one); returns the band's bottom edge in pixels, or -1 when the
// window has neither band.
int PlaceUpperBand(QWidget* frm, const QWidget* toolbar, int toolbarBottom) {
  QWidget* band2 = Find(frm, "Picture2");
  QWidget* band3 = Find(frm, "Picture3");
  QWidget* upper = band2;
  if (band3 != nullptr && (band2 == nullptr || band3->y() <= band2->y())) upper = band3;
  if (upper == nullptr) return -1;
  if (toolbar != nullptr) upper->move(upper->x(), toolbarBottom);
  return upper->y() + upper->height();
}

}  // namespace

void LayoutListForm(QWidget* frm, const QString& languageId) {
  if (frm == nullptr) return;
  const int width = Twips(frm->width());
  QWidget* toolbar = Find(frm, "CTBCtrl1");
  if (toolbar != nullptr) toolbar->resize(frm->width(), toolbar->height());

  QWidget* style = Find(frm, "cbostyle");
  QWidget* out = Find(frm, "CombOut");
  QWidget* queryType = Find(frm, "cboQueryType");
  if (style != nullptr) PlaceQueryCombo(style, width, Twips(style->width()), 0);
  if (out != nullptr) PlaceQueryCombo(out, width, Twips(out->width()), 0);
  // The query-type combo sits left of the settlement-style combo, so the room test
  // and the place both take the style combo's width.
  if (queryType != nullptr && style != nullptr) {
    PlaceQueryCombo(queryType, width, Twips(style->width()), Twips(style->width()));
  } else if (queryType != nullptr) {
    queryType->setVisible(true);
  }

  // One pixel up, so that the band's border and the toolbar's share a line.
  const int toolbarBottom = toolbar != nullptr ? toolbar->height() - 1 : -1;
  const int bandBottom = PlaceUpperBand(frm, toolbar, toolbarBottom);
  if (toolbar != nullptr) {
    for (QWidget* combo : {style, out, queryType}) {
      if (combo != nullptr) combo->move(combo->x(), toolbarBottom);
    }
  }
  if (bandBottom >= 0) {
    for (const char* name : {"Header", "Header1", "Header2"}) {
      if (QWidget* header = Find(frm, name)) header->move(header->x(), bandBottom);
    }
  }
  if (style != nullptr && languageId == QLatin1String("en-US")) {
    style->resize(Pixels(kEnglishComboTwips), style->height());
  }
}

void AutoSizeLabel(QLabel* lbl, QWidget* ctlA, QWidget* ctlB) {
  if (lbl != nullptr) {
    QFont font = lbl->font();
    font.setPointSize(15);
    lbl->setFont(font);
    lbl->adjustSize();
  }
  if (ctlA != nullptr) ctlA->setVisible(false);
  if (ctlB != nullptr) ctlB->setVisible(false);
  if (lbl != nullptr) lbl->update();
}

}  // namespace corvane::shared
