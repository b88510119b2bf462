#pragma once

#include "platform/controls/calculator_engine.h"

#include <QDialog>
#include <QPoint>

class QLabel;
class QLineEdit;

namespace corvane::platform {

// The calculator pop-up under an amount box: digits, + − × ÷, =, C (clear), ← (back)
// and OK. It starts from a value (the box's amount) and hands back the result.
// Enter or OK works out a pending operation and closes with Accepted; Esc closes
// without a result. Press() drives it without a mouse.
class CalculatorPopup : public QDialog {
  Q_OBJECT

 public:
  explicit CalculatorPopup(QWidget* parent = nullptr);

  void SetValue(double value);
  // The number on the display (the result after Accept()).
  double Value() const { return engine_.Value(); }
  QString Display() const { return engine_.Display(); }
  bool HasError() const { return engine_.HasError(); }
  void SetCaption(const QString& caption) { setWindowTitle(caption); }
  void PlaceUnder(const QWidget* box, const QPoint& offset = QPoint());

  // One key: "0".."9", ".", "+", "-", "*", "/", "×", "÷", "−", "=", "C", "B" or "←".
  // False when the key is unknown.
  bool Press(const QString& key);
  // Works out a pending operation and closes with Accepted; with an error on the
  // display it closes without a result (Rejected).
  void AcceptResult();

  // The leading amount of a box's text, thousands separators dropped:
  // "1,234.50" gives 1234.5, "12abc" 12, no number 0.
  static double LeadingAmount(const QString& text);

  // The whole round for a text box: starts from its amount, opens under it (through
  // the modal runner) and on OK writes the result back (an amount box shows it as
  // "#,0.00", another box as the plain number). True when a result was written.
  static bool PopupUnder(QLineEdit* box, const QString& caption = QString(), const QPoint& offset = QPoint());

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Refresh();

  CalculatorEngine engine_;
  QLabel* display_;
};

}  // namespace corvane::platform
