#pragma once

#include <string_view>

#include "platform/file_system.h"

namespace qe2m4::fuzz {

// Ends the fuzzing run with a message naming the property that does not hold: libFuzzer keeps
// the input that broke it, as it does for a crash.
void Require(bool holds, const char* property);

// Requires that a path read from a user's file, as the file system resolves it, stays inside
// the host folder of its drive: no ".." or name of the path leads above the drive's root. Paths
// the file system refuses (an unmapped drive, a NUL character) name no host file and pass.
void RequireInsideDrive(const platform::FileSystem& file_system, std::u16string_view path);

}  // namespace qe2m4::fuzz
