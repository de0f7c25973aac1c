#pragma once

#include <string>
#include <string_view>

namespace qe2m4::win32 {

// The program's texts are UTF-16 like the wide Windows API's, so these conversions only copy.
inline std::wstring Wide(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}
inline std::u16string Utf16(std::wstring_view text) {
  return std::u16string(text.begin(), text.end());
}

}  // namespace qe2m4::win32
