#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/file_operation_hook.h"
#include "platform/host_file.h"
#include "platform/host_input.h"

namespace qe2m4::platform {

// An ordinary file read from its first byte to its end, a block at a time, so that reading a
// file does not need memory for all of it.
class InputFile {
 public:
  // Opens as OpenForReading does (throws Error(kRead) naming display_path, and refuses a link
  // at the last level when told to); hook, when given, is asked before each read.
  InputFile(const std::filesystem::path& host, std::u16string display_path,
            FileOperationHook* hook = nullptr, LastLevelLink link = LastLevelLink::kFollow);

  // Reads up to size bytes into buffer and returns how many were read: fewer only at the end
  // of the file, 0 once it is reached. Throws Error(kRead) when the read fails.
  //
  // The end is where a read first comes up short once the file's size at the open has been
  // read (a file that grew before that read is read on; what is added after it is not), or
  // where a read returns nothing: a file read whole in one block takes one call of the system.
  std::size_t Read(char* buffer, std::size_t size);
  // The file's size when it was opened, where the open told it.
  std::optional<std::uintmax_t> size() const { return file_.size(); }

 private:
  std::filesystem::path host_;
  std::u16string display_path_;
  FileOperationHook* hook_;
  HostInput file_;
  std::uintmax_t read_ = 0;  // bytes read so far
  bool at_end_ = false;
};

}  // namespace qe2m4::platform
