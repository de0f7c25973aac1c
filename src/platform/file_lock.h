#pragma once

#include <cstdint>
#include <filesystem>

namespace qe2m4::platform {

// Keeps a file to one writer at a time among runs of the program, whatever path or folder link
// leads there: a hidden, empty lock file beside it (".~NAME.lock") is held open and locked while
// the writer lives. The system releases the lock when the process ends in any way, a killed one
// included; the holder removes the lock file when it is done, and one that a killed process left
// is taken over, and then removed, by the next writer. A second writer is refused at once.
class FileLock {
 public:
  // Tries to lock the file at a host path (which need not exist yet).
  explicit FileLock(const std::filesystem::path& target);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // False when another writer holds the file. Where no lock file can be made (a missing or
  // read-only folder) or the file system cannot lock, every writer is let in: writing the file
  // itself then reports what is wrong, or there is nothing to wait for.
  bool acquired() const { return acquired_; }

 private:
  std::filesystem::path lock_file_;
  std::intptr_t handle_ = -1;
  bool acquired_ = false;
};

}  // namespace qe2m4::platform
