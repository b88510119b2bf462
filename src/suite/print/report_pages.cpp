#include "suite/print/report_pages.h"

#include "platform/print/report_job.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace corvane::suite {

namespace {

constexpr double kTwipsPerMm = 1440.0 / 25.4;
constexpr double kCellPadMm = 1.0;
constexpr double kGridPenMm = 0.15;
constexpr double kRowLeading = 1.6;  // a row's height in font heights
constexpr double kDefaultPoints = 9;

int FlagsOf(int align) {
  switch (align) {
    case 1: return Qt::AlignHCenter;
    case 2: return Qt::AlignRight;
    default: return Qt::AlignLeft;
  }
}

QFont FontOf(const TemplateFont& t, const QFont& base) {
  QFont f = base;
  if (!t.family.isEmpty()) f.setFamily(t.family);
  f.setPointSizeF(t.points);
  f.setBold(t.bold);
  return f;
}

// Draws a text in a cell, cut short with "…" when it is wider than the cell.
void DrawCellText(QPainter& p, const QRectF& r, int flags, const QString& text) {
  if (text.isEmpty()) return;
  const QFontMetricsF fm(p.font(), p.device());
  if (fm.horizontalAdvance(text) <= r.width()) {
    p.drawText(r, flags | Qt::AlignVCenter | Qt::TextSingleLine, text);
  } else {
    p.drawText(r, flags | Qt::AlignVCenter | Qt::TextSingleLine, fm.elidedText(text, Qt::ElideRight, r.width()));
  }
}

}  // namespace

ReportPages::ReportPages(const ReportSource& source, const QPaintDevice& device, const QSizeF& page)
    : s_(source), pxPerMm_(device.logicalDpiX() / 25.4), page_(page), bodyFont_(QFont(), &device) {
  const bool form = s_.kind == platform::kReportKindForm;
  head_ = s_.head ? s_.head->Band(form ? QStringLiteral("form") : QStringLiteral("head")) : nullptr;
  footer_ = s_.head ? s_.head->Band(QStringLiteral("footer")) : nullptr;
  tail_ = s_.tail ? s_.tail->Band(QStringLiteral("tail")) : nullptr;
  if (form || !s_.grid) {
    rowsPerPage_ = 1;
    return;
  }
  // The body prints in the grid's own font (a window may enlarge it for a print).
  const QFont gridFont = s_.grid->PrintFont();
  bodyFont_ = QFont(gridFont, &device);
  if (gridFont.pointSizeF() <= 0) bodyFont_.setPointSizeF(kDefaultPoints);
  headerFont_ = bodyFont_;
  headerFont_.setBold(true);
  rowPx_ = std::ceil(QFontMetricsF(bodyFont_, &device).height() * kRowLeading);
  headerRowPx_ = std::ceil(QFontMetricsF(headerFont_, &device).height() * kRowLeading);
  LayOutColumns();

  for (int r = 0, n = s_.grid->PrintBodyRowCount(); r < n; ++r)
    if (!s_.grid->PrintBodyRowHidden(r)) rows_.push_back(r);

  const double headPx = head_ ? Px(head_->heightMm) : 0;
  const double footPx = footer_ ? Px(footer_->heightMm) : 0;
  const double tailPx = tail_ ? Px(tail_->heightMm) : 0;
  const double bodyPx = page_.height() - headPx - footPx - s_.grid->PrintHeaderRowCount() * headerRowPx_;
  rowsPerPage_ = bodyPx > 0 ? static_cast<int>(bodyPx / rowPx_) : 0;
  if (rowsPerPage_ <= 0) return;
  const int n = static_cast<int>(rows_.size());
  bodyPages_ = std::max(1, (n + rowsPerPage_ - 1) / rowsPerPage_);
  const int lastRows = n - (bodyPages_ - 1) * rowsPerPage_;
  tailOwnPage_ = tail_ && bodyPx - lastRows * rowPx_ < tailPx;
  pageCount_ = bodyPages_ + (tailOwnPage_ ? 1 : 0);
}

void ReportPages::LayOutColumns() {
  double twips = 0;
  for (int c = 0; c < s_.grid->PrintColumnCount(); ++c) {
    const int w = s_.grid->PrintColumnWidth(c);
    if (w <= 0) continue;  // a column of width 0 is hidden
    cols_.push_back(c);
    colAlign_.push_back(s_.grid->PrintColumnAlignment(c));
    twips += w;
  }
  // The columns keep the grid's proportions and fill the page's width.
  const double scale = twips > 0 ? page_.width() / twips : 0;
  double x = 0;
  colX_.push_back(0);
  for (int c : cols_) {
    x += s_.grid->PrintColumnWidth(c) * scale;
    colX_.push_back(x);
  }
}

QRectF ReportPages::CellRect(int firstShown, int lastShown, double top, double height) const {
  return QRectF(colX_[firstShown], top, colX_[lastShown + 1] - colX_[firstShown], height);
}

