#include "platform/host_paths.h"

#include <system_error>

#include "platform/utf8.h"

namespace qe2m4::platform {

std::filesystem::path HostPath(std::u16string_view text) {
  return std::filesystem::path(ToUtf8(text));
}

std::u16string PathText(const std::filesystem::path& host) {
  return FromUtf8(host.native());
}

std::filesystem::path HostPathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::string(text));
}

std::string PathUtf8(const std::filesystem::path& host) {
  return host.native();
}

std::optional<std::string> HostNameProblem(std::u16string_view) {
  return std::nullopt;
}

std::optional<std::filesystem::path> StoredEntry(const std::filesystem::path& folder,
                                                 const std::filesystem::path& name) {
  std::error_code ec;
  std::filesystem::path entry = folder / name;
  if (!std::filesystem::exists(std::filesystem::symlink_status(entry, ec))) {
    return std::nullopt;
  }
  return entry;
}

bool HostIsLink(const std::filesystem::path& entry) {
  std::error_code ec;
  return std::filesystem::is_symlink(std::filesystem::symlink_status(entry, ec));
}

bool HostFolderReady(const std::filesystem::path& folder) {
  std::error_code ec;
  return std::filesystem::is_directory(folder, ec);
}

std::optional<std::u16string> HostVolumeName(const std::filesystem::path&) {
  // A drive here is a folder the user mapped; the folder itself is the name to show.
  return std::nullopt;
}

}  // namespace qe2m4::platform
