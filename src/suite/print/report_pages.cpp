#include "suite/print/report_pages.h"

#include "platform/print/report_job.h"
#include "suite/print/report_cell_kind.h"
#include "suite/print/report_columns.h"
#include "suite/print/name_code_line.h"
#include "suite/print/report_elisions.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPaintDevice>
#include <QPainter>
#include <QHash>
#include <algorithm>
#include <cmath>

namespace corvane::suite {

namespace {

constexpr double kTwipsPerMm = 1440.0 / 25.4;
constexpr double kCellPadMm = 1.0;
constexpr double kGridPenMm = 0.15;
constexpr double kRowLeading = 1.6;  // a row's height in font heights
constexpr double kDefaultPoints = 9;
// The smallest type a body is set in to fit its page, and the step down to it.
constexpr double kMinPoints = 6;
constexpr double kPointStep = 0.5;
// A band's date or amount is set smaller, down to this, rather than cut.
constexpr double kMinBandPoints = 5;
// Hinting may widen a text a little at another size than the one it was
// measured at: the fit keeps this much in hand.
constexpr double kFitSlack = 1.01;
// A text measured at another type is laid out in lines when it comes this near
// its column's width.
constexpr double kWrapSlack = 1.05;

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

void RecordElided(const QString& report, int page, ElidedCell::Part part, int row, int column, CellKind kind,
                  const QString& text) {
  ElidedCellRecorder::Record({report, page, part, row, column, kind, text});
}

}  // namespace

// The widest cells of each shown column at the grid's own type: what must
// show whole on one line (a figure, or the widest word of a text) and the
// widest cell of any kind.
struct ReportPages::WidestCells {
  std::vector<QString> whole;
  std::vector<QString> any;
};

CellTextPen::CellTextPen(const QFont& font, const QPaintDevice& device)
    : metrics_(font, &device), raw_(QRawFont::fromFont(font)) {
  if (!raw_.isValid()) return;
  // The kept advances must be those the painter uses on this device.
  const QList<quint32> zero = raw_.glyphIndexesForString(QStringLiteral("0"));
  const double advance = raw_.advancesForGlyphIndexes(zero).value(0).x();
  if (std::abs(advance - metrics_.horizontalAdvance(QLatin1Char('0'))) > 0.01 * advance) return;
  for (char16_t c = 32; c < 127; ++c) {
    const QList<quint32> glyphs = raw_.glyphIndexesForString(QString(QChar(c)));
    if (glyphs.size() != 1 || glyphs[0] == 0) continue;
    ascii_[c] = {glyphs[0], raw_.advancesForGlyphIndexes(glyphs).value(0).x()};
  }
}

const CellTextPen::Glyph& CellTextPen::GlyphOf(char16_t c) const {
  static const Glyph none;
  return c < 127 ? ascii_[c] : none;
}

double CellTextPen::KeptWidth(const QString& text) const {
  double width = 0;
  for (const QChar ch : text) {
    const Glyph& g = GlyphOf(ch.unicode());
    if (g.index == 0) return -1;
    width += g.advance;
  }
  return width;
}

double CellTextPen::Width(const QString& text) const {
  const double kept = KeptWidth(text);
  return kept >= 0 ? kept : metrics_.horizontalAdvance(text);
}

bool CellTextPen::Draw(QPainter& p, const QRectF& cell, Qt::Alignment align, const QString& text,
                       Batch* batch) const {
  if (text.isEmpty()) return true;
  const double baseline = cell.top() + (cell.height() - metrics_.height()) / 2 + metrics_.ascent();
  auto left = [&](double width) {
    if (align & Qt::AlignRight) return cell.right() - width;
    if (align & Qt::AlignHCenter) return cell.left() + (cell.width() - width) / 2;
    return cell.left();
  };
  const double kept = KeptWidth(text);
  if (kept >= 0) {
    const double width = kept;
    if (width <= cell.width()) {
      Batch own;
      Batch& b = batch ? *batch : own;
      double x = left(width);
      for (const QChar ch : text) {
        const Glyph& g = GlyphOf(ch.unicode());
        b.glyphs.append(g.index);
        b.positions.append(QPointF(x, baseline));
        x += g.advance;
      }
      if (!batch) Flush(p, own);
      return true;
    }
  }
  const double width = kept >= 0 ? kept : metrics_.horizontalAdvance(text);
  const bool whole = width <= cell.width();
  const QString shown = whole ? text : metrics_.elidedText(text, Qt::ElideRight, cell.width());
  p.drawText(QPointF(left(whole ? width : metrics_.horizontalAdvance(shown)), baseline), shown);
  return whole;
}

void CellTextPen::Flush(QPainter& p, Batch& batch) const {
  if (batch.glyphs.isEmpty()) return;
  QGlyphRun run;
  run.setRawFont(raw_);
  run.setGlyphIndexes(batch.glyphs);
  run.setPositions(batch.positions);
  p.drawGlyphRun(QPointF(0, 0), run);
  batch.glyphs.clear();
  batch.positions.clear();
}

ReportPages::ReportPages(const ReportSource& source, const QPaintDevice& device, const QSizeF& page)
    : s_(source), pxPerMm_(device.logicalDpiX() / 25.4), page_(page), bodyFont_(QFont(), &device) {
  report_ = s_.headValues.value(QStringLiteral("TITLE"));
  if (report_.isEmpty()) report_ = s_.headValues.value(QStringLiteral("P1"));
  const bool form = s_.kind == platform::kReportKindForm;
  head_ = s_.head ? s_.head->Band(form ? QStringLiteral("form") : QStringLiteral("head")) : nullptr;
  footer_ = s_.head ? s_.head->Band(QStringLiteral("footer")) : nullptr;
  tail_ = s_.tail ? s_.tail->Band(QStringLiteral("tail")) : nullptr;
  if (form || !s_.grid) {
    rowsPerPage_ = 1;
    return;
  }
  for (int r = 0, n = s_.grid->PrintBodyRowCount(); r < n; ++r)
    if (!s_.grid->PrintBodyRowHidden(r)) rows_.push_back(r);
  LayOutColumns(device);

  const double headPx = head_ ? Px(head_->heightMm) : 0;
  const double footPx = footer_ ? Px(footer_->heightMm) : 0;
  const double tailPx = tail_ ? Px(tail_->heightMm) : 0;
  const double bodyPx = page_.height() - headPx - footPx - s_.grid->PrintHeaderRowCount() * headerRowPx_;
  rowsPerPage_ = bodyPx > 0 ? static_cast<int>(bodyPx / rowPx_) : 0;
  if (rowsPerPage_ <= 0) return;
  CountLines(bodyPx);
  BreakPages(bodyPx, tailPx);
}

double ReportPages::RowPx(int shownRow) const {
  const int lines = rowLines_.empty() ? 1 : rowLines_[shownRow];
  return rowPx_ + (lines - 1) * lineStepPx_;
}

double ReportPages::InnerWidth(size_t shownCol) const {
  return colX_[shownCol + 1] - colX_[shownCol] - 2 * Px(kCellPadMm);
}

std::vector<TextSpan> ReportPages::LinesOf(const QString& text, double width) const {
  return CellLines(text, width, [this](const QString& t) { return bodyPen_->Width(t); });
}

// Only a text wider than its column is laid out in lines; the widths measured
// at the grid's type tell which, scaled to the type the body takes.
void ReportPages::CountLines(double bodyPx) {
  const int maxLines = std::max(1, 1 + static_cast<int>((bodyPx - rowPx_) / lineStepPx_));
  const size_t texts = textWidths_.empty() ? 0 : textWidths_.size() / rows_.size();
  const double scale = bodyFont_.pointSizeF() / measuredPoints_;
  for (size_t k = 0; k < rows_.size() && texts > 0; ++k) {
    for (size_t i = 0; i < cols_.size(); ++i) {
      if (textSlot_[i] < 0) continue;
      const double inner = InnerWidth(i);
      if (textWidths_[k * texts + textSlot_[i]] * scale * kWrapSlack <= inner) continue;
      const QString text = s_.grid->PrintBodyText(rows_[k], cols_[i]);
      if (bodyPen_->Width(text) <= inner) continue;
      const int lines = std::min(maxLines, static_cast<int>(LinesOf(text, inner).size()));
      if (rowLines_.empty()) rowLines_.assign(rows_.size(), 1);
      rowLines_[k] = static_cast<quint16>(std::max<int>(rowLines_[k], lines));
    }
  }
  textWidths_ = {};
}

void ReportPages::BreakPages(double bodyPx, double tailPx) {
  const int n = static_cast<int>(rows_.size());
  pageFirst_ = {0};
  double used = 0;
  for (int k = 0; k < n; ++k) {
    if (used > 0 && used + RowPx(k) > bodyPx) {
      pageFirst_.push_back(k);
      used = 0;
    }
    used += RowPx(k);
  }
  pageFirst_.push_back(n);
  bodyPages_ = static_cast<int>(pageFirst_.size()) - 1;
  tailOwnPage_ = tail_ && bodyPx - used < tailPx;
  pageCount_ = bodyPages_ + (tailOwnPage_ ? 1 : 0);
}

ReportPages::~ReportPages() = default;

void ReportPages::SetBodyFont(const QFont& font, const QPaintDevice& device) {
  bodyFont_ = font;
  headerFont_ = bodyFont_;
  headerFont_.setBold(true);
  bodyPen_.emplace(bodyFont_, device);
  headerPen_.emplace(headerFont_, device);
  const QFontMetricsF metrics(bodyFont_, &device);
  rowPx_ = std::ceil(metrics.height() * kRowLeading);
  lineStepPx_ = std::ceil(metrics.lineSpacing());
  headerRowPx_ = std::ceil(QFontMetricsF(headerFont_, &device).height() * kRowLeading);
}

ReportPages::WidestCells ReportPages::MeasureColumns() {
  WidestCells widest;
  std::vector<double> whole(cols_.size(), 0), any(cols_.size(), 0);
  widest.whole.resize(cols_.size());
  widest.any.resize(cols_.size());
  QHash<QString, double> shaped;  // texts of other characters repeat (styles, captions)
  QHash<QString, QString> widestWord;
  const size_t texts = static_cast<size_t>(std::count_if(textSlot_.begin(), textSlot_.end(), [](int t) { return t >= 0; }));
  textWidths_.assign(texts * rows_.size(), 0);
  for (size_t k = 0; k < rows_.size(); ++k) {
    for (size_t i = 0; i < cols_.size(); ++i) {
      const QString text = s_.grid->PrintBodyText(rows_[k], cols_[i]);
      if (text.isEmpty()) continue;
      double w = bodyPen_->KeptWidth(text);
      if (w < 0) {
        auto it = shaped.constFind(text);
        if (it == shaped.cend()) it = shaped.insert(text, bodyPen_->Width(text));
        w = *it;
      }
      if (w > any[i]) {
        any[i] = w;
        widest.any[i] = text;
      }
      if (textSlot_[i] >= 0) textWidths_[k * texts + textSlot_[i]] = static_cast<float>(w);
      if (w <= whole[i]) continue;  // no word of it can be wider
      if (textSlot_[i] >= 0) {
        auto word = widestWord.constFind(text);
        if (word == widestWord.cend()) {
          QString best;
          double bestWidth = -1;
          for (const TextSpan& span : CellWords(text)) {
            const QString t = text.mid(span.start, span.end - span.start);
            const double tw = bodyPen_->Width(t);
            if (tw > bestWidth) best = t, bestWidth = tw;
          }
          word = widestWord.insert(text, best);
        }
        const double ww = bodyPen_->Width(*word);
        if (ww <= whole[i]) continue;
        whole[i] = ww;
        widest.whole[i] = *word;
        continue;
      }
      whole[i] = w;
      widest.whole[i] = text;
    }
  }
  return widest;
}

void ReportPages::LayOutColumns(const QPaintDevice& device) {
  std::vector<ColumnNeed> needs;
  for (int c = 0; c < s_.grid->PrintColumnCount(); ++c) {
    const int w = s_.grid->PrintColumnWidth(c);
    if (w <= 0) continue;  // a column of width 0 is hidden
    cols_.push_back(c);
    colAlign_.push_back(s_.grid->PrintColumnAlignment(c));
    colKind_.push_back(s_.grid->PrintColumnKindOf(c));
    const int texts = static_cast<int>(std::count_if(textSlot_.begin(), textSlot_.end(), [](int t) { return t >= 0; }));
    textSlot_.push_back(MustShowWhole(colKind_.back()) ? -1 : texts);
    needs.push_back({static_cast<double>(w), 0, 0});
  }
  // The body prints in the grid's own font (a window may enlarge it for a print).
  const QFont gridFont = s_.grid->PrintFont();
  QFont font(gridFont, &device);
  if (gridFont.pointSizeF() <= 0) font.setPointSizeF(kDefaultPoints);
  SetBodyFont(font, device);
  measuredPoints_ = font.pointSizeF();
  const WidestCells widest = MeasureColumns();
  // The largest type, from the grid's own down, at which the figures fit and
  // the texts keep their width in the grid (wrapping in it); failing that, the
  // smallest, which leaves the texts the most room.
  std::vector<double> sizes{font.pointSizeF()};
  if (!s_.grid->PrintFontFixed())
    for (double pt = sizes[0] - kPointStep; pt >= kMinPoints - 1e-9; pt -= kPointStep) sizes.push_back(pt);
  auto needsAt = [&](double points) {
    QFont f = font;
    f.setPointSizeF(points);
    const CellTextPen pen(f, device);
    std::vector<ColumnNeed> at = needs;
    for (size_t i = 0; i < at.size(); ++i) {
      const double pad = 2 * Px(kCellPadMm) + 1;
      at[i].whole = widest.whole[i].isEmpty() ? 0 : pen.Width(widest.whole[i]) * kFitSlack + pad;
      at[i].wish = std::max(at[i].whole, widest.any[i].isEmpty() ? 0 : pen.Width(widest.any[i]) * kFitSlack + pad);
      if (textSlot_[i] >= 0) at[i].keep = std::min(at[i].wish, Px(needs[i].share / kTwipsPerMm));
    }
    return at;
  };
  auto textsKeep = [&](double pt) {
    double sum = 0;
    for (const ColumnNeed& n : needsAt(pt)) sum += std::max(n.whole, n.keep);
    return sum <= page_.width();
  };
  const auto it = std::find_if(sizes.begin(), sizes.end(), textsKeep);
  const double chosen = it == sizes.end() ? sizes.back() : *it;
  font.setPointSizeF(chosen);
  SetBodyFont(font, device);
  const ColumnFit fit(needsAt(chosen), page_.width());
  double x = 0;
  colX_.push_back(0);
  for (double w : fit.Widths()) colX_.push_back(x += w);
}

QRectF ReportPages::CellRect(int firstShown, int lastShown, double top, double height) const {
  return QRectF(colX_[firstShown], top, colX_[lastShown + 1] - colX_[firstShown], height);
}

// A band's text: few to a page, measured the plain way. A date or an amount
// too wide for its box is set smaller rather than cut.
// A line naming something by name and code keeps its code and shortens the name.
bool ReportPages::DrawBandText(QPainter& p, const QRectF& r, int flags, const QString& text) const {
  if (text.isEmpty()) return true;
  QFontMetricsF fm(p.font(), p.device());
  QString shown = text;
  const bool figure = MustShowWhole(KindOfCellText(text));
  if (fm.horizontalAdvance(text) > r.width() && !figure)
    shown = ShortenedNameLine(text, r.width(), [&fm](const QString& t) { return fm.horizontalAdvance(t); });
  if (shown.isEmpty()) shown = text;
  if (fm.horizontalAdvance(shown) > r.width() && (figure || shown != text)) {
    QFont smaller = p.font();
    while (fm.horizontalAdvance(shown) > r.width() && smaller.pointSizeF() - kPointStep >= kMinBandPoints) {
      smaller.setPointSizeF(smaller.pointSizeF() - kPointStep);
      fm = QFontMetricsF(smaller, p.device());
    }
    p.setFont(smaller);
  }
  const bool whole = fm.horizontalAdvance(shown) <= r.width();
  p.drawText(r, flags | Qt::AlignVCenter | Qt::TextSingleLine, whole ? shown : fm.elidedText(shown, Qt::ElideRight, r.width()));
  return whole && shown == text;
}

void ReportPages::PaintBand(QPainter& p, const TemplateBand& band, double top, const QHash<QString, QString>& values,
                            int page) const {
  const double widthMm = page_.width() / pxPerMm_;
  int place = -1;
  for (const TemplateItem& item : band.items) {
    ++place;
    const double x = Px(item.x.Resolve(widthMm));
    const double y = top + Px(item.y.Resolve(widthMm));
    const double w = Px(item.w.Resolve(widthMm));
    const double h = Px(item.h.Resolve(widthMm));
    if (item.kind == TemplateItem::Kind::Text) {
      p.setFont(FontOf(item.font, bodyFont_));
      const QString text = FillFields(item.text, values);
      if (!DrawBandText(p, QRectF(x, y, w, h), FlagsOf(item.align), text))
        RecordElided(report_, page, ElidedCell::Part::Band, -1, place, KindOfCellText(text), text);
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

double ReportPages::PaintHeaderRows(QPainter& p, double top, int page) const {
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
      const QString text = s_.grid->PrintHeaderText(r, c);
      if (!headerPen_->Draw(p, cell.adjusted(Px(kCellPadMm), 0, -Px(kCellPadMm), 0), Qt::AlignHCenter, text))
        RecordElided(report_, page, ElidedCell::Part::Header, r, c, CellKind::Text, text);
    }
  }
  return top + headerRows * headerRowPx_;
}

// A text of several lines: the lines as a block in the middle of the row; the
// last line the row has takes the rest, cut when it must be.
bool ReportPages::DrawLines(QPainter& p, const QRectF& cell, Qt::Alignment align, const QString& text, int lines) const {
  const std::vector<TextSpan> spans = LinesOf(text, cell.width());
  const int n = std::min(lines, static_cast<int>(spans.size()));
  const double top = cell.top() + (cell.height() - n * lineStepPx_) / 2;
  bool whole = true;
  for (int j = 0; j < n; ++j) {
    const int end = j + 1 == n ? static_cast<int>(text.size()) : spans[j].end;
    const QRectF line(cell.left(), top + j * lineStepPx_, cell.width(), lineStepPx_);
    whole = bodyPen_->Draw(p, line, align, text.mid(spans[j].start, end - spans[j].start).trimmed()) && whole;
  }
  return whole;
}

double ReportPages::PaintBodyRows(QPainter& p, double top, int first, int count, int page) const {
  p.setFont(bodyFont_);
  const double pad = Px(kCellPadMm);
  CellTextPen::Batch batch;
  std::vector<QLineF> lines;
  lines.reserve(count + colX_.size());
  double y = top;
  for (int k = 0; k < count; ++k) {
    const int row = rows_[first + k];
    const double height = RowPx(first + k);
    const int rowLines = rowLines_.empty() ? 1 : rowLines_[first + k];
    for (size_t i = 0; i < cols_.size(); ++i) {
      const QRectF cell(colX_[i] + pad, y, InnerWidth(i), height);
      const QString text = s_.grid->PrintBodyText(row, cols_[i]);
      const bool wraps = rowLines > 1 && textSlot_[i] >= 0 && bodyPen_->Width(text) > cell.width();
      if (!(wraps ? DrawLines(p, cell, colAlign_[i], text, rowLines) : bodyPen_->Draw(p, cell, colAlign_[i], text, &batch)))
        RecordElided(report_, page, ElidedCell::Part::Body, row, cols_[i], colKind_[i], text);
    }
    y += height;
    lines.emplace_back(QPointF(0, y), QPointF(colX_.back(), y));
  }
  bodyPen_->Flush(p, batch);
  for (double x : colX_) lines.emplace_back(QPointF(x, top), QPointF(x, y));
  p.drawLines(lines.data(), static_cast<int>(lines.size()));
  return y;
}

void ReportPages::Paint(QPainter& p, int page) const {
  QHash<QString, QString> head = s_.headValues;
  head.insert(QStringLiteral("PAGE"), QString::number(page + 1));
  head.insert(QStringLiteral("PAGES"), QString::number(pageCount_));
  p.setPen(QPen(Qt::black, std::max(1.0, Px(kGridPenMm))));
  double y = 0;
  if (head_) {
    PaintBand(p, *head_, 0, head, page);
    y = Px(head_->heightMm);
  }
  if (footer_) PaintBand(p, *footer_, page_.height() - Px(footer_->heightMm), head, page);
  if (s_.kind == platform::kReportKindForm || !s_.grid || rowsPerPage_ <= 0) return;

  p.setPen(QPen(Qt::black, std::max(1.0, Px(kGridPenMm))));
  if (page < bodyPages_) {
    const int first = pageFirst_[page];
    y = PaintHeaderRows(p, y, page);
    y = PaintBodyRows(p, y, first, pageFirst_[page + 1] - first, page);
  }
  if (tail_ && page == pageCount_ - 1) {
    QHash<QString, QString> tail = s_.tailValues;
    tail.insert(QStringLiteral("PAGE"), head.value(QStringLiteral("PAGE")));
    tail.insert(QStringLiteral("PAGES"), head.value(QStringLiteral("PAGES")));
    PaintBand(p, *tail_, y, tail, page);
  }
}

}  // namespace corvane::suite
