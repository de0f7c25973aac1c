#include "platform/file_identity.h"

#include <sys/stat.h>

namespace qe2m4::platform {

std::optional<FileIdentity> HostFileIdentity(const std::filesystem::path& host) {
  struct stat status = {};
  if (::stat(host.c_str(), &status) != 0) {
    return std::nullopt;
  }
  return FileIdentity{static_cast<std::uint64_t>(status.st_dev),
                      static_cast<std::uint64_t>(status.st_ino)};
}

}  // namespace qe2m4::platform
