#include "platform/host_entry.h"

#include <sys/stat.h>

namespace qe2m4::platform {

HostEntryKind HostEntryKindOf(const std::filesystem::path& host) {
  struct stat status = {};
  if (::lstat(host.empty() ? "." : host.c_str(), &status) != 0) {
    return HostEntryKind::kNothing;
  }
  if (S_ISLNK(status.st_mode)) {
    return HostEntryKind::kLink;
  }
  if (S_ISDIR(status.st_mode)) {
    return HostEntryKind::kFolder;
  }
  return S_ISREG(status.st_mode) ? HostEntryKind::kFile : HostEntryKind::kOther;
}

}  // namespace qe2m4::platform
