#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "batch/batch_entry.h"
#include "common/text_encoding.h"

namespace qe2m4::batch {

struct BatchList {
  std::vector<BatchEntry> entries;
  std::vector<ListProblem> problems;
  // The encoding the list file was read in; none for the borings of a tree.
  std::optional<common::TextEncoding> encoding;
};

// The longest line a list may hold, in characters: room for two of the longest paths Windows
// takes, quoted; a longer line is no list a user wrote.
inline constexpr std::size_t kMaxListLineLength = 65536;

// Reads a list file: one boring per line as SOURCE,DEST (comma-separated values, a path in
// double quotes may hold commas), in UTF-8 (with or without a BOM), CP932 or UTF-16 with its BOM,
// told from the bytes unless `forced` names it. Blank lines and lines whose first character
// other than a blank is "#" are skipped; every other line that is not two paths, or is longer
// than kMaxListLineLength, is a problem, and so is a line that is not valid text in the
// encoding. Lines end at a line feed with at most one carriage return before it removed; any
// other character stays in the paths, for the run to refuse. stop_requested is asked at every
// line; once it says yes, platform::Interrupted is thrown.
BatchList ReadBatchList(std::string_view bytes,
                        std::optional<common::TextEncoding> forced = std::nullopt,
                        const std::function<bool()>& stop_requested = nullptr);

}  // namespace qe2m4::batch
