#include "platform/folder_cache.h"

#include <algorithm>

#include "platform/host_paths.h"
#include "platform/names.h"

namespace qe2m4::platform {
namespace fs = std::filesystem;
namespace {

// Whether path is entry itself or lies below it.
bool AtOrBelow(const fs::path& path, const fs::path& entry) {
  return std::mismatch(entry.begin(), entry.end(), path.begin(), path.end()).first == entry.end();
}

// Whether path's last level is name, without making paths of either.
bool NamedAs(const fs::path& path, const fs::path& name) {
  const fs::path::string_type& full = path.native();
  const fs::path::string_type& last = name.native();
  if (full.size() <= last.size() ||
      full.compare(full.size() - last.size(), last.size(), last) != 0) {
    return false;
  }
  const auto separator = full[full.size() - last.size() - 1];
  return separator == fs::path::preferred_separator || separator == '/';
}

// The entry of a listing named name, or nullptr.
const HostEntry* Find(const std::vector<HostEntry>& listing, const fs::path& name) {
  for (const HostEntry& entry : listing) {
    if (NamedAs(entry.path, name)) {
      return &entry;
    }
  }
  return nullptr;
}

}  // namespace

void FolderCache::Start() {
  const std::lock_guard lock(mutex_);
  roots_.clear();
  folders_.clear();
  active_ = true;
}

void FolderCache::Stop() {
  const std::lock_guard lock(mutex_);
  active_ = false;
  roots_.clear();
  folders_.clear();
}

bool FolderCache::active() const {
  const std::lock_guard lock(mutex_);
  return active_;
}

std::optional<bool> FolderCache::RootReady(const fs::path& root) const {
  const std::lock_guard lock(mutex_);
  const auto it = roots_.find(root);
  return it != roots_.end() ? std::optional<bool>(it->second) : std::nullopt;
}

void FolderCache::SetRootReady(const fs::path& root, bool ready) {
  const std::lock_guard lock(mutex_);
  if (active_) {
    roots_[root] = ready;
  }
}

std::optional<std::optional<fs::path>> FolderCache::Level(const fs::path& folder,
                                                          const std::u16string& key) const {
  const std::lock_guard lock(mutex_);
  const auto it = folders_.find(folder);
  if (it == folders_.end()) {
    return std::nullopt;
  }
  const auto level = it->second.levels.find(key);
  if (level == it->second.levels.end()) {
    return std::nullopt;
  }
  return level->second;
}

void FolderCache::SetLevel(const fs::path& folder, const std::u16string& key,
                           std::optional<fs::path> entry) {
  const std::lock_guard lock(mutex_);
  if (active_) {
    folders_[folder].levels[key] = std::move(entry);
  }
}

HostListing FolderCache::Listing(const fs::path& folder) const {
  const std::lock_guard lock(mutex_);
  const auto it = folders_.find(folder);
  return it != folders_.end() ? it->second.listing : nullptr;
}

std::optional<bool> FolderCache::Holds(const fs::path& folder, const fs::path& name) const {
  const std::lock_guard lock(mutex_);
  const auto it = folders_.find(folder);
  if (it == folders_.end() || !it->second.listing) {
    return std::nullopt;
  }
  return std::any_of(it->second.listing->begin(), it->second.listing->end(),
                     [&name](const HostEntry& entry) { return NamedAs(entry.path, name); });
}

HostListing FolderCache::SetListing(const fs::path& folder, std::vector<HostEntry> entries) {
  auto listing = std::make_shared<std::vector<HostEntry>>(std::move(entries));
  const std::lock_guard lock(mutex_);
  if (active_) {
    folders_[folder].listing = listing;
  }
  return listing;
}

std::optional<HostEntryKind> FolderCache::KnownKind(const fs::path& path) const {
  const std::lock_guard lock(mutex_);
  const auto it = folders_.find(path.parent_path());
  if (it == folders_.end() || !it->second.listing) {
    return std::nullopt;
  }
  if (const HostEntry* entry = Find(*it->second.listing, path.filename())) {
    switch (entry->made) {
      case fs::file_type::regular:
        return HostEntryKind::kFile;
      case fs::file_type::directory:
        return HostEntryKind::kFolder;
      default:
        return std::nullopt;
    }
  }
  // Where the system finds names in another letter case, only it can tell that none is there.
  if (HostNamesIgnoreCase()) {
    return std::nullopt;
  }
  return HostEntryKind::kNothing;
}

std::optional<bool> FolderCache::ListedLink(const fs::path& path) const {
  fs::directory_entry listed;
  {
    const std::lock_guard lock(mutex_);
    const auto it = folders_.find(path.parent_path());
    if (it == folders_.end() || !it->second.listing) {
      return std::nullopt;
    }
    const HostEntry* entry = Find(*it->second.listing, path.filename());
    if (entry == nullptr || entry->made != fs::file_type::none) {
      return std::nullopt;
    }
    listed = entry->entry;
  }
  std::error_code ec;
  const bool link = listed.is_symlink(ec);
  return ec ? std::nullopt : std::optional<bool>(link);
}

bool FolderCache::Made(const fs::path& folder) const {
  const std::lock_guard lock(mutex_);
  const auto it = folders_.find(folder);
  return it != folders_.end() && it->second.made;
}

void FolderCache::Forget(const fs::path& entry) {
  const fs::path folder = entry.parent_path();
  const std::lock_guard lock(mutex_);
  std::erase_if(folders_, [&](const auto& known) {
    return known.first == folder || AtOrBelow(known.first, entry);
  });
}

void FolderCache::Changed(const fs::path& entry, HostEntryKind made) {
  const fs::path folder = entry.parent_path();
  const std::lock_guard lock(mutex_);
  // What was below the entry is gone or another folder's now; the levels looked for in its
  // folder may name it now or no more.
  std::erase_if(folders_, [&entry](const auto& known) { return AtOrBelow(known.first, entry); });
  std::erase_if(roots_, [&entry](const auto& root) { return AtOrBelow(root.first, entry); });
  if (active_ && made == HostEntryKind::kFolder) {
    Folder& made_folder = folders_[entry];
    made_folder.listing = std::make_shared<std::vector<HostEntry>>();
    made_folder.made = true;
  }
  const auto it = folders_.find(folder);
  if (it == folders_.end()) {
    return;
  }
  it->second.levels.clear();
  if (!it->second.listing) {
    return;
  }
  // Only the cache holds the listing once nobody else has a copy, and nobody gets one without the
  // lock held here.
  if (it->second.listing.use_count() > 1) {
    it->second.listing = std::make_shared<std::vector<HostEntry>>(*it->second.listing);
  }
  std::vector<HostEntry>& listing = *it->second.listing;
  const fs::path name = entry.filename();
  std::erase_if(listing, [&name](const HostEntry& known) { return NamedAs(known.path, name); });
  if (made == HostEntryKind::kFile || made == HostEntryKind::kFolder) {
    std::u16string name = PathText(entry.filename());
    std::optional<NameProblem> problem = LevelNameProblem(name);
    listing.push_back(
        {entry, fs::directory_entry(),
         made == HostEntryKind::kFile ? fs::file_type::regular : fs::file_type::directory,
         std::move(name), std::move(problem)});
    SortHostEntries(listing);
  }
}

}  // namespace qe2m4::platform
