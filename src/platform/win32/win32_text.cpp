#include "platform/win32/win32_text.h"

#include "platform/utf8.h"

namespace qe2m4::platform::win32 {

std::wstring Wide(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}

std::u16string Utf16(std::wstring_view text) {
  return std::u16string(text.begin(), text.end());
}

std::string Win32Reason(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length > 0 ? std::wstring(buffer, length) : std::wstring();
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
    text.pop_back();
  }
  if (text.empty()) {
    return "Windows error " + std::to_string(error);
  }
  return ToUtf8(Utf16(text));
}

ErrorCause Win32Cause(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return ErrorCause::kNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
      return ErrorCause::kAccessDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ErrorCause::kDiskFull;
    case ERROR_WRITE_PROTECT:
      return ErrorCause::kReadOnly;
    case ERROR_FILENAME_EXCED_RANGE:
      return ErrorCause::kNameTooLong;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return ErrorCause::kInUse;
    case ERROR_DIRECTORY:
      return ErrorCause::kNotAFolder;
    case ERROR_CANT_RESOLVE_FILENAME:
      return ErrorCause::kLinkLoop;
    case ERROR_CRC:
    case ERROR_IO_DEVICE:
    case ERROR_NOT_READY:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
      return ErrorCause::kIoError;
    case ERROR_FILE_TOO_LARGE:
      return ErrorCause::kFileTooLarge;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return ErrorCause::kOutOfMemory;
    default:
      return ErrorCause::kUnknown;
  }
}

Error Win32Error(ErrorKind kind, std::u16string path, DWORD error) {
  return Error(kind, std::move(path), Win32Cause(error), Win32Reason(error));
}

NoDriveDialogs::NoDriveDialogs() {
  changed_ = SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_) != 0;
}

NoDriveDialogs::~NoDriveDialogs() {
  if (changed_) {
    SetThreadErrorMode(previous_, nullptr);
  }
}

}  // namespace qe2m4::platform::win32
