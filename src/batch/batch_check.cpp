#include "batch/batch_check.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <limits>
#include <map>
#include <numeric>
#include <optional>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/interrupted.h"
#include "platform/names.h"
#include "platform/utf8.h"

namespace qe2m4::batch {
namespace {

// Two spellings of one folder; two folders are the same when either agrees.
enum KeyKind { kDrivePath, kHostPath };
using FolderKeys = std::array<std::u16string, 2>;

// The keys of a folder path: the full drive path, case folded, without a trailing "\"; and the
// host folder it resolves to, in the host's own form (each byte on POSIX systems, each UTF-16
// unit on Windows, as one char16_t), so that every name compares exactly. Throws Error when
// the path names no folder at all.
std::u16string KeyOf(const platform::FileSystem& file_system, std::u16string_view text,
                     KeyKind kind) {
  std::u16string key;
  if (kind == kDrivePath) {
    for (const char16_t c : file_system.FullPath(text)) {
      key += platform::FoldCase(c);
    }
    while (key.size() > 3 && key.back() == u'\\') {
      key.pop_back();
    }
    return key;
  }
  using Unit = std::filesystem::path::value_type;
  const std::filesystem::path host = file_system.Resolve(text).lexically_normal();
  for (const Unit c : host.native()) {
    key += static_cast<char16_t>(static_cast<std::make_unsigned_t<Unit>>(c));
  }
  constexpr auto kSeparator = static_cast<char16_t>(std::filesystem::path::preferred_separator);
  while (key.size() > 1 && key.back() == kSeparator) {
    key.pop_back();
  }
  return key;
}

// Both keys of a path without its surrounding blanks, or none when it names no folder (the run
// refuses it); with only_kind, that one key.
std::optional<FolderKeys> KeysOf(const platform::FileSystem& file_system, std::u16string_view text,
                                 std::optional<KeyKind> only_kind = std::nullopt) {
  const std::size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) {
    return std::nullopt;
  }
  text = text.substr(first, text.find_last_not_of(u' ') + 1 - first);
  try {
    FolderKeys keys;
    for (const KeyKind kind : {kDrivePath, kHostPath}) {
      if (!only_kind || kind == *only_kind) {
        keys[kind] = KeyOf(file_system, text, kind);
      }
    }
    return keys;
  } catch (const platform::Error&) {
    return std::nullopt;
  }
}

// One key of a line's source or destination, by its hash. The list may be long, so only the
// hashes are kept for every line; the keys of the few lines whose hashes agree are worked out
// again to compare them.
struct Filed {
  std::uint64_t hash;
  bool is_source;
  std::size_t index;
  bool operator<(const Filed& other) const {
    return std::tie(hash, is_source, index) < std::tie(other.hash, other.is_source, other.index);
  }
};

// A path of a run of equal hashes with its key. Sorted, equal keys are side by side, the
// destinations before the sources, each in the list's order.
struct Keyed {
  std::u16string key;
  bool is_source;
  std::size_t index;
  bool operator<(const Keyed& other) const {
    return std::tie(key, is_source, index) < std::tie(other.key, other.is_source, other.index);
  }
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

constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

// The whole check: every key of every line is filed by its hash and sorted, and only the lines
// of one hash are compared, by sorting their keys; so a list of n lines takes n log n steps,
// even when all of them name one folder.
class Check {
 public:
  Check(const platform::FileSystem& file_system, const std::vector<BatchEntry>& entries,
        const std::function<bool()>& stop_requested)
      : file_system_(file_system),
        entries_(entries),
        stop_requested_(stop_requested),
        readers_(entries.size(), kNone),
        groups_(entries.size()) {}

  std::vector<ListProblem> Run() {
    std::array<std::vector<Filed>, 2> filed = FileHashes();
    for (const KeyKind kind : {kDrivePath, kHostPath}) {
      CompareKeys(kind, filed[kind]);
      filed[kind] = {};
    }
    return Problems();
  }

 private:
  void StopIfRequested() const {
    if (stop_requested_ && stop_requested_()) {
      throw platform::Interrupted();
    }
  }

  // A line's source or destination.
  struct PathRef {
    bool is_source;
    std::size_t index;
  };

  const std::u16string& PathOf(const PathRef& path) const {
    return path.is_source ? entries_[path.index].source : entries_[path.index].destination;
  }

  // Sorts the paths by their text and calls visit(text, first, last) once for each text with
  // the range of paths that hold it: a folder written on many lines is looked up once.
  template <typename Visit>
  void ForEachText(std::vector<PathRef>& paths, Visit visit) const {
    std::sort(paths.begin(), paths.end(),
              [&](const PathRef& a, const PathRef& b) { return PathOf(a) < PathOf(b); });
    for (std::size_t first = 0; first < paths.size();) {
      std::size_t last = first + 1;
      while (last < paths.size() && PathOf(paths[last]) == PathOf(paths[first])) {
        ++last;
      }
      StopIfRequested();
      visit(PathOf(paths[first]), first, last);
      first = last;
    }
  }

