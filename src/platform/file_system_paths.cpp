#include <system_error>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/host_paths.h"
#include "platform/names.h"

// FileSystem: the drive paths of path texts and of host paths.
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

}  // namespace qe2m4::platform
