#include "common/counted_copy.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/error.h"
#include "platform/file_system.h"

namespace qe2m4 {
namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

}  // namespace

void LineCounter::Add(std::string_view bytes) {
  if (bytes.empty()) {
    return;
  }
  std::size_t i = 0;
  if (after_cr_ && bytes.front() == '\n') {
    i = 1;  // the LF of a CR LF that a block cut in two: the CR counted already
  }
  for (; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      ++ends_;
    } else if (bytes[i] == '\r') {
      ++ends_;
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
        ++i;
      }
    }
  }
  const char last = bytes.back();
  after_cr_ = last == '\r';
  open_line_ = last != '\r' && last != '\n';
}

std::int64_t LineCounter::lines() const {
  return ends_ + (open_line_ ? 1 : 0);
}

std::int64_t CopyCountingLines(const platform::FileSystem& file_system,
                               const platform::DrivePath& from, const platform::DrivePath& to) {
  const std::filesystem::path target = file_system.Resolve(to);
  platform::FileOperationHook* const hook = file_system.operation_hook();
  if (const int error =
          hook != nullptr ? hook->Before(platform::FileOperation::kCopy, target) : 0) {
    throw platform::SystemError(platform::ErrorKind::kCopy, to.Text(), error);
  }
  LineCounter counter;
  try {
    platform::InputFile input = file_system.OpenInput(from, platform::LastLevelLink::kRefuse);
    platform::AtomicFile output(target, to.Text(), hook);
    // A file smaller than a block is copied through a buffer just larger than it.
    const std::optional<std::uintmax_t> size = input.size();
    constexpr std::uintmax_t kSmallest = 256;
    std::vector<char> block(static_cast<std::size_t>(
        size ? std::min<std::uintmax_t>(kBlockSize, std::max(*size + 1, kSmallest)) : kBlockSize));
    for (std::size_t n = 0; (n = input.Read(block.data(), block.size())) > 0;) {
      const std::string_view bytes(block.data(), n);
      counter.Add(bytes);
      output.Write(bytes);
    }
    output.Commit();
  } catch (const platform::Error& error) {
    throw platform::Error(platform::ErrorKind::kCopy, error.path(), error.cause(), error.reason());
  }
  return counter.lines();
}

}  // namespace qe2m4
