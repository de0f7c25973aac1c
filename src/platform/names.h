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

// Why a name cannot be one level of a path, as a value: the front ends word it in the user's
// language (platform/ has no texts of its own for the user).
enum class NameProblemKind {
  kItself,              // "." stands for the folder itself
  kAbove,               // ".." stands for the folder above
  kSeparator,           // holds the path separator `character` ("\" or "/")
  kControlCharacter,    // holds the control character `character`
  kTwin,                // another name in the folder reads as the same text
  kEndsWithBlankOrDot,  // Windows cannot hold a name that ends with a blank or a dot
  kReservedCharacter,   // Windows cannot hold a name with the character `character`
  kDeviceName,          // a Windows device name (CON, NUL, COM1 ...)
};

struct NameProblem {
  NameProblemKind kind;
  char16_t character = 0;  // the character the problem names, where it names one
  bool operator==(const NameProblem&) const = default;
};

// The problem in English, for the exceptions' summaries and logs.
std::string NameProblemSummary(const NameProblem& problem);

// "U+000D": how a character that must not act on a terminal is named in a message.
std::string CharacterCode(char16_t c);

// The first control character (U+0000 to U+001F, U+007F) a name holds; nullopt when it holds
// none. Such a name is never created or reached: a line end or a tab that slipped into a path
// would give a folder no one can see or type.
std::optional<NameProblem> ControlCharacterProblem(std::u16string_view name);

// Why a name found in a folder cannot be one level of a path, so that it is never joined into
// one: it holds "\" or "/" (it would be read as several levels, and "x\..\..\y" climbs out of
// the folder), is "." or ".." (it would stay or climb), or holds a control character. nullopt
// for every other name.
std::optional<NameProblem> LevelNameProblem(std::u16string_view name);

}  // namespace qe2m4::platform
