#include "suite/resources/resource_texts.h"

#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>

#include <gtest/gtest.h>

namespace corvane::suite {
namespace {

// Texts of a made-up window "frmTest" under the prefix "T.".
const char kTestTexts[] =
    "T.frmTest\t测试窗口\n"
    "T.frmTest.Label1\t标签\n"
    "T.frmTest.Command1\t确定\n"
    "T.frmTest.Command1.tip\t确定提示\n"
    "T.frmTest.Frame1\t框架\n"
    "T.frmTest.Check1\t复选\n"
    "T.frmTest.Option1_0\t选项零\n"
    "T.frmTest.TabS1.0\t第一页\n"
    "T.frmTest.TabS1.1\t第二页\n"
    "T.frmTest.Bar1.1\t第二签\n"
    "T.frmTest.auto\t对账\n"
    "T.frmTest.auto.tip\t自动对账\n"
    "T.frmTest.mnuRight\t右键菜单\n"
    "T.frmTest.rightHelp\t帮助\n"
    "T.frmTest.Text1\t不该出现\n"
    "T.frmTest.Text1.tip\t输入框提示\n"
    "T.frmChild\t子窗口\n";

template <typename T>
T* Named(QWidget* parent, const char* name, const QString& caption = QStringLiteral("design")) {
  auto* widget = new T(parent);
  widget->setObjectName(QString::fromLatin1(name));
  if constexpr (std::is_same_v<T, QGroupBox>) {
    widget->setTitle(caption);
  } else if constexpr (!std::is_same_v<T, QTabWidget> && !std::is_same_v<T, QTabBar>) {
    widget->setText(caption);
  }
  return widget;
}

class CaptionRuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    QFile file(folder_.filePath("t.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kTestTexts);
    file.close();
    ASSERT_TRUE(texts_.LoadFile(file.fileName()));

    window_.setObjectName("frmTest");
    window_.setWindowTitle("design title");
    auto* frame = Named<QGroupBox>(&window_, "Frame1");
    label_ = Named<QLabel>(frame, "Label1");  // nested inside a frame
    unkeyed_ = Named<QLabel>(&window_, "Label9");
    unnamed_ = new QLabel(QStringLiteral("design"), &window_);
    command_ = Named<QPushButton>(&window_, "Command1");
    check_ = Named<QCheckBox>(&window_, "Check1");
    option_ = Named<QRadioButton>(&window_, "Option1_0");
    text_ = Named<QLineEdit>(&window_, "Text1", QStringLiteral("typed"));
    tabs_ = Named<QTabWidget>(&window_, "TabS1");
    tabs_->addTab(new QWidget, "page 0");
    tabs_->addTab(new QWidget, "page 1");
    tabs_->addTab(new QWidget, "page 2");
    bar_ = Named<QTabBar>(&window_, "Bar1");
    bar_->addTab("tab 0");
    bar_->addTab("tab 1");
    auto* toolbar = new QToolBar(&window_);
    action_ = toolbar->addAction("design");
    action_->setObjectName("auto");
    menu_ = new QMenu(&window_);
    menu_->setObjectName("mnuRight");
    menuItem_ = menu_->addAction("design");
    menuItem_->setObjectName("rightHelp");
    child_ = new QDialog(&window_);
    child_->setObjectName("frmChild");
    childCommand_ = Named<QPushButton>(child_, "Command1");
  }

  QTemporaryDir folder_;
  ResourceTexts texts_;
  QWidget window_;
  QLabel* label_ = nullptr;
  QLabel* unkeyed_ = nullptr;
  QLabel* unnamed_ = nullptr;
  QPushButton* command_ = nullptr;
  QCheckBox* check_ = nullptr;
  QRadioButton* option_ = nullptr;
  QLineEdit* text_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QTabBar* bar_ = nullptr;
  QAction* action_ = nullptr;
  QMenu* menu_ = nullptr;
  QAction* menuItem_ = nullptr;
  QDialog* child_ = nullptr;
  QPushButton* childCommand_ = nullptr;
};

TEST_F(CaptionRuleTest, SetsTheCaptionsThatHaveKeysAndKeepsTheOthers) {
  // title, label, command + tip, frame, check, option, 2 tabs, 1 bar tab, action + tip,
  // menu title, menu item, the text box's tip
  EXPECT_EQ(texts_.LocalizeControls(&window_, "T."), 15);

  EXPECT_EQ(window_.windowTitle(), QString::fromUtf8("测试窗口"));
  EXPECT_EQ(label_->text(), QString::fromUtf8("标签"));
  EXPECT_EQ(command_->text(), QString::fromUtf8("确定"));
  EXPECT_EQ(command_->toolTip(), QString::fromUtf8("确定提示"));
  EXPECT_EQ(qobject_cast<QGroupBox*>(label_->parent())->title(), QString::fromUtf8("框架"));
  EXPECT_EQ(check_->text(), QString::fromUtf8("复选"));
  EXPECT_EQ(option_->text(), QString::fromUtf8("选项零"));
  EXPECT_EQ(tabs_->tabText(0), QString::fromUtf8("第一页"));
  EXPECT_EQ(tabs_->tabText(1), QString::fromUtf8("第二页"));
  EXPECT_EQ(tabs_->tabText(2), QStringLiteral("page 2"));
  EXPECT_EQ(bar_->tabText(0), QStringLiteral("tab 0"));
  EXPECT_EQ(bar_->tabText(1), QString::fromUtf8("第二签"));
  EXPECT_EQ(action_->text(), QString::fromUtf8("对账"));
  EXPECT_EQ(action_->toolTip(), QString::fromUtf8("自动对账"));
  EXPECT_EQ(menu_->title(), QString::fromUtf8("右键菜单"));
  EXPECT_EQ(menuItem_->text(), QString::fromUtf8("帮助"));

  // Without a key, without a name, or not a caption: the design stays.
  EXPECT_EQ(unkeyed_->text(), QStringLiteral("design"));
  EXPECT_EQ(unnamed_->text(), QStringLiteral("design"));
  EXPECT_EQ(text_->text(), QStringLiteral("typed"));
  EXPECT_EQ(text_->toolTip(), QString::fromUtf8("输入框提示"));
}

TEST_F(CaptionRuleTest, LeavesADialogOfTheWindowToItsOwnKeys) {
  texts_.LocalizeControls(&window_, "T.");
  EXPECT_EQ(childCommand_->text(), QStringLiteral("design"));
  EXPECT_EQ(child_->windowTitle(), QString());
  EXPECT_EQ(texts_.LocalizeControls(child_, "T."), 1);
  EXPECT_EQ(child_->windowTitle(), QString::fromUtf8("子窗口"));
  EXPECT_EQ(childCommand_->text(), QStringLiteral("design"));  // "T.frmChild.Command1" is not there
}

TEST_F(CaptionRuleTest, DoesNothingWithoutAWindowNameOrUnderAnotherPrefix) {
  EXPECT_EQ(texts_.LocalizeControls(&window_, "Other."), 0);
  EXPECT_EQ(label_->text(), QStringLiteral("design"));
  window_.setObjectName(QString());
  EXPECT_EQ(texts_.LocalizeControls(&window_, "T."), 0);
  EXPECT_EQ(window_.windowTitle(), QStringLiteral("design title"));
  EXPECT_EQ(texts_.LocalizeControls(nullptr, "T."), 0);
}

// The shipped texts dress a real dialog in the user's language.
TEST(ShippedCaptionsTest, BalanceCheckWindowInBothLanguages) {
  struct Case {
    const char* language;
    const char* title;
    const char* balanced;
    const char* ok;
  };
  const Case cases[] = {{"zh-CN", "对账平衡检查", "平衡", "确定"},
                        {"en-US", "Reconciliation Balance Check", "Balanced", "OK"}};
  for (const auto& c : cases) {
    QDialog window;
    window.setObjectName("frmYHDZCheck");
    auto* label = Named<QLabel>(&window, "Label1");
    auto* ok = Named<QPushButton>(&window, "Command1");
    const ResourceTexts texts(QString::fromLatin1(c.language));
    EXPECT_EQ(texts.LocalizeControls(&window, "Q9.CW.GL.ZWSQL.CASHBANK."), 3) << c.language;
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8(c.title));
    EXPECT_EQ(label->text(), QString::fromUtf8(c.balanced));
    EXPECT_EQ(ok->text(), QString::fromUtf8(c.ok));
  }
}

}  // namespace
}  // namespace corvane::suite
