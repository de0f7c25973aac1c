#include "platform/host_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/error.h"
#include "platform/host_input.h"

namespace qe2m4::platform {
namespace {

// Throws the error of an open with O_NOFOLLOW that failed with error (ELOOP; EMLINK on some
// systems): the path's last level is a link, or a level above it leads round in a circle. The
// file was not opened; the status calls only choose the words.
[[noreturn]] void ThrowRefusedLink(const std::filesystem::path& host,
                                   const std::u16string& display_path, int error) {
  struct stat status = {};
  if (::lstat(host.c_str(), &status) == 0 && S_ISLNK(status.st_mode) &&
      !(::stat(host.c_str(), &status) != 0 && errno == ELOOP)) {
    throw Error(ErrorKind::kRead, display_path, ErrorCause::kNotAFile,
                "a symbolic link, not an ordinary file");
  }
  throw SystemError(ErrorKind::kRead, display_path, error == EMLINK ? ELOOP : error);
}

// Opens an ordinary file for reading and tells its status; throws as OpenForReading.
int OpenOrdinaryFile(const std::filesystem::path& host, const std::u16string& display_path,
                     LastLevelLink link, struct stat& status) {
  // O_NONBLOCK keeps the open of a FIFO from waiting for a writer; fstat then refuses it.
  // O_NOFOLLOW makes the open itself refuse a link at the last level.
  const int flags =
      O_RDONLY | O_NONBLOCK | O_CLOEXEC | (link == LastLevelLink::kRefuse ? O_NOFOLLOW : 0);
  const int fd = ::open(host.c_str(), flags);
  if (fd < 0) {
    const int error = errno;
    if (link == LastLevelLink::kRefuse && (error == ELOOP || error == EMLINK)) {
      ThrowRefusedLink(host, display_path, error);
    }
    throw SystemError(ErrorKind::kRead, display_path, error);
  }
  const int error = ::fstat(fd, &status) == 0 ? 0 : errno;
  if (error != 0 || !S_ISREG(status.st_mode)) {
    const bool folder = error == 0 && S_ISDIR(status.st_mode);
    ::close(fd);
    if (folder) {
      throw SystemError(ErrorKind::kRead, display_path, EISDIR);
    }
    throw Error(ErrorKind::kRead, display_path, error != 0 ? CauseOf(error) : ErrorCause::kNotAFile,
                error != 0 ? SystemReason(error) : "not a regular file");
  }
  return fd;
}

}  // namespace

UniqueFile OpenForReading(const std::filesystem::path& host, const std::u16string& display_path,
                          LastLevelLink link) {
  struct stat status = {};
  const int fd = OpenOrdinaryFile(host, display_path, link, status);
  // Reads block as usual: the file was opened with no other status flag than O_NONBLOCK.
  ::fcntl(fd, F_SETFL, 0);
  UniqueFile file(::fdopen(fd, "rb"));
  if (!file) {
    const int error = errno;
    ::close(fd);
    throw SystemError(ErrorKind::kRead, display_path, error);
  }
  return file;
}

HostInput::HostInput(const std::filesystem::path& host, const std::u16string& display_path,
                     LastLevelLink link) {
  struct stat status = {};
  handle_ = OpenOrdinaryFile(host, display_path, link, status);
  size_ = static_cast<std::uintmax_t>(status.st_size);
}

HostInput::~HostInput() {
  if (handle_ != kNone) {
    ::close(static_cast<int>(handle_));
  }
}

HostInput::HostInput(HostInput&& other) noexcept
    : handle_(std::exchange(other.handle_, kNone)), size_(other.size_) {}

HostError HostInput::Read(char* buffer, std::size_t size, std::size_t& n) {
  const int fd = static_cast<int>(handle_);
  n = 0;
  for (;;) {
    const ssize_t got = ::read(fd, buffer, size);
    if (got >= 0) {
      n = static_cast<std::size_t>(got);
      return 0;
    }
    const int error = errno;
    if (error == EINTR) {
      continue;
    }
    // Reads of an ordinary file do not heed the open's O_NONBLOCK; a file system that does
    // is told once to block as usual.
    if (error == EAGAIN || error == EWOULDBLOCK) {
      const int flags = ::fcntl(fd, F_GETFL);
      if (flags >= 0 && (flags & O_NONBLOCK) != 0 &&
          ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0) {
        continue;
      }
    }
    return static_cast<HostError>(error);
  }
}

}  // namespace qe2m4::platform
