#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/drive_table.h"

namespace qe2m4::platform {

class FileSystem;

// drives.conf is read only when it is an ordinary file of at most this many bytes.
inline constexpr std::uintmax_t kDriveSettingsMaxBytes = 1024 * 1024;

// The drive table of one start of a front end: the defaults, the user's drives.conf, then the
// assignments "L=DIR" given for this start (blanks around DIR removed; a relative DIR is taken
// from the working folder). Lines of drives.conf that are not of the form L=DIR, and a
// drives.conf that is not an ordinary file of sensible size or cannot be read, are ignored and
// described in problems, so that the front end can warn about them.
DriveTable StartUpDriveTable(const std::vector<std::string>& assignments,
                             std::vector<std::string>& problems);

// Makes the drive holding the working folder current, with the working folder as that drive's
// current folder; when no usable drive holds it, the first usable drive becomes current.
void EnterWorkingFolder(FileSystem& file_system);

}  // namespace qe2m4::platform
