#include <system_error>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/host_folder.h"
#include "platform/host_paths.h"
#include "platform/names.h"

// FileSystem: the listings of files and folders.
namespace qe2m4::platform {
namespace fs = std::filesystem;

namespace {

// Splits a pattern into its folder part and its last level.
std::pair<std::u16string_view, std::u16string_view> SplitLastLevel(std::u16string_view path) {
  const std::size_t cut = path.find_last_of(u"\\/");
  if (cut != std::u16string_view::npos) {
    // Keep the separator when it is the root's ("D:\*.txt" -> "D:\").
    return {path.substr(0, cut + 1), path.substr(cut + 1)};
  }
  if (path.size() >= 2 && path[1] == u':') {
    return {path.substr(0, 2), path.substr(2)};
  }
  return {std::u16string_view(), path};
}

}  // namespace

std::vector<std::u16string> FileSystem::ListFiles(std::u16string_view pattern) const {
  const auto [folder, name_pattern] = SplitLastLevel(pattern);
  try {
    return ListFiles(PathOf(folder), name_pattern);
  } catch (const Error&) {
    return {};
  }
}

std::vector<std::u16string> FileSystem::ListFiles(const DrivePath& folder,
                                                  std::u16string_view name_pattern) const {
  std::vector<std::u16string> names;
  fs::path host;
  try {
    host = Resolve(folder);
  } catch (const Error&) {
    return names;
  }
  std::error_code ec;
  const HostListing listing =
      FolderEntries(host, fs::directory_options::skip_permission_denied, ec);
  for (const HostEntry& entry : *listing) {
    // Folders are not files; links that lead nowhere are missing files. The type the listing
    // gave is the entry's own, so only a link is looked at again.
    std::error_code status_ec;
    if (!LeadsToRegularFile(host, entry, status_ec)) {
      const fs::file_status status = entry.made != fs::file_type::none
                                         ? fs::file_status(entry.made)
                                         : fs::status(host / entry.stored, status_ec);
      if (fs::is_directory(status) || status.type() == fs::file_type::not_found) {
        continue;
      }
    }
    if (!entry.problem && !IsHiddenName(entry.name) && MatchesWildcard(entry.name, name_pattern)) {
      names.push_back(entry.name);
    }
  }
  return names;
}

std::vector<FolderEntry> FileSystem::ListFolderEntries(const DrivePath& folder) const {
  const fs::path host = Resolve(folder);
  if (const int error = Gate(FileOperation::kListFolder, host)) {
    throw SystemError(ErrorKind::kRead, folder.Text(), error);
  }
  std::error_code ec;
  std::vector<HostEntry> found = ReadHostFolder(host, fs::directory_options::none, ec);
  if (ec) {
    throw SystemError(ErrorKind::kRead, folder.Text(), ec);
  }
  std::vector<FolderEntry> entries;
  for (HostEntry& entry : found) {
    // A link to a folder is listed (marked as a link) on every system.
    const fs::path path = host / entry.stored;
    if (IsHiddenName(entry.name) || !HostFolderReady(path)) {
      continue;
    }
    entries.push_back({std::move(entry.name), HostIsLink(path), std::move(entry.stored),
                       std::move(entry.problem)});
  }
  return entries;
}

std::vector<FolderEntry> FileSystem::ListFolders(const DrivePath& folder) const {
  std::vector<FolderEntry> entries = ListFolderEntries(folder);
  std::erase_if(entries, [](const FolderEntry& entry) { return entry.problem.has_value(); });
  return entries;
}

}  // namespace qe2m4::platform
