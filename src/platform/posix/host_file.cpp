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

struct AtomicFile::Host {
  UniqueFile file;
};

AtomicFile::AtomicFile(std::filesystem::path target, std::u16string display_path)
    : target_(std::move(target)),
      display_path_(std::move(display_path)),
      host_(std::make_unique<Host>()) {
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
      host_->file.reset(::fdopen(fd, "wb"));
      if (!host_->file) {
        const int error = errno;
        ::close(fd);
        Fail(SystemReason(error));
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
    host_->file.reset();
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
  if (std::fwrite(bytes.data(), 1, bytes.size(), host_->file.get()) != bytes.size()) {
    Fail(SystemReason(errno));
  }
}

void AtomicFile::Commit() {
  if (std::fflush(host_->file.get()) != 0) {
    Fail(SystemReason(errno));
  }
  if (std::fclose(host_->file.release()) != 0) {
    Fail(SystemReason(errno));
  }
  if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
    Fail(SystemReason(errno));
  }
  committed_ = true;
}

void AtomicFile::Fail(const std::string& reason) {
  throw Error(ErrorKind::kWrite, display_path_, reason);
}

std::string ReadHostFile(const std::filesystem::path& file, const std::u16string& display_path) {
  const UniqueFile stream(std::fopen(file.c_str(), "rb"));
  if (!stream) {
    throw Error(ErrorKind::kRead, display_path, SystemReason(errno));
  }
  std::string content;
  char buffer[65536];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, stream.get())) > 0) {
    content.append(buffer, n);
  }
  if (std::ferror(stream.get())) {
    throw Error(ErrorKind::kRead, display_path, SystemReason(errno));
  }
  return content;
}

}  // namespace qe2m4::platform
