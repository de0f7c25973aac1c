#include "batch/batch_check.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <numeric>
#include <optional>
#include <string>
#include <utility>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/names.h"
#include "platform/utf8.h"

namespace qe2m4::batch {
namespace {

// Two spellings of one folder; two folders are the same when either agrees.
struct FolderKeys {
  std::u16string drive_path;  // full drive path, case folded, no trailing "\"
  // The host folder it resolves to, in the host's own form (bytes on POSIX systems, UTF-16 on
  // Windows), so that every name compares exactly.
  std::filesystem::path::string_type host_path;
};

std::optional<FolderKeys> KeysOf(const platform::FileSystem& file_system,
                                 std::u16string_view text) {
  const std::size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) {
    return std::nullopt;
  }
  text = text.substr(first, text.find_last_not_of(u' ') + 1 - first);
  try {
    FolderKeys keys;
    for (const char16_t c : file_system.FullPath(text)) {
      keys.drive_path += platform::FoldCase(c);
    }
    while (keys.drive_path.size() > 3 && keys.drive_path.back() == u'\\') {
      keys.drive_path.pop_back();
    }
    keys.host_path = file_system.Resolve(text).lexically_normal().native();
    while (keys.host_path.size() > 1 &&
           keys.host_path.back() == std::filesystem::path::preferred_separator) {
      keys.host_path.pop_back();
    }
    return keys;
  } catch (const platform::Error&) {
    return std::nullopt;
  }
}

enum class KeyKind { kDrivePath, kHostPath };

std::uint64_t Hash(const FolderKeys& keys, KeyKind kind) {
  return kind == KeyKind::kDrivePath
             ? std::hash<std::u16string>()(keys.drive_path)
             : std::hash<std::filesystem::path::string_type>()(keys.host_path);
}

bool SameKey(const FolderKeys& a, const FolderKeys& b, KeyKind kind) {
  return kind == KeyKind::kDrivePath ? a.drive_path == b.drive_path : a.host_path == b.host_path;
}

// One key of every line's source or destination, as hashes with the line's index, sorted: the
// list may be long, so only the hashes are kept, and the keys of the few lines whose hashes
// agree are worked out again to compare them.
class HashIndex {
 public:
  void Add(std::uint64_t hash, std::size_t index) { entries_.emplace_back(hash, index); }
  void Sort() { std::sort(entries_.begin(), entries_.end()); }

  // The indices filed under a hash, in the list's order.
  std::vector<std::size_t> Find(std::uint64_t hash) const {
    std::vector<std::size_t> found;
    const auto first = std::lower_bound(entries_.begin(), entries_.end(),
                                        std::pair<std::uint64_t, std::size_t>(hash, 0));
    for (auto it = first; it != entries_.end() && it->first == hash; ++it) {
      found.push_back(it->second);
    }
    return found;
  }
  const std::vector<std::pair<std::uint64_t, std::size_t>>& entries() const { return entries_; }

 private:
  std::vector<std::pair<std::uint64_t, std::size_t>> entries_;
};

// Lines that write one folder, joined into groups.
class Groups {
 public:
  explicit Groups(std::size_t size) : parent_(size) {
    std::iota(parent_.begin(), parent_.end(), std::size_t{0});
  }
  std::size_t Root(std::size_t i) {
    while (parent_[i] != i) {
      parent_[i] = parent_[parent_[i]];
      i = parent_[i];
    }
    return i;
  }
  void Join(std::size_t a, std::size_t b) {
    a = Root(a);
    b = Root(b);
    if (a != b) {
      parent_[std::max(a, b)] = std::min(a, b);
    }
  }

 private:
  std::vector<std::size_t> parent_;
};

std::string Text(std::u16string_view text) {
  return platform::ToUtf8(text);
}

}  // namespace

std::vector<ListProblem> CheckBatchEntries(const platform::FileSystem& file_system,
                                           const std::vector<BatchEntry>& entries) {
  constexpr KeyKind kKinds[] = {KeyKind::kDrivePath, KeyKind::kHostPath};
  HashIndex sources[2];
  HashIndex destinations[2];
  for (std::size_t i = 0; i < entries.size(); ++i) {
    for (const int k : {0, 1}) {
      if (const auto keys = KeysOf(file_system, entries[i].source)) {
        sources[k].Add(Hash(*keys, kKinds[k]), i);
      }
      if (const auto keys = KeysOf(file_system, entries[i].destination)) {
        destinations[k].Add(Hash(*keys, kKinds[k]), i);
      }
    }
  }
  for (const int k : {0, 1}) {
    sources[k].Sort();
    destinations[k].Sort();
  }

  std::vector<ListProblem> problems;
  // A destination that is another line's source: the first such line is named.
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto destination = KeysOf(file_system, entries[i].destination);
    if (!destination) {
      continue;
    }
    std::optional<std::size_t> reader;
    for (const int k : {0, 1}) {
      for (const std::size_t j : sources[k].Find(Hash(*destination, kKinds[k]))) {
        const auto source = KeysOf(file_system, entries[j].source);
        if (j != i && source && SameKey(*destination, *source, kKinds[k]) &&
            (!reader || j < *reader)) {
          reader = j;
        }
      }
    }
    if (reader) {
      problems.push_back(
          {{entries[i].line, entries[*reader].line},
           "the destination " + Text(entries[i].destination) + " is the source of another line"});
    }
  }

  // Destinations written by more than one line: lines whose hashes agree are compared.
  Groups groups(entries.size());
  bool shared = false;
  for (const int k : {0, 1}) {
    const auto& index = destinations[k].entries();
    for (std::size_t run = 0; run < index.size();) {
      std::size_t end = run + 1;
      while (end < index.size() && index[end].first == index[run].first) {
        ++end;
      }
      for (std::size_t a = run; a + 1 < end; ++a) {
        const auto keys = KeysOf(file_system, entries[index[a].second].destination);
        for (std::size_t b = a + 1; b < end; ++b) {
          if (SameKey(*keys, *KeysOf(file_system, entries[index[b].second].destination),
                      kKinds[k])) {
            groups.Join(index[a].second, index[b].second);
            shared = true;
          }
        }
      }
      run = end;
    }
  }
  if (shared) {
    // Each group by its first line (the root), which heads it; only grouped lines are kept.
    std::map<std::size_t, std::vector<int>> lines;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (const std::size_t root = groups.Root(i); root != i) {
        std::vector<int>& group = lines[root];
        if (group.empty()) {
          group.push_back(entries[root].line);
        }
        group.push_back(entries[i].line);
      }
    }
    for (const auto& [root, group] : lines) {
      problems.push_back(
          {group, "one destination " + Text(entries[root].destination) + " on several lines"});
    }
  }
  return problems;
}

}  // namespace qe2m4::batch
