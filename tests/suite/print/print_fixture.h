#pragma once

#include "platform/controls/list_grid.h"
#include "platform/print/report_job.h"
#include "suite/print/sqlite_print_work_db.h"

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace corvane::testing {

// A temporary folder with a work database, the report templates of the source
// tree, a list grid to print, and readers of what the engine wrote (pdftotext,
// pdfinfo, unzip: real tools, not our own code).
class PrintFixture : public ::testing::Test {
 protected:
  PrintFixture();

  QString Path(const QString& name) const { return dir_.filePath(name); }
  static QString Template(const QString& language, const QString& name);

  // Head table "ZPDJ_Head" P1..P7 and tail table "ZPDJ_Tail" P1..P6 with these texts.
  void WriteHeadAndTail(const QStringList& head, const QStringList& tail);
  // A kind-1 job over grid_ with the zh-CN list templates.
  platform::ReportJob GridJob() const;

  // A grid: column 0 a hidden key column (width 0), then date, text, two
  // amounts; rows "row N" with amounts N.00 and N * 1000.50.
  void FillGrid(int rows);

  static QString PdfText(const QString& pdf, int page = 0);  // page 0: all pages
  static int PdfPages(const QString& pdf);
  // A member of a zip file; a missing member is a failure unless optional.
  static QByteArray Unzip(const QString& zip, const QString& member, bool optional = false);

  QTemporaryDir dir_;
  std::unique_ptr<suite::SqlitePrintWorkDb> work_;
  platform::ListGrid grid_;
};

}  // namespace corvane::testing
