#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/host_entry.h"
#include "platform/host_folder.h"

namespace qe2m4::platform {

// A folder's entries as one listing gave them; shared, since a run looks at a large folder (the
// parent of a batch's destinations) once for every boring.
using HostListing = std::shared_ptr<const std::vector<HostEntry>>;

// What one run learned of the host's folders, so that the run finds each of its files without
// asking the system again: whether a drive's folder is ready, which host entry a level of a
// path named, and the entries of the folders it listed. The run's own changes (a file renamed
// into a folder, a folder made, a file deleted) update what is known of their folder; anything
// else is taken as it was when it was learned, for the run's length only. Outside a run
// nothing is kept. The run's threads may share it.
class FolderCache {
 public:
  // Folders are keyed by their host paths' text: the run spells each folder's path one way (from
  // the drive's folder down, level by level), and comparing texts is far cheaper than comparing
  // paths level by level.
  using Key = std::filesystem::path::string_type;

  // A run starts with nothing known, and what it learned is dropped when it ends.
  void Start();
  void Stop();
  bool active() const;

  std::optional<bool> RootReady(const std::filesystem::path& root) const;
  void SetRootReady(const std::filesystem::path& root, bool ready);

  // The key of a level looked for in a folder: its text, and after a NUL (a level's text holds
  // none) the stored name it was looked for under, one character a host character.
  static std::u16string LevelKey(std::u16string_view level,
                                 const std::optional<std::filesystem::path>& stored_name);
  // The entry that a level's key named in folder, nullopt for nothing; no value when it was not
  // looked for.
  std::optional<std::optional<std::filesystem::path>> Level(const std::filesystem::path& folder,
                                                            const std::u16string& key) const;
  void SetLevel(const std::filesystem::path& folder, const std::u16string& key,
                std::optional<std::filesystem::path> entry);

  // Where a drive path or a folder above it (its folded drive letter and its levels as they are
  // spelled, joined by backslashes) led in this run, unless the run changed something at or
  // above the folder of what it names since then.
  struct ResolvedPath {
    std::filesystem::path host;
    bool found = false;  // every level of it is there
  };
  std::optional<ResolvedPath> Resolved(std::u16string_view key) const;
  void SetResolved(std::u16string_view key, const std::filesystem::path& host, bool found);
  // Drops every resolved path (the drive table or a stored name changed).
  void ForgetResolved();

  // The entries of a listed folder as ReadHostFolder gives them (without the options that
  // leave entries out); null when it was not listed.
  HostListing Listing(const std::filesystem::path& folder) const;
  // Whether a listed folder holds an entry of exactly this stored name; nullopt when the folder
  // was not listed.
  std::optional<bool> Holds(const std::filesystem::path& folder,
                            const std::filesystem::path& name) const;
  // Keeps a folder's listing for the run (outside a run nothing is kept) and gives it back.
  HostListing SetListing(const std::filesystem::path& folder, std::vector<HostEntry> entries);

  // What is at a path, a link not followed, as far as the run knows it without asking the
  // system: kNothing when its folder was listed without the name (where names are matched
  // exactly), the kind of what the run made there itself; nullopt when the system must be
  // asked (an entry the listing gave, a folder not listed).
  std::optional<HostEntryKind> KnownKind(const std::filesystem::path& path) const;
  // Whether the run knows that some level of host is not there (KnownKind kNothing at host or
  // at a folder above it), without asking the system.
  bool KnownAbsent(const std::filesystem::path& host) const;
  // Whether the entry a listing gave at path is a link (asked of the system only where the
  // listing did not tell); nullopt when the path's folder was not listed, the name is not in
  // it, or the run made the entry itself.
  std::optional<bool> ListedLink(const std::filesystem::path& path) const;
  // Whether the run made the folder itself (it holds only what the run put there since).
  bool Made(const std::filesystem::path& folder) const;

  // The run put something at entry (made is a kFile renamed there or a kFolder made there), or
  // took it away (kNothing): what is known of its folder and of everything below entry is
  // brought up to date without asking the system. A folder the run made is known to be empty.
  void Changed(const std::filesystem::path& entry, HostEntryKind made);

  // Something other than the run changed entry (another run made the folder the run was about
  // to make): what is known of its folder and of everything below entry is dropped, so that
  // the next look asks the system.
  void Forget(const std::filesystem::path& entry);

 private:
  // Drops the resolved paths at or below folder; the lock is held.
  void DropResolvedBelow(const Key& folder);
  // What the listing of path's folder holds under path's name: listed is false when the folder
  // was not listed, entry null when the listing lacks the name. The lock is held.
  struct ListedAt {
    bool listed = false;
    const HostEntry* entry = nullptr;
  };
  ListedAt FindListed(const std::filesystem::path& path) const;

  struct Folder {
    std::map<std::u16string, std::optional<std::filesystem::path>> levels;
    // Changed copies a listing that someone still reads before it alters it.
    std::shared_ptr<std::vector<HostEntry>> listing;
    bool made = false;  // the run made the folder
  };

  mutable std::mutex mutex_;
  bool active_ = false;
  std::map<Key, bool, std::less<>> roots_;
  std::map<Key, Folder, std::less<>> folders_;
  struct KnownPath {
    ResolvedPath resolved;
    Key host;  // the key of resolved.host
  };
  // Looked up once or more for every file operation, by texts that share long beginnings: a
  // hash finds them without comparing those beginnings again and again.
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view text) const {
      return std::hash<std::u16string_view>()(text);
    }
  };
  std::unordered_map<std::u16string, KnownPath, TextHash, std::equal_to<>> resolved_;
};

}  // namespace qe2m4::platform
