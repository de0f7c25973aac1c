#include "platform/file_system.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "platform/error.h"
#include "platform/file_identity.h"
#include "platform/host_file.h"
#include "platform/host_paths.h"
#include "platform/names.h"

namespace qe2m4::platform {
namespace fs = std::filesystem;

namespace {

bool IsSeparator(char16_t c) {
  return c == u'\\' || c == u'/';
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

FileSystem::FileSystem(const FileSystem& other)
    : drives_(other.drives_),
      current_drive_(other.current_drive_),
      current_folders_(other.current_folders_),
      program_folder_(other.program_folder_),
      system_folder_(other.system_folder_) {}

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
    throw SystemError(ErrorKind::kRead, FullPath(path), ENOENT);
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
    if (const auto problem = HostNameProblem(level)) {
      throw Error(ErrorKind::kBadPath, std::u16string(path), *problem);
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

int FileSystem::Gate(FileOperation operation, const fs::path& host) const {
  return hook_ ? hook_->Before(operation, host) : 0;
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

bool FileSystem::Missing(std::u16string_view path) const {
  fs::path host;
  try {
    host = Resolve(path);
  } catch (const Error&) {
    return true;
  }
  std::error_code ec;
  const fs::file_status status = fs::status(host, ec);
  return status.type() == fs::file_type::not_found;
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
  const fs::file_status status = fs::status(host, ec);
  if (ec) {
    throw SystemError(ErrorKind::kRead, FullPath(path), ec);
  }
  if (fs::is_directory(status)) {
    throw SystemError(ErrorKind::kRead, FullPath(path), EISDIR);
  }
  if (!fs::is_regular_file(status)) {
    throw Error(ErrorKind::kRead, FullPath(path), ErrorCause::kNotAFile, "not a regular file");
  }
  const std::uintmax_t size = fs::file_size(host, ec);
  if (ec) {
    throw SystemError(ErrorKind::kRead, FullPath(path), ec);
  }
  return size;
}

UniqueFile FileSystem::OpenForReading(std::u16string_view path, LastLevelLink link) const {
  const fs::path host = Resolve(path);
  if (const int error = Gate(FileOperation::kOpen, host)) {
    throw SystemError(ErrorKind::kRead, FullPath(path), error);
  }
  return platform::OpenForReading(host, FullPath(path), link);
}

InputFile FileSystem::OpenInput(std::u16string_view path, LastLevelLink link) const {
  const fs::path host = Resolve(path);
  if (const int error = Gate(FileOperation::kOpen, host)) {
    throw SystemError(ErrorKind::kRead, FullPath(path), error);
  }
  return InputFile(host, FullPath(path), hook_.get(), link);
}

std::string FileSystem::ReadAll(std::u16string_view path, LastLevelLink link) const {
  InputFile file = OpenInput(path, link);
  std::string content;
  char buffer[65536];
  std::size_t n = 0;
  while ((n = file.Read(buffer, sizeof buffer)) > 0) {
    content.append(buffer, n);
  }
  return content;
}

SettingsText FileSystem::ReadSettingsFile(std::u16string_view path,
                                          std::uintmax_t max_bytes) const {
  const fs::path host = Resolve(path);
  if (const int error = Gate(FileOperation::kOpen, host)) {
    throw SystemError(ErrorKind::kRead, FullPath(path), error);
  }
  return platform::ReadSettingsFile(host, FullPath(path), max_bytes);
}

void FileSystem::CopyFile(std::u16string_view from, std::u16string_view to,
                          LastLevelLink from_link) const {
  if (const int error = Gate(FileOperation::kCopy, Resolve(to))) {
    throw SystemError(ErrorKind::kCopy, FullPath(to), error);
  }
  std::string content;
  try {
    content = ReadAll(from, from_link);
  } catch (const Error& error) {
    throw Error(ErrorKind::kCopy, error.path(), error.cause(), error.reason());
  }
  try {
    AtomicFile target(Resolve(to), FullPath(to), hook_.get());
    target.Write(content);
    target.Commit();
  } catch (const Error& error) {
    throw Error(ErrorKind::kCopy, error.path(), error.cause(), error.reason());
  }
}

void FileSystem::DeleteFile(std::u16string_view path) const {
  const fs::path host = Resolve(path);
  std::error_code ec;
  if (fs::is_directory(fs::symlink_status(host, ec))) {
    throw SystemError(ErrorKind::kDelete, FullPath(path), EISDIR);
  }
  if (const int error = Gate(FileOperation::kDelete, host)) {
    throw SystemError(ErrorKind::kDelete, FullPath(path), error);
  }
  if (!fs::remove(host, ec) && ec) {
    throw SystemError(ErrorKind::kDelete, FullPath(path), ec);
  }
}

void FileSystem::CreateFolder(std::u16string_view path) const {
  const fs::path host = Resolve(path);
  if (const int error = Gate(FileOperation::kCreateFolder, host)) {
    throw SystemError(ErrorKind::kCreateFolder, FullPath(path), error);
  }
  std::error_code ec;
  if (fs::create_directory(host, ec)) {
    return;
  }
  // Something of that name may be there already: a folder is what was wanted; for anything
  // else the reason is what stands in the way (a file, a link that loops or leads nowhere).
  std::error_code status_ec;
  const fs::file_status status = fs::status(host, status_ec);
  if (!ec && fs::is_directory(status)) {
    return;
  }
  if (status_ec && status_ec != std::errc::no_such_file_or_directory) {
    throw SystemError(ErrorKind::kCreateFolder, FullPath(path), status_ec);
  }
  if (fs::exists(status)) {
    throw SystemError(ErrorKind::kCreateFolder, FullPath(path),
                      fs::is_directory(status) ? EEXIST : ENOTDIR);
  }
  if (fs::is_symlink(fs::symlink_status(host, status_ec))) {
    throw Error(ErrorKind::kCreateFolder, FullPath(path), ErrorCause::kNotFound,
                "a symbolic link that leads nowhere");
  }
  throw SystemError(ErrorKind::kCreateFolder, FullPath(path),
                    ec ? ec : std::make_error_code(std::errc::file_exists));
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
    // Folders are not files; links that lead nowhere are missing files.
    std::error_code status_ec;
    const fs::file_status status = it->status(status_ec);
    if (fs::is_directory(status) || status.type() == fs::file_type::not_found) {
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
    throw SystemError(ErrorKind::kRead, FullPath(folder), ec);
  }
  for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
    // A link to a folder is listed (marked as a link) on every system.
    if (!HostFolderReady(it->path())) {
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

bool FileSystem::SameFolder(std::u16string_view a, std::u16string_view b) const {
  if (NamesEqual(FullPath(a), FullPath(b))) {
    return true;
  }
  const fs::path host_a = Resolve(a);
  const fs::path host_b = Resolve(b);
  const auto identity_a = HostFileIdentity(host_a);
  const auto identity_b = HostFileIdentity(host_b);
  if (identity_a && identity_b) {
    return *identity_a == *identity_b;
  }
  return host_a.lexically_normal() == host_b.lexically_normal();
}

void FileSystem::CheckPathLimits(std::u16string_view folder) const {
  CheckHostPathLimits(Resolve(folder), FullPath(folder));
}

}  // namespace qe2m4::platform
