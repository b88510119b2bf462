#pragma once

#include <QString>

namespace corvane::platform {

// The property bag through which the selection and condition dialogs hand their
// result back: the dialog writes it before it closes, its caller reads it after
// the modal dialog has returned. One instance is shared by the whole session.
class ParamObject {
 public:
  bool Confirmed = false;
  QString Value1;  // account code, or the audit date
  QString Value2;  // start period text, a digest, or a number of days
  QString Value3;  // end period text
  QString Value4;  // book code
  int ShowMode = 0;
  QString InputText;  // the text a reference dialog starts from

  void Clear() { *this = ParamObject(); }
};

}  // namespace corvane::platform
