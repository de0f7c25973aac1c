#include "platform/folder_cache.h"

#include <algorithm>
#include <string_view>
#include <type_traits>

#include "platform/host_path_text.h"
#include "platform/host_paths.h"
#include "platform/names.h"

namespace qe2m4::platform {
namespace fs = std::filesystem;
namespace {

// The key of a host path: its text, with Windows's two separators made one, so that a path
// spelled with either names the same folder.
FolderCache::Key KeyOf(const fs::path& path) {
  FolderCache::Key key = path.native();
  if constexpr (fs::path::preferred_separator != '/') {
    std::replace(key.begin(), key.end(), static_cast<fs::path::value_type>('/'),
                 fs::path::preferred_separator);
  }
  return key;
}

// A host path's key for finding what is kept under it, without a copy where the system has one
// separator. Holds a view of the path: it lives no longer than the path.
class LookupKey {
 public:
  explicit LookupKey(const fs::path& path) : view_(path.native()) {
    if constexpr (fs::path::preferred_separator != '/') {
      if (view_.find(static_cast<fs::path::value_type>('/')) != HostText::npos) {
        copy_ = KeyOf(path);
        view_ = copy_;
      }
    }
  }
  LookupKey(const LookupKey&) = delete;
  LookupKey& operator=(const LookupKey&) = delete;
  HostText view() const { return view_; }

 private:
  HostText view_;
  FolderCache::Key copy_;
};

// The key of a host path's folder, KeyOf(path.parent_path()): a part of the path's key where
// its text tells the folder, else made in storage.
HostText FolderKeyOf(const fs::path& path, HostText key, FolderCache::Key& storage) {
  if (const std::optional<std::size_t> end = HostFolderEnd(key)) {
    return key.substr(0, *end);
  }
  storage = KeyOf(path.parent_path());
  return storage;
}

FolderCache::Key FolderKeyOf(const fs::path& path, HostText key) {
  FolderCache::Key storage;
  return FolderCache::Key(FolderKeyOf(path, key, storage));
}

// The last level of a key's text.
HostText NameOf(HostText key) {
  return key.substr(HostNameStart(key));
}

// Whether path is entry itself or lies below it.
bool AtOrBelow(const FolderCache::Key& path, const FolderCache::Key& entry) {
  if (path.size() < entry.size() || path.compare(0, entry.size(), entry) != 0) {
    return false;
  }
  return path.size() == entry.size() || IsHostSeparator(path[entry.size()]) ||
         (!entry.empty() && IsHostSeparator(entry.back()));
}

// The entry of a listing named name, or nullptr.
const HostEntry* Find(const std::vector<HostEntry>& listing, HostText name) {
  for (const HostEntry& entry : listing) {
    if (entry.stored.native() == name) {
      return &entry;
    }
  }
  return nullptr;
}

// The level of a host path's key that begins after its first `start` characters.
FolderCache::Key LevelAfter(const FolderCache::Key& host, std::size_t start) {
  while (start < host.size() && IsHostSeparator(host[start])) {
    ++start;
  }
  std::size_t end = start;
  while (end < host.size() && !IsHostSeparator(host[end])) {
    ++end;
  }
  return host.substr(start, end - start);
}

// Whether a level, as a host name, may be the entry stored as name (text as read): the same
// name, or one that reads as it in another letter case.
bool MayName(const FolderCache::Key& level, const fs::path& name, std::u16string_view text) {
  return level == name.native() || NamesEqual(PathText(fs::path(level)), text);
}

// A stored name as a level's key holds it: one character a host character.
std::u16string StoredNameKey(const fs::path& name) {
  std::u16string key;
  key.reserve(name.native().size());
  for (const auto c : name.native()) {
    key += static_cast<char16_t>(static_cast<std::make_unsigned_t<fs::path::value_type>>(c));
  }
  return key;
}

}  // namespace

std::u16string FolderCache::LevelKey(std::u16string_view level,
                                     const std::optional<fs::path>& stored_name) {
  std::u16string key(level);
  if (stored_name) {
    key += u'\0';
    key += StoredNameKey(*stored_name);
  }
  return key;
}

void FolderCache::Start() {
  const std::lock_guard lock(mutex_);
  roots_.clear();
  folders_.clear();
  resolved_.clear();
  active_ = true;
}

void FolderCache::Stop() {
  const std::lock_guard lock(mutex_);
  active_ = false;
  roots_.clear();
  folders_.clear();
  resolved_.clear();
}

bool FolderCache::active() const {
  const std::lock_guard lock(mutex_);
  return active_;
}

std::optional<bool> FolderCache::RootReady(const fs::path& root) const {
  const std::lock_guard lock(mutex_);
  const auto it = roots_.find(LookupKey(root).view());
  return it != roots_.end() ? std::optional<bool>(it->second) : std::nullopt;
}

void FolderCache::SetRootReady(const fs::path& root, bool ready) {
  const std::lock_guard lock(mutex_);
  if (active_) {
    roots_[KeyOf(root)] = ready;
  }
}

std::optional<std::optional<fs::path>> FolderCache::Level(const fs::path& folder,
                                                          const std::u16string& key) const {
  const std::lock_guard lock(mutex_);
  const auto it = folders_.find(LookupKey(folder).view());
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
    folders_[KeyOf(folder)].levels[key] = std::move(entry);
  }
}

