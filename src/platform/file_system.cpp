#include "platform/file_system.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "platform/error.h"
#include "platform/host_file.h"
#include "platform/host_paths.h"
#include "platform/names.h"

namespace qe2m4::platform {
namespace fs = std::filesystem;

namespace {

bool IsSeparator(char16_t c) {
  return c == u'\\' || c == u'/';
}

std::string Reason(const std::error_code& ec) {
  return SystemReason(ec);
}

std::u16string NameOf(const fs::path& host) {
  return PathText(host.filename());
}

// Appends the levels of text to levels: empty levels and "." skipped, ".." goes up.
void AppendLevels(std::u16string_view text, std::vector<std::u16string>& levels) {
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && !IsSeparator(text[i])) {
      continue;
    }
    const std::u16string_view level = text.substr(start, i - start);
    start = i + 1;
    if (level.empty() || level == u".") {
      continue;
    }
    if (level == u"..") {
      if (!levels.empty()) {
        levels.pop_back();
      }
      continue;
    }
    levels.emplace_back(level);
  }
}

// Splits a pattern into its folder part and its last level.
std::pair<std::u16string_view, std::u16string_view> SplitLastLevel(std::u16string_view path) {
  std::size_t cut = std::u16string_view::npos;
  for (std::size_t i = path.size(); i > 0; --i) {
    if (IsSeparator(path[i - 1])) {
      cut = i - 1;
      break;
    }
  }
  if (cut != std::u16string_view::npos) {
    // Keep the separator when it is the root's ("D:\*.txt" -> "D:\").
    return {path.substr(0, cut + 1), path.substr(cut + 1)};
  }
  if (path.size() >= 2 && path[1] == u':') {
    return {path.substr(0, 2), path.substr(2)};
  }
  return {std::u16string_view(), path};
}

}  // namespace

FileSystem::FileSystem(DriveTable drives) : drives_(std::move(drives)) {}

void FileSystem::MapDrive(char16_t letter, const fs::path& folder) {
  drives_.Map(letter, folder);
  if (const auto upper = DriveLetter(letter)) {
    current_folders_.erase(*upper);
  }
}

bool FileSystem::DriveUsable(char16_t letter) const {
  const auto folder = drives_.Folder(letter);
  return folder && HostFolderReady(*folder);
}

std::vector<char16_t> FileSystem::UsableDrives() const {
  std::vector<char16_t> usable;
  for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
    if (DriveUsable(letter)) {
      usable.push_back(letter);
    }
  }
  return usable;
}

void FileSystem::SetCurrentDrive(char16_t letter) {
  const auto upper = DriveLetter(letter);
  if (!upper || !DriveUsable(*upper)) {
    throw Error(ErrorKind::kNoDrive, std::u16string(1, letter) + u":", "drive is not usable");
  }
  current_drive_ = *upper;
}

std::u16string FileSystem::CurrentFolder(char16_t letter) const {
  const auto upper = DriveLetter(letter);
  if (!upper) {
    return {};
  }
  std::u16string path{*upper, u':', u'\\'};
  const auto it = current_folders_.find(*upper);
  if (it != current_folders_.end()) {
    for (std::size_t i = 0; i < it->second.size(); ++i) {
      if (i > 0) {
        path += u'\\';
      }
      path += it->second[i];
    }
  }
  return path;
}

void FileSystem::SetCurrentFolder(std::u16string_view path) {
  ParsedPath parsed = Parse(path);
  if (!FolderExists(path)) {
    throw Error(ErrorKind::kRead, FullPath(path), SystemReason(ENOENT));
  }
  current_folders_[parsed.drive] = std::move(parsed.levels);
}

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
    for (; target_it != target.end(); ++target_it) {
      if (target_it->empty()) {
        continue;
      }
      if (!first) {
        path += u'\\';
      }
      path += PathText(*target_it);
      first = false;
    }
    best = path;
    best_depth = depth;
  }
  return best;
}

FileSystem::ParsedPath FileSystem::Parse(std::u16string_view path) const {
  ParsedPath parsed;
  std::u16string_view rest = path;
  if (path.size() >= 2 && path[1] == u':') {
    const auto letter = DriveLetter(path[0]);
    if (!letter) {
      throw Error(ErrorKind::kNoDrive, std::u16string(path), "not a drive letter");
    }
    parsed.drive = *letter;
    rest = path.substr(2);
  } else {
    parsed.drive = current_drive_;
    if (parsed.drive == 0) {
      throw Error(ErrorKind::kNoDrive, std::u16string(path), "no current drive");
    }
  }
  if (rest.empty() || !IsSeparator(rest.front())) {
    const auto it = current_folders_.find(parsed.drive);
    if (it != current_folders_.end()) {
      parsed.levels = it->second;
    }
  }
  AppendLevels(rest, parsed.levels);
  return parsed;
}

std::u16string FileSystem::FullPath(std::u16string_view path) const {
  const ParsedPath parsed = Parse(path);
  std::u16string full{parsed.drive, u':', u'\\'};
  for (std::size_t i = 0; i < parsed.levels.size(); ++i) {
    if (i > 0) {
      full += u'\\';
    }
    full += parsed.levels[i];
  }
  return full;
}

fs::path FileSystem::DriveRoot(char16_t drive, std::u16string_view path) const {
  const auto folder = drives_.Folder(drive);
  if (!folder || !HostFolderReady(*folder)) {
    throw Error(ErrorKind::kNoDrive, std::u16string(path),
                folder ? "the drive's folder does not exist" : "the drive is not mapped");
  }
  return *folder;
}

