#include "platform/controls/entry_grid.h"
#include "platform/controls/grid_base.h"
#include "platform/controls/grid_types.h"
#include "platform/print/printable_grid.h"

namespace corvane::platform {

namespace {

// A grid that prints itself, handed on without taking it over.
class BorrowedGrid : public PrintableGrid {
 public:
  explicit BorrowedGrid(const PrintableGrid& g) : g_(g) {}
  int PrintColumnCount() const override { return g_.PrintColumnCount(); }
  int PrintColumnWidth(int c) const override { return g_.PrintColumnWidth(c); }
  Qt::Alignment PrintColumnAlignment(int c) const override { return g_.PrintColumnAlignment(c); }
  PrintColumnKind PrintColumnKindOf(int c) const override { return g_.PrintColumnKindOf(c); }
  int PrintHeaderRowCount() const override { return g_.PrintHeaderRowCount(); }
  QString PrintHeaderText(int r, int c) const override { return g_.PrintHeaderText(r, c); }
  std::vector<GridSpan> PrintHeaderSpans() const override { return g_.PrintHeaderSpans(); }
  int PrintBodyRowCount() const override { return g_.PrintBodyRowCount(); }
  bool PrintBodyRowHidden(int r) const override { return g_.PrintBodyRowHidden(r); }
  QString PrintBodyText(int r, int c) const override { return g_.PrintBodyText(r, c); }
  QFont PrintFont() const override { return g_.PrintFont(); }
  bool PrintFontFixed() const override { return g_.PrintFontFixed(); }

 private:
  const PrintableGrid& g_;
};

// List and entry grids: row 0 is the one header row, data rows follow.
class GridBaseAdapter : public PrintableGrid {
 public:
  explicit GridBaseAdapter(const GridBase& g) : g_(g), entry_(qobject_cast<const EntryGrid*>(&g)) {}
  int PrintColumnCount() const override { return g_.Cols(); }
  int PrintColumnWidth(int c) const override { return g_.ColWidth(c); }
  Qt::Alignment PrintColumnAlignment(int c) const override {
    if (entry_ && entry_->ColumnEditorOf(c).kind == ColumnKind::Amount) return Qt::AlignRight;
    return g_.ColAlignment(c) & Qt::AlignHorizontal_Mask;
  }
  // Declared by the window, else by the column's type or editor.
  PrintColumnKind PrintColumnKindOf(int c) const override {
    const PrintColumnKind declared = g_.ColPrintKind(c);
    if (declared != PrintColumnKind::Text) return declared;
    const ColumnKind editor = entry_ ? entry_->ColumnEditorOf(c).kind : ColumnKind::Text;
    const CellKind type = g_.ColType(c).kind;
    if (editor == ColumnKind::Amount || type == CellKind::Amount) return PrintColumnKind::Amount;
    if (editor == ColumnKind::Date || type == CellKind::Date) return PrintColumnKind::Date;
    return PrintColumnKind::Text;
  }
  int PrintHeaderRowCount() const override { return 1; }
  QString PrintHeaderText(int, int c) const override { return g_.TextMatrix(0, c); }
  int PrintBodyRowCount() const override { return g_.Rows() - 1; }
  bool PrintBodyRowHidden(int r) const override { return g_.IsRowHidden(r + 1); }
  QString PrintBodyText(int r, int c) const override { return g_.TextMatrix(r + 1, c); }
  QFont PrintFont() const override { return g_.font(); }
  bool PrintFontFixed() const override { return g_.property(kPrintFontFixedProperty).toBool(); }

 private:
  const GridBase& g_;
  const EntryGrid* entry_;
};

}  // namespace

std::unique_ptr<PrintableGrid> PrintableGridOf(QObject* grid) {
  if (!grid) return nullptr;
  if (const auto* own = dynamic_cast<const PrintableGrid*>(grid)) return std::make_unique<BorrowedGrid>(*own);
  if (const auto* base = qobject_cast<const GridBase*>(grid)) return std::make_unique<GridBaseAdapter>(*base);
  return nullptr;
}

}  // namespace corvane::platform
