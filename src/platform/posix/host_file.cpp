#include "platform/host_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <system_error>

#include "platform/error.h"

namespace qe2m4::platform {
namespace {

// A name in the target's folder that listings never show (it starts with ".").
std::filesystem::path TemporaryName(const std::filesystem::path& target, unsigned number) {
  return target.parent_path() /
         (".~" + target.filename().string() + "." + std::to_string(number) + ".tmp");
}

}  // namespace

InputFile::InputFile(const std::filesystem::path& host, std::u16string display_path)
    : display_path_(std::move(display_path)) {
  const int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    throw Error(ErrorKind::kRead, display_path_, SystemReason(errno));
  }
  file_.reset(::fdopen(fd, "rb"));
  if (!file_) {
    const int error = errno;
    ::close(fd);
    throw Error(ErrorKind::kRead, display_path_, SystemReason(error));
  }
}

std::size_t InputFile::Read(char* buffer, std::size_t size) {
  const std::size_t n = std::fread(buffer, 1, size, file_.get());
  if (n < size && std::ferror(file_.get())) {
    throw Error(ErrorKind::kRead, display_path_, SystemReason(errno));
  }
  return n;
}

AtomicFile::AtomicFile(std::filesystem::path target, std::u16string display_path)
    : target_(std::move(target)), display_path_(std::move(display_path)) {
  std::error_code ec;
  if (std::filesystem::is_directory(target_, ec)) {
    throw Error(ErrorKind::kWrite, display_path_, SystemReason(EISDIR));
  }
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary_ = TemporaryName(target_, random());
    // O_EXCL: never reuse or follow an existing name. Mode 0666 lets the umask decide, as for
    // any file the user creates.
    const int fd = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      file_.reset(::fdopen(fd, "wb"));
      if (!file_) {
        const int error = errno;
        ::close(fd);
        Fail(error);
      }
      return;
    }
    if (errno != EEXIST) {
      const int error = errno;
      temporary_.clear();
      throw Error(ErrorKind::kWrite, display_path_, SystemReason(error));
    }
  }
  temporary_.clear();
  throw Error(ErrorKind::kWrite, display_path_, SystemReason(EEXIST));
}

AtomicFile::~AtomicFile() {
  if (!committed_) {
    file_.reset();
    if (!temporary_.empty()) {
      std::error_code ignored;
      std::filesystem::remove(temporary_, ignored);
    }
  }
}

void AtomicFile::Write(std::string_view bytes) {
  if (bytes.empty()) {
    return;
  }
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size()) {
    Fail(errno);
  }
}

void AtomicFile::Commit() {
  if (std::fflush(file_.get()) != 0) {
    Fail(errno);
  }
  if (std::fclose(file_.release()) != 0) {
    Fail(errno);
  }
  if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
    Fail(errno);
  }
  committed_ = true;
}

void AtomicFile::Fail(int error_number) {
  throw Error(ErrorKind::kWrite, display_path_, SystemReason(error_number));
}

}  // namespace qe2m4::platform