std::optional<FolderCache::ResolvedPath> FolderCache::Resolved(std::u16string_view key) const {
  const std::lock_guard lock(mutex_);
  const auto it = resolved_.find(key);
  return it != resolved_.end() ? std::optional<ResolvedPath>(it->second.resolved) : std::nullopt;
}

void FolderCache::SetResolved(std::u16string_view key, const fs::path& host, bool found) {
  const std::lock_guard lock(mutex_);
  if (active_) {
    resolved_.insert_or_assign(std::u16string(key), KnownPath{{host, found}, KeyOf(host)});
  }
}

void FolderCache::ForgetResolved() {
  const std::lock_guard lock(mutex_);
  resolved_.clear();
}

void FolderCache::DropResolvedBelow(const Key& folder) {
  // A path resolved through the folder may name another entry now: one in another letter case
  // that is there now, or one that is gone.
  std::erase_if(resolved_,
                [&folder](const auto& known) { return AtOrBelow(known.second.host, folder); });
}

HostListing FolderCache::Listing(const fs::path& folder) const {
  const std::lock_guard lock(mutex_);
  const auto it = folders_.find(LookupKey(folder).view());
  return it != folders_.end() ? it->second.listing : nullptr;
}

std::optional<bool> FolderCache::Holds(const fs::path& folder, const fs::path& name) const {
  const std::lock_guard lock(mutex_);
  const auto it = folders_.find(LookupKey(folder).view());
  if (it == folders_.end() || !it->second.listing) {
    return std::nullopt;
  }
  return Find(*it->second.listing, name.native()) != nullptr;
}

HostListing FolderCache::SetListing(const fs::path& folder, std::vector<HostEntry> entries) {
  auto listing = std::make_shared<std::vector<HostEntry>>(std::move(entries));
  const std::lock_guard lock(mutex_);
  if (active_) {
    folders_[KeyOf(folder)].listing = listing;
  }
  return listing;
}

FolderCache::ListedAt FolderCache::FindListed(const fs::path& path) const {
  const LookupKey key(path);
  Key storage;
  const auto it = folders_.find(FolderKeyOf(path, key.view(), storage));
  if (it == folders_.end() || !it->second.listing) {
    return {};
  }
  return {true, Find(*it->second.listing, NameOf(key.view()))};
}

