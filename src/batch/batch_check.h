#pragma once

#include <functional>
#include <vector>

#include "batch/batch_entry.h"

namespace qe2m4::platform {
class FileSystem;
}

namespace qe2m4::batch {

// Checks the list as a whole before anything runs: no two lines may write one destination
// folder, and no line may write into a folder another line reads. Folders are the same when
// their full drive paths are equal without regard to letter case, or when they lead to the same
// host folder. A path that names no folder at all is left to its run, which refuses it.
// The check takes n log n steps for n lines, however many of them name one folder.
// stop_requested is asked at every line; once it says yes, platform::Interrupted is thrown.
std::vector<ListProblem> CheckBatchEntries(const platform::FileSystem& file_system,
                                           const std::vector<BatchEntry>& entries,
                                           const std::function<bool()>& stop_requested = nullptr);

}  // namespace qe2m4::batch
