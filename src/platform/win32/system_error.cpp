#include "platform/error.h"
#include "platform/win32/win32_text.h"

namespace qe2m4::platform {

Error SystemError(ErrorKind kind, std::u16string path, const std::error_code& code) {
  // The library reports most failures of the Windows API with their Windows error code. Its
  // own text for one is in the narrow code page; the system's UTF-16 text reads right in any
  // language, and the code's cause is known here.
  if (code.category() == std::system_category()) {
    return win32::Win32Error(kind, std::move(path), static_cast<DWORD>(code.value()));
  }
  return Error(kind, std::move(path), CauseOf(code), code.message());
}

}  // namespace qe2m4::platform
