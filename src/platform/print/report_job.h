#pragma once

#include <QMargins>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <vector>

namespace corvane::platform {

// Field types of a data output, as the windows declare them.
enum DataOutType : int { kDataOutAmount = 5, kDataOutDate = 8, kDataOutText = 10 };

// One declared field of a data output: the n-th field takes the n-th shown grid
// column.
struct DataOutField {
  QString caption;
  int type = kDataOutText;
  int width = 10;  // characters
};

// Report kinds: a head table, a grid body and a tail table; or a one-row form.
enum ReportKind : int { kReportKindGrid = 1, kReportKindForm = 3 };

// Everything a report run is given: what the window set on its print control
// before it ran it. The engine reads the grids at the moment of the run.
struct ReportJob {
  QPointer<QWidget> owner;
  QObject* bodyGrid = nullptr;
  QObject* secondBody = nullptr;
  int reportKind = 0;
  QString dataFile;  // the work database file (PrintWorkDb::Name)
  QString headTemplate;
  QString headTable;
  QString tailTemplate;
  QString tailTable;
  int paperSize = 9;     // paper number (paper_sizes.h)
  int orientation = 1;   // 1 portrait, 2 landscape
  QMargins marginsMm{15, 15, 15, 15};  // left, top, right, bottom
  bool optionA = false;
  bool optionB = false;
  int optionC = 0;
  int optionD = 0;
  bool optionE = false;
  // Data output only: the declared fields, in order.
  std::vector<DataOutField> fields;
  // Grid print only: the title printed above the grid and suggested as file name,
  // and the line under it, left and right (both empty: the title alone).
  QString title;
  QString headLeft;
  QString headRight;
};

}  // namespace corvane::platform
