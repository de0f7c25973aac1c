#include "platform/temporary_names.h"

#include <algorithm>
#include <system_error>

#include "platform/host_path_text.h"
#include "platform/host_paths.h"

namespace qe2m4::platform {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPrefix = ".~";
constexpr std::string_view kSuffix = ".tmp";

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Removes the ordinary files of the folder whose names are temporary names that the test takes.
template <typename Test>
void RemoveTemporaryFilesIf(const fs::path& folder, const Test& test) {
  std::error_code ec;
  for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end;
       !ec && it != end; it.increment(ec)) {
    const std::string name = PathUtf8(it->path().filename());
    std::error_code status_ec;
    if (IsTemporaryName(name) && test(name) &&
        it->symlink_status(status_ec).type() == fs::file_type::regular) {
      std::error_code ignored;
      fs::remove(it->path(), ignored);
    }
  }
}

// A name beside target: its own name between before and after, all on the path's text (the
// additions are ASCII, the same characters on every system).
fs::path Beside(const fs::path& target, std::string_view before, std::string_view after) {
  const fs::path::string_type& text = target.native();
  const std::size_t start = HostNameStart(text);
  fs::path::string_type name;
  name.reserve(text.size() + before.size() + after.size());
  name.append(text, 0, start);
  name.append(before.begin(), before.end());
  name.append(text, start);
  name.append(after.begin(), after.end());
  return fs::path(std::move(name));
}

}  // namespace

fs::path TemporaryName(const fs::path& target, unsigned number) {
  return Beside(target, kPrefix, "." + std::to_string(number) + std::string(kSuffix));
}

fs::path LockFileName(const fs::path& target) {
  return Beside(target, kPrefix, ".lock");
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
  RemoveTemporaryFilesIf(folder, [](std::string_view) { return true; });
}

void RemoveStaleTemporaryFilesOf(const fs::path& target) {
  // ".~NAME." then the number: a name that merely begins like the target's ("NAME.x") has a
  // part that is not all digits there and is left alone.
  const std::string start = std::string(kPrefix) + PathUtf8(target.filename()) + ".";
  RemoveTemporaryFilesIf(target.parent_path(), [&start](std::string_view name) {
    if (!name.starts_with(start)) {
      return false;
    }
    const std::string_view number =
        name.substr(start.size(), name.size() - start.size() - kSuffix.size());
    return !number.empty() && std::all_of(number.begin(), number.end(), IsDigit);
  });
}

}  // namespace qe2m4::platform
