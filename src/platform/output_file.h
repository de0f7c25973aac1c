#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/drive_path.h"
#include "platform/host_file.h"

namespace qe2m4::platform {

class FileSystem;

// A text file of the target product: CP932 lines, each ended by CR LF. The file is complete or
// absent: until Commit() the lines go to a temporary file beside it, and an output that is
// destroyed without Commit() leaves the previous file (or no file) in place. Lines are encoded
// into one buffer, written out a block at a time.
class OutputFile {
 public:
  // Creates the output for a drive path; an existing file of that name (in any letter case)
  // is replaced on Commit().
  OutputFile(const FileSystem& file_system, std::u16string_view path);
  OutputFile(const FileSystem& file_system, const DrivePath& path);
  OutputFile(OutputFile&&) noexcept = default;
  OutputFile& operator=(OutputFile&&) = delete;

  void WriteLine(std::u16string_view line);
  // Writes out the last lines and puts the file, durable, in place of the previous one; in a
  // scope of outputs flushed together, hands it to the scope instead (AtomicFile::Commit). No
  // line can be added after.
  void Commit();
  // The number of lines written so far.
  std::int64_t lines() const { return lines_; }

 private:
  // Writes out the buffered bytes.
  void Flush();

  AtomicFile file_;
  std::string buffer_;
  std::int64_t lines_ = 0;
};

}  // namespace qe2m4::platform
