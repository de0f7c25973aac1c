#include "platform/host_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <random>
#include <stdexcept>
#include <system_error>

#include "platform/error.h"
#include "platform/temporary_names.h"

namespace qe2m4::platform {
namespace {

// Flushes a folder's entries to the disk, so that a rename in it survives a power cut. File
// systems that cannot do this for folders are taken as they are.
int SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    return 0;
  }
  int error = 0;
  if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) {
    error = errno;
  }
  ::close(fd);
  return error;
}

// Room for the longest name written in a destination folder: a temporary name such as
// ".~Titl1.txt.4294967295.tmp", a copied "Titl0?.txt", with a margin.
constexpr std::size_t kRoomForNames = 64;

// The longest level name of the file system that holds path (or of its nearest existing
// folder); NAME_MAX when the system does not say.
std::size_t NameLimit(std::filesystem::path path) {
  for (;;) {
    const long limit = ::pathconf(path.c_str(), _PC_NAME_MAX);
    if (limit > 0) {
      return static_cast<std::size_t>(limit);
    }
    if (!path.has_relative_path() || path == path.parent_path()) {
      return NAME_MAX;
    }
    path = path.parent_path();
  }
}

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

struct AtomicFile::Host {
  UniqueFile file;
};

void CheckHostPathLimits(const std::filesystem::path& folder, const std::u16string& display_path) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(folder, ec);
  const std::size_t name_limit = NameLimit(absolute);
  bool too_long = absolute.native().size() + kRoomForNames >= PATH_MAX;
  for (const std::filesystem::path& level : absolute) {
    too_long = too_long || level.native().size() > name_limit;
  }
  if (too_long) {
    throw SystemError(ErrorKind::kCreateFolder, display_path, ENAMETOOLONG);
  }
}

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
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  UniqueFile file(::fdopen(fd, "rb"));
  if (!file) {
    const int error = errno;
    ::close(fd);
    throw SystemError(ErrorKind::kRead, display_path, error);
  }
  return file;
}

AtomicFile::AtomicFile(std::filesystem::path target, std::u16string display_path,
                       FileOperationHook* hook)
    : target_(std::move(target)),
      display_path_(std::move(display_path)),
      hook_(hook),
      host_(std::make_unique<Host>()) {
  std::error_code ec;
  if (std::filesystem::is_directory(target_, ec)) {
    throw SystemError(ErrorKind::kWrite, display_path_, EISDIR);
  }
  if (const int error = Gate(FileOperation::kOpen)) {
    throw SystemError(ErrorKind::kWrite, display_path_, error);
  }
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary_ = TemporaryName(target_, random());
    // O_EXCL: never reuse or follow an existing name. Mode 0666 lets the umask decide, as for
    // any file the user creates.
    const int fd = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      host_->file.reset(::fdopen(fd, "wb"));
      if (!host_->file) {
        const int error = errno;
        ::close(fd);
        Fail(error);
      }
      return;
    }
    if (errno != EEXIST) {
      const int error = errno;
      temporary_.clear();
      throw SystemError(ErrorKind::kWrite, display_path_, error);
    }
  }
  temporary_.clear();
  throw SystemError(ErrorKind::kWrite, display_path_, EEXIST);
}

AtomicFile::~AtomicFile() {
  // A moved-from file holds no handle: the file it was is owned elsewhere.
  if (!committed_ && host_ != nullptr) {
    host_->file.reset();
    if (!temporary_.empty()) {
      std::error_code ignored;
      std::filesystem::remove(temporary_, ignored);
    }
  }
}

AtomicFile::AtomicFile(AtomicFile&& other) noexcept = default;

int AtomicFile::Gate(FileOperation operation) const {
  return hook_ != nullptr ? hook_->Before(operation, target_) : 0;
}

void AtomicFile::Write(std::string_view bytes) {
  if (bytes.empty()) {
    return;
  }
  if (const int error = Gate(FileOperation::kWrite)) {
    Fail(error);
  }
  if (std::fwrite(bytes.data(), 1, bytes.size(), host_->file.get()) != bytes.size()) {
    Fail(errno);
  }
}

void AtomicFile::MakeDurable() {
  if (const int error = Gate(FileOperation::kFlush)) {
    Fail(error);
  }
  // The bytes reach the disk before the name does: after a crash the target is the old file
  // or the whole new one.
  if (std::fflush(host_->file.get()) != 0 || ::fsync(::fileno(host_->file.get())) != 0) {
    Fail(errno);
  }
  if (std::fclose(host_->file.release()) != 0) {
    Fail(errno);
  }
  durable_ = true;
}

void AtomicFile::Publish() {
  if (!durable_) {
    throw std::logic_error("an output was published before it was made durable");
  }
  if (const int error = Gate(FileOperation::kRename)) {
    Fail(error);
  }
  if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
    Fail(errno);
  }
  committed_ = true;
  if (const int error = SyncFolder(target_.parent_path())) {
    // The new file is in place; only its durability could not be confirmed.
    throw SystemError(ErrorKind::kWrite, display_path_, error);
  }
}

void AtomicFile::Fail(int error_number) {
  throw SystemError(ErrorKind::kWrite, display_path_, error_number);
}

}  // namespace qe2m4::platform
