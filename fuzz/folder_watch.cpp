#include "folder_watch.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace qe2m4::fuzz {

namespace {

// Everything that changes a folder's entries or a file's bytes or attributes; reading and
// opening to read are left out, as the conversion reads the source all the time.
constexpr std::uint32_t kChanges = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_CREATE | IN_DELETE |
                                   IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;

[[noreturn]] void Fail(const char* what) {
  std::perror(what);
  std::abort();
}

}  // namespace

FolderWatch::FolderWatch() : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
  if (fd_ < 0) {
    Fail("inotify_init1");
  }
  // Room for a few dozen folders, so that watching them once allocates nothing later.
  descriptors_.reserve(32);
  folders_.reserve(32);
}

FolderWatch::~FolderWatch() {
  ::close(fd_);
}

std::size_t FolderWatch::Watch(const std::filesystem::path& folder) {
  const int descriptor = ::inotify_add_watch(fd_, folder.c_str(), kChanges | IN_ONLYDIR);
  if (descriptor < 0) {
    Fail(folder.c_str());
  }
  descriptors_.push_back(descriptor);
  folders_.push_back(folder);
  return folders_.size() - 1;
}

void FolderWatch::Clear() {
  for (const int descriptor : descriptors_) {
    ::inotify_rm_watch(fd_, descriptor);  // fails only for a folder already gone
  }
  descriptors_.clear();
  folders_.clear();
}

std::size_t FolderWatch::ReadEvents() {
  for (;;) {
    const ::ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
    if (n >= 0) {
      return static_cast<std::size_t>(n);
    }
    if (errno == EAGAIN) {
      return 0;
    }
    if (errno != EINTR) {
      Fail("read of inotify events");
    }
  }
}

std::size_t FolderWatch::FolderOf(int descriptor) const {
  return static_cast<std::size_t>(std::distance(
      descriptors_.begin(), std::find(descriptors_.begin(), descriptors_.end(), descriptor)));
}

}  // namespace qe2m4::fuzz
