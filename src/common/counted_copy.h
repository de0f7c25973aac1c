#pragma once

#include <cstdint>
#include <string_view>

namespace qe2m4::platform {
class DrivePath;
class FileSystem;
}  // namespace qe2m4::platform

namespace qe2m4 {

// Counts the lines of bytes given block by block: every LF, every CR not followed by LF, and a
// last line without a line end each count one.
class LineCounter {
 public:
  void Add(std::string_view bytes);
  std::int64_t lines() const;

 private:
  std::int64_t ends_ = 0;
  bool after_cr_ = false;   // the last byte given was CR
  bool open_line_ = false;  // bytes were given after the last line end
};

// Copies a boring's file over another, replacing it, a block at a time, and returns its number
// of lines as LineCounter counts them. The target is complete or unchanged. A symbolic link at
// from is refused as not an ordinary file (a link among a boring's files could copy any file of
// the machine into the destination); a link at to is replaced by the copy. Failures throw
// platform::Error of kind kCopy naming the file that failed.
std::int64_t CopyCountingLines(const platform::FileSystem& file_system,
                               const platform::DrivePath& from, const platform::DrivePath& to);

}  // namespace qe2m4
