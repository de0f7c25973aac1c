#include "platform/vendor.h"

#include "platform/error.h"
#include "platform/names.h"

namespace qe2m4::platform {
namespace {

// The folder part of a pattern and its last level.
std::pair<std::u16string_view, std::u16string_view> SplitPattern(std::u16string_view pattern) {
  const std::size_t cut = pattern.find_last_of(u"\\/");
  if (cut == std::u16string_view::npos) {
    return {std::u16string_view(), pattern};
  }
  return {pattern.substr(0, cut + 1), pattern.substr(cut + 1)};
}

}  // namespace

int FCount(const FileSystem& file_system, std::u16string_view pattern) {
  return static_cast<int>(file_system.ListFiles(pattern).size());
}

int InCount(std::u16string_view text, char16_t c) {
  int count = 0;
  for (const char16_t x : text) {
    count += x == c ? 1 : 0;
  }
  return count;
}

std::int64_t FileSize(const FileSystem& file_system, std::u16string_view path) {
  try {
    return static_cast<std::int64_t>(file_system.FileSize(path));
  } catch (const Error&) {
    return 0;
  }
}

int GoodDrive(const FileSystem& file_system, char16_t letter) {
  return file_system.DriveUsable(letter) ? -1 : 0;
}

int DCount(const FileSystem& file_system, std::u16string_view pattern) {
  return static_cast<int>(ReadDirT(file_system, pattern).size());
}

std::vector<FileListEntry> ReadFileX(const FileSystem& file_system, std::u16string_view pattern) {
  const auto [folder, name_pattern] = SplitPattern(pattern);
  std::vector<FileListEntry> entries;
  for (std::u16string& name : file_system.ListFiles(pattern)) {
    const std::int64_t size = FileSize(file_system, std::u16string(folder) + name);
    entries.push_back({std::move(name), size});
  }
  return entries;
}

std::vector<FolderEntry> ReadDirT(const FileSystem& file_system, std::u16string_view pattern) {
  const auto [folder, name_pattern] = SplitPattern(pattern);
  std::vector<FolderEntry> entries;
  try {
    for (FolderEntry& entry : file_system.ListFolders(folder)) {
      if (MatchesWildcard(entry.name, name_pattern)) {
        entries.push_back(std::move(entry));
      }
    }
  } catch (const Error&) {
    // An unreadable folder has no entries to list.
  }
  return entries;
}

std::u16string QPTrim(std::u16string_view text) {
  const std::size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) {
    return {};
  }
  return std::u16string(text.substr(first, text.find_last_not_of(u' ') - first + 1));
}

std::u16string QPRTrim(std::u16string_view text) {
  const std::size_t last = text.find_last_not_of(u' ');
  return last == std::u16string_view::npos ? std::u16string()
                                           : std::u16string(text.substr(0, last + 1));
}

std::u16string SysDir(const FileSystem& file_system) {
  return file_system.SystemFolder();
}

}  // namespace qe2m4::platform
