#include "platform/error.h"
#include "platform/win32/win32_text.h"

namespace qe2m4::platform {

std::string SystemReason(const std::error_code& error) {
  // The library's own text for a Windows error is in the narrow code page; take the system's
  // text in UTF-16 instead so that it reads right in any language.
  if (error.category() == std::system_category()) {
    return win32::Win32Reason(static_cast<DWORD>(error.value()));
  }
  return error.message();
}

}  // namespace qe2m4::platform
