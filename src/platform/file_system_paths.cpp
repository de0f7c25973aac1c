#include <system_error>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/host_paths.h"
#include "platform/names.h"

// FileSystem: drive paths, and the host paths they resolve to.
namespace qe2m4::platform {
namespace fs = std::filesystem;

std::optional<std::u16string> FileSystem::ToDrivePath(const fs::path& host) const {
  std::error_code ec;
  const fs::path target = fs::weakly_canonical(fs::absolute(host, ec), ec);
  std::optional<std::u16string> best;
  std::size_t best_depth = 0;
  for (const auto& [letter, folder] : drives_.entries()) {
    const fs::path root = fs::weakly_canonical(fs::absolute(folder, ec), ec);
    auto root_it = root.begin();
    auto target_it = target.begin();
    std::size_t depth = 0;
    while (root_it != root.end() && target_it != target.end() && *root_it == *target_it) {
      ++root_it;
      ++target_it;
      ++depth;
    }
    // A trailing empty element (a root path "/") matches anything below it.
    if (root_it != root.end() && !(std::next(root_it) == root.end() && root_it->empty())) {
      continue;
    }
    if (best && depth <= best_depth) {
      continue;
    }
    std::u16string path{letter, u':', u'\\'};
    bool first = true;
    bool levels = true;
    for (; levels && target_it != target.end(); ++target_it) {
      if (target_it->empty()) {
        continue;
      }
      const std::u16string name = PathText(*target_it);
      // A name such as "x\..\y" would be read as other levels than the one it stands for.
      levels = !LevelNameProblem(name);
      if (!first) {
        path += u'\\';
      }
      path += name;
      first = false;
    }
    if (!levels) {
      continue;
    }
    best = path;
    best_depth = depth;
  }
  return best;
}

DrivePath FileSystem::PathOf(std::u16string_view path) const {
  std::u16string_view rest = path;
  char16_t drive = current_drive_;
  if (path.size() >= 2 && path[1] == u':') {
    const auto letter = DriveLetter(path[0]);
    if (!letter) {
      throw Error(ErrorKind::kNoDrive, std::u16string(path), "not a drive letter");
    }
    drive = *letter;
    rest = path.substr(2);
  } else if (drive == 0) {
    throw Error(ErrorKind::kNoDrive, std::u16string(path), "no current drive");
  }
  std::vector<std::u16string> levels;
  if (rest.empty() || (rest.front() != u'\\' && rest.front() != u'/')) {
    const auto it = current_folders_.find(drive);
    if (it != current_folders_.end()) {
      levels = it->second;
    }
  }
  DrivePath::AppendLevels(rest, levels);
  return DrivePath(drive, std::move(levels));
}

fs::path FileSystem::DriveRoot(const DrivePath& path) const {
  const auto folder = drives_.Folder(path.drive());
  if (!folder || !HostFolderReady(*folder)) {
    throw Error(ErrorKind::kNoDrive, path.Text(),
                folder ? "the drive's folder does not exist" : "the drive is not mapped");
  }
  return *folder;
}

fs::path FileSystem::Resolve(const DrivePath& path) const {
  fs::path host = DriveRoot(path);
  std::u16string key{FoldCase(path.drive()), u':'};
  bool searching = true;
  for (const std::u16string& level : path.levels()) {
    if (level.find(u'\0') != std::u16string::npos) {
      throw Error(ErrorKind::kBadPath, path.Text(), "the path holds a NUL character");
    }
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
  return host;
}

std::optional<fs::path> FileSystem::FindLevel(const fs::path& folder,
                                              const std::optional<fs::path>& stored_name,
                                              std::u16string_view level) const {
  if (stored_name) {
    if (auto stored = StoredEntry(folder, *stored_name)) {
      return stored;
    }
  }
  for (const fs::path& form : HostNameForms(level)) {
    if (auto stored = StoredEntry(folder, form)) {
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
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path& candidate = it->path();
    const std::u16string name = PathText(candidate.filename());
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
}

}  // namespace qe2m4::platform
