#include "platform/controls/resource_pictures.h"
#include "platform/controls/toolbar_host.h"

#include <QApplication>
#include <QLineEdit>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <functional>

namespace corvane::platform {
namespace {

// The reconciliation window's buttons.
void AddButtons(ToolbarHost& bar) {
  bar.AddButton(QStringLiteral("auto"), QStringLiteral("对账"), QStringLiteral("自动对账"));
  bar.AddButton(QStringLiteral("unauto"), QStringLiteral("取消"), QStringLiteral("取消对账"));
  bar.AddSeparator();
  bar.AddButton(QStringLiteral("Ref"), QStringLiteral("对照"));
  bar.AddButton(QStringLiteral("exit"), QStringLiteral("退出"));
}

struct ClickCase {
  const char* name;
  std::function<void(ToolbarHost&)> prepare;
  const char* key;
  bool clicked;
};

class ToolbarClick : public ::testing::TestWithParam<ClickCase> {};

TEST_P(ToolbarClick, OnlyUsableButtonsReport) {
  const ClickCase& c = GetParam();
  ToolbarHost bar;
  AddButtons(bar);
  if (c.prepare) c.prepare(bar);
  QSignalSpy clicks(&bar, &ToolbarHost::ButtonClicked);
  EXPECT_EQ(bar.Click(QString::fromLatin1(c.key)), c.clicked);
  ASSERT_EQ(clicks.count(), c.clicked ? 1 : 0);
  if (c.clicked) {
    EXPECT_EQ(clicks.at(0).at(0).toString(), QString::fromLatin1(c.key).toLower());
  }
}

INSTANTIATE_TEST_SUITE_P(
    ToolbarHost, ToolbarClick,
    ::testing::Values(
        ClickCase{"Enabled", nullptr, "auto", true},
        ClickCase{"CapitalKey", nullptr, "AUTO", true},
        ClickCase{"KeyGivenInCapitals", nullptr, "ref", true},
        ClickCase{"UnknownKey", nullptr, "print", false},
        ClickCase{"DisabledButton", [](ToolbarHost& b) { b.SetButtonEnabled("auto", false); }, "auto", false},
        ClickCase{"HiddenButton", [](ToolbarHost& b) { b.SetButtonVisible("auto", false); }, "auto", false},
        ClickCase{"HostDisabled", [](ToolbarHost& b) { b.setEnabled(false); }, "exit", false},
        ClickCase{"OtherButtonDisabled", [](ToolbarHost& b) { b.SetButtonEnabled("unauto", false); }, "auto", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ToolbarHost, CheckButtonIsPressedBeforeItReports) {
  ToolbarHost bar;
  AddButtons(bar);
  bar.SetCheckable(QStringLiteral("ref"), true);
  std::vector<bool> stateAtClick;
  QObject::connect(&bar, &ToolbarHost::ButtonClicked,
                   [&](const QString& key) { stateAtClick.push_back(bar.IsChecked(key)); });
  bar.Click(QStringLiteral("ref"));
  bar.Click(QStringLiteral("ref"));
  EXPECT_EQ(stateAtClick, (std::vector<bool>{true, false}));
}

TEST(ToolbarHost, HotKeysWorkOnlyWhileTheHostIsEnabled) {
  QWidget window;
  auto* bar = new ToolbarHost(&window);
  (new QVBoxLayout(&window))->addWidget(bar);
  bar->AddButton(QStringLiteral("add"), QStringLiteral("增加"));
  bar->SetHotKey(QStringLiteral("ADD"), QKeySequence(Qt::CTRL | Qt::Key_I));
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QSignalSpy clicks(bar, &ToolbarHost::ButtonClicked);
  QTest::keyClick(&window, Qt::Key_I, Qt::ControlModifier);
  EXPECT_EQ(clicks.count(), 1);
  bar->setEnabled(false);
  QTest::keyClick(&window, Qt::Key_I, Qt::ControlModifier);
  EXPECT_EQ(clicks.count(), 1) << "a running command has disabled the toolbar";
}

// A button clicked with the mouse runs its command and leaves the keyboard where
// it was (a window's grid, here a line edit), plain and check buttons alike, so
// what the user types next still goes there.
TEST(ToolbarHost, AClickedButtonLeavesTheKeyboardWhereItWas) {
  QWidget window;
  auto* bar = new ToolbarHost(&window);
  auto* box = new QLineEdit(&window);
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(bar);
  layout->addWidget(box);
  AddButtons(*bar);
  bar->SetCheckable(QStringLiteral("ref"), true);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  box->setFocus();
  QSignalSpy clicks(bar, &ToolbarHost::ButtonClicked);
  for (const QString& key : bar->Keys()) {
    SCOPED_TRACE(key.toStdString());
    QWidget* button = bar->ToolBar()->widgetForAction(bar->Button(key));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks.takeLast().at(0).toString(), key.toLower());
    EXPECT_EQ(QApplication::focusWidget(), box);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_7);
  }
  EXPECT_EQ(box->text(), QString(bar->Keys().size(), QLatin1Char('7')));
}

// Every number the windows use has a picture installed at toolbar size, and no two
// commands share one, so a picture always means the same command.
TEST(ResourcePictures, EveryNumberHasItsOwnInstalledPicture) {
  const QList<int> used = {100, 107, 109, 110, 114, 118, 120, 122, 125, 140, 141, 145,
                           146, 151, 157, 166, 167, 175, 204, 205, 212, 235, 237, 263};
  EXPECT_EQ(ResourcePictureIds(), used);
  QSet<QString> names;
  for (int id : used) {
    const QString name = ResourcePictureName(id);
    ASSERT_FALSE(name.isEmpty()) << id;
    EXPECT_FALSE(names.contains(name)) << id << " repeats " << name.toStdString();
    names.insert(name);
    const QIcon icon = ResourcePicture(id);
    ASSERT_FALSE(icon.isNull()) << id << " " << name.toStdString();
    EXPECT_EQ(icon.pixmap(16, 16).size(), QSize(16, 16)) << id;
  }
}

TEST(ResourcePictures, UnknownNumbersAndNamesHaveNone) {
  for (int id : {0, 105, 999}) EXPECT_TRUE(ResourcePicture(id).isNull()) << id;
  EXPECT_TRUE(ThemePicture(QStringLiteral("no-such-icon")).isNull());
  EXPECT_TRUE(ThemePicture(QString()).isNull());
}

}  // namespace
}  // namespace corvane::platform
