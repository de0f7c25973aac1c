#include "platform/host_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>

namespace qe2m4::platform {

Error HostFailure(ErrorKind kind, std::u16string display_path, HostError error) {
  return SystemError(kind, std::move(display_path), static_cast<int>(error));
}

HostError HostOutput::CreateNew(const std::filesystem::path& path, bool& exists) {
  Close();
  // O_EXCL: never reuse or follow an existing name. Mode 0666 lets the umask decide, as for any
  // file the user creates.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    exists = errno == EEXIST;
    return static_cast<HostError>(errno);
  }
  handle_ = fd;
  return 0;
}

HostError HostOutput::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(static_cast<int>(handle_), bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) {
        continue;
      }
      return static_cast<HostError>(errno);
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

void HostOutput::StartWriteOut() {
#ifdef __linux__
  // SYNC_FILE_RANGE_WRITE queues the dirty pages for writing and returns; the flush after it
  // still waits for them and for what is needed to read them back.
  ::sync_file_range(static_cast<int>(handle_), 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
}

bool HostStartsWriteOut() {
#ifdef __linux__
  return true;
#else
  return false;
#endif
}

HostError HostOutput::FlushAndClose() {
  const int fd = static_cast<int>(handle_);
  handle_ = kNone;
  // fdatasync writes the data and what is needed to read it back (the size), not the times.
  const int error = ::fdatasync(fd) == 0 ? 0 : errno;
  if (::close(fd) != 0 && error == 0) {
    return static_cast<HostError>(errno);
  }
  return static_cast<HostError>(error);
}

void HostOutput::Close() {
  if (handle_ != kNone) {
    ::close(static_cast<int>(handle_));
    handle_ = kNone;
  }
}

HostError HostReplace(const std::filesystem::path& from, const std::filesystem::path& to) {
  return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : static_cast<HostError>(errno);
}

bool HostFolderNeedsFlush() {
  return true;
}

HostError HostFlushFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    return 0;
  }
  HostError error = 0;
  if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) {
    error = static_cast<HostError>(errno);
  }
  ::close(fd);
  return error;
}

bool HostIsFolder(const std::filesystem::path& path) {
  struct stat status = {};
  return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

void HostRemoveFile(const std::filesystem::path& path) noexcept {
  ::unlink(path.c_str());
}

std::size_t HostNameLimit(const std::filesystem::path& start) {
  for (std::filesystem::path path = start;; path = path.parent_path()) {
    const long limit = ::pathconf(path.c_str(), _PC_NAME_MAX);
    if (limit > 0) {
      return static_cast<std::size_t>(limit);
    }
    if (!path.has_relative_path() || path == path.parent_path()) {
      return NAME_MAX;
    }
  }
}

std::size_t HostPathLimit() {
  return PATH_MAX;
}

HostError HostNameTooLong() {
  return ENAMETOOLONG;
}

}  // namespace qe2m4::platform
