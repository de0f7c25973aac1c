#include "platform/terminal_input.h"

#include <io.h>
#include <windows.h>

#include "platform/interrupt.h"

namespace qe2m4::platform {

bool WaitForInput(std::FILE* input) {
  const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(input)));
  // Ctrl-C comes on another thread and does not end the wait: look at it every period.
  constexpr DWORD kPeriodMs = 100;
  while (!InterruptRequested()) {
    const DWORD result = WaitForSingleObject(handle, kPeriodMs);
    if (result == WAIT_OBJECT_0 || result == WAIT_FAILED) {
      return !InterruptRequested();
    }
  }
  return false;
}

}  // namespace qe2m4::platform
