#include "platform/settings_file.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "platform/error.h"
#include "platform/host_file.h"

namespace qe2m4::platform {

SettingsText ReadSettingsFile(const std::filesystem::path& host, const std::u16string& display_path,
                              std::uintmax_t max_bytes) {
  SettingsText settings;
  std::error_code ec;
  if (std::filesystem::status(host, ec).type() == std::filesystem::file_type::not_found) {
    return settings;
  }
  settings.state = SettingsText::State::kIgnored;
  UniqueFile file;
  try {
    file = OpenForReading(host, display_path);
  } catch (const Error& error) {
    if (error.cause() != ErrorCause::kNotAFile && error.cause() != ErrorCause::kIsAFolder) {
      throw;
    }
    settings.is_folder = error.cause() == ErrorCause::kIsAFolder;
    settings.problem = settings.is_folder ? "a folder, not a file" : "not a regular file";
    return settings;
  }
  // A file whose size tells at once that it is too large is not read at all.
  const std::uintmax_t file_size = std::filesystem::file_size(host, ec);
  if (!ec && file_size > max_bytes) {
    settings.problem = "larger than " + std::to_string(max_bytes) + " bytes";
    settings.too_large = true;
    return settings;
  }
  // One byte more than allowed tells a file that grew too large since; nothing more is read.
  // The text grows as it is read, so that a small file of a large allowance takes little memory.
  std::string content;
  if (!ec) {
    content.reserve(static_cast<std::size_t>(file_size + 1));
  }
  constexpr std::uintmax_t kBlock = 64 * 1024;
  while (content.size() <= max_bytes) {
    const std::size_t start = content.size();
    const auto want = static_cast<std::size_t>(std::min(kBlock, max_bytes + 1 - start));
    content.resize(start + want);
    const std::size_t n = std::fread(content.data() + start, 1, want, file.get());
    content.resize(start + n);
    if (n == 0) {
      break;
    }
  }
  if (std::ferror(file.get())) {
    throw SystemError(ErrorKind::kRead, display_path, errno);
  }
  if (content.size() > max_bytes) {
    settings.problem = "larger than " + std::to_string(max_bytes) + " bytes";
    settings.too_large = true;
    return settings;
  }
  settings.text = std::move(content);
  settings.state = SettingsText::State::kRead;
  return settings;
}

}  // namespace qe2m4::platform
