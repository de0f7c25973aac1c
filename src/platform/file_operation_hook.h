#pragma once

#include <filesystem>
#include <optional>

#include "platform/host_entry.h"

namespace qe2m4::platform {

class AtomicFile;

// The file operations a run performs, as the file system counts them.
enum class FileOperation {
  kOpen,
  kRead,
  kWrite,
  kFlush,
  kRename,
  kDelete,
  kCreateFolder,
  kCopy,
  kListFolder,  // reading a folder's subfolders
};

// Called by the file system before each file operation. Tests install one on their
// FileSystem to make chosen operations fail as the system would; programs install none.
class FileOperationHook {
 public:
  virtual ~FileOperationHook() = default;
  // 0 lets the operation run; any other value is the system error number it fails with.
  virtual int Before(FileOperation operation, const std::filesystem::path& host) = 0;

  // The file system's own hook (FileSystem::operation_hook()) also learns what its writers did
  // and lends them what they share; a test's hook keeps these defaults.

  // Told after an operation put a file or folder at host or took it away: a rename into its
  // folder, a folder made, a file deleted.
  virtual void Changed(FileOperation /*operation*/, const std::filesystem::path& /*host*/) {}
  // Whether the folder's entries will be flushed later, before the run that changed them
  // reports success, so that the writer need not flush it now.
  virtual bool TakeFolderFlush(const std::filesystem::path& /*folder*/) { return false; }
  // What is at host (a link not followed) as far as the run knows it without asking the
  // system, or nullopt: a writer asks the system only when the run does not know.
  virtual std::optional<HostEntryKind> KnownKind(const std::filesystem::path& /*host*/) {
    return std::nullopt;
  }
  // A number for a temporary file's name, from a source seeded once; nullopt lets the writer
  // draw one of its own.
  virtual std::optional<unsigned> TemporaryNumber() { return std::nullopt; }
  // Whether a completed file is to be handed over (Defer) rather than flushed and published at
  // once: the outputs of a scope of OutputsTogether, where the system allows it.
  virtual bool DefersCommits() const { return false; }
  // Takes a completed file, whose bytes are on their way to the disk, to flush and publish it
  // later in its turn.
  virtual void Defer(AtomicFile&& /*file*/) {}
};

}  // namespace qe2m4::platform
