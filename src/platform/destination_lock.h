#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace qe2m4::platform {

// Keeps a destination folder to one run at a time, whatever path, link or drive letter leads
// there. The lock belongs to the folder itself and is held through an open handle, so the
// system drops it when the run ends in any way, a killed process included: nothing is left
// behind. A second run (another process, or another run of this process) is refused at once.
class DestinationLock {
 public:
  // Tries to lock an existing folder (its host path). Throws Error naming display_path when
  // the folder cannot be opened.
  DestinationLock(const std::filesystem::path& folder, const std::u16string& display_path);
  ~DestinationLock();
  DestinationLock(const DestinationLock&) = delete;
  DestinationLock& operator=(const DestinationLock&) = delete;

  // False when another run holds the folder. A file system that cannot lock at all lets
  // every run in (there is nothing to wait for).
  bool acquired() const { return acquired_; }

 private:
  std::intptr_t handle_ = -1;
  bool acquired_ = false;
};

}  // namespace qe2m4::platform
