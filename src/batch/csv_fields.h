#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/csv_line.h"

namespace qe2m4::batch {

// Lists are split as every user's CSV file is.
using common::SplitCsvLine;

// A field as a spreadsheet reads it back: in double quotes (quotes doubled) when it holds a
// comma, a quote, a line end or blanks at either end; as it is otherwise.
std::u16string CsvField(std::u16string_view text);

}  // namespace qe2m4::batch
