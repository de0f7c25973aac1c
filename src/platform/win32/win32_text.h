#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/error.h"

namespace qe2m4::platform::win32 {

// UTF-16 text between the program's type and the Windows API's (both 16-bit on Windows).
std::wstring Wide(std::u16string_view text);
std::u16string Utf16(std::wstring_view text);

// The system's text for a Windows error code, as UTF-8 without a trailing line end.
std::string Win32Reason(DWORD error);
// The cause a Windows error code stands for.
ErrorCause Win32Cause(DWORD error);
// The error of a failed Windows call: its cause and the system's text.
Error Win32Error(ErrorKind kind, std::u16string path, DWORD error);

// While it lives, the calling thread's failing accesses to a drive without its medium return
// an error instead of asking the user with a system dialog ("There is no disk in the drive").
class NoDriveDialogs {
 public:
  NoDriveDialogs();
  ~NoDriveDialogs();
  NoDriveDialogs(const NoDriveDialogs&) = delete;
  NoDriveDialogs& operator=(const NoDriveDialogs&) = delete;

 private:
  DWORD previous_ = 0;
  bool changed_ = false;
};

}  // namespace qe2m4::platform::win32
