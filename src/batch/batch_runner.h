#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "batch/batch_entry.h"
#include "soil/soil_readings.h"

namespace qe2m4::platform {
class FileSystem;
}

namespace qe2m4::batch {

struct BatchRunOptions {
  int jobs = 1;             // conversions at once
  bool answer_yes = false;  // create missing destination folders
  // The table of soil readings every run classifies through (read-only, shared by the runs).
  const SoilReadings* readings = &SoilReadings::None();
};

// Called once for each boring that ran, as it finishes, never two at a time; index is the
// entry's place in the list.
using BoringFinished = std::function<void(std::size_t index, const BoringResult& result)>;

// Converts the entries, options.jobs at a time, each through its own run on its own copy of
// prototype; nothing but read-only tables is shared between the runs. Before a boring starts,
// stop_requested is asked; once it says yes no other boring starts, and the running ones end.
// Borings start in the list's order; those that never started get no call of finished. An
// exception thrown by finished stops the batch the same way and is thrown again here once
// every running boring has ended.
void RunBatch(const platform::FileSystem& prototype, const std::vector<BatchEntry>& entries,
              const BatchRunOptions& options, const BoringFinished& finished,
              const std::function<bool()>& stop_requested);

}  // namespace qe2m4::batch
