#pragma once

#include <QWidget>
#include <functional>

class QLabel;

namespace corvane::shared {

class WaitSpinner;

// The wait window: a small modeless window with one line of text, shown while a
// function window loads. Its animation runs while it is shown but stays
// invisible. One instance, made by its first use and kept for the session;
// hiding it does not destroy it.
class frmMessage : public QWidget {
  Q_OBJECT

 public:
  using LoadHook = std::function<void(frmMessage&)>;

  // The one wait window, made (and its load step run) on the first call.
  static frmMessage* Instance();
  static bool IsLoaded();
  // Destroys the window (at the end of a session); the next use makes it afresh.
  static void Unload();
  // Dresses the window when it is made: captions by key prefix
  // "Q9.CW.GL.ZWSQL.SETUP.", the window icon and the suite's style. Set it before
  // the first use; a hook that fails does not stop the window from showing.
  static void SetLoadHook(LoadHook hook);

  QLabel* lblMsg() const { return lblMsg_; }
  WaitSpinner* AnimationPlay() const { return animation_; }

 private:
  frmMessage();
  void Form_Load();

  QLabel* lblMsg_ = nullptr;
  WaitSpinner* animation_ = nullptr;
};

}  // namespace corvane::shared
