#include "platform/destination_lock.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/error.h"
#include "platform/posix/flock.h"

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
  acquired_ = posix::TryExclusiveLock(fd);
}

DestinationLock::~DestinationLock() {
  if (handle_ >= 0) {
    ::close(static_cast<int>(handle_));
  }
}

}  // namespace qe2m4::platform
