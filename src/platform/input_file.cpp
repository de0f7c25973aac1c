#include "platform/input_file.h"

#include "platform/error.h"

namespace qe2m4::platform {

InputFile::InputFile(const std::filesystem::path& host, std::u16string display_path,
                     FileOperationHook* hook, LastLevelLink link)
    : host_(host),
      display_path_(std::move(display_path)),
      hook_(hook),
      file_(host_, display_path_, link) {}

std::size_t InputFile::Read(char* buffer, std::size_t size) {
  if (const int error = hook_ != nullptr ? hook_->Before(FileOperation::kRead, host_) : 0) {
    throw SystemError(ErrorKind::kRead, display_path_, error);
  }
  std::size_t total = 0;
  while (total < size && !at_end_) {
    std::size_t n = 0;
    if (const HostError error = file_.Read(buffer + total, size - total, n)) {
      throw HostFailure(ErrorKind::kRead, display_path_, error);
    }
    total += n;
    read_ += n;
    // A short read once the size the open saw is read is the end (an ordinary file comes up
    // short only there); before that size it may be a file that shrank, read on to a 0.
    const auto opened_size = file_.size();
    at_end_ = n == 0 || (total < size && opened_size && read_ >= *opened_size);
  }
  return total;
}

}  // namespace qe2m4::platform
