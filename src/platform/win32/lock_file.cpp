#include "platform/win32/lock_file.h"

#include "platform/win32/win32_text.h"

namespace qe2m4::platform::win32 {

bool TakeLockFile(const std::filesystem::path& lock, UniqueHandle& handle) {
  const NoDriveDialogs no_dialogs;
  handle.Reset(CreateFileW(lock.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  if (handle.valid()) {
    return true;
  }
  const DWORD error = GetLastError();
  return !(error == ERROR_SHARING_VIOLATION ||
           (error == ERROR_ACCESS_DENIED &&
            GetFileAttributesW(lock.c_str()) != INVALID_FILE_ATTRIBUTES));
}

}  // namespace qe2m4::platform::win32
