#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/fault_injection.h"

namespace qe2m4::testing {

// A hook that fails one kind of operation on the host files of one name.
inline std::unique_ptr<platform::FaultInjection> FailOn(platform::FileOperation failing,
                                                        std::string name, int error_number) {
  return std::make_unique<platform::FaultInjection>(
      [failing, name = std::move(name), error_number](
          std::int64_t, platform::FileOperation operation, const std::filesystem::path& host) {
        return operation == failing && host.filename() == name ? error_number : 0;
      });
}

}  // namespace qe2m4::testing
