#pragma once

namespace qe2m4::platform::posix {

// Takes the exclusive lock of an open file or folder without waiting. False only when another
// holder has it; a file system that cannot lock lets every holder in (there is nothing to wait
// for).
bool TryExclusiveLock(int fd);

}  // namespace qe2m4::platform::posix
