#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>

#include "platform/file_operation_hook.h"

namespace qe2m4::platform {

// Fault injection for tests: counts the file operations and makes those that the test picks
// fail with a system error number, as a full disk or a failing device would.
class FaultInjection : public FileOperationHook {
 public:
  // Chooses the error number of an operation (0: let it run); sees every operation in turn.
  using Rule = std::function<int(std::int64_t number, FileOperation, const std::filesystem::path&)>;

  explicit FaultInjection(Rule rule) : rule_(std::move(rule)) {}

  // The n-th operation (from 1) fails with error_number; every other one runs.
  static FaultInjection FailNth(std::int64_t n, int error_number);

  int Before(FileOperation operation, const std::filesystem::path& host) override;

  // Operations seen so far, and how many of them were made to fail.
  std::int64_t operations() const { return operations_; }
  std::int64_t failures() const { return failures_; }

 private:
  Rule rule_;
  std::int64_t operations_ = 0;
  std::int64_t failures_ = 0;
};

}  // namespace qe2m4::platform