void ReportPages::PaintBand(QPainter& p, const TemplateBand& band, double top,
                            const QHash<QString, QString>& values) const {
  const double widthMm = page_.width() / pxPerMm_;
  for (const TemplateItem& item : band.items) {
    const double x = Px(item.x.Resolve(widthMm));
    const double y = top + Px(item.y.Resolve(widthMm));
    const double w = Px(item.w.Resolve(widthMm));
    const double h = Px(item.h.Resolve(widthMm));
    if (item.kind == TemplateItem::Kind::Text) {
      p.setFont(FontOf(item.font, bodyFont_));
      DrawCellText(p, QRectF(x, y, w, h), FlagsOf(item.align), FillFields(item.text, values));
      continue;
    }
    p.setPen(QPen(Qt::black, std::max(1.0, Px(item.penMm))));
    if (item.kind == TemplateItem::Kind::Line) {
      p.drawLine(QPointF(x, y), QPointF(w, top + h));
    } else {
      p.drawRect(QRectF(x, y, w, h));
    }
  }
}

double ReportPages::PaintHeaderRows(QPainter& p, double top) const {
  const int headerRows = s_.grid->PrintHeaderRowCount();
  const std::vector<platform::GridSpan> spans = s_.grid->PrintHeaderSpans();
  p.setFont(headerFont_);
  const int shown = static_cast<int>(cols_.size());
  for (int r = 0; r < headerRows; ++r) {
    for (int i = 0; i < shown; ++i) {
      const int c = cols_[i];
      int lastI = i, rows = 1;
      bool covered = false;
      for (const platform::GridSpan& sp : spans) {
        if (r < sp.row1 || r > sp.row2 || c < sp.col1 || c > sp.col2) continue;
        // Drawn once, from its first shown column on its first row.
        const bool anchor = r == sp.row1 && (i == 0 || cols_[i - 1] < sp.col1);
        if (!anchor) {
          covered = true;
          break;
        }
        while (lastI + 1 < shown && cols_[lastI + 1] <= sp.col2) ++lastI;
        rows = sp.row2 - sp.row1 + 1;
        break;
      }
      if (covered) continue;
      const QRectF cell = CellRect(i, lastI, top + r * headerRowPx_, rows * headerRowPx_);
      p.drawRect(cell);
      DrawCellText(p, cell.adjusted(Px(kCellPadMm), 0, -Px(kCellPadMm), 0), Qt::AlignHCenter,
                   s_.grid->PrintHeaderText(r, c));
    }
  }
  return top + headerRows * headerRowPx_;
}

void ReportPages::PaintBodyRows(QPainter& p, double top, int first, int count) const {
  p.setFont(bodyFont_);
  const double pad = Px(kCellPadMm);
  for (int k = 0; k < count; ++k) {
    const int row = rows_[first + k];
    const double y = top + k * rowPx_;
    for (size_t i = 0; i < cols_.size(); ++i) {
      const QRectF cell(colX_[i] + pad, y, colX_[i + 1] - colX_[i] - 2 * pad, rowPx_);
      DrawCellText(p, cell, static_cast<int>(colAlign_[i]), s_.grid->PrintBodyText(row, cols_[i]));
    }
    p.drawLine(QPointF(0, y + rowPx_), QPointF(colX_.back(), y + rowPx_));
  }
  const double bottom = top + count * rowPx_;
  for (double x : colX_) p.drawLine(QPointF(x, top), QPointF(x, bottom));
}

void ReportPages::Paint(QPainter& p, int page) const {
  QHash<QString, QString> head = s_.headValues;
  head.insert(QStringLiteral("PAGE"), QString::number(page + 1));
  head.insert(QStringLiteral("PAGES"), QString::number(pageCount_));
  p.setPen(QPen(Qt::black, std::max(1.0, Px(kGridPenMm))));
  double y = 0;
  if (head_) {
    PaintBand(p, *head_, 0, head);
    y = Px(head_->heightMm);
  }
  if (footer_) PaintBand(p, *footer_, page_.height() - Px(footer_->heightMm), head);
  if (s_.kind == platform::kReportKindForm || !s_.grid || rowsPerPage_ <= 0) return;

  p.setPen(QPen(Qt::black, std::max(1.0, Px(kGridPenMm))));
  if (page < bodyPages_) {
    const int first = page * rowsPerPage_;
    const int count = std::min(rowsPerPage_, static_cast<int>(rows_.size()) - first);
    y = PaintHeaderRows(p, y);
    PaintBodyRows(p, y, first, count);
    y += count * rowPx_;
  }
  if (tail_ && page == pageCount_ - 1) {
    QHash<QString, QString> tail = s_.tailValues;
    tail.insert(QStringLiteral("PAGE"), head.value(QStringLiteral("PAGE")));
    tail.insert(QStringLiteral("PAGES"), head.value(QStringLiteral("PAGES")));
    PaintBand(p, *tail_, y, tail);
  }
}

}  // namespace corvane::suite
