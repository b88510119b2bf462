#include "shared/popups.h"

#include "platform/controls/amount_edit.h"
#include "platform/controls/calculator_popup.h"
#include "platform/controls/date_picker.h"
#include "platform/controls/digest_reference.h"
#include "platform/controls/grid_types.h"
#include "platform/print/page_setup_control.h"
#include "platform/print/page_setup_dialog.h"
#include "platform/services/modal_runner.h"
#include "shared/frm_message.h"
#include "shared/frm_yhfilter.h"
#include "shared/messages.h"
#include "shared/screen_placement.h"
#include "shared/session.h"
#include "shared/window_dressing.h"

#include <QLineEdit>
#include <exception>

namespace corvane::shared {

namespace {

QPoint Offset(int dx, int dy) { return QPoint(platform::GridTwipsToPixels(dx), platform::GridTwipsToPixels(dy)); }

}  // namespace

bool PopupCalculator(QLineEdit* txt, QWidget* frm, int dx, int dy) {
  if (!txt) return true;
  platform::CalculatorPopup popup(txt);
  popup.SetCaption(GetResString(QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03555")));
  popup.SetValue(platform::CalculatorPopup::LeadingAmount(txt->text()));
  popup.PlaceUnder(txt, Offset(dx, dy));
  const int answer = platform::RunModal(popup);
  if (popup.HasError()) {
    // The calculator hands on no number for its error; one that is closed on it
    // is told, so that the box keeping its text is no surprise.
    ShowMsgBox(GetResString(QStringLiteral("corvane.calculator.refused"), popup.Display(), txt->text()), 48,
               GetResString(kCashTitleKey));
    return false;
  }
  if (answer != QDialog::Accepted) return true;
  if (auto* amount = qobject_cast<platform::AmountEdit*>(txt)) amount->SetValue(platform::Money::FromDouble(popup.Value()));
  // The number as the calculator shows it: the digits keyed, not their nearest double.
  else txt->setText(popup.Display());
  return true;
}

void PopupCalculatorKey(QWidget* frm, int left, int top) {
  platform::CalculatorPopup calculator(frm);
  calculator.SetCaption(GetResString(QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03555")));
  calculator.SetValue(0);
  if (left != 0 || top != 0)
    calculator.move(frm ? frm->mapToGlobal(Offset(left, top)) : Offset(left, top));
  platform::RunModal(calculator);
}

void PopupCalendar(QLineEdit* txt, QWidget* frm, int dx, int dy) {
  if (!txt) return;
  if (!platform::DatePicker::PopupUnder(txt, GetResString(QStringLiteral("Q9.CW.GL.ZWSQL.BAS.03554")), Offset(dx, dy)))
    return;
  try {
    platform::CommonServices& common = Session::Current().Common();
    txt->setText(common.FormatDate(common.ParseDate(txt->text())));
  } catch (const std::exception&) {
    // The picker's own text stays.
  }
  txt->setFocus();
}

void PopupDigestReference() {
  Session& s = Session::Current();
  platform::DigestReference reference;
  reference.HelpFile = s.gHelpFile;
  reference.SetLogin(s.gLogin);
  reference.SetCommonServices(s.gCommonServices.get());
  reference.SetMode(0);
  LocalizeForm(&reference, QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK."));
  reference.Show();
}

void InstallSessionHooks() {
  PlaceWindowsInsideScreen();
  platform::PageSetupControl::SetDialogLocalizer(
      [](QDialog& dialog) {
        LocalizeForm(&dialog, QStringLiteral("Q9.CW.GL.ZWSQL.CASHBANK."));
        if (auto* page = qobject_cast<platform::PageSetupDialog*>(&dialog))
          page->SetTexts(GetResString(QStringLiteral("corvane.print.marginstoowide")),
                         GetResString(QStringLiteral("corvane.print.papernumbered")));
      });
  frmYHFilter::SetPopups([](QLineEdit* box, QWidget* window) { PopupCalendar(box, window); },
                         [](QLineEdit* box, QWidget* window) { PopupCalculator(box, window); });
  frmMessage::SetLoadHook([](frmMessage& w) {
    LocalizeForm(&w, QStringLiteral("Q9.CW.GL.ZWSQL.SETUP."));
    SetFormIcon(&w);
    try {
      Session::Current().UiStyle().StyleForm(&w, true);
    } catch (const std::exception&) {
    }
  });
}

}  // namespace corvane::shared
