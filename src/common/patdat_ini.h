#pragma once

#include <cstdint>
#include <string>

namespace qe2m4::platform {
class FileSystem;
}

namespace qe2m4 {

// Patdat32.ini is read only when it is an ordinary file of at most this many bytes.
inline constexpr std::uintmax_t kPatdatIniMaxBytes = 1024 * 1024;

// What the system folder's Patdat32.ini holds.
struct PatdatIni {
  enum class State {
    kRead,     // read: value holds the first field of its second line
    kMissing,  // no such file, or an empty one
    kIgnored,  // not an ordinary file (a FIFO, a folder) or larger than kPatdatIniMaxBytes
  };
  State state = State::kMissing;
  // The first field of its second line, blanks removed at both ends (a folder path ending
  // with "\"); empty unless read.
  std::u16string value;
  // The file, as the program names it.
  std::u16string path;
};

// Reads Patdat32.ini in the system folder; nothing is created. Throws platform::Error(kShortFile)
// naming the file when it has only one line, and platform::Error(kRead) with the reason when it
// is an ordinary file that cannot be read.
PatdatIni ReadPatdatIni(const platform::FileSystem& file_system);

}  // namespace qe2m4
