#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qe2m4::batch {

// The fields of one line of comma-separated values: a field in double quotes may hold commas,
// and "" stands for one quote inside it; blanks around a quoted field are dropped. nullopt when
// a quote is not closed or text follows a closing quote.
std::optional<std::vector<std::u16string>> SplitCsvLine(std::u16string_view line);

// A field as a spreadsheet reads it back: in double quotes (quotes doubled) when it holds a
// comma, a quote, a line end or blanks at either end; as it is otherwise.
std::u16string CsvField(std::u16string_view text);

// A text that a spreadsheet keeps a text. One it would take for a formula, whose first
// character, or first after blanks, is "=", "+", "-", "@", a tab or a line end, gets a leading
// "'", the spreadsheets' own mark of a text cell. Texts from archives and lists go through it;
// numbers the program writes do not, and stay numbers.
std::u16string SpreadsheetText(std::u16string_view text);

}  // namespace qe2m4::batch
