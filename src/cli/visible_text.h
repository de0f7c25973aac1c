#pragma once

#include <string>
#include <string_view>

namespace qe2m4::cli {

// UTF-8 text as a terminal or console can show it without obeying it: every control character
// but the line end is written in the caret notation of "cat -v" and "less" ("^[" for ESC, "^G"
// for BEL, "^M" for CR, "^I" for a tab, "^?" for DEL, "M-^[" for the C1 control U+009B and for a
// byte 0x9B that is not part of a UTF-8 character), so that names and descriptions from an
// archive cannot retitle, clear or move the user's terminal. Everything else is kept.
std::string VisibleText(std::string_view text);

}  // namespace qe2m4::cli
