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
  if constexpr (std::is_same_v<T, QGroupBox>) widget->setTitle(QStringLiteral("design"));
  else if constexpr (!std::is_same_v<T, QTabWidget>) widget->setText(QStringLiteral("design"));
  return widget;
}

class CaptionRuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QFile file(folder_.filePath("t.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kTestTexts);
    file.close();
    ASSERT_TRUE(texts_.LoadFile(file.fileName()));
    window_.setObjectName("frmTest");
    label_ = Named<QLabel>(Named<QGroupBox>(&window_, "Frame1"), "Label1");  // nested inside a frame
    Named<QLabel>(&window_, "Label9");
    Named<QPushButton>(&window_, "Command1");
    Named<QLineEdit>(&window_, "Text1");
    auto* tabs = Named<QTabWidget>(&window_, "TabS1");
    tabs->addTab(new QWidget, "page 0");
    tabs->addTab(new QWidget, "page 1");
    (new QToolBar(&window_))->addAction("design")->setObjectName("auto");
    auto* menu = new QMenu(&window_);
    menu->setObjectName("mnuRight");
    menu->addAction("design")->setObjectName("rightHelp");
    child_ = new QDialog(&window_);
    child_->setObjectName("frmChild");
    Named<QPushButton>(child_, "Command1");
  }
  // Direct children come first, so "Command1" is the window's, not its dialog's.
  template <typename T>
  T* Find(const char* name) { return window_.findChild<T*>(QString::fromLatin1(name)); }

  QTemporaryDir folder_;
  ResourceTexts texts_;
  QWidget window_;
  QLabel* label_ = nullptr;
  QDialog* child_ = nullptr;
};

TEST_F(CaptionRuleTest, SetsTheCaptionsThatHaveKeysAndKeepsTheOthers) {
  // title, label, command + tip, frame, one tab, action + tip, menu, menu item, the text box's tip
  EXPECT_EQ(texts_.LocalizeControls(&window_, "T."), 11);
  auto* command = Find<QPushButton>("Command1");
  auto* tabs = Find<QTabWidget>("TabS1");
  auto* action = Find<QAction>("auto");
  auto* text = Find<QLineEdit>("Text1");
  const std::pair<QString, const char*> shown[] = {
      {window_.windowTitle(), "测试窗口"}, {label_->text(), "标签"}, {Find<QGroupBox>("Frame1")->title(), "框架"},
      {command->text(), "确定"},           {command->toolTip(), "确定提示"}, {tabs->tabText(0), "第一页"},
      {tabs->tabText(1), "page 1"},        {action->text(), "对账"},         {action->toolTip(), "自动对账"},
      {Find<QMenu>("mnuRight")->title(), "右键菜单"}, {Find<QAction>("rightHelp")->text(), "帮助"},
      {Find<QLabel>("Label9")->text(), "design"},  // no key: the design stays
      {text->text(), "design"},                    // a text box's text is data, not a caption
      {text->toolTip(), "输入框提示"},
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
  EXPECT_EQ(child_->findChild<QPushButton*>()->text(), QStringLiteral("design"));  // "T.frmChild.Command1" is not there
}

}  // namespace
}  // namespace corvane::suite
