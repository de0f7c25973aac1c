#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace qe2m4::platform {

// The temporary file an output is written to before it replaces the file of its name:
// ".~NAME.NUMBER.tmp" beside it (hidden from listings by its leading ".").
std::filesystem::path TemporaryName(const std::filesystem::path& target, unsigned number);

// Whether a file name is of that form.
bool IsTemporaryName(std::string_view name);

// The lock file that keeps a target to one writer (FileLock): ".~NAME.lock" beside it.
std::filesystem::path LockFileName(const std::filesystem::path& target);

// Removes the temporary files of that form in a folder. Called by a run that holds the
// folder's DestinationLock, when every such file was left by a run that no longer exists;
// no file of any other name is touched. Failures are ignored (the file stays hidden).
void RemoveStaleTemporaryFiles(const std::filesystem::path& folder);

// Removes the temporary files of one target only (".~NAME.NUMBER.tmp" beside it), left by
// writers that no longer exist: called by the holder of the target's FileLock. Failures are
// ignored.
void RemoveStaleTemporaryFilesOf(const std::filesystem::path& target);

}  // namespace qe2m4::platform
