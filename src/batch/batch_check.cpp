#include "batch/batch_check.h"

#include <map>
#include <optional>
#include <string>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/names.h"
#include "platform/utf8.h"

namespace qe2m4::batch {
namespace {

// Two spellings of one folder, either of which may match another path's.
struct FolderKeys {
  std::u16string drive_path;  // full drive path, case folded, no trailing "\"
  std::string host_path;      // the host folder it resolves to
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
    keys.host_path = file_system.Resolve(text).lexically_normal().string();
    while (keys.host_path.size() > 1 && keys.host_path.back() == '/') {
      keys.host_path.pop_back();
    }
    return keys;
  } catch (const platform::Error&) {
    return std::nullopt;
  }
}

std::string Text(std::u16string_view text) {
  return platform::ToUtf8(text);
}

// Lines by folder, under both keys.
class FolderIndex {
 public:
  // The first line other than except filed under either of the keys, if any.
  std::optional<std::size_t> Find(const FolderKeys& keys, std::size_t except = kNone) const {
    for (const std::vector<std::size_t>* lines :
         {Lines(by_drive_path_, keys.drive_path), Lines(by_host_path_, keys.host_path)}) {
      if (lines == nullptr) {
        continue;
      }
      for (const std::size_t index : *lines) {
        if (index != except) {
          return index;
        }
      }
    }
    return std::nullopt;
  }
  void Add(const FolderKeys& keys, std::size_t index) {
    by_drive_path_[keys.drive_path].push_back(index);
    by_host_path_[keys.host_path].push_back(index);
  }

  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

 private:
  template <typename Key>
  static const std::vector<std::size_t>* Lines(const std::map<Key, std::vector<std::size_t>>& map,
                                               const Key& key) {
    const auto it = map.find(key);
    return it == map.end() ? nullptr : &it->second;
  }

  std::map<std::u16string, std::vector<std::size_t>> by_drive_path_;
  std::map<std::string, std::vector<std::size_t>> by_host_path_;
};

}  // namespace

std::vector<ListProblem> CheckBatchEntries(const platform::FileSystem& file_system,
                                           const std::vector<BatchEntry>& entries) {
  std::vector<std::optional<FolderKeys>> destinations;
  FolderIndex sources;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    destinations.push_back(KeysOf(file_system, entries[i].destination));
    if (const auto keys = KeysOf(file_system, entries[i].source)) {
      sources.Add(*keys, i);
    }
  }

  std::vector<ListProblem> problems;
  // Lines of each destination that is written more than once, by the first such line.
  std::map<std::size_t, std::vector<int>> shared;
  FolderIndex written;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!destinations[i]) {
      continue;
    }
    if (const auto first = written.Find(*destinations[i])) {
      auto& lines = shared[*first];
      if (lines.empty()) {
        lines.push_back(entries[*first].line);
      }
      lines.push_back(entries[i].line);
    } else {
      written.Add(*destinations[i], i);
    }
    if (const auto source = sources.Find(*destinations[i], i)) {
      problems.push_back(
          {{entries[i].line, entries[*source].line},
           "the destination " + Text(entries[i].destination) + " is the source of another line"});
    }
  }
  for (const auto& [first, lines] : shared) {
    problems.push_back(
        {lines, "one destination " + Text(entries[first].destination) + " on several lines"});
  }
  return problems;
}

}  // namespace qe2m4::batch
