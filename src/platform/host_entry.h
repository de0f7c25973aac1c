#pragma once

#include <filesystem>

namespace qe2m4::platform {

// What a host path names itself: a symbolic link (on Windows any reparse point) is reported as
// a link, not followed.
enum class HostEntryKind {
  kNothing,  // nothing there, or nothing that can be looked at (writing there says why)
  kFile,     // an ordinary file
  kFolder,
  kLink,
  kOther,  // a device, a FIFO, a socket
};

HostEntryKind HostEntryKindOf(const std::filesystem::path& host);

}  // namespace qe2m4::platform
