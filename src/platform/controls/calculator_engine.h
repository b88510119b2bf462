#pragma once

#include <QChar>
#include <QString>

namespace corvane::platform {

// The arithmetic of the calculator pop-up: an immediate-execution calculator as on a
// desk ("2 + 3 × 4 =" gives 20). Keys: digits, ".", "+", "-", "*", "/", "=", "C"
// (clear) and "B" (back: drop the last typed character). A division by zero, or a
// result too large to show, puts it into an error state that only "C" or a new
// start leaves; the error is never handed on as a number.
class CalculatorEngine {
 public:
  // Starts from a value shown on the display; the next digit begins a new number.
  void Start(double value);
  // False when the key is not one of the calculator's.
  bool Press(QChar key);

  double Value() const;
  QString Display() const;
  bool HasError() const { return error_; }
  bool HasPendingOperation() const { return !pendingOp_.isNull(); }

  // A number as the display and the text boxes show it: no exponent, no trailing
  // zeros, at most ten decimals ("1234.5", "0.3333333333").
  static QString FormatNumber(double value);

 private:
  void Digit(QChar digit);
  void Point();
  void Operator(QChar op);
  void Equals();
  void Back();
  void Clear();
  double Current() const;
  void Show(double value);

  QString entry_;       // the number being typed
  bool typing_ = false;  // entry_ is on the display
  double shown_ = 0;    // the value on the display when not typing
  double accumulator_ = 0;
  QChar pendingOp_;
  bool error_ = false;
};

}  // namespace corvane::platform
