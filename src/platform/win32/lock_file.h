#pragma once

#include <filesystem>

#include "platform/win32/unique_handle.h"

namespace qe2m4::platform::win32 {

// Opens a lock file without sharing, so that no one else can open it while its handle is open,
// and deleted by the system when the handle closes: when its holder ends in any way, a killed
// process included, so nothing is left behind. handle holds it when it was opened. False when
// another holder has it: a sharing violation, or a lock file that is there but refused (its
// holder is ending and the file is about to go). Any other failure (a read-only medium, a
// folder the user may not write) leaves no lock to take, and is no other holder's.
bool TakeLockFile(const std::filesystem::path& lock, UniqueHandle& handle);

}  // namespace qe2m4::platform::win32
