#include "platform/terminal_input.h"

#include <poll.h>

#include "platform/interrupt.h"

namespace qe2m4::platform {

bool WaitForInput(std::FILE* input) {
  pollfd wanted{::fileno(input), POLLIN, 0};
  // A signal ends poll() early; one that came just before it is seen within the period.
  constexpr int kPeriodMs = 100;
  while (!InterruptRequested()) {
    if (::poll(&wanted, 1, kPeriodMs) > 0) {
      return !InterruptRequested();
    }
  }
  return false;
}

}  // namespace qe2m4::platform
