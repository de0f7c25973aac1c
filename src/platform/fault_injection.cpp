#include "platform/fault_injection.h"

namespace qe2m4::platform {

FaultInjection FaultInjection::FailNth(std::int64_t n, int error_number) {
  return FaultInjection(
      [n, error_number](std::int64_t number, FileOperation, const std::filesystem::path&) {
        return number == n ? error_number : 0;
      });
}

int FaultInjection::Before(FileOperation operation, const std::filesystem::path& host) {
  ++operations_;
  const int error_number = rule_(operations_, operation, host);
  if (error_number != 0) {
    ++failures_;
  }
  return error_number;
}

}  // namespace qe2m4::platform
