#pragma once

#include <string>

namespace qe2m4::platform {
class FileSystem;
}

namespace qe2m4 {

// The value of Patdat32.ini in the system folder: the first field of its second line, blanks
// removed at both ends (a folder path ending with "\"). The empty text when the file is
// missing or empty; nothing is created. Throws platform::Error(kShortFile) naming the file when
// it has only one line, and platform::Error(kRead) when it cannot be read.
std::u16string ReadPatdatIni(const platform::FileSystem& file_system);

}  // namespace qe2m4
