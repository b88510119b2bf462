#include "shared/wait_window.h"

#include "shared/frm_message.h"
#include "shared/wait_spinner.h"

#include <QApplication>
#include <QLabel>
#include <gtest/gtest.h>

#include <stdexcept>

namespace corvane::shared {
namespace {

int WaitWindowCount() {
  int count = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) count += (qobject_cast<frmMessage*>(w) != nullptr);
  return count;
}

class WaitWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { frmMessage::Unload(); }
  void TearDown() override {
    HideWait();
    frmMessage::SetLoadHook(nullptr);
    frmMessage::Unload();
  }
};

TEST_F(WaitWindowTest, ShowWaitShowsTheMessageWithBusyPointer) {
  ShowWait(QString::fromUtf8("正在调入数据..."));
  frmMessage* window = frmMessage::Instance();
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(window->isModal());
  EXPECT_EQ(window->lblMsg()->text(), QString::fromUtf8("正在调入数据..."));
  EXPECT_TRUE(window->AnimationPlay()->IsPlaying());
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);

  HideWait();
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(window->AnimationPlay()->IsPlaying());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(frmMessage::IsLoaded());  // hidden, not destroyed
}

TEST_F(WaitWindowTest, SecondShowWaitReplacesTheMessage) {
  ShowWait("first");
  ShowWait("second");
  EXPECT_EQ(WaitWindowCount(), 1);
  EXPECT_EQ(frmMessage::Instance()->lblMsg()->text(), "second");
  HideWait();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(WaitWindowTest, HideWaitGivesTheDefaultPointerWhateverWasBefore) {
  QApplication::setOverrideCursor(Qt::CrossCursor);
  ShowWait("loading");
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  HideWait();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(WaitWindowTest, HideWaitFirstLoadsTheWindowHidden) {
  int loads = 0;
  frmMessage::SetLoadHook([&](frmMessage&) { ++loads; });
  HideWait();
  EXPECT_TRUE(frmMessage::IsLoaded());
  EXPECT_FALSE(frmMessage::Instance()->isVisible());
  EXPECT_EQ(frmMessage::Instance()->lblMsg()->text(), "*");
  ShowWait("loading");
  EXPECT_EQ(loads, 1);
}

TEST_F(WaitWindowTest, FailingDressingDoesNotStopTheWindow) {
  frmMessage::SetLoadHook([](frmMessage& w) {
    w.setWindowTitle("Wait");
    throw std::runtime_error("no resource service");
  });
  ShowWait("loading");
  frmMessage* window = frmMessage::Instance();
  EXPECT_EQ(window->windowTitle(), "Wait");
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->lblMsg()->text(), "loading");
  EXPECT_FALSE(window->grab().isNull());  // the spinner paints
}

}  // namespace
}  // namespace corvane::shared
