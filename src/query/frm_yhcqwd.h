#pragma once

#include "query/two_grid_window.h"

#include <QString>

class QLabel;

namespace corvane::query {

// The long-outstanding audit window ("RP0309", caption "长期未达审计"): the
// unticked statement lines (first page) and journal lines (second page) of every
// bank account or book dated on or before the audit date less the age in days.
// Search asks the conditions again and reloads in place.
class frmYHCQWD : public TwoGridWindow {
  Q_OBJECT

 public:
  QString EDate;     // the audit date as handed over; empty: no date bound
  int DiffDays = 0;  // the age in days

  frmYHCQWD();

  // Loads both grids for an audit date text and an age in days. False (after a
  // message, with both grids empty) when the date cannot be read or a query fails.
  bool LoadData(const QString& dateText, int days);
  void RequeryWithConditions() override;

  QLabel* Label1() const { return label1_; }
  QLabel* Label2() const { return label2_; }
  QLabel* Label3() const { return label3_; }

 protected:
  shared::FilterColumns ColumnsOf(int grid) const override;
  QString MenuId() const override { return QStringLiteral("RP0309"); }
  QString PrintKey() const override { return QStringLiteral("RPYHCQWD"); }
  QString PrintTitleKey(int page) const override;
  // The audit date and the age, as the window's band says them.
  platform::GridPrintHead PrintHeadLine() const override;

 private:
  void FormatGrid(platform::ListGrid* grid, const std::vector<QString>& titles, const std::vector<int>& widths,
                  const std::vector<Qt::Alignment>& alignments, std::vector<std::vector<QString>> rows);

  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QLabel* label3_ = nullptr;
};

}  // namespace corvane::query
