#pragma once

#include <string>

namespace qe2m4::platform {
class FileSystem;
}

namespace qe2m4 {

enum class PathCheck {
  kAccepted,
  // The second byte of the path is not ":"; the caller shows the drive-letter message.
  kBadDriveName,
  // Rejected without a message of its own (wildcards, an unusable drive, a doubled "\").
  kRejected,
};

// Checks a folder path the user typed or picked and normalises it in place, as far as the
// checks get: blanks trimmed, "\" inserted after "C:" when missing, "\" appended. An accepted
// path is drive letter, ":", "\" and folder names each followed by "\". Makes the path's drive
// the current drive (a drive that cannot be made current rejects the path). Whether the folder
// exists is not tested here.
PathCheck CheckPath(platform::FileSystem& file_system, std::u16string& path);

}  // namespace qe2m4
