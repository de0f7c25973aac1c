#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qe2m4::app {

// A message box as one line of text: the title (when it has one of its own), ": ", and the
// text with its line ends replaced by blanks.
std::u16string MessageLine(std::u16string_view text, const std::optional<std::u16string>& title);

}  // namespace qe2m4::app
