#include "platform/program_location.h"

#include <system_error>

#include "platform/drive_table.h"

namespace qe2m4::platform {

std::optional<std::filesystem::path> ProgramLocation() {
  std::error_code ec;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || executable.empty()) {
    return std::nullopt;
  }
  return executable.parent_path();
}

std::filesystem::path DefaultSystemFolder() {
  return UserConfigFolder();
}

}  // namespace qe2m4::platform
