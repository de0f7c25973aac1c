#pragma once

#include "platform/user_interface.h"

class QLabel;
class QLineEdit;
class QWidget;

namespace qe2m4::window {

// The window's side of the conversion run: message boxes, the status line, the hourglass
// pointer and the two path boxes.
class QtUserInterface : public platform::UserInterface {
 public:
  QtUserInterface(QWidget& window, QLabel& status, QLineEdit& source, QLineEdit& destination);
  // Takes back a busy pointer that is still shown.
  ~QtUserInterface() override;
  QtUserInterface(const QtUserInterface&) = delete;
  QtUserInterface& operator=(const QtUserInterface&) = delete;

  platform::MessageAnswer ShowMessage(std::u16string_view text,
                                      const std::optional<std::u16string>& title,
                                      platform::MessageButtons buttons,
                                      platform::MessageIcon icon) override;
  void SetStatus(std::u16string_view text) override;
  void SetBusy(bool busy) override;
  // Paints and handles everything pending except the user's input, so that a click queued
  // while the run is busy cannot start a second run inside the first.
  void ProcessPendingEvents() override;
  void FocusAndSelect(platform::PathBox box) override;

 private:
  QWidget& window_;
  QLabel& status_;
  QLineEdit& source_;
  QLineEdit& destination_;
  bool busy_ = false;
};

}  // namespace qe2m4::window
