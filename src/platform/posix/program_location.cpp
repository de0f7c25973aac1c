#include "platform/program_location.h"

#include <system_error>

namespace qe2m4::platform {

std::optional<std::filesystem::path> ProgramLocation() {
  std::error_code ec;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || executable.empty()) {
    return std::nullopt;
  }
  return executable.parent_path();
}

}  // namespace qe2m4::platform
