#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/host_file.h"
#include "platform/host_output.h"

namespace qe2m4::platform {

// An ordinary file opened for reading: the system's part of InputFile and of settings files.
// Closed when it goes out of scope.
class HostInput {
 public:
  // Opens as OpenForReading does: throws Error(kRead) naming display_path, refuses what is not
  // an ordinary file without waiting on it, and with kRefuse a link at the file's own name.
  HostInput(const std::filesystem::path& host, const std::u16string& display_path,
            LastLevelLink link);
  ~HostInput();
  HostInput(HostInput&& other) noexcept;
  HostInput& operator=(HostInput&&) = delete;
  HostInput(const HostInput&) = delete;
  HostInput& operator=(const HostInput&) = delete;

  // The file's size when it was opened, where the open told it without another call.
  std::optional<std::uintmax_t> size() const { return size_; }
  // Reads up to size bytes into buffer with one call of the system; n tells how many (0 at the
  // end of the file, and a read may return fewer before it).
  HostError Read(char* buffer, std::size_t size, std::size_t& n);

 private:
  static constexpr std::intptr_t kNone = -1;
  std::intptr_t handle_ = kNone;  // a descriptor, or the C stream on Windows
  std::optional<std::uintmax_t> size_;
};

}  // namespace qe2m4::platform
