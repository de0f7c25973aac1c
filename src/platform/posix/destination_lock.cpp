#include "platform/destination_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/error.h"

namespace qe2m4::platform {

DestinationLock::DestinationLock(const std::filesystem::path& folder,
                                 const std::u16string& display_path) {
  // flock on the folder itself: no lock file to leave behind, and every alias of the folder
  // (links, bind mounts, other drive letters) meets the same lock.
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    throw SystemError(ErrorKind::kWrite, display_path, errno);
  }
  handle_ = fd;
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    acquired_ = true;
  } else {
    // EWOULDBLOCK: another run holds it. Anything else: the file system has no locks.
    acquired_ = errno != EWOULDBLOCK && errno != EINTR;
  }
}

DestinationLock::~DestinationLock() {
  if (handle_ >= 0) {
    ::close(static_cast<int>(handle_));
  }
}

}  // namespace qe2m4::platform
