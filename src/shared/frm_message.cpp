#include "shared/frm_message.h"

#include "shared/wait_spinner.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>

namespace corvane::shared {
namespace {

QPointer<frmMessage>& TheInstance() {
  static QPointer<frmMessage> instance;
  return instance;
}

frmMessage::LoadHook& TheLoadHook() {
  static frmMessage::LoadHook hook;
  return hook;
}

// The window is a top-level widget that nothing owns; it goes before the
// application object does.
void DestroyInstance() { delete TheInstance().data(); }

}  // namespace

frmMessage* frmMessage::Instance() {
  QPointer<frmMessage>& instance = TheInstance();
  if (instance.isNull()) {
    static const bool cleanupRegistered = (qAddPostRoutine(DestroyInstance), true);
    Q_UNUSED(cleanupRegistered);
    instance = new frmMessage();
    instance->Form_Load();
  }
  return instance.data();
}

bool frmMessage::IsLoaded() { return !TheInstance().isNull(); }

void frmMessage::Unload() { DestroyInstance(); }

void frmMessage::SetLoadHook(LoadHook hook) { TheLoadHook() = std::move(hook); }

frmMessage::frmMessage()
    : QWidget(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("frmMessage"));
  setWindowModality(Qt::NonModal);
  animation_ = new WaitSpinner(this);
  animation_->setObjectName(QStringLiteral("AnimationPlay"));
  lblMsg_ = new QLabel(QStringLiteral("*"), this);
  lblMsg_->setObjectName(QStringLiteral("lblMsg"));
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(16, 12, 16, 12);
  row->setSpacing(12);
  row->addWidget(animation_);
  row->addWidget(lblMsg_, 1);
  setMinimumWidth(280);
}

void frmMessage::Form_Load() {
  // The animation is played and stopped with the window but never seen: the
  // window shows its message alone.
  animation_->setVisible(false);
  if (const LoadHook& hook = TheLoadHook()) {
    try {
      hook(*this);
    } catch (...) {
      // A caption or style that cannot be had leaves the window plain; the
      // message still shows.
    }
  }
}

}  // namespace corvane::shared
