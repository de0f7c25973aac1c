#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/error.h"

namespace qe2m4::platform {

// The system's part of writing a file that replaces another (AtomicFile, CheckHostPathLimits):
// a handle of a new file and the few calls the common logic is written over. A HostError is the
// system's own code (errno on POSIX systems, the Windows error code on Windows); 0 is success.
using HostError = std::uint32_t;

// The exception of a failed call, naming display_path, in the system's own words.
Error HostFailure(ErrorKind kind, std::u16string display_path, HostError error);

// A file opened for writing that no one else writes; closed when it goes out of scope.
class HostOutput {
 public:
  HostOutput() = default;
  ~HostOutput() { Close(); }
  HostOutput(const HostOutput&) = delete;
  HostOutput& operator=(const HostOutput&) = delete;

  // Creates path, which must not exist yet: an existing name is never reused or followed.
  // exists tells that something of that name was in the way.
  HostError CreateNew(const std::filesystem::path& path, bool& exists);
  HostError Write(std::string_view bytes);
  // Starts writing the written bytes to the disk without waiting for them, so that the flush
  // that follows finds them on their way (HostStartsWriteOut); only a hint, never a failure.
  void StartWriteOut();
  // Flushes the written bytes to the disk and closes the file.
  HostError FlushAndClose();
  void Close();
  bool open() const { return handle_ != kNone; }

 private:
  static constexpr std::intptr_t kNone = -1;
  std::intptr_t handle_ = kNone;  // a descriptor, or a Windows handle
};

// Whether the system can start a file's write-out ahead of its flush: then several outputs
// flushed one after another reach the disk together rather than one at a time.
bool HostStartsWriteOut();
// Puts the file from in place of to in one step, replacing the file there. Where the system can
// make the rename itself durable, it returns only when the rename is on the disk.
HostError HostReplace(const std::filesystem::path& from, const std::filesystem::path& to);
// Whether a rename in folder becomes durable only by flushing the folder (HostFlushFolder).
bool HostFolderNeedsFlush();
// Flushes a folder's entries to the disk, so that a rename in it survives a power cut. A file
// system that cannot flush folders is taken as it is.
HostError HostFlushFolder(const std::filesystem::path& folder);
// Whether a folder is at path (on POSIX systems also a link that leads to one).
bool HostIsFolder(const std::filesystem::path& path);
// Removes a file; failures are ignored.
void HostRemoveFile(const std::filesystem::path& path) noexcept;

// The longest level name of the file system that holds path (or its nearest existing folder).
std::size_t HostNameLimit(const std::filesystem::path& path);
// The longest path the system accepts, the terminating NUL included.
std::size_t HostPathLimit();
// The code of a name or path longer than the system allows.
HostError HostNameTooLong();

}  // namespace qe2m4::platform
