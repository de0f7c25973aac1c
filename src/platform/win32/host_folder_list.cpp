#include "platform/host_folder.h"

namespace qe2m4::platform {
namespace fs = std::filesystem;

void ListHostFolder(const fs::path& folder, fs::directory_options options,
                    std::vector<HostEntry>& entries, std::error_code& ec) {
  // The library's listing tells no types here: each entry's type is asked when it is needed.
  for (fs::directory_iterator it(folder, options, ec), end; !ec && it != end; it.increment(ec)) {
    entries.emplace_back().stored = it->path().filename();
  }
}

}  // namespace qe2m4::platform
