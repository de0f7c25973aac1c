#include "platform/settings_file.h"

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
    settings.problem =
        error.cause() == ErrorCause::kIsAFolder ? "a folder, not a file" : "not a regular file";
    return settings;
  }
  // One byte more than allowed tells a file that is too large; nothing more is read.
  std::string content(max_bytes + 1, '\0');
  std::size_t size = 0;
  while (size < content.size()) {
    const std::size_t n = std::fread(content.data() + size, 1, content.size() - size, file.get());
    if (n == 0) {
      break;
    }
    size += n;
  }
  if (std::ferror(file.get())) {
    throw SystemError(ErrorKind::kRead, display_path, errno);
  }
  if (size > max_bytes) {
    settings.problem = "larger than " + std::to_string(max_bytes) + " bytes";
    settings.too_large = true;
    return settings;
  }
  content.resize(size);
  settings.text = std::move(content);
  settings.state = SettingsText::State::kRead;
  return settings;
}

}  // namespace qe2m4::platform
