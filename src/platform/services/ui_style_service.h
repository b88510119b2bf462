#pragma once

#include <QString>

class QWidget;

namespace corvane::platform {

// The suite's look for windows and grids, and its trace log.
class UiStyleService {
 public:
  virtual ~UiStyleService() = default;
  virtual void WriteTrace(const QString& line) = 0;
  virtual void StyleForm(QWidget* window, bool flag) = 0;
  virtual void StyleHeaderLabel(QWidget* label) = 0;
  virtual void StylePanel(QWidget* panel) = 0;
  virtual void StyleGrid(QWidget* grid, bool flag) = 0;
};

// Which accounts a user may read.
class AccountRightsService {
 public:
  virtual ~AccountRightsService() = default;
  // Comma-separated account codes the user may read; empty means no restriction.
  virtual QString GetAllowedList(const QString& userId) = 0;
};

}  // namespace corvane::platform
