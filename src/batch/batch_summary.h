#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "batch/batch_report.h"

namespace qe2m4::batch {

// The batch's last lines for the user: the count of each result with the files and lines
// written, the ten most frequent descriptions without a main soil (times, borings,
// description), and where the report and its table are.
std::vector<std::u16string> SummaryLines(const BatchReport& report,
                                         const std::filesystem::path& report_path);

}  // namespace qe2m4::batch
