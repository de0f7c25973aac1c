#pragma once

#include <filesystem>

namespace qe2m4::platform {

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
};

}  // namespace qe2m4::platform
