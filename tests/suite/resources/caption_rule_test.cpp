#include "suite/resources/resource_texts.h"

#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
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
    "T.frmTest.TabS1.0\t第一页\n"
    "T.frmTest.auto\t对账\n"
    "T.frmTest.auto.tip\t自动对账\n"
    "T.frmTest.mnuRight\t右键菜单\n"
    "T.frmTest.rightHelp\t帮助\n"
    "T.frmTest.Text1\t不该出现\n"
    "T.frmTest.Text1.tip\t输入框提示\n"
    "T.frmChild\t子窗口\n";

template <typename T>
T* Named(QWidget* parent, const char* name) {
  auto* widget = new T(parent);
  widget->setObjectName(QString::fromLatin1(name));
  if constexpr (std::is_same_v<T, QGroupBox>) {
    widget->setTitle(QStringLiteral("design"));
  } else if constexpr (!std::is_same_v<T, QTabWidget>) {
    widget->setText(QStringLiteral("design"));
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
    frame_ = Named<QGroupBox>(&window_, "Frame1");
    label_ = Named<QLabel>(frame_, "Label1");  // nested inside a frame
    unkeyed_ = Named<QLabel>(&window_, "Label9");
    command_ = Named<QPushButton>(&window_, "Command1");
    text_ = Named<QLineEdit>(&window_, "Text1");
    tabs_ = Named<QTabWidget>(&window_, "TabS1");
    tabs_->addTab(new QWidget, "page 0");
    tabs_->addTab(new QWidget, "page 1");
    action_ = (new QToolBar(&window_))->addAction("design");
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
  QGroupBox* frame_ = nullptr;
  QLabel *label_ = nullptr, *unkeyed_ = nullptr;
  QPushButton* command_ = nullptr;
  QLineEdit* text_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QAction *action_ = nullptr, *menuItem_ = nullptr;
  QMenu* menu_ = nullptr;
  QDialog* child_ = nullptr;
  QPushButton* childCommand_ = nullptr;
};

TEST_F(CaptionRuleTest, SetsTheCaptionsThatHaveKeysAndKeepsTheOthers) {
  // title, label, command + tip, frame, one tab, action + tip, menu, menu item, the text box's tip
  EXPECT_EQ(texts_.LocalizeControls(&window_, "T."), 11);
  const std::pair<QString, const char*> shown[] = {
      {window_.windowTitle(), "测试窗口"}, {label_->text(), "标签"},          {frame_->title(), "框架"},
      {command_->text(), "确定"},          {command_->toolTip(), "确定提示"}, {tabs_->tabText(0), "第一页"},
      {tabs_->tabText(1), "page 1"},       {action_->text(), "对账"},         {action_->toolTip(), "自动对账"},
      {menu_->title(), "右键菜单"},        {menuItem_->text(), "帮助"},
      {unkeyed_->text(), "design"},        // no key: the design stays
      {text_->text(), "design"},           // a text box's text is data, not a caption
      {text_->toolTip(), "输入框提示"},
  };
  for (const auto& [actual, expected] : shown) EXPECT_EQ(actual, QString::fromUtf8(expected));
}

TEST_F(CaptionRuleTest, LeavesADialogOfTheWindowToItsOwnKeysAndOtherPrefixesAlone) {
  EXPECT_EQ(texts_.LocalizeControls(&window_, "Other."), 0);
  EXPECT_EQ(label_->text(), QStringLiteral("design"));
  texts_.LocalizeControls(&window_, "T.");
  EXPECT_EQ(child_->windowTitle(), QString());
  EXPECT_EQ(texts_.LocalizeControls(child_, "T."), 1);
  EXPECT_EQ(child_->windowTitle(), QString::fromUtf8("子窗口"));
  EXPECT_EQ(childCommand_->text(), QStringLiteral("design"));  // "T.frmChild.Command1" is not there
}

}  // namespace
}  // namespace corvane::suite
