#include "platform/file_system.h"

#include <cerrno>
#include <system_error>

#include "platform/error.h"
#include "platform/file_identity.h"
#include "platform/host_file.h"
#include "platform/host_paths.h"
#include "platform/names.h"

namespace qe2m4::platform {
namespace fs = std::filesystem;

FileSystem::FileSystem(DriveTable drives) : drives_(std::move(drives)) {}

FileSystem::FileSystem(const FileSystem& other)
    : drives_(other.drives_),
      current_drive_(other.current_drive_),
      current_folders_(other.current_folders_),
      program_folder_(other.program_folder_),
      system_folder_(other.system_folder_),
      stored_names_(other.stored_names_) {}

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
