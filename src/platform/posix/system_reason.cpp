#include "platform/error.h"

namespace qe2m4::platform {

std::string SystemReason(const std::error_code& error) {
  return error.message();
}

}  // namespace qe2m4::platform
