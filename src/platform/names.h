#pragma once

#include <optional>
#include <string>
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

// Why a name holds a control character (U+0000 to U+001F, U+007F), naming the first one;
// nullopt when it holds none. Such a name is never created or reached: a line end or a tab
// that slipped into a path would give a folder no one can see or type.
std::optional<std::string> ControlCharacterProblem(std::u16string_view name);

// Why a name found in a folder cannot be one level of a path, so that it is never joined into
// one: it holds "\" or "/" (it would be read as several levels, and "x\..\..\y" climbs out of
// the folder), is "." or ".." (it would stay or climb), or holds a control character. nullopt
// for every other name.
std::optional<std::string> LevelNameProblem(std::u16string_view name);

}  // namespace qe2m4::platform
