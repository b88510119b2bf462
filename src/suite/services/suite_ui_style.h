#pragma once

#include "platform/services/ui_style_service.h"

#include <QString>

namespace corvane::suite {

// The suite's look and its trace log. Trace lines go to the file the host names
// with SetTraceFile, each as "yyyy-MM-dd hh:mm:ss.zzz <line>"; with no file set
// nothing is written. The styling keeps Qt's own look and only sets the few
// things the suite's windows share: a bold title label, a light panel, a grid
// with alternating rows.
class SuiteUiStyle : public platform::UiStyleService {
 public:
  // Empty: no trace output. Shared by every instance of the process.
  static void SetTraceFile(const QString& path);
  static QString TraceFile();

  void WriteTrace(const QString& line) override;
  void StyleForm(QWidget* window, bool flag) override;
  void StyleHeaderLabel(QWidget* label) override;
  void StylePanel(QWidget* panel) override;
  void StyleGrid(QWidget* grid, bool flag) override;
};

}  // namespace corvane::suite
