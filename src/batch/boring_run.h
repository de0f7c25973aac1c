#pragma once

#include "batch/batch_entry.h"
#include "soil/soil_readings.h"

namespace qe2m4::platform {
class FileSystem;
}

namespace qe2m4::batch {

// Converts one boring of a batch through the very run the execute button and "qe2m4 convert"
// use, on a file system of its own that starts as prototype is (the run changes the current
// drive and folder), with its own reader and tables; only the table of soil readings is
// shared. An entry with a problem of the tree walk is not run: its result is that problem.
// Never throws.
BoringResult RunBoring(const platform::FileSystem& prototype, const BatchEntry& entry,
                       bool answer_yes, const SoilReadings& readings = SoilReadings::None());

}  // namespace qe2m4::batch
