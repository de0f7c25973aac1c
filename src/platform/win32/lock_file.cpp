#include "platform/win32/lock_file.h"

#include "platform/win32/win32_text.h"

namespace qe2m4::platform::win32 {

LockFileHold OpenLockFile(const std::filesystem::path& lock) {
  const NoDriveDialogs no_dialogs;
  LockFileHold hold;
  hold.handle.Reset(CreateFileW(lock.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  if (hold.handle.valid()) {
    return hold;
  }
  const DWORD error = GetLastError();
  hold.held_elsewhere =
      error == ERROR_SHARING_VIOLATION ||
      (error == ERROR_ACCESS_DENIED && GetFileAttributesW(lock.c_str()) != INVALID_FILE_ATTRIBUTES);
  return hold;
}

}  // namespace qe2m4::platform::win32
