// A command or event of a window that throws and does not handle its failure
// ends that one event: the host's application object tells the user (a wait
// that ran out in the session's own words) and the process goes on, every
// window open with what was typed in it.
#include "host_application.h"
#include "platform/db/db_error.h"
#include "shared/messages.h"
#include "support/suite_session.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

using corvane::shared::GetResString;

enum class Way { Click, Key, Timer };
enum class Failure { Busy, Database, Standard, Unknown };

const char kEngineText[] = "database is locked: begin immediate";

[[noreturn]] void Throw(Failure failure) {
  switch (failure) {
    case Failure::Busy:
      throw corvane::platform::DbError(QString::fromLatin1(kEngineText), corvane::platform::DbError::Kind::Busy);
    case Failure::Database: throw corvane::platform::DbError(QStringLiteral("no such table: code"));
    case Failure::Standard: throw std::runtime_error("rights unavailable");
    case Failure::Unknown: throw 7;
  }
  throw 0;
}

QString Expected(Failure failure) {
  switch (failure) {
    case Failure::Busy: return GetResString(QStringLiteral("corvane.host.busy"), QString::fromLatin1(kEngineText));
    case Failure::Database: return QStringLiteral("no such table: code");
    case Failure::Standard: return QStringLiteral("rights unavailable");
    case Failure::Unknown: return GetResString(QStringLiteral("corvane.host.failed"));
  }
  return {};
}

// A window whose command button and key press run what it is given.
class CommandWindow : public QWidget {
 public:
  explicit CommandWindow(std::function<void()> command) : command_(std::move(command)) {
    button_ = new QPushButton(QStringLiteral("Run"), this);
    new QVBoxLayout(this);
    layout()->addWidget(button_);
    QObject::connect(button_, &QPushButton::clicked, this, [this] { command_(); });
  }
  QPushButton* Button() const { return button_; }

 protected:
  void keyPressEvent(QKeyEvent*) override { command_(); }

 private:
  std::function<void()> command_;
  QPushButton* button_ = nullptr;
};

void Deliver(Way way, CommandWindow& window) {
  switch (way) {
    case Way::Click: QTest::mouseClick(window.Button(), Qt::LeftButton); break;
    case Way::Key: QTest::keyClick(&window, Qt::Key_F5); break;
    case Way::Timer:
      QTimer::singleShot(0, &window, [&window] { window.Button()->click(); });
      QTest::qWait(20);
      break;
  }
}

class HostApplicationGuard : public ::testing::TestWithParam<const char*> {};

TEST_P(HostApplicationGuard, AFailingCommandIsToldAndEveryWindowKeepsItsWork) {
  ASSERT_NE(dynamic_cast<HostApplication*>(QCoreApplication::instance()), nullptr);
  corvane::testing::SuiteSession session(false, QDate(2026, 12, 15), QString::fromLatin1(GetParam()));
  // Another window with a figure typed in it.
  QWidget other;
  auto* typed = new QLineEdit(&other);
  other.show();
  QTest::keyClicks(typed, QStringLiteral("1,234.56"));

  struct Case { Way way; Failure failure; };
  const Case cases[] = {
      {Way::Click, Failure::Busy},    {Way::Key, Failure::Busy},      {Way::Timer, Failure::Busy},
      {Way::Click, Failure::Database}, {Way::Key, Failure::Standard}, {Way::Timer, Failure::Unknown},
      {Way::Click, Failure::Unknown},  {Way::Timer, Failure::Database},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "way " << int(c.way) << ", failure " << int(c.failure));
    int runs = 0;
    CommandWindow window([&] {
      ++runs;
      Throw(c.failure);
    });
    window.show();
    session.Messages().Clear();
    Deliver(c.way, window);
    Deliver(c.way, window);  // the window still takes commands after a failure
    EXPECT_EQ(runs, 2);
    ASSERT_EQ(session.Messages().Count(), 2);
    for (const corvane::platform::MessageRequest& shown : session.Messages().Shown()) {
      EXPECT_EQ(shown.prompt, Expected(c.failure));
      EXPECT_EQ(shown.buttons, 16);
      EXPECT_EQ(shown.title, GetResString(corvane::shared::kTitleKey));
    }
    EXPECT_FALSE(Expected(c.failure).isEmpty());
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(other.isVisible());
    EXPECT_EQ(typed->text(), QStringLiteral("1,234.56"));
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, HostApplicationGuard, ::testing::Values("zh-CN", "en-US"),
                         [](const auto& info) { return std::string(info.param).substr(0, 2); });

}  // namespace
