#pragma once

#include <filesystem>

#include "platform/win32/unique_handle.h"

namespace qe2m4::platform::win32 {

// A lock file opened without sharing, so that no one else can open it while its handle is open,
// and deleted by the system when the handle closes: when its holder ends in any way, a killed
// process included, so nothing is left behind.
struct LockFileHold {
  UniqueHandle handle;  // invalid when the file was not opened
  bool held_elsewhere = false;
};

// Opens the lock file. A sharing violation, or a lock file that is there but refused (its holder
// is ending and the file is about to go), is another holder's; any other failure (a read-only
// medium, a folder the user may not write) leaves no lock to take.
LockFileHold OpenLockFile(const std::filesystem::path& lock);

}  // namespace qe2m4::platform::win32
