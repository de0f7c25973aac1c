#include "platform/settings_file.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "platform/error.h"
#include "platform/host_file.h"
#include "platform/host_input.h"

namespace qe2m4::platform {

SettingsText ReadSettingsFile(const std::filesystem::path& host, const std::u16string& display_path,
                              std::uintmax_t max_bytes) {
  SettingsText settings;
  std::optional<HostInput> file;
  try {
    file.emplace(host, display_path, LastLevelLink::kFollow);
  } catch (const Error& error) {
    // Nothing there, or a level above that is a file: the settings file is missing. The open
    // tells it, so the system is not asked beforehand.
    if (error.cause() == ErrorCause::kNotFound || error.cause() == ErrorCause::kNotAFolder) {
      return settings;
    }
    if (error.cause() != ErrorCause::kNotAFile && error.cause() != ErrorCause::kIsAFolder) {
      throw;
    }
    settings.state = SettingsText::State::kIgnored;
    settings.is_folder = error.cause() == ErrorCause::kIsAFolder;
    settings.problem = settings.is_folder ? "a folder, not a file" : "not a regular file";
    return settings;
  }
  settings.state = SettingsText::State::kIgnored;
  // A file whose size tells at once that it is too large is not read at all.
  std::optional<std::uintmax_t> file_size = file->size();
  if (!file_size) {
    std::error_code ec;
    file_size = std::filesystem::file_size(host, ec);
    if (ec) {
      file_size.reset();
    }
  }
  if (file_size && *file_size > max_bytes) {
    settings.problem = "larger than " + std::to_string(max_bytes) + " bytes";
    settings.too_large = true;
    return settings;
  }
  // One byte more than allowed tells a file that grew too large since; nothing more is read.
  // The text grows as it is read, so that a small file of a large allowance takes little memory.
  // A read that comes up short once the size is read ends the file.
  std::string content;
  if (file_size) {
    content.reserve(static_cast<std::size_t>(*file_size + 1));
  }
  // A file of known size is read in a block just larger than it (settings files are tiny).
  constexpr std::uintmax_t kSmallest = 256;
  const std::uintmax_t block = std::min<std::uintmax_t>(
      64 * 1024, file_size ? std::max(*file_size + 1, kSmallest) : 64 * 1024);
  while (content.size() <= max_bytes) {
    const std::size_t start = content.size();
    const auto want = static_cast<std::size_t>(std::min(block, max_bytes + 1 - start));
    content.resize(start + want);
    std::size_t n = 0;
    if (const HostError error = file->Read(content.data() + start, want, n)) {
      throw HostFailure(ErrorKind::kRead, display_path, error);
    }
    content.resize(start + n);
    if (n == 0 || (n < want && file_size && content.size() >= *file_size)) {
      break;
    }
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
