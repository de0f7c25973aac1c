#include "app/win32/win32_user_interface.h"

#include <string>

#include "app/texts.h"
#include "platform/win32/win32_text.h"

namespace qe2m4::win32 {

using platform::win32::Utf16;
using platform::win32::Wide;

namespace {

UINT IconStyle(platform::MessageIcon icon) {
  switch (icon) {
    case platform::MessageIcon::kInformation:
      return MB_ICONINFORMATION;
    case platform::MessageIcon::kExclamation:
      return MB_ICONEXCLAMATION;
    case platform::MessageIcon::kQuestion:
      return MB_ICONQUESTION;
    case platform::MessageIcon::kNone:
      break;
  }
  return 0;
}

}  // namespace

Win32UserInterface::Win32UserInterface(HWND window, HWND status, HWND source, HWND destination)
    : window_(window), status_(status), source_(source), destination_(destination) {}

platform::MessageAnswer Win32UserInterface::ShowMessage(std::u16string_view text,
                                                        const std::optional<std::u16string>& title,
                                                        platform::MessageButtons buttons,
                                                        platform::MessageIcon icon) {
  const bool yes_no = buttons == platform::MessageButtons::kYesNo;
  const std::wstring caption = Wide(title ? *title : app::texts::kApplicationTitle);
  // Before the window is shown (start-up) the box stands on its own.
  const HWND owner = IsWindowVisible(window_) ? window_ : nullptr;
  // The busy pointer must not stand over the question.
  const bool was_busy = busy_;
  SetBusy(false);
  const int answer = MessageBoxW(owner, Wide(text).c_str(), caption.c_str(),
                                 (yes_no ? MB_YESNO : MB_OK) | IconStyle(icon) |
                                     (owner == nullptr ? MB_TASKMODAL : MB_APPLMODAL));
  SetBusy(was_busy);
  if (!yes_no) {
    return platform::MessageAnswer::kOk;
  }
  return answer == IDYES ? platform::MessageAnswer::kYes : platform::MessageAnswer::kNo;
}

void Win32UserInterface::SetStatus(std::u16string_view text) {
  SetWindowTextW(status_, Wide(text).c_str());
}

void Win32UserInterface::SetBusy(bool busy) {
  busy_ = busy;
  SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void Win32UserInterface::ProcessPendingEvents() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0,
                      PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE | PM_QS_POSTMESSAGE)) {
    if (message.message == WM_QUIT) {
      // Leave it for the window's message loop, which ends the program with it.
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void Win32UserInterface::FocusAndSelect(platform::PathBox box) {
  const HWND edit = box == platform::PathBox::kSource ? source_ : destination_;
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
}

bool Win32UserInterface::ShowBusyPointer() const {
  if (busy_) {
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  }
  return busy_;
}

}  // namespace qe2m4::win32
