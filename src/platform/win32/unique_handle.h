#pragma once

#include <windows.h>

namespace qe2m4::platform::win32 {

// Owns a Windows file handle and closes it when it goes out of scope.
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
  ~UniqueHandle() { Close(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  // Closes the handle held, if any, and takes another.
  void Reset(HANDLE handle) {
    Close();
    handle_ = handle;
  }
  // Gives up ownership: the handle is no longer closed here.
  HANDLE Release() {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return handle;
  }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }
  // Closes the handle now; false (with GetLastError) when closing failed.
  bool Close() {
    if (!valid()) {
      return true;
    }
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return CloseHandle(handle) != 0;
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace qe2m4::platform::win32
