#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qe2m4::platform {
class DrivePath;
class FileSystem;
}  // namespace qe2m4::platform

namespace qe2m4 {

// The number of characters of text that are one of the characters of separators.
int CountSeparators(std::u16string_view text, std::u16string_view separators);

// The parts of text between separators, in order: k separators give k + 1 parts; consecutive
// separators give empty parts, and a text ending with a separator ends with an empty part.
// "D:\TYUJYOU\K1\" gives "D:", "TYUJYOU", "K1", "".
std::vector<std::u16string> SplitPath(std::u16string_view text, std::u16string_view separators);

// The names (without folder, blanks trimmed at both ends) of the ordinary files matching a
// pattern whose last level may hold "*" and "?", hidden files excluded, sorted by name.
std::vector<std::u16string> ListFiles(const platform::FileSystem& file_system,
                                      std::u16string_view pattern);
// The same for the names in folder that match name_pattern.
std::vector<std::u16string> ListFiles(const platform::FileSystem& file_system,
                                      const platform::DrivePath& folder,
                                      std::u16string_view name_pattern);

}  // namespace qe2m4
