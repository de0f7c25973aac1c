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

// A text that a spreadsheet keeps a text. One it would take for a formula, whose first
// character, or first after blanks, is "=", "+", "-", "@", a tab or a line end, gets a leading
// "'", the spreadsheets' own mark of a text cell. Texts from archives and lists go through it;
// numbers the program writes do not, and stay numbers.
std::u16string SpreadsheetText(std::u16string_view text);

}  // namespace qe2m4::batch
