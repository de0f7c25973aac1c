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
#include <type_traits>
#include <utility>

#include "catalogue/catalogue.h"
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

// A line's source or destination in four bytes, since a long list has millions of them: the
// line's index and whether it is the source (a list of 64 MB, or a tree, is far below 2^31 lines).
class PathRef {
 public:
  PathRef(std::size_t index, bool is_source)
      : code_(static_cast<std::uint32_t>(index << 1 | (is_source ? 1 : 0))) {}
  std::size_t index() const { return code_ >> 1; }
  bool is_source() const { return (code_ & 1) != 0; }
  // The destinations before the sources, each in the list's order.
  bool operator<(const PathRef& other) const {
    return std::pair(is_source(), index()) < std::pair(other.is_source(), other.index());
  }

 private:
  std::uint32_t code_;
};

// One key of a path, by its hash. Only the hashes are kept for every path; the keys of the few
// paths whose hashes agree are worked out again to compare them.
struct Filed {
  std::uint64_t hash;
  PathRef path;
  bool operator<(const Filed& other) const {
    return hash != other.hash ? hash < other.hash : path < other.path;
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

  const std::u16string& PathOf(const PathRef& path) const {
    return path.is_source() ? entries_[path.index()].source : entries_[path.index()].destination;
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
      paths.emplace_back(i, false);
      paths.emplace_back(i, true);
    }
    std::array<std::vector<Filed>, 2> filed;
    ForEachText(paths, [&](std::u16string_view text, std::size_t first, std::size_t last) {
      if (const auto keys = KeysOf(file_system_, text)) {
        for (const KeyKind kind : {kDrivePath, kHostPath}) {
          const std::uint64_t hash = std::hash<std::u16string>()((*keys)[kind]);
          for (std::size_t i = first; i < last; ++i) {
            filed[kind].push_back({hash, paths[i]});
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
    for (std::size_t run = 0; run < filed.size();) {
      std::size_t end = run + 1;
      while (end < filed.size() && filed[end].hash == filed[run].hash) {
        ++end;
      }
      // A run holding only sources needs no comparing: lines may read one folder.
      if (end - run > 1 && !filed[run].path.is_source()) {
        paths.clear();
        for (std::size_t i = run; i < end; ++i) {
          paths.push_back(filed[i].path);
        }
        CompareRun(kind, paths);
      }
      run = end;
    }
  }

  // The paths of one hash: each text's key is worked out once, and the paths sorted by key
  // (destinations first, each in the list's order), so that equal keys are side by side.
  void CompareRun(KeyKind kind, std::vector<PathRef>& paths) {
    std::vector<std::u16string> keys;
    std::vector<std::pair<std::size_t, PathRef>> keyed;  // index into keys, path
    ForEachText(paths, [&](std::u16string_view text, std::size_t first, std::size_t last) {
      if (auto found = KeysOf(file_system_, text, kind)) {
        keys.push_back(std::move((*found)[kind]));
        for (std::size_t i = first; i < last; ++i) {
          keyed.emplace_back(keys.size() - 1, paths[i]);
        }
      }
    });
    std::sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) {
      const int order = keys[a.first].compare(keys[b.first]);
      return order != 0 ? order < 0 : a.second < b.second;
    });
    for (std::size_t a = 0; a < keyed.size();) {
      std::size_t b = a + 1;
      while (b < keyed.size() && keys[keyed[b].first] == keys[keyed[a].first]) {
        ++b;
      }
      JoinEqual(keyed.begin() + static_cast<std::ptrdiff_t>(a),
                keyed.begin() + static_cast<std::ptrdiff_t>(b));
      a = b;
    }
  }

  // The paths of one folder, destinations first: the destinations are joined into one group,
  // and each one's reader is the first source of another line.
  template <typename Iterator>
  void JoinEqual(Iterator first, Iterator last) {
    Iterator sources = first;
    for (; sources != last && !sources->second.is_source(); ++sources) {
      if (sources != first) {
        groups_.Join(first->second.index(), sources->second.index());
        shared_ = true;
      }
    }
    if (sources == last) {
      return;
    }
    for (Iterator destination = first; destination != sources; ++destination) {
      const std::size_t i = destination->second.index();
      const std::size_t reader = sources->second.index() != i ? sources->second.index()
                                 : std::next(sources) != last ? std::next(sources)->second.index()
                                                              : kNone;
      readers_[i] = std::min(readers_[i], reader);
    }
  }

  std::vector<ListProblem> Problems() {
    std::vector<ListProblem> problems;
    // A destination that is another line's source: the first such line is named.
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (readers_[i] != kNone) {
        problems.push_back({{entries_[i].line, entries_[readers_[i]].line},
                            catalogue::Format(catalogue::TextId::kCliListDestinationIsSource,
                                              {Text(entries_[i].destination)})});
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
      problems.push_back({group, catalogue::Format(catalogue::TextId::kCliListSharedDestination,
                                                   {Text(entries_[root].destination)})});
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
  // The lines' folders are looked up as one run looks up its own: each folder is read once
  // for all lines, whose new destinations mostly lie side by side in one folder.
  const platform::RunScope scope(file_system);
  return Check(file_system, entries, stop_requested).Run();
}

}  // namespace qe2m4::batch
