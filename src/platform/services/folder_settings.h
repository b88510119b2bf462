#pragma once

#include <QString>

namespace corvane::platform {

// Where the suite finds the application, its report templates and its help file.
// Start-up hands the folders over; the print and help procedures read them.
class FolderSettings {
 public:
  void SetPathA(const QString& p) { pathA_ = p; }
  void SetPathB(const QString& p) { pathB_ = p; }
  void SetPathC(const QString& p) { pathC_ = p; }
  void SetPathD(const QString& p) { pathD_ = p; }
  void SetReportPath(const QString& p) { reportPath_ = p; }
  QString PathA() const { return pathA_; }
  QString PathB() const { return pathB_; }
  QString PathC() const { return pathC_; }
  QString PathD() const { return pathD_; }
  QString ReportPath() const { return reportPath_; }

 private:
  QString pathA_, pathB_, pathC_, pathD_, reportPath_;
};

class HelpSettings {
 public:
  void SetHelpFile(const QString& f) { helpFile_ = f; }
  QString HelpFile() const { return helpFile_; }

 private:
  QString helpFile_;
};

}  // namespace corvane::platform
