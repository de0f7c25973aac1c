#pragma once

#include <filesystem>
#include <optional>

namespace qe2m4::platform {

// The host folder that holds the running program's executable, if the system tells.
std::optional<std::filesystem::path> ProgramLocation();

}  // namespace qe2m4::platform
