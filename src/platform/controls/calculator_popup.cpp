#include "platform/controls/calculator_popup.h"

#include "platform/controls/amount_edit.h"
#include "platform/controls/popup_placement.h"
#include "platform/services/modal_runner.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

namespace corvane::platform {

namespace {

// The keys on the face, row by row: caption and the key it presses.
struct FaceKey {
  const char16_t* caption;
  char key;
};
constexpr FaceKey kFace[5][4] = {
    {{u"C", 'C'}, {u"←", 'B'}, {u"÷", '/'}, {u"×", '*'}},
    {{u"7", '7'}, {u"8", '8'}, {u"9", '9'}, {u"−", '-'}},
    {{u"4", '4'}, {u"5", '5'}, {u"6", '6'}, {u"+", '+'}},
    {{u"1", '1'}, {u"2", '2'}, {u"3", '3'}, {u"=", '='}},
    {{u"0", '0'}, {u"00", '0'}, {u".", '.'}, {u"OK", '\r'}},
};

QChar EngineKeyOf(const QString& key) {
  if (key.size() != 1) return key == QLatin1String("Back") ? QLatin1Char('B') : QChar();
  const QChar c = key[0];
  if (c == QChar(0x00D7)) return QLatin1Char('*');  // ×
  if (c == QChar(0x00F7)) return QLatin1Char('/');  // ÷
  if (c == QChar(0x2212)) return QLatin1Char('-');  // −
  if (c == QChar(0x2190)) return QLatin1Char('B');  // ←
  return c;
}

}  // namespace

CalculatorPopup::CalculatorPopup(QWidget* parent) : QDialog(parent, Qt::Popup) {
  setObjectName(QStringLiteral("CalculatorPopup"));
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(4, 4, 4, 4);
  grid->setSpacing(2);
  display_ = new QLabel(this);
  display_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  display_->setFrameShape(QFrame::StyledPanel);
  display_->setMinimumWidth(160);
  grid->addWidget(display_, 0, 0, 1, 4);
  for (int r = 0; r < 5; ++r) {
    for (int c = 0; c < 4; ++c) {
      const FaceKey& face = kFace[r][c];
      // The accept key is the one word on the face: it says what Qt's own OK buttons
      // say in the session's language (the suite installs Qt's translation).
      const QString caption = face.key == '\r' ? QCoreApplication::translate("QPlatformTheme", "OK")
                                                : QString::fromUtf16(face.caption);
      auto* button = new QPushButton(caption, this);
      button->setFocusPolicy(Qt::NoFocus);
      button->setAutoDefault(false);
      grid->addWidget(button, r + 1, c);
      connect(button, &QPushButton::clicked, this, [this, face, caption] {
        if (face.key == '\r') AcceptResult();
        else if (caption == QLatin1String("00")) { Press(QStringLiteral("0")); Press(QStringLiteral("0")); }
        else Press(QString(QLatin1Char(face.key)));
      });
    }
  }
  Refresh();
}

void CalculatorPopup::SetValue(double value) {
  engine_.Start(value);
  Refresh();
}

void CalculatorPopup::PlaceUnder(const QWidget* box, const QPoint& offset) { PlacePopupUnder(this, box, offset); }

bool CalculatorPopup::Press(const QString& key) {
  const QChar engineKey = EngineKeyOf(key);
  if (engineKey.isNull() || !engine_.Press(engineKey)) return false;
  Refresh();
  return true;
}

void CalculatorPopup::AcceptResult() {
  if (engine_.HasPendingOperation()) engine_.Press(QLatin1Char('='));
  Refresh();
  if (engine_.HasError()) reject();
  else accept();
}

void CalculatorPopup::Refresh() { display_->setText(engine_.Display()); }

void CalculatorPopup::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      AcceptResult();
      return;
    case Qt::Key_Escape:
      reject();
      return;
    case Qt::Key_Backspace:
      Press(QStringLiteral("B"));
      return;
    case Qt::Key_Delete:
      Press(QStringLiteral("C"));
      return;
    default:
      break;
  }
  if (!event->text().isEmpty() && Press(event->text().left(1))) return;
  QDialog::keyPressEvent(event);
}

double CalculatorPopup::LeadingAmount(const QString& text) {
  // The box shows amounts with thousands separators; they are part of the number,
  // not its end, so "1,234.50" starts the calculator at 1234.5 and not at 1.
  static const QRegularExpression leading(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)"));
  QString plain = text.trimmed();
  plain.remove(QLatin1Char(','));
  const QRegularExpressionMatch m = leading.match(plain);
  return m.hasMatch() ? m.captured(0).toDouble() : 0;
}

bool CalculatorPopup::PopupUnder(QLineEdit* box, const QString& caption, const QPoint& offset) {
  if (!box) return false;
  CalculatorPopup popup(box);
  popup.SetCaption(caption);
  popup.SetValue(LeadingAmount(box->text()));
  popup.PlaceUnder(box, offset);
  if (RunModal(popup) != QDialog::Accepted || popup.HasError()) return false;
  const double result = popup.Value();
  if (auto* amount = qobject_cast<AmountEdit*>(box)) {
    amount->SetValue(Money::FromDouble(result));
  } else {
    box->setText(CalculatorEngine::FormatNumber(result));
  }
  return true;
}

}  // namespace corvane::platform
