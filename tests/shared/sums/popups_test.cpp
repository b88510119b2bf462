#include "platform/controls/calculator_popup.h"
#include "platform/controls/date_picker.h"
#include "platform/controls/digest_reference.h"
#include "shared/popups.h"
#include "shared/session.h"
#include "support/suite_session.h"

#include <QLineEdit>
#include <QListWidget>
#include <gtest/gtest.h>

namespace corvane::shared {
namespace {

TEST(PopupsTest, CalendarAndCalculatorWriteTheirResultIntoTheBox) {
  testing::SuiteSession session;
  QWidget window;
  QLineEdit box(&window);
  box.setText(QStringLiteral("2026-3-1"));
  session.Modals().Then([](QDialog& d) { dynamic_cast<platform::DatePicker&>(d).PickDate(QDate(2026, 3, 9)); });
  PopupCalendar(&box, &window);
  EXPECT_EQ(box.text(), QStringLiteral("2026.03.09"));

  // The calculator starts from the whole amount, separators and all.
  box.setText(QStringLiteral("1,234.50"));
  double startedAt = -1;
  session.Modals().Then([&startedAt](QDialog& d) {
    auto& calculator = dynamic_cast<platform::CalculatorPopup&>(d);
    startedAt = calculator.Value();
    calculator.Press(QStringLiteral("+"));
    calculator.Press(QStringLiteral("1"));
    calculator.AcceptResult();
  });
  PopupCalculator(&box, &window);
  EXPECT_DOUBLE_EQ(startedAt, 1234.5);
  EXPECT_EQ(box.text(), QStringLiteral("1235.5"));
}

TEST(PopupsTest, DigestReferenceHandsTheChosenDigestBackThroughTheParamObject) {
  testing::SuiteSession session;
  platform::ParamObject& param = Session::Current().Common().GetParamObject();
  param.InputText = QStringLiteral("手续费");
  QString firstListed;
  session.Modals().Then([&firstListed](QDialog& d) {
    auto& reference = dynamic_cast<platform::DigestReference&>(d);
    ASSERT_GT(reference.List()->count(), 0);
    firstListed = reference.List()->item(0)->text();
    reference.Confirm();
  });
  PopupDigestReference();
  EXPECT_TRUE(param.Confirmed);
  EXPECT_TRUE(firstListed.contains(QStringLiteral("手续费")));
  EXPECT_EQ(param.Value2, firstListed);

  session.Modals().Then([](QDialog& d) { d.reject(); });
  PopupDigestReference();
  EXPECT_FALSE(param.Confirmed);
}

}  // namespace
}  // namespace corvane::shared
