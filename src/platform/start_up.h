#pragma once

#include <string>
#include <vector>

#include "platform/drive_table.h"

namespace qe2m4::platform {

class FileSystem;

// The drive table of one start of a front end: the defaults, the user's drives.conf, then the
// assignments "L=DIR" given for this start (a relative DIR is taken from the working folder).
// Lines of drives.conf that are not of the form L=DIR are ignored and described in problems,
// so that the front end can warn about them.
DriveTable StartUpDriveTable(const std::vector<std::string>& assignments,
                             std::vector<std::string>& problems);

// Makes the drive holding the working folder current, with the working folder as that drive's
// current folder; when no usable drive holds it, the first usable drive becomes current.
void EnterWorkingFolder(FileSystem& file_system);

}  // namespace qe2m4::platform
