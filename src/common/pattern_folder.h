#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qe2m4::platform {
class FileSystem;
}

namespace qe2m4 {

// Called once per folder the search visits, with that folder's drive path, so that a window
// can process its pending events and show where the search is.
using SearchProgress = std::function<void(std::u16string_view folder)>;

// The pattern-data folder ("PATDAT" holding a non-empty kishitu.txt), ending with "\", or the
// empty text: first beside the program, then on the program's own drive, then on drives A to
// Z in order, walking each drive depth-first in pre-order. Symbolic links are never followed
// and unreadable folders are skipped.
std::u16string FindPatternFolder(const platform::FileSystem& file_system,
                                 const SearchProgress& progress);

// The most hits one search collects.
inline constexpr std::size_t kMaxPatternHits = 1000;

// Walks the folder tree under candidate's folder part, testing F + "PATDAT\kishitu.txt" in every
// folder F, and appends every hit (ending with "\") to hits, in depth-first pre-order. The
// walk ends early once hits holds hit_limit entries.
void SearchPatternTree(const platform::FileSystem& file_system, std::u16string_view candidate,
                       std::vector<std::u16string>& hits, const SearchProgress& progress,
                       std::size_t hit_limit = kMaxPatternHits);

// The path up to and including its last "\" or ":"; the empty text if it has neither.
std::u16string FolderPart(std::u16string_view path);

}  // namespace qe2m4
