#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/flock.h"
#include "platform/temporary_names.h"

namespace qe2m4::platform {
namespace {

// Whether an open file is still the one its path names: a holder that was ending may have
// removed the lock file after it was opened here, and a lock on a removed file keeps no one out.
bool StillNamed(int fd, const std::filesystem::path& path) {
  struct stat opened = {};
  struct stat named = {};
  return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
         opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

}  // namespace

FileLock::FileLock(const std::filesystem::path& target) : lock_file_(LockFileName(target)) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    // O_NOFOLLOW: a link planted under the lock file's name is not followed; O_NONBLOCK: a FIFO
    // there does not make the open wait.
    const int fd =
        ::open(lock_file_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
      acquired_ = true;
      return;
    }
    if (!posix::TryExclusiveLock(fd)) {
      ::close(fd);
      return;
    }
    if (StillNamed(fd, lock_file_)) {
      handle_ = fd;
      acquired_ = true;
      return;
    }
    ::close(fd);
  }
  // The lock file came and went a hundred times: writers are starting and ending all the time.
}

FileLock::~FileLock() {
  if (handle_ >= 0) {
    // Removed while still locked, so that no one locks the file on its way out.
    ::unlink(lock_file_.c_str());
    ::close(static_cast<int>(handle_));
  }
}

}  // namespace qe2m4::platform
