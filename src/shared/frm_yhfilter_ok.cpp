// OK and Cancel of the condition entry dialog: what goes back to the window that
// opened it.
#include "shared/frm_yhfilter.h"

#include "shared/messages.h"
#include "shared/session.h"
#include "shared/typed_value_texts.h"

#include "platform/controls/amount_reader.h"
#include "platform/controls/date_text.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QCheckBox>

#include <exception>

namespace corvane::shared {

namespace {

constexpr int kReconciliationMode = 4;

bool IsCallerMode(int mode) { return mode >= 1 && mode <= 6; }

// Modes whose windows take a Cancel as "no filter run": the two opening-item
// editors and the tick-status query.
bool CancelClearsExecCom(int mode) { return mode == 1 || mode == 2 || mode == 5; }

}  // namespace

bool frmYHFilter::DateBoxAccepted(QLineEdit* box) {
  if (box->text().trimmed().isEmpty() || platform::DateText::Parse(box->text())) return true;
  RefuseBox(box, DateRefusalText(box->text()));
  return false;
}

bool frmYHFilter::AmountBoxAccepted() {
  const platform::AmountReading r = platform::ReadAmount(text4_->text());
  if (r.value || r.refusal == platform::AmountRefusal::Empty) return true;
  RefuseBox(text4_, AmountRefusalText(text4_->text(), r.refusal));
  return false;
}

QString frmYHFilter::DateText(QLineEdit* box) const {
  // The windows compare dates as text with their "yyyy.mm.dd" cells, so an
  // accepted date goes back in that form whatever way it was typed.
  const std::optional<QDate> date = platform::DateText::Parse(box->text());
  return date ? platform::DateText::Format(*date) : QString();
}

void frmYHFilter::SetCallerCondition(FilterConditions& target) {
  target.ExecCom = true;
  target.StartDate = DateText(text1_);
  target.EndDate = DateText(text2_);
  target.CurCn_m = StyleCode(combo1_->currentText());
  target.CurCn_id = text3_->text();
  target.CurBd_c = option1_[0]->isChecked() ? 0 : option1_[1]->isChecked() ? 1 : 2;
  // The amount goes back as a plain number, so every window reads it alike.
  const std::optional<platform::Money> amount = platform::ReadAmount(text4_->text()).value;
  target.CurMmoney = amount ? platform::PlainAmountText(*amount) : QString();
}

void frmYHFilter::Command1_Click() {
  const bool filterOff = check1_->isChecked();
  // The dates and the amount are checked before anything is handed back, so a
  // refused OK followed by Cancel leaves the caller's conditions as they were; the
  // order of the two dates is the windows' business.
  if (!filterOff && !(DateBoxAccepted(text1_) && DateBoxAccepted(text2_) && AmountBoxAccepted())) return;
  if (!IsCallerMode(YhOrQy)) {
    done(QDialog::Accepted);
    return;
  }
  try {
    FilterConditions result = owner_.Conditions();
    result.ExecCom = true;
    result.ExecFilter = !filterOff;
    // With the filter off the conditions keep their values, to be offered again.
    if (!filterOff) SetCallerCondition(result);
    QStringList codes;
    bool blankWanted = false;
    if (YhOrQy == kReconciliationMode) {
      const int last = list1_->count() - 1;
      for (int i = 0; i <= last; ++i) {
        const QListWidgetItem* item = list1_->item(i);
        if (!item->isSelected()) continue;
        if (i == last) {
          blankWanted = true;  // the entry for lines without a settlement style
          continue;
        }
        const QString code = item->data(Qt::UserRole).toString();
        if (!code.isEmpty() && !codes.contains(code, Qt::CaseInsensitive)) codes.push_back(code);
      }
    }
    owner_.Conditions() = result;
    if (YhOrQy == kReconciliationMode) {
      cSelect = codes;
      bSelectNULL = blankWanted;
      owner_.SetCancelType(cboType_->currentIndex() + 1);
    }
  } catch (const std::exception& e) {
    ShowMsgBox(FailureText(e), 16, GetResString(kTitleKey));
    return;
  }
  done(QDialog::Accepted);
}

void frmYHFilter::Command2_Click() {
  if (CancelClearsExecCom(YhOrQy)) owner_.Conditions().ExecCom = false;
  done(QDialog::Rejected);
}

}  // namespace corvane::shared