fs::path FileSystem::Resolve(std::u16string_view path) const {
  const ParsedPath parsed = Parse(path);
  fs::path host = DriveRoot(parsed.drive, path);
  bool searching = true;
  for (const std::u16string& level : parsed.levels) {
    if (level.find(u'\0') != std::u16string::npos) {
      throw Error(ErrorKind::kBadPath, std::u16string(path), "the path holds a NUL character");
    }
    const fs::path name = HostPath(level);
    std::error_code ec;
    if (searching) {
      if (auto stored = StoredEntry(host, name)) {
        host = std::move(*stored);
        continue;
      }
      // Look for the level under another letter case; the smallest matching name wins so
      // that the choice does not depend on the order of the folder's entries.
      std::optional<fs::path> match;
      for (fs::directory_iterator it(host, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& candidate = it->path();
        if (NamesEqual(NameOf(candidate), level) &&
            (!match || candidate.filename() < match->filename())) {
          match = candidate;
        }
      }
      if (match) {
        host = *match;
        continue;
      }
      searching = false;
    }
    host /= name;
  }
  return host;
}

bool FileSystem::HostStatusIs(std::u16string_view path, bool (*test)(fs::file_status)) const {
  try {
    std::error_code ec;
    return test(fs::status(Resolve(path), ec));
  } catch (const Error&) {
    return false;
  }
}

bool FileSystem::Exists(std::u16string_view path) const {
  return HostStatusIs(path, [](fs::file_status status) { return fs::exists(status); });
}

bool FileSystem::FileExists(std::u16string_view path) const {
  return HostStatusIs(path, [](fs::file_status status) { return fs::is_regular_file(status); });
}

bool FileSystem::FolderExists(std::u16string_view path) const {
  return HostStatusIs(path, [](fs::file_status status) { return fs::is_directory(status); });
}

std::uintmax_t FileSystem::FileSize(std::u16string_view path) const {
  const fs::path host = Resolve(path);
  std::error_code ec;
  if (!fs::is_regular_file(host, ec)) {
    throw Error(ErrorKind::kRead, FullPath(path),
                SystemReason(fs::is_directory(host, ec) ? EISDIR : ENOENT));
  }
  const std::uintmax_t size = fs::file_size(host, ec);
  if (ec) {
    throw Error(ErrorKind::kRead, FullPath(path), Reason(ec));
  }
  return size;
}

std::string FileSystem::ReadAll(std::u16string_view path) const {
  const fs::path host = Resolve(path);
  std::error_code ec;
  if (fs::is_directory(host, ec)) {
    throw Error(ErrorKind::kRead, FullPath(path), SystemReason(EISDIR));
  }
  return ReadHostFile(host, FullPath(path));
}

void FileSystem::CopyFile(std::u16string_view from, std::u16string_view to) const {
  std::string content;
  try {
    content = ReadAll(from);
  } catch (const Error& error) {
    throw Error(ErrorKind::kCopy, error.path(), error.reason());
  }
  try {
    AtomicFile target(Resolve(to), FullPath(to));
    target.Write(content);
    target.Commit();
  } catch (const Error& error) {
    throw Error(ErrorKind::kCopy, error.path(), error.reason());
  }
}

void FileSystem::DeleteFile(std::u16string_view path) const {
  const fs::path host = Resolve(path);
  std::error_code ec;
  if (fs::is_directory(fs::symlink_status(host, ec))) {
    throw Error(ErrorKind::kDelete, FullPath(path), SystemReason(EISDIR));
  }
  if (!fs::remove(host, ec) && ec) {
    throw Error(ErrorKind::kDelete, FullPath(path), Reason(ec));
  }
}

void FileSystem::CreateFolder(std::u16string_view path) const {
  const fs::path host = Resolve(path);
  std::error_code ec;
  if (!fs::create_directory(host, ec) && (ec || !fs::is_directory(host, ec))) {
    throw Error(ErrorKind::kCreateFolder, FullPath(path), ec ? Reason(ec) : SystemReason(EEXIST));
  }
}

std::vector<std::u16string> FileSystem::ListFiles(std::u16string_view pattern) const {
  const auto [folder, name_pattern] = SplitLastLevel(pattern);
  std::vector<std::u16string> names;
  fs::path host;
  try {
    host = Resolve(folder);
  } catch (const Error&) {
    return names;
  }
  std::error_code ec;
  for (fs::directory_iterator it(host, fs::directory_options::skip_permission_denied, ec), end;
       !ec && it != end; it.increment(ec)) {
    std::error_code status_ec;
    if (!it->is_regular_file(status_ec)) {
      continue;
    }
    std::u16string name = NameOf(it->path());
    if (!IsHiddenName(name) && MatchesWildcard(name, name_pattern)) {
      names.push_back(std::move(name));
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<FolderEntry> FileSystem::ListFolders(std::u16string_view folder) const {
  const fs::path host = Resolve(folder);
  std::vector<FolderEntry> entries;
  std::error_code ec;
  fs::directory_iterator it(host, ec);
  if (ec) {
    throw Error(ErrorKind::kRead, FullPath(folder), Reason(ec));
  }
  for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
    std::error_code status_ec;
    if (!it->is_directory(status_ec)) {
      continue;
    }
    FolderEntry entry{NameOf(it->path()), HostIsLink(it->path())};
    if (!IsHiddenName(entry.name)) {
      entries.push_back(std::move(entry));
    }
  }
  std::sort(entries.begin(), entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return entries;
}

}  // namespace qe2m4::platform
