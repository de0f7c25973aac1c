#include "platform/volume_label.h"

namespace qe2m4::platform {

std::optional<std::u16string> VolumeLabel(const std::filesystem::path& /*folder*/) {
  // Mount points carry no label a user would know the drive by.
  return std::nullopt;
}

}  // namespace qe2m4::platform
