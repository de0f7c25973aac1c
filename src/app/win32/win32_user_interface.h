#pragma once

#include <windows.h>

#include "platform/user_interface.h"

namespace qe2m4::win32 {

// The window's side of the conversion run on Windows: MessageBoxW, the status line Label3, the
// hourglass pointer and the two path boxes.
class Win32UserInterface : public platform::UserInterface {
 public:
  Win32UserInterface(HWND window, HWND status, HWND source, HWND destination);
  Win32UserInterface(const Win32UserInterface&) = delete;
  Win32UserInterface& operator=(const Win32UserInterface&) = delete;

  platform::MessageAnswer ShowMessage(std::u16string_view text,
                                      const std::optional<std::u16string>& title,
                                      platform::MessageButtons buttons,
                                      platform::MessageIcon icon) override;
  void SetStatus(std::u16string_view text) override;
  void SetBusy(bool busy) override;
  // Paints and handles sent and posted messages, but leaves the user's keys and clicks queued,
  // so that a click made while the run is busy cannot start a second run inside the first.
  void ProcessPendingEvents() override;
  void FocusAndSelect(platform::PathBox box) override;

  // The window asks this on WM_SETCURSOR: true when it showed the hourglass.
  bool ShowBusyPointer() const;

 private:
  HWND window_;
  HWND status_;
  HWND source_;
  HWND destination_;
  bool busy_ = false;
};

}  // namespace qe2m4::win32
