#pragma once

#include <string_view>
#include <vector>

#include "batch/batch_entry.h"

namespace qe2m4::batch {

struct BatchList {
  std::vector<BatchEntry> entries;
  std::vector<ListProblem> problems;
};

// Reads a list file: one boring per line as SOURCE,DEST (comma-separated values, a path in
// double quotes may hold commas), in UTF-8 (with or without a BOM) or CP932. Blank lines and
// lines whose first character other than a blank is "#" are skipped; every other line that is
// not two paths is a problem.
BatchList ReadBatchList(std::string_view bytes);

}  // namespace qe2m4::batch
