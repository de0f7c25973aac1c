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
  const DrivePath full = PathOf(path);
  if (!FolderExists(full)) {
    throw SystemError(ErrorKind::kRead, full.Text(), ENOENT);
  }
  current_folders_[full.drive()] = full.levels();
}

int FileSystem::Gate(FileOperation operation, const fs::path& host) const {
  return hook_ ? hook_->Before(operation, host) : 0;
}

bool FileSystem::HostStatusIs(const DrivePath& path, bool (*test)(fs::file_status)) const {
  try {
    std::error_code ec;
    return test(fs::status(Resolve(path), ec));
  } catch (const Error&) {
    return false;
  }
}

bool FileSystem::Exists(const DrivePath& path) const {
  return HostStatusIs(path, [](fs::file_status status) { return fs::exists(status); });
}

bool FileSystem::Missing(std::u16string_view path) const {
  try {
    return Missing(PathOf(path));
  } catch (const Error&) {
    return true;
  }
}

bool FileSystem::Missing(const DrivePath& path) const {
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
  try {
    return FileExists(PathOf(path));
  } catch (const Error&) {
    return false;
  }
}

bool FileSystem::FileExists(const DrivePath& path) const {
  return HostStatusIs(path, [](fs::file_status status) { return fs::is_regular_file(status); });
}

bool FileSystem::FolderExists(std::u16string_view path) const {
  try {
    return FolderExists(PathOf(path));
  } catch (const Error&) {
    return false;
  }
}

bool FileSystem::FolderExists(const DrivePath& path) const {
  return HostStatusIs(path, [](fs::file_status status) { return fs::is_directory(status); });
}

std::uintmax_t FileSystem::FileSize(const DrivePath& path) const {
  const fs::path host = Resolve(path);
  std::error_code ec;
  const fs::file_status status = fs::status(host, ec);
  if (ec) {
    throw SystemError(ErrorKind::kRead, path.Text(), ec);
  }
  if (fs::is_directory(status)) {
    throw SystemError(ErrorKind::kRead, path.Text(), EISDIR);
  }
  if (!fs::is_regular_file(status)) {
    throw Error(ErrorKind::kRead, path.Text(), ErrorCause::kNotAFile, "not a regular file");
  }
  const std::uintmax_t size = fs::file_size(host, ec);
  if (ec) {
    throw SystemError(ErrorKind::kRead, path.Text(), ec);
  }
  return size;
}

UniqueFile FileSystem::OpenForReading(const DrivePath& path, LastLevelLink link) const {
  const fs::path host = Resolve(path);
  if (const int error = Gate(FileOperation::kOpen, host)) {
    throw SystemError(ErrorKind::kRead, path.Text(), error);
  }
  return platform::OpenForReading(host, path.Text(), link);
}

InputFile FileSystem::OpenInput(const DrivePath& path, LastLevelLink link) const {
  const fs::path host = Resolve(path);
  if (const int error = Gate(FileOperation::kOpen, host)) {
    throw SystemError(ErrorKind::kRead, path.Text(), error);
  }
  return InputFile(host, path.Text(), hook_.get(), link);
}

std::string FileSystem::ReadAll(const DrivePath& path, LastLevelLink link) const {
  InputFile file = OpenInput(path, link);
  std::string content;
  char buffer[65536];
  std::size_t n = 0;
  while ((n = file.Read(buffer, sizeof buffer)) > 0) {
    content.append(buffer, n);
  }
  return content;
}

SettingsText FileSystem::ReadSettingsFile(std::u16string_view text,
                                          std::uintmax_t max_bytes) const {
  const DrivePath path = PathOf(text);
  const fs::path host = Resolve(path);
  if (const int error = Gate(FileOperation::kOpen, host)) {
    throw SystemError(ErrorKind::kRead, path.Text(), error);
  }
  return platform::ReadSettingsFile(host, path.Text(), max_bytes);
}

void FileSystem::CopyFile(const DrivePath& from, const DrivePath& to,
                          LastLevelLink from_link) const {
  if (const int error = Gate(FileOperation::kCopy, Resolve(to))) {
    throw SystemError(ErrorKind::kCopy, to.Text(), error);
  }
  std::string content;
  try {
    content = ReadAll(from, from_link);
  } catch (const Error& error) {
    throw Error(ErrorKind::kCopy, error.path(), error.cause(), error.reason());
  }
  try {
    AtomicFile target(Resolve(to), to.Text(), hook_.get());
    target.Write(content);
    target.Commit();
  } catch (const Error& error) {
    throw Error(ErrorKind::kCopy, error.path(), error.cause(), error.reason());
  }
}

void FileSystem::DeleteFile(const DrivePath& path) const {
  const fs::path host = Resolve(path);
  std::error_code ec;
  if (fs::is_directory(fs::symlink_status(host, ec))) {
    throw SystemError(ErrorKind::kDelete, path.Text(), EISDIR);
  }
  if (const int error = Gate(FileOperation::kDelete, host)) {
    throw SystemError(ErrorKind::kDelete, path.Text(), error);
  }
  if (!fs::remove(host, ec) && ec) {
    throw SystemError(ErrorKind::kDelete, path.Text(), ec);
  }
}

void FileSystem::CreateFolder(const DrivePath& path) const {
  const fs::path host = Resolve(path);
  if (const int error = Gate(FileOperation::kCreateFolder, host)) {
    throw SystemError(ErrorKind::kCreateFolder, path.Text(), error);
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
    throw SystemError(ErrorKind::kCreateFolder, path.Text(), status_ec);
  }
  if (fs::exists(status)) {
    throw SystemError(ErrorKind::kCreateFolder, path.Text(),
                      fs::is_directory(status) ? EEXIST : ENOTDIR);
  }
  if (fs::is_symlink(fs::symlink_status(host, status_ec))) {
    throw Error(ErrorKind::kCreateFolder, path.Text(), ErrorCause::kNotFound,
                "a symbolic link that leads nowhere");
  }
  throw SystemError(ErrorKind::kCreateFolder, path.Text(),
                    ec ? ec : std::make_error_code(std::errc::file_exists));
}

bool FileSystem::SameFolder(const DrivePath& a, const DrivePath& b) const {
  if (a == b) {
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

void FileSystem::CheckPathLimits(const DrivePath& folder) const {
  CheckHostPathLimits(Resolve(folder), folder.Text());
}

}  // namespace qe2m4::platform
