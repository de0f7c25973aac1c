#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>

#include "platform/file_operation_hook.h"

namespace qe2m4::platform {

// Fault injection for tests: counts the file operations and makes those that the test picks
// fail with a system error number, as a full disk or a failing device would. A run converts on
// two threads; their operations are counted one at a time, in the order they come.
class FaultInjection : public FileOperationHook {
 public:
  // Chooses the error number of an operation (0: let it run); sees every operation in turn.
  using Rule = std::function<int(std::int64_t number, FileOperation, const std::filesystem::path&)>;

  explicit FaultInjection(Rule rule) : rule_(std::move(rule)) {}
  FaultInjection(FaultInjection&& other) noexcept
      : rule_(std::move(other.rule_)),
        operations_(other.operations_),
        failures_(other.failures_),
        failed_(std::move(other.failed_)) {}

  // The n-th operation (from 1) fails with error_number; every other one runs.
  static FaultInjection FailNth(std::int64_t n, int error_number);

  int Before(FileOperation operation, const std::filesystem::path& host) override;

  // Operations seen so far, and how many of them were made to fail.
  std::int64_t operations() const;
  std::int64_t failures() const;
  // The host path of the last operation made to fail (empty when none failed).
  std::filesystem::path failed() const;

 private:
  mutable std::mutex mutex_;
  Rule rule_;
  std::int64_t operations_ = 0;
  std::int64_t failures_ = 0;
  std::filesystem::path failed_;
};

}  // namespace qe2m4::platform
