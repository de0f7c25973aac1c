#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "batch/batch_report.h"
#include "common/text_encoding.h"

namespace qe2m4::batch {

// The list file a batch read and the encoding it was read in.
struct ListSource {
  std::filesystem::path path;
  common::TextEncoding encoding;
};

// The batch's last lines for the user: the count of each result with the files and lines
// written, the ten most frequent descriptions without a main soil (times, borings,
// description), the list and its encoding (for a batch of a list), and where the report and its
// table are.
std::vector<std::u16string> SummaryLines(const BatchReport& report,
                                         const std::filesystem::path& report_path,
                                         const std::optional<ListSource>& list = std::nullopt);

}  // namespace qe2m4::batch
