#include <cerrno>
#include <optional>
#include <system_error>

#include "platform/error.h"
#include "platform/file_identity.h"
#include "platform/file_system.h"
#include "platform/host_entry.h"
#include "platform/host_file.h"
#include "platform/host_paths.h"
#include "platform/temporary_names.h"

// FileSystem: the file services.
namespace qe2m4::platform {
namespace fs = std::filesystem;

fs::file_status FileSystem::HostStatus(const fs::path& host) const {
  if (KnownAbsent(host)) {
    return fs::file_status(fs::file_type::not_found);
  }
  if (const std::optional<HostEntryKind> known = hook_->cache().KnownKind(host)) {
    switch (*known) {
      case HostEntryKind::kNothing:
        return fs::file_status(fs::file_type::not_found);
      case HostEntryKind::kFile:
        return fs::file_status(fs::file_type::regular);
      case HostEntryKind::kFolder:
        return fs::file_status(fs::file_type::directory);
      case HostEntryKind::kLink:
      case HostEntryKind::kOther:
        break;
    }
  }
  std::error_code ec;
  return fs::status(host, ec);
}

bool FileSystem::HostStatusIs(const DrivePath& path, bool (*test)(fs::file_status)) const {
  try {
    return test(HostStatus(Resolve(path)));
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
  // An entry its folder's listing gave is there, whatever it is, unless it is a link that may
  // lead nowhere.
  if (hook_->cache().ListedLink(host) == false) {
    return false;
  }
  return HostStatus(host).type() == fs::file_type::not_found;
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
  // An ordinary file's size takes one call; only a failure is looked at again for its reason.
  if (const std::uintmax_t size = fs::file_size(host, ec); !ec) {
    return size;
  }
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
  return size;  // a file that became ordinary between the two looks
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
  const std::optional<HostEntryKind> known = hook_->cache().KnownKind(host);
  if (known ? *known == HostEntryKind::kFolder : fs::is_directory(fs::symlink_status(host, ec))) {
    throw SystemError(ErrorKind::kDelete, path.Text(), EISDIR);
  }
  if (const int error = Gate(FileOperation::kDelete, host)) {
    throw SystemError(ErrorKind::kDelete, path.Text(), error);
  }
  const bool removed = fs::remove(host, ec);
  if (!removed && ec) {
    throw SystemError(ErrorKind::kDelete, path.Text(), ec);
  }
  if (removed) {
    Changed(FileOperation::kDelete, host);
    FlushLater(host.parent_path());
  }
}

void FileSystem::CreateFolder(const DrivePath& path) const {
  const fs::path host = Resolve(path);
  if (const int error = Gate(FileOperation::kCreateFolder, host)) {
    throw SystemError(ErrorKind::kCreateFolder, path.Text(), error);
  }
  std::error_code ec;
  if (fs::create_directory(host, ec)) {
    // The new folder's name is durable once its parent is flushed.
    Changed(FileOperation::kCreateFolder, host);
    FlushLater(host.parent_path());
    return;
  }
  // Something of that name may be there already: a folder is what was wanted; for anything
  // else the reason is what stands in the way (a file, a link that loops or leads nowhere).
  std::error_code status_ec;
  const fs::file_status status = fs::status(host, status_ec);
  if (!ec && fs::is_directory(status)) {
    // Another run (a batch's other borings) made it since this run listed the parent.
    hook_->cache().Forget(host);
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

void FileSystem::RemoveStaleTemporaryFiles(const DrivePath& folder) const {
  const fs::path host = Resolve(folder);
  if (!hook_->cache().Made(host)) {
    platform::RemoveStaleTemporaryFiles(host);
  }
}

bool FileSystem::SameFolder(const DrivePath& a, const DrivePath& b) const {
  if (a == b) {
    return true;
  }
  const fs::path host_a = Resolve(a);
  const fs::path host_b = Resolve(b);
  // A folder that is not there has no identity: the other one is not looked at.
  const auto identity_b = KnownAbsent(host_b) ? std::nullopt : HostFileIdentity(host_b);
  const auto identity_a =
      !identity_b || KnownAbsent(host_a) ? std::nullopt : HostFileIdentity(host_a);
  if (identity_a && identity_b) {
    return *identity_a == *identity_b;
  }
  return host_a.lexically_normal() == host_b.lexically_normal();
}

void FileSystem::CheckPathLimits(const DrivePath& folder) const {
  const fs::path host = Resolve(folder);
  // The system's limits are asked of the nearest folder there: above every level known absent.
  fs::path existing = host;
  for (fs::path path = host; path.has_relative_path(); path = path.parent_path()) {
    if (hook_->cache().KnownKind(path) == HostEntryKind::kNothing) {
      existing = path.parent_path();
    }
  }
  CheckHostPathLimits(host, folder.Text(), existing);
}

}  // namespace qe2m4::platform
