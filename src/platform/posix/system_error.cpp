#include "platform/error.h"

namespace qe2m4::platform {

Error SystemError(ErrorKind kind, std::u16string path, const std::error_code& code) {
  return Error(kind, std::move(path), CauseOf(code), code.message());
}

}  // namespace qe2m4::platform
