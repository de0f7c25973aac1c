#include "platform/host_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/error.h"

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

}  // namespace

UniqueFile OpenForReading(const std::filesystem::path& host, const std::u16string& display_path,
                          LastLevelLink link) {
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
  struct stat status = {};
  const int error = ::fstat(fd, &status) == 0 ? 0 : errno;
  if (error != 0 || !S_ISREG(status.st_mode)) {
    const bool folder = S_ISDIR(status.st_mode);
    ::close(fd);
    if (folder) {
      throw SystemError(ErrorKind::kRead, display_path, EISDIR);
    }
    throw Error(ErrorKind::kRead, display_path, error != 0 ? CauseOf(error) : ErrorCause::kNotAFile,
                error != 0 ? SystemReason(error) : "not a regular file");
  }
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

}  // namespace qe2m4::platform
