#pragma once

#include <string_view>

namespace qe2m4::platform {

// File and folder names are compared as Windows compares them: without regard to letter case.
char16_t FoldCase(char16_t c);
bool NamesEqual(std::u16string_view a, std::u16string_view b);

// Matches a name against a pattern whose "*" stands for any run of characters and "?" for one
// character, without regard to letter case.
bool MatchesWildcard(std::u16string_view name, std::u16string_view pattern);

// Names starting with "." are hidden on POSIX systems; listings leave them out.
bool IsHiddenName(std::u16string_view name);

}  // namespace qe2m4::platform
