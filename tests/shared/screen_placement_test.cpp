// Windows are placed wholly on the screen, over the window they belong to; the
// wait window shows over them.
#include "shared/screen_placement.h"

#include "platform/services/message_presenter.h"
#include "shared/frm_message.h"
#include "shared/wait_spinner.h"
#include "shared/wait_window.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>

namespace corvane::shared {
namespace {

TEST(ScreenPlacement, FramesGoInsideTheAreaOverTheirAnchor) {
  const QRect area(0, 0, 1600, 960);
  struct Case { const char* name; QRect frame; QRect anchor; QRect placed; };
  const Case cases[] = {
      {"FitsWhereItIs", {100, 100, 800, 600}, {}, {100, 100, 800, 600}},
      {"BelowTheBottomMovesUp", {100, 375, 1000, 640}, {}, {100, 320, 1000, 640}},
      {"ReachingTheRightEdgeStays", {500, 100, 1100, 600}, {}, {500, 100, 1100, 600}},
      {"WiderThanTheRightEdge", {900, 100, 1100, 600}, {}, {500, 100, 1100, 600}},
      {"LeftOfTheScreen", {-50, -20, 400, 300}, {}, {0, 0, 400, 300}},
      {"LargerThanTheAreaShrinks", {0, 0, 2000, 1200}, {}, {0, 0, 1600, 960}},
      {"CentredOnItsAnchor", {0, 0, 400, 200}, {400, 300, 800, 600}, {600, 500, 400, 200}},
      {"AnchorNearTheEdgeStaysInside", {0, 0, 1000, 640}, {1000, 700, 600, 260}, {600, 320, 1000, 640}},
  };
  for (const Case& c : cases) EXPECT_EQ(PlacedFrame(c.frame, area, c.anchor), c.placed) << c.name;
}

// Once installed, a window shown for the first time lands inside the screen,
// however large it asked to be and wherever it was.
TEST(ScreenPlacement, WindowsShownAreInsideTheScreen) {
  PlaceWindowsInsideScreen();
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  struct Case { const char* name; QSize size; QPoint at; };
  const Case cases[] = {{"Larger", area.size() + QSize(300, 200), {}},
                        {"OffTheBottomRight", area.size() / 2, area.bottomRight() - QPoint(10, 10)}};
  for (const Case& c : cases) {
    QDialog w;
    w.resize(c.size);
    if (!c.at.isNull()) w.move(c.at);
    w.show();
    QApplication::processEvents();
    EXPECT_TRUE(area.contains(w.frameGeometry())) << c.name;
  }
}

// A message box is wide enough for its title beside the window manager's icon and
// three buttons (about 24 pixels each), so the title bar shows it whole however
// short the prompt is.
TEST(ScreenPlacement, MessageBoxesShowTheirWholeTitle) {
  const char* titles[] = {"Cash Management", "Confirm Deletion of the Selected Statement Lines"};
  for (const char* title : titles) {
    int width = 0;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      width = box->width();
      box->accept();
    });
    platform::QtMessagePresenter().Show({QStringLiteral("OK?"), 0, QString::fromLatin1(title), {}, 0});
    QFont bold = QApplication::font();
    bold.setBold(true);
    EXPECT_GE(width, QFontMetrics(bold).horizontalAdvance(QString::fromLatin1(title)) + 4 * 24) << title;
  }
}

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
  EXPECT_FALSE(window->AnimationPlay()->isVisibleTo(window));  // plays unseen
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
