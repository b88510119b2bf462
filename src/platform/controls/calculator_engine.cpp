#include "platform/controls/calculator_engine.h"

#include <cmath>

namespace corvane::platform {

namespace {
// Beyond this the display would need an exponent and amounts lose their cents.
constexpr double kLargest = 1e15;
constexpr int kMaxEntryLength = 16;
}  // namespace

void CalculatorEngine::Start(double value) {
  Clear();
  Show(value);
}

bool CalculatorEngine::Press(QChar key) {
  if (key == QLatin1Char('C') || key == QLatin1Char('c')) {
    Clear();
    return true;
  }
  const bool known = key.isDigit() || QStringLiteral(".+-*/=Bb").contains(key);
  if (!known || (key.isDigit() && (key < QLatin1Char('0') || key > QLatin1Char('9')))) return false;
  if (error_) return true;  // an error holds until cleared
  if (key.isDigit()) Digit(key);
  else if (key == QLatin1Char('.')) Point();
  else if (key == QLatin1Char('=')) Equals();
  else if (key == QLatin1Char('B') || key == QLatin1Char('b')) Back();
  else Operator(key);
  return true;
}

void CalculatorEngine::Digit(QChar digit) {
  if (!typing_) {
    entry_.clear();
    typing_ = true;
  }
  if (entry_.size() >= kMaxEntryLength) return;
  if (entry_ == QLatin1String("0")) entry_.clear();
  entry_ += digit;
}

void CalculatorEngine::Point() {
  if (!typing_) {
    entry_ = QStringLiteral("0");
    typing_ = true;
  }
  if (!entry_.contains(QLatin1Char('.')) && entry_.size() < kMaxEntryLength) entry_ += QLatin1Char('.');
}

double CalculatorEngine::Current() const {
  if (!typing_) return shown_;
  return entry_.isEmpty() ? 0 : entry_.toDouble();
}

void CalculatorEngine::Show(double value) {
  typing_ = false;
  entry_.clear();
  if (!std::isfinite(value) || std::fabs(value) >= kLargest) {
    error_ = true;
    shown_ = 0;
    pendingOp_ = QChar();
    return;
  }
  shown_ = value == 0 ? 0 : value;  // no "-0"
}

void CalculatorEngine::Operator(QChar op) {
  // A second operator in a row only replaces the first.
  if (!pendingOp_.isNull() && typing_) {
    Equals();
    if (error_) return;
  } else if (pendingOp_.isNull()) {
    Show(Current());
  }
  accumulator_ = shown_;
  pendingOp_ = op;
}

void CalculatorEngine::Equals() {
  if (pendingOp_.isNull()) {
    Show(Current());
    return;
  }
  const double right = Current();
  const QChar op = pendingOp_;
  pendingOp_ = QChar();
  if (op == QLatin1Char('/') && right == 0) {
    Show(NAN);
    return;
  }
  double result = 0;
  if (op == QLatin1Char('+')) result = accumulator_ + right;
  else if (op == QLatin1Char('-')) result = accumulator_ - right;
  else if (op == QLatin1Char('*')) result = accumulator_ * right;
  else result = accumulator_ / right;
  Show(result);
}

void CalculatorEngine::Back() {
  if (!typing_) return;
  entry_.chop(1);
  if (entry_.isEmpty() || entry_ == QLatin1String("-")) entry_ = QStringLiteral("0");
}

void CalculatorEngine::Clear() {
  entry_.clear();
  typing_ = false;
  shown_ = 0;
  accumulator_ = 0;
  pendingOp_ = QChar();
  error_ = false;
}

double CalculatorEngine::Value() const { return error_ ? 0 : Current(); }

QString CalculatorEngine::Display() const {
  if (error_) return QStringLiteral("E");
  return typing_ ? entry_ : FormatNumber(shown_);
}

QString CalculatorEngine::FormatNumber(double value) {
  QString text = QString::number(value, 'f', 10);
  if (text.contains(QLatin1Char('.'))) {
    while (text.endsWith(QLatin1Char('0'))) text.chop(1);
    if (text.endsWith(QLatin1Char('.'))) text.chop(1);
  }
  if (text == QLatin1String("-0")) text = QStringLiteral("0");
  return text;
}

}  // namespace corvane::platform
