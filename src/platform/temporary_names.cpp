#include "platform/temporary_names.h"

#include <system_error>

#include "platform/host_paths.h"

namespace qe2m4::platform {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPrefix = ".~";
constexpr std::string_view kSuffix = ".tmp";

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

fs::path TemporaryName(const fs::path& target, unsigned number) {
  return target.parent_path() /
         HostPathFromUtf8(std::string(kPrefix) + PathUtf8(target.filename()) + "." +
                          std::to_string(number) + std::string(kSuffix));
}

bool IsTemporaryName(std::string_view name) {
  if (name.size() <= kPrefix.size() + kSuffix.size() || !name.starts_with(kPrefix) ||
      !name.ends_with(kSuffix)) {
    return false;
  }
  // Between the prefix and the suffix: the target's name, ".", and the number.
  const std::string_view middle =
      name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
  std::size_t digits = 0;
  while (digits < middle.size() && IsDigit(middle[middle.size() - 1 - digits])) {
    ++digits;
  }
  return digits > 0 && middle.size() >= digits + 2 && middle[middle.size() - 1 - digits] == '.';
}

void RemoveStaleTemporaryFiles(const fs::path& folder) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code status_ec;
    if (IsTemporaryName(PathUtf8(it->path().filename())) &&
        it->symlink_status(status_ec).type() == fs::file_type::regular) {
      std::error_code ignored;
      fs::remove(it->path(), ignored);
    }
  }
}

}  // namespace qe2m4::platform
