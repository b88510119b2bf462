#include "shared/wait_window.h"

#include "shared/frm_message.h"
#include "shared/wait_spinner.h"

#include <QApplication>
#include <QLabel>
#include <gtest/gtest.h>

namespace corvane::shared {
namespace {

class WaitWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { frmMessage::Unload(); }
  void TearDown() override {
    HideWait();
    frmMessage::Unload();
  }
};

TEST_F(WaitWindowTest, ShowsTheMessageWithTheBusyPointerUntilHidden) {
  QApplication::setOverrideCursor(Qt::CrossCursor);  // whatever the caller had, nested
  QApplication::setOverrideCursor(Qt::BusyCursor);
  ShowWait("first");
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

}  // namespace
}  // namespace corvane::shared
