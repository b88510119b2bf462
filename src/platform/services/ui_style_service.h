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

// Which accounts a user may read. Init names the database and the user as the
// session shows him; GetAllowedList then hands back what he may use.
class AccountRightsService {
 public:
  virtual ~AccountRightsService() = default;
  // result: 0 when the user is known; any other value leaves him without rights.
  virtual void Init(const QString& connectionString, const QString& user, int reserved1, int reserved2,
                    int& result) = 0;
  // list: comma-separated codes of the objects of objectKind ("code": accounts)
  // on which the user holds the right ("R": read); empty means no restriction.
  virtual void GetAllowedList(const QString& objectKind, int reserved, const QString& right, QString& list) = 0;
};

}  // namespace corvane::platform