std::optional<HostEntryKind> FolderCache::KnownKind(const fs::path& path) const {
  const std::lock_guard lock(mutex_);
  const ListedAt listed = FindListed(path);
  if (!listed.listed) {
    return std::nullopt;
  }
  if (const HostEntry* entry = listed.entry) {
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

bool FolderCache::KnownAbsent(const fs::path& host) const {
  // Where the system finds names in another letter case, only it can tell that none is there.
  if (HostNamesIgnoreCase()) {
    return false;
  }
  // Level by level from the last, on the path's text: each level's folder is the text before
  // it without the separators between them, as parent_path gives it.
  const Key key = KeyOf(host);
  const std::size_t root = KeyOf(host.root_path()).size();
  const std::lock_guard lock(mutex_);
  for (std::size_t end = key.size(); end > root;) {
    std::size_t start = end;
    while (start > root && !IsHostSeparator(key[start - 1])) {
      --start;
    }
    std::size_t folder_end = start;
    while (folder_end > root && IsHostSeparator(key[folder_end - 1])) {
      --folder_end;
    }
    if (start < end) {
      const auto it = folders_.find(HostText(key.data(), folder_end));
      if (it != folders_.end() && it->second.listing &&
          Find(*it->second.listing, HostText(key.data() + start, end - start)) == nullptr) {
        return true;
      }
    }
    end = folder_end;
  }
  return false;
}

std::optional<bool> FolderCache::ListedLink(const fs::path& path) const {
  {
    const std::lock_guard lock(mutex_);
    const HostEntry* entry = FindListed(path).entry;
    if (entry == nullptr || entry->made != fs::file_type::none) {
      return std::nullopt;
    }
    if (entry->listed != fs::file_type::none) {
      return entry->listed == fs::file_type::symlink;
    }
  }
  // The listing did not tell the entry's type: the system is asked, without the lock held.
  std::error_code ec;
  const bool link = fs::symlink_status(path, ec).type() == fs::file_type::symlink;
  return ec ? std::nullopt : std::optional<bool>(link);
}

bool FolderCache::Made(const fs::path& folder) const {
  const std::lock_guard lock(mutex_);
  const auto it = folders_.find(LookupKey(folder).view());
  return it != folders_.end() && it->second.made;
}

void FolderCache::Forget(const fs::path& entry) {
  const Key entry_key = KeyOf(entry);
  const Key folder_key = FolderKeyOf(entry, entry_key);
  const std::lock_guard lock(mutex_);
  std::erase_if(folders_, [&](const auto& known) {
    return known.first == folder_key || AtOrBelow(known.first, entry_key);
  });
  DropResolvedBelow(folder_key);
}

void FolderCache::Changed(const fs::path& entry, HostEntryKind made) {
  const Key entry_key = KeyOf(entry);
  const Key folder_key = FolderKeyOf(entry, entry_key);
  const fs::path name = entry.filename();
  const std::u16string text = PathText(name);
  const std::lock_guard lock(mutex_);
  // What was below the entry is gone or another folder's now.
  std::erase_if(folders_, [&](const auto& known) { return AtOrBelow(known.first, entry_key); });
  std::erase_if(roots_, [&](const auto& root) { return AtOrBelow(root.first, entry_key); });
  // Where the system matches names by rules of case of its own, any level of the folder may name
  // the entry now or no more; elsewhere only one that reads as its name in some letter case, or
  // names it by its stored name.
  const bool by_name = !HostNamesIgnoreCase();
  std::erase_if(resolved_, [&](const auto& known) {
    const Key& host = known.second.host;
    if (!AtOrBelow(host, folder_key) || host.size() == folder_key.size()) {
      return false;
    }
    return !by_name || MayName(LevelAfter(host, folder_key.size()), name, text);
  });
  if (active_ && made == HostEntryKind::kFolder) {
    Folder& made_folder = folders_[entry_key];
    made_folder.listing = std::make_shared<std::vector<HostEntry>>();
    made_folder.made = true;
  }
  const auto it = folders_.find(folder_key);
  if (it == folders_.end()) {
    return;
  }
  if (by_name) {
    const std::u16string stored = StoredNameKey(name);
    std::erase_if(it->second.levels, [&](const auto& level) {
      const std::u16string_view key = level.first;
      const std::size_t split = key.find(u'\0');
      return NamesEqual(key.substr(0, split), text) ||
             (split != std::u16string_view::npos && key.substr(split + 1) == stored);
    });
  } else {
    it->second.levels.clear();
  }
  if (!it->second.listing) {
    return;
  }
  // Only the cache holds the listing once nobody else has a copy, and nobody gets one without the
  // lock held here.
  if (it->second.listing.use_count() > 1) {
    it->second.listing = std::make_shared<std::vector<HostEntry>>(*it->second.listing);
  }
  std::vector<HostEntry>& listing = *it->second.listing;
  std::erase_if(listing,
                [&name](const HostEntry& known) { return known.stored.native() == name.native(); });
  if (made == HostEntryKind::kFile || made == HostEntryKind::kFolder) {
    std::optional<NameProblem> problem = LevelNameProblem(text);
    InsertHostEntry(
        listing, {name, fs::file_type::none,
                  made == HostEntryKind::kFile ? fs::file_type::regular : fs::file_type::directory,
                  text, std::move(problem)});
  }
}

}  // namespace qe2m4::platform
