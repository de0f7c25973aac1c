#include "platform/posix/flock.h"

#include <sys/file.h>

#include <cerrno>

namespace qe2m4::platform::posix {

bool TryExclusiveLock(int fd) {
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    return true;
  }
  // EWOULDBLOCK: another holder. Anything else: the file system has no locks.
  return errno != EWOULDBLOCK && errno != EINTR;
}

}  // namespace qe2m4::platform::posix
