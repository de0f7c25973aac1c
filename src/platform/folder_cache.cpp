#include "platform/folder_cache.h"

#include <algorithm>
#include <system_error>

#include "platform/host_paths.h"
#include "platform/names.h"

namespace qe2m4::platform {
namespace fs = std::filesystem;

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

std::optional<std::vector<HostEntry>> FolderCache::Listing(const fs::path& folder) const {
  const std::lock_guard lock(mutex_);
  const auto it = folders_.find(folder);
  return it != folders_.end() ? it->second.listing : std::nullopt;
}

std::optional<bool> FolderCache::Holds(const fs::path& folder, const fs::path& name) const {
  const std::lock_guard lock(mutex_);
  const auto it = folders_.find(folder);
  if (it == folders_.end() || !it->second.listing) {
    return std::nullopt;
  }
  return std::any_of(
      it->second.listing->begin(), it->second.listing->end(),
      [&name](const HostEntry& entry) { return entry.entry.path().filename() == name; });
}

void FolderCache::SetListing(const fs::path& folder, std::vector<HostEntry> entries) {
  const std::lock_guard lock(mutex_);
  if (active_) {
    folders_[folder].listing = std::move(entries);
  }
}

void FolderCache::Changed(const fs::path& entry) {
  const fs::path folder = entry.parent_path();
  // Read outside the lock: a change is rare beside the lookups.
  std::error_code ec;
  fs::directory_entry changed(entry, ec);
  const bool there = !ec && changed.exists(ec);
  const std::lock_guard lock(mutex_);
  // What was below the entry is gone or another folder's now; the levels looked for in its
  // folder may name it now or no more.
  for (auto it = folders_.begin(); it != folders_.end();) {
    const bool below =
        std::mismatch(entry.begin(), entry.end(), it->first.begin(), it->first.end()).first ==
        entry.end();
    it = below ? folders_.erase(it) : std::next(it);
  }
  std::erase_if(roots_, [&entry](const auto& root) {
    return std::mismatch(entry.begin(), entry.end(), root.first.begin(), root.first.end()).first ==
           entry.end();
  });
  const auto it = folders_.find(folder);
  if (it == folders_.end()) {
    return;
  }
  it->second.levels.clear();
  if (!it->second.listing) {
    return;
  }
  std::vector<HostEntry>& listing = *it->second.listing;
  std::erase_if(listing, [&entry](const HostEntry& known) {
    return known.entry.path().filename() == entry.filename();
  });
  if (there) {
    std::u16string name = PathText(entry.filename());
    std::optional<NameProblem> problem = LevelNameProblem(name);
    listing.push_back({changed, std::move(name), std::move(problem)});
    SortHostEntries(listing);
  }
}

}  // namespace qe2m4::platform