  // Both keys of every source and destination, by hash, sorted.
  std::array<std::vector<Filed>, 2> FileHashes() const {
    std::vector<PathRef> paths;
    paths.reserve(2 * entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      StopIfRequested();
      paths.push_back({false, i});
      paths.push_back({true, i});
    }
    std::array<std::vector<Filed>, 2> filed;
    ForEachText(paths, [&](std::u16string_view text, std::size_t first, std::size_t last) {
      if (const auto keys = KeysOf(file_system_, text)) {
        for (const KeyKind kind : {kDrivePath, kHostPath}) {
          const std::uint64_t hash = std::hash<std::u16string>()((*keys)[kind]);
          for (std::size_t i = first; i < last; ++i) {
            filed[kind].push_back({hash, paths[i].is_source, paths[i].index});
          }
        }
      }
    });
    for (std::vector<Filed>& hashes : filed) {
      std::sort(hashes.begin(), hashes.end());
    }
    return filed;
  }

  void CompareKeys(KeyKind kind, const std::vector<Filed>& filed) {
    std::vector<PathRef> paths;
    std::vector<Keyed> keyed;
    for (std::size_t run = 0; run < filed.size();) {
      std::size_t end = run + 1;
      while (end < filed.size() && filed[end].hash == filed[run].hash) {
        ++end;
      }
      // A run holding only sources needs no comparing: lines may read one folder.
      if (end - run > 1 && !filed[run].is_source) {
        paths.clear();
        for (std::size_t i = run; i < end; ++i) {
          paths.push_back({filed[i].is_source, filed[i].index});
        }
        keyed.clear();
        ForEachText(paths, [&](std::u16string_view text, std::size_t first, std::size_t last) {
          if (const auto keys = KeysOf(file_system_, text, kind)) {
            for (std::size_t i = first; i < last; ++i) {
              keyed.push_back({(*keys)[kind], paths[i].is_source, paths[i].index});
            }
          }
        });
        std::sort(keyed.begin(), keyed.end());
        CompareEqualKeys(keyed);
      }
      run = end;
    }
  }

  // Within each key: the destinations are joined into one group, and each one's reader is the
  // first source of another line.
  void CompareEqualKeys(const std::vector<Keyed>& keyed) {
    for (std::size_t a = 0; a < keyed.size();) {
      std::size_t b = a + 1;
      while (b < keyed.size() && keyed[b].key == keyed[a].key) {
        ++b;
      }
      std::size_t sources = a;
      while (sources < b && !keyed[sources].is_source) {
        if (sources > a) {
          groups_.Join(keyed[a].index, keyed[sources].index);
          shared_ = true;
        }
        ++sources;
      }
      for (std::size_t d = a; d < sources && sources < b; ++d) {
        const std::size_t i = keyed[d].index;
        const std::size_t first = keyed[sources].index;
        const std::size_t reader =
            first != i ? first : (sources + 1 < b ? keyed[sources + 1].index : kNone);
        readers_[i] = std::min(readers_[i], reader);
      }
      a = b;
    }
  }

  std::vector<ListProblem> Problems() {
    std::vector<ListProblem> problems;
    // A destination that is another line's source: the first such line is named.
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (readers_[i] != kNone) {
        problems.push_back({{entries_[i].line, entries_[readers_[i]].line},
                            "the destination " + Text(entries_[i].destination) +
                                " is the source of another line"});
      }
    }
    if (!shared_) {
      return problems;
    }
    // Destinations written by more than one line: each group by its first line (the root),
    // which heads it; only grouped lines are kept.
    std::map<std::size_t, std::vector<int>> lines;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (const std::size_t root = groups_.Root(i); root != i) {
        std::vector<int>& group = lines[root];
        if (group.empty()) {
          group.push_back(entries_[root].line);
        }
        group.push_back(entries_[i].line);
      }
    }
    for (const auto& [root, group] : lines) {
      problems.push_back(
          {group, "one destination " + Text(entries_[root].destination) + " on several lines"});
    }
    return problems;
  }

  const platform::FileSystem& file_system_;
  const std::vector<BatchEntry>& entries_;
  const std::function<bool()>& stop_requested_;
  std::vector<std::size_t> readers_;  // for each line, the first other line reading its destination
  Groups groups_;
  bool shared_ = false;
};

}  // namespace

std::vector<ListProblem> CheckBatchEntries(const platform::FileSystem& file_system,
                                           const std::vector<BatchEntry>& entries,
                                           const std::function<bool()>& stop_requested) {
  return Check(file_system, entries, stop_requested).Run();
}

}  // namespace qe2m4::batch
