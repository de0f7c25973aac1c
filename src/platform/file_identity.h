#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace qe2m4::platform {

// What makes a file or folder itself on its system, however it is named: the device and the
// inode on POSIX systems, the volume serial number and the file index on Windows. Two paths
// with the same identity reach the same folder through links, mounts or drive letters.
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  bool operator==(const FileIdentity&) const = default;
};

// The identity of what a host path leads to (links followed); none when it cannot be found.
std::optional<FileIdentity> HostFileIdentity(const std::filesystem::path& host);

}  // namespace qe2m4::platform
