#pragma once

#include <filesystem>
#include <optional>

namespace qe2m4::platform {

// The host folder that holds the running program's executable, if the system tells.
std::optional<std::filesystem::path> ProgramLocation();

// The host folder that plays the system folder (the one holding Patdat32.ini) when the user
// names none: on Windows the system folder a 32-bit program sees, elsewhere the user's
// configuration folder.
std::filesystem::path DefaultSystemFolder();

}  // namespace qe2m4::platform
