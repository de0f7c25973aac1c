#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace qe2m4::platform {

// The label of the volume whose root a host folder is ("DATA" for D:\ on Windows; the empty
// text when the volume has none). nullopt when the folder is not a volume's root, its drive is
// not ready, or the system keeps no labels (POSIX systems). Never shows a system dialog.
std::optional<std::u16string> VolumeLabel(const std::filesystem::path& folder);

}  // namespace qe2m4::platform
