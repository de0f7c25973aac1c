#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "batch/batch_entry.h"
#include "platform/file_lock.h"

namespace qe2m4::platform {
class FileSystem;
}

namespace qe2m4::batch {

// Where a batch's report goes when none is named: beside the list, named after it
// ("borings.csv" gives "borings-report.csv", "list.txt" "list.txt-report.csv"); for a tree,
// which has no list (list is empty), "qe2m4-report.csv" in the working folder.
std::filesystem::path DefaultReportPath(const std::filesystem::path& list);

// Why the report at a host path, or the table of descriptions beside it, may not be written:
// it would replace the list, a link or anything but an ordinary file (the rename that completes
// it replaces whatever has the name), or lie in a source folder of the batch (which is never
// changed) or a destination folder (whose run removes temporary files it did not write). Each
// problem that concerns lines of the batch names them. Empty when both files may be written.
std::vector<ListProblem> ReportPathProblems(const platform::FileSystem& file_system,
                                            const std::filesystem::path& report,
                                            const std::filesystem::path& list,
                                            const std::vector<BatchEntry>& entries);

// The place of one batch's report, checked and held: when it has no problems, the report and
// its table may be written there and no other batch writes them while it lives, and temporary
// files that killed batches left under their names are gone.
class ReportPlace {
 public:
  ReportPlace(const platform::FileSystem& file_system, const std::filesystem::path& report,
              const std::filesystem::path& list, const std::vector<BatchEntry>& entries);

  // ReportPathProblems, or that another batch writes the report; empty when the place is held.
  const std::vector<ListProblem>& problems() const { return problems_; }

 private:
  std::vector<ListProblem> problems_;
  std::optional<platform::FileLock> report_lock_;
  std::optional<platform::FileLock> soil_lock_;
};

}  // namespace qe2m4::batch
