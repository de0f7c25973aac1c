#include "batch/boring_run.h"

#include <exception>

#include "app/conversion_run.h"
#include "batch/batch_user_interface.h"
#include "platform/file_system.h"
#include "platform/utf8.h"

namespace qe2m4::batch {

BoringResult RunBoring(const platform::FileSystem& prototype, const BatchEntry& entry,
                       bool answer_yes, const SoilReadings& readings) {
  BoringResult result;
  if (entry.problem) {
    result.outcome = entry.problem->outcome;
    result.messages.push_back(entry.problem->message);
    return result;
  }
  BatchUserInterface ui(answer_yes);
  try {
    platform::FileSystem file_system = prototype;
    for (const StoredLevelName& level : entry.stored_names) {
      file_system.SetStoredName(level.path, level.host_name);
    }
    app::RunResult run =
        app::RunConversion(file_system, ui, entry.source, entry.destination, readings);
    if (run.succeeded) {
      result.outcome = BoringOutcome::kConverted;
    } else if (!run.status_shown) {
      // Ended before its first write: refused, or stopped by an interrupt as good as unstarted.
      result.outcome = run.interrupted ? BoringOutcome::kNotRun : BoringOutcome::kRefused;
    } else {
      result.outcome = BoringOutcome::kFailed;
    }
    for (const WrittenFile& file : run.report.files) {
      ++result.files;
      result.lines += file.lines;
    }
    result.unmatched_layers = std::move(run.report.unmatched_layers);
    result.read_layers = std::move(run.report.read_layers);
  } catch (const std::exception& error) {
    // The run reports the failures it knows itself; anything else (memory running out) fails
    // this boring only.
    ui.messages().push_back(platform::FromUtf8(error.what()));
    result.outcome = BoringOutcome::kFailed;
  }
  result.messages = std::move(ui.messages());
  return result;
}

}  // namespace qe2m4::batch
