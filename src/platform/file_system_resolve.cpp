#include <system_error>
#include <vector>

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
  // The path's text as the run remembers resolutions by, and where each level of it ends.
  const std::vector<std::u16string>& levels = path.levels();
  std::size_t length = 2;
  for (const std::u16string& level : levels) {
    length += 1 + level.size();
  }
  std::u16string spelled{FoldCase(path.drive()), u':'};
  spelled.reserve(length);
  std::vector<std::size_t> ends;
  ends.reserve(levels.size());
  for (const std::u16string& level : levels) {
    spelled += u'\\';
    spelled += level;
    ends.push_back(spelled.size());
  }
  const auto part = [&](std::size_t count) {
    return std::u16string_view(spelled).substr(0, ends[count - 1]);
  };
  // A run resolves most paths more than once (whether a file is there, then opening it), and
  // the paths of one folder one after another: it goes on from the longest part resolved before.
  FolderCache& cache = hook_->cache();
  fs::path host;
  bool searching = true;
  std::size_t known = 0;
  for (std::size_t count = levels.size(); count > 0; --count) {
    if (auto resolved = cache.Resolved(part(count))) {
      host = std::move(resolved->host);
      searching = resolved->found;
      known = count;
      break;
    }
  }
  if (known == levels.size() && known > 0) {
    return host;
  }
  if (known == 0) {
    host = DriveRoot(path);
  }
  // The key each level's stored name is kept under; most runs keep none.
  const bool any_stored = !stored_names_.empty();
  std::u16string key{FoldCase(path.drive()), u':'};
  key.reserve(any_stored ? length : 0);
  for (std::size_t i = 0; i < levels.size(); ++i) {
    const std::u16string& level = levels[i];
    if (any_stored) {
      key += u'\\';
      for (const char16_t c : level) {
        key += FoldCase(c);
      }
    }
    if (i < known) {
      continue;
    }
    if (const auto problem = HostNameProblem(level)) {
      throw Error(ErrorKind::kBadPath, path.Text(), *problem);
    }
    const auto stored = any_stored ? stored_names_.find(key) : stored_names_.end();
    const std::optional<fs::path> stored_name =
        stored != stored_names_.end() ? std::optional<fs::path>(stored->second) : std::nullopt;
    std::optional<fs::path> found;
    if (searching) {
      found = FindLevel(host, stored_name, level);
      searching = found.has_value();
    }
    if (found) {
      host = std::move(*found);
    } else {
      host /= stored_name ? *stored_name : HostPath(level);
    }
    cache.SetResolved(part(i + 1), host, searching);
  }
  return host;
}

std::optional<fs::path> FileSystem::FindLevel(const fs::path& folder,
                                              const std::optional<fs::path>& stored_name,
                                              std::u16string_view level) const {
  FolderCache& cache = hook_->cache();
  const std::u16string key = FolderCache::LevelKey(level, stored_name);
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
  const HostEntry* same_text = nullptr;
  const HostEntry* other_case = nullptr;
  const HostListing listing = FolderEntries(folder, fs::directory_options::none, ec);
  const auto smaller = [](const HostEntry& entry, const HostEntry* than) {
    return than == nullptr || entry.stored.native() < than->stored.native();
  };
  for (const HostEntry& entry : *listing) {
    const std::u16string& name = entry.name;
    if (name == level) {
      if (smaller(entry, same_text)) {
        same_text = &entry;
      }
    } else if (NamesEqual(name, level) && !LevelNameProblem(name) && smaller(entry, other_case)) {
      other_case = &entry;
    }
  }
  const HostEntry* const found = same_text != nullptr ? same_text : other_case;
  return found != nullptr ? std::optional<fs::path>(folder / found->stored) : std::nullopt;
}

void FileSystem::SetStoredName(const DrivePath& path, fs::path host_name) {
  stored_names_[path.Key()] = std::move(host_name);
  hook_->cache().ForgetResolved();
}

}  // namespace qe2m4::platform
