#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>

// A host path's text read without making paths of its parts: where its last level begins and
// where the folder above it ends. Making a std::filesystem::path of a part splits it into all
// its levels again, and a run asks for folders and names of its paths thousands of times.
namespace qe2m4::platform {

using HostText = std::basic_string_view<std::filesystem::path::value_type>;

inline bool IsHostSeparator(std::filesystem::path::value_type c) {
  return c == std::filesystem::path::preferred_separator || c == '/';
}

// Where the last level of a host path's text begins: after its last separator, or at 0.
inline std::size_t HostNameStart(HostText text) {
  std::size_t start = text.size();
  while (start > 0 && !IsHostSeparator(text[start - 1])) {
    --start;
  }
  return start;
}

// The length of the text of a host path's folder, as parent_path() spells it, when the folder
// lies below a root: the text before the last level without the separators between them.
// nullopt for a path of one level, or one whose folder is a root ("/", "C:\", "\\server\"),
// which the systems spell each in its own way: parent_path() tells those.
inline std::optional<std::size_t> HostFolderEnd(HostText text) {
  std::size_t end = HostNameStart(text);
  while (end > 0 && IsHostSeparator(text[end - 1])) {
    --end;
  }
  // Below a root, the folder's text holds a separator that follows a level's character.
  for (std::size_t i = 1; i < end; ++i) {
    if (IsHostSeparator(text[i]) && !IsHostSeparator(text[i - 1])) {
      return end;
    }
  }
  return std::nullopt;
}

}  // namespace qe2m4::platform
