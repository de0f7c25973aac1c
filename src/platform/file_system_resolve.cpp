#include <system_error>
#include <type_traits>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/host_paths.h"
#include "platform/names.h"

// FileSystem: the host paths that drive paths resolve to, level by level.
namespace qe2m4::platform {
namespace fs = std::filesystem;

fs::path FileSystem::DriveRoot(const DrivePath& path) const {
  const auto folder = drives_.Folder(path.drive());
  if (!folder || !DriveFolderReady(*folder)) {
    throw Error(ErrorKind::kNoDrive, path.Text(),
                folder ? "the drive's folder does not exist" : "the drive is not mapped");
  }
  return *folder;
}

fs::path FileSystem::Resolve(const DrivePath& path) const {
  // A run resolves most of its paths more than once (whether a file is there, then opening it).
  std::u16string resolved_key{FoldCase(path.drive()), u':'};
  for (const std::u16string& level : path.levels()) {
    resolved_key += u'\\';
    resolved_key += level;
  }
  FolderCache& cache = hook_->cache();
  if (auto known = cache.Resolved(resolved_key)) {
    return std::move(*known);
  }
  fs::path host = DriveRoot(path);
  std::u16string key{FoldCase(path.drive()), u':'};
  bool searching = true;
  for (const std::u16string& level : path.levels()) {
    if (const auto problem = HostNameProblem(level)) {
      throw Error(ErrorKind::kBadPath, path.Text(), *problem);
    }
    key += u'\\';
    for (const char16_t c : level) {
      key += FoldCase(c);
    }
    const auto spelled = stored_names_.find(key);
    const std::optional<fs::path> stored_name =
        spelled != stored_names_.end() ? std::optional<fs::path>(spelled->second) : std::nullopt;
    if (searching) {
      if (auto stored = FindLevel(host, stored_name, level)) {
        host = std::move(*stored);
        continue;
      }
      searching = false;
    }
    host /= stored_name ? *stored_name : HostPath(level);
  }
  cache.SetResolved(std::move(resolved_key), host);
  return host;
}

std::optional<fs::path> FileSystem::FindLevel(const fs::path& folder,
                                              const std::optional<fs::path>& stored_name,
                                              std::u16string_view level) const {
  FolderCache& cache = hook_->cache();
  std::u16string key(level);
  if (stored_name) {
    key += u'\0';  // a level's text holds no NUL
    for (const auto c : stored_name->native()) {
      key += static_cast<char16_t>(static_cast<std::make_unsigned_t<fs::path::value_type>>(c));
    }
  }
  if (auto known = cache.Level(folder, key)) {
    return std::move(*known);
  }
  std::optional<fs::path> found = FindLevelOnHost(folder, stored_name, level);
  cache.SetLevel(folder, key, found);
  return found;
}

bool FileSystem::KnownAbsent(const fs::path& host) const {
  // Nothing is below a level that is not there.
  return hook_->cache().KnownAbsent(host);
}

std::optional<fs::path> FileSystem::EntryNamed(const fs::path& folder, const fs::path& name) const {
  // A folder listed before holds the name as it was stored; on a system that matches names
  // without regard to case the system is asked for one in another case.
  if (const std::optional<bool> held = hook_->cache().Holds(folder, name)) {
    if (*held) {
      return folder / name;
    }
    if (!HostNamesIgnoreCase()) {
      return std::nullopt;
    }
  }
  return StoredEntry(folder, name);
}

HostListing FileSystem::FolderEntries(const fs::path& folder, fs::directory_options options,
                                      std::error_code& ec) const {
  ec.clear();
  if (HostListing known = hook_->cache().Listing(folder)) {
    return known;
  }
  std::vector<HostEntry> entries = ReadHostFolder(folder, options, ec);
  if (ec) {
    return std::make_shared<const std::vector<HostEntry>>(std::move(entries));
  }
  return hook_->cache().SetListing(folder, std::move(entries));
}

std::optional<fs::path> FileSystem::FindLevelOnHost(const fs::path& folder,
                                                    const std::optional<fs::path>& stored_name,
                                                    std::u16string_view level) const {
  if (stored_name) {
    if (auto stored = EntryNamed(folder, *stored_name)) {
      return stored;
    }
  }
  for (const fs::path& form : HostNameForms(level)) {
    if (auto stored = EntryNamed(folder, form)) {
      return stored;
    }
  }
  // The stored name may read as the level's text in a form that is no simple conversion of it,
  // or in another letter case. The same text wins over another case; among several names the
  // smallest wins, so that the choice does not depend on the order of the folder's entries
  // (the folder's listing names the same entry).
  std::error_code ec;
  std::optional<fs::path> same_text;
  std::optional<fs::path> other_case;
  const HostListing listing = FolderEntries(folder, fs::directory_options::none, ec);
  for (const HostEntry& entry : *listing) {
    const fs::path& candidate = entry.path;
    const std::u16string& name = entry.name;
    if (name == level) {
      if (!same_text || candidate.filename() < same_text->filename()) {
        same_text = candidate;
      }
    } else if (NamesEqual(name, level) && !LevelNameProblem(name) &&
               (!other_case || candidate.filename() < other_case->filename())) {
      other_case = candidate;
    }
  }
  return same_text ? same_text : other_case;
}

void FileSystem::SetStoredName(const DrivePath& path, fs::path host_name) {
  stored_names_[path.Key()] = std::move(host_name);
  hook_->cache().ForgetResolved();
}

}  // namespace qe2m4::platform
