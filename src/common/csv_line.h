#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qe2m4::common {

// The fields of one line of comma-separated values, as spreadsheets save them (batch lists,
// the table of soil readings): a field in double quotes may hold commas, and "" stands for one
// quote inside it; blanks around a quoted field are dropped. nullopt when a quote is not closed
// or text follows a closing quote.
std::optional<std::vector<std::u16string>> SplitCsvLine(std::u16string_view line);

}  // namespace qe2m4::common
