#include "platform/file_lock.h"

#include "platform/temporary_names.h"
#include "platform/win32/lock_file.h"

namespace qe2m4::platform {

FileLock::FileLock(const std::filesystem::path& target) : lock_file_(LockFileName(target)) {
  win32::UniqueHandle handle;
  acquired_ = win32::TakeLockFile(lock_file_, handle);
  if (handle.valid()) {
    handle_ = reinterpret_cast<std::intptr_t>(handle.Release());
  }
}

FileLock::~FileLock() {
  if (handle_ != -1) {
    // The system deletes the lock file as its handle closes.
    CloseHandle(reinterpret_cast<HANDLE>(handle_));
  }
}

}  // namespace qe2m4::platform
