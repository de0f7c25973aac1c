#include <system_error>

#include "platform/error.h"
#include "platform/host_file.h"
#include "platform/host_output.h"

namespace qe2m4::platform {
namespace {

// Room for the longest name written in a destination folder: a temporary name such as
// ".~Titl1.txt.4294967295.tmp", a copied "Titl0?.txt", with a margin.
constexpr std::size_t kRoomForNames = 64;

}  // namespace

void CheckHostPathLimits(const std::filesystem::path& folder, const std::u16string& display_path,
                         const std::filesystem::path& existing) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(folder, ec);
  const std::size_t name_limit =
      HostNameLimit(existing.empty() ? absolute : std::filesystem::absolute(existing, ec));
  // Every file written in the folder must fit the system's limit on a whole path.
  bool too_long = absolute.native().size() + kRoomForNames >= HostPathLimit();
  for (const std::filesystem::path& level : absolute) {
    too_long = too_long || level.native().size() > name_limit;
  }
  if (too_long) {
    throw HostFailure(ErrorKind::kCreateFolder, display_path, HostNameTooLong());
  }
}

}  // namespace qe2m4::platform
