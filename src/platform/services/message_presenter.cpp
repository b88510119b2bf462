#include "platform/services/message_presenter.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

namespace corvane::platform {

namespace {
MessagePresenter* g_installed = nullptr;

std::function<void()>& BeforeShow() {
  static std::function<void()> clear;
  return clear;
}

// Pixels a title bar takes besides its text: the window icon and three buttons.
constexpr int kTitleBarRoom = 120;
}  // namespace

void KeepTitleWhole(QMessageBox& box) {
  // The title bar is drawn by the window manager in about the application's
  // font, beside its icon and buttons; the box is made at least that wide.
  QFont titleFont = QApplication::font();
  titleFont.setBold(true);
  const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarRoom;
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (!grid) return;
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                grid->columnCount());
}

MessagePresenter& MessagePresenter::Current() {
  static QtMessagePresenter qtPresenter;
  return g_installed ? *g_installed : qtPresenter;
}

void MessagePresenter::Install(MessagePresenter* presenter) { g_installed = presenter; }

void MessagePresenter::SetBeforeShow(std::function<void()> clear) { BeforeShow() = std::move(clear); }

int MessagePresenter::Show(const MessageRequest& request) {
  if (const std::function<void()>& clear = BeforeShow()) clear();
  return Present(request);
}

int QtMessagePresenter::Present(const MessageRequest& request) {
  QMessageBox box(QApplication::activeWindow());
  box.setText(request.prompt);
  box.setWindowTitle(request.title.isEmpty() ? QApplication::applicationDisplayName() : request.title);
  switch (request.buttons & 0x70) {
    case 16: box.setIcon(QMessageBox::Critical); break;
    case 32: box.setIcon(QMessageBox::Question); break;
    case 48: box.setIcon(QMessageBox::Warning); break;
    case 64: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
  }
  // Each Windows button set, with the answer code each button gives.
  struct Choice { QMessageBox::StandardButton button; int answer; };
  std::vector<Choice> choices;
  switch (request.buttons & 0x7) {
    case 1: choices = {{QMessageBox::Ok, 1}, {QMessageBox::Cancel, 2}}; break;
    case 2: choices = {{QMessageBox::Abort, 3}, {QMessageBox::Retry, 4}, {QMessageBox::Ignore, 5}}; break;
    case 3: choices = {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}, {QMessageBox::Cancel, 2}}; break;
    case 4: choices = {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}}; break;
    case 5: choices = {{QMessageBox::Retry, 4}, {QMessageBox::Cancel, 2}}; break;
    default: choices = {{QMessageBox::Ok, 1}}; break;
  }
  QMessageBox::StandardButtons set;
  for (const Choice& c : choices) set |= c.button;
  box.setStandardButtons(set);
  const int defaultIndex = (request.buttons & 0x300) >> 8;
  if (defaultIndex < static_cast<int>(choices.size())) box.setDefaultButton(choices[defaultIndex].button);
  // Last: the box lays itself out anew when its icon or buttons change.
  KeepTitleWhole(box);
  box.exec();
  const auto clicked = box.standardButton(box.clickedButton());
  for (const Choice& c : choices)
    if (c.button == clicked) return c.answer;
  // Closed by Escape or the close box: Cancel where there is one, else the last button.
  for (const Choice& c : choices)
    if (c.answer == 2) return 2;
  return choices.back().answer;
}

}  // namespace corvane::platform
