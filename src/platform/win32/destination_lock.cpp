#include "platform/destination_lock.h"

#include <windows.h>

#include "platform/error.h"
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
  // Windows locks no folders, so the lock is a hidden file in the folder, opened without
  // sharing: a second run cannot open it. The system deletes it when its handle closes, which
  // happens when the run ends in any way, a killed process included, so nothing is left behind.
  // Every alias of the folder (links, drive letters, network paths) meets the same file.
  const std::filesystem::path lock = folder / L".~qe2m4.lock";
  const HANDLE handle =
      CreateFileW(lock.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                  FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (handle != INVALID_HANDLE_VALUE) {
    handle_ = reinterpret_cast<std::intptr_t>(handle);
    acquired_ = true;
    return;
  }
  const DWORD error = GetLastError();
  // A sharing violation, or a lock file that is there but refused (its run is ending and the
  // file is about to go): another run holds it. Anything else (a read-only medium, a folder
  // the user may not write): there is no lock to take, and the run's own writes report what
  // is wrong.
  const bool held =
      error == ERROR_SHARING_VIOLATION ||
      (error == ERROR_ACCESS_DENIED && GetFileAttributesW(lock.c_str()) != INVALID_FILE_ATTRIBUTES);
  acquired_ = !held;
}

DestinationLock::~DestinationLock() {
  if (handle_ != -1) {
    CloseHandle(reinterpret_cast<HANDLE>(handle_));
  }
}

}  // namespace qe2m4::platform
