#include "platform/input_file.h"

#include <cerrno>
#include <cstdio>

#include "platform/error.h"

namespace qe2m4::platform {

InputFile::InputFile(const std::filesystem::path& host, std::u16string display_path,
                     FileOperationHook* hook, LastLevelLink link)
    : host_(host),
      display_path_(std::move(display_path)),
      hook_(hook),
      file_(OpenForReading(host_, display_path_, link)) {}

std::size_t InputFile::Read(char* buffer, std::size_t size) {
  if (const int error = hook_ != nullptr ? hook_->Before(FileOperation::kRead, host_) : 0) {
    throw SystemError(ErrorKind::kRead, display_path_, error);
  }
  const std::size_t n = std::fread(buffer, 1, size, file_.get());
  if (n < size && std::ferror(file_.get())) {
    throw SystemError(ErrorKind::kRead, display_path_, errno);
  }
  return n;
}

}  // namespace qe2m4::platform
