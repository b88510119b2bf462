#pragma once

#include "platform/services/message_presenter.h"
#include "platform/services/modal_runner.h"

#include <QString>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

class QDialog;

namespace corvane::testing {

// Answers message boxes from a script and records every one shown. Installed for
// its lifetime. With the script empty, a box gets its default answer: the first
// button, or the second when the buttons value asks for it (+256).
class ScriptedMessages : public platform::MessagePresenter {
 public:
  ScriptedMessages();
  ~ScriptedMessages() override;

  void Answer(int answer) { answers_.push_back({answer, {}}); }
  // Answers the next box after running meanwhile while it is shown: what another
  // user does while this one reads the box.
  void Answer(int answer, std::function<void()> meanwhile) { answers_.push_back({answer, std::move(meanwhile)}); }
  const std::vector<platform::MessageRequest>& Shown() const { return shown_; }
  int Count() const { return static_cast<int>(shown_.size()); }
  // The prompt of the last box, empty when none was shown.
  QString LastPrompt() const { return shown_.empty() ? QString() : shown_.back().prompt; }
  void Clear() { shown_.clear(); }

 protected:
  int Present(const platform::MessageRequest& request) override;
 private:
  std::deque<std::pair<int, std::function<void()>>> answers_;
  std::vector<platform::MessageRequest> shown_;
};

// Runs modal dialogs through a script: each step gets the dialog (already built
// and loaded), may fill its controls and click its buttons, and returns. When the
// dialog is still open after the step, it is rejected, as the close box would.
// With no step left, the dialog is rejected at once. Records the object names.
class ScriptedModals : public platform::ModalRunner {
 public:
  using Step = std::function<void(QDialog&)>;

  ScriptedModals();
  ~ScriptedModals() override;

  void Then(Step step) { steps_.push_back(std::move(step)); }
  int Run(QDialog& dialog) override;

  const std::vector<QString>& Shown() const { return shown_; }
  int Count() const { return static_cast<int>(shown_.size()); }

 private:
  std::deque<Step> steps_;
  std::vector<QString> shown_;
};

}  // namespace corvane::testing
