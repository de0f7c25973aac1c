#include "platform/fault_injection.h"

namespace qe2m4::platform {

FaultInjection FaultInjection::FailNth(std::int64_t n, int error_number) {
  return FaultInjection(
      [n, error_number](std::int64_t number, FileOperation, const std::filesystem::path&) {
        return number == n ? error_number : 0;
      });
}

int FaultInjection::Before(FileOperation operation, const std::filesystem::path& host) {
  const std::lock_guard lock(mutex_);
  ++operations_;
  const int error_number = rule_(operations_, operation, host);
  if (error_number != 0) {
    ++failures_;
    failed_ = host;
  }
  return error_number;
}

std::int64_t FaultInjection::operations() const {
  const std::lock_guard lock(mutex_);
  return operations_;
}

std::int64_t FaultInjection::failures() const {
  const std::lock_guard lock(mutex_);
  return failures_;
}

std::filesystem::path FaultInjection::failed() const {
  const std::lock_guard lock(mutex_);
  return failed_;
}

}  // namespace qe2m4::platform
