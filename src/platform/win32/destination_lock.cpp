#include "platform/destination_lock.h"

#include <windows.h>

#include "platform/error.h"
#include "platform/win32/lock_file.h"
#include "platform/win32/win32_text.h"

namespace qe2m4::platform {

DestinationLock::DestinationLock(const std::filesystem::path& folder,
                                 const std::u16string& display_path) {
  const win32::NoDriveDialogs no_dialogs;
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    throw win32::Win32Error(ErrorKind::kWrite, display_path, GetLastError());
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    // A file where the folder should be: no lock can be taken in it (as on POSIX systems).
    throw win32::Win32Error(ErrorKind::kWrite, display_path, ERROR_DIRECTORY);
  }
  // Windows locks no folders, so the lock is a hidden file in the folder that only one holder
  // can open. Every alias of the folder (links, drive letters, network paths) meets the same
  // file; anything but another holder leaves no lock to take, and the run's own writes report
  // what is wrong.
  win32::UniqueHandle handle;
  acquired_ = win32::TakeLockFile(folder / L".~qe2m4.lock", handle);
  if (handle.valid()) {
    handle_ = reinterpret_cast<std::intptr_t>(handle.Release());
  }
}

DestinationLock::~DestinationLock() {
  if (handle_ != -1) {
    CloseHandle(reinterpret_cast<HANDLE>(handle_));
  }
}

}  // namespace qe2m4::platform
