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

NoDriveDialogs::NoDriveDialogs() {
  changed_ = SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_) != 0;
}

NoDriveDialogs::~NoDriveDialogs() {
  if (changed_) {
    SetThreadErrorMode(previous_, nullptr);
  }
}

}  // namespace qe2m4::platform::win32
