#include "platform/host_paths.h"

#include <algorithm>
#include <system_error>

#include "platform/byte_names.h"
#include "platform/cp932.h"
#include "platform/names.h"

namespace qe2m4::platform {

std::filesystem::path HostPath(std::u16string_view text) {
  return std::filesystem::path(EncodeByteName(text));
}

std::u16string PathText(const std::filesystem::path& host) {
  // Level by level: one path may hold UTF-8 levels and CP932 levels side by side. "/" is never
  // part of a UTF-8 or CP932 character, so the levels are found before they are read.
  const std::string& bytes = host.native();
  std::u16string text;
  text.reserve(bytes.size());
  for (std::size_t start = 0; start <= bytes.size();) {
    std::size_t end = bytes.find('/', start);
    if (end == std::string::npos) {
      end = bytes.size();
    }
    text += DecodeByteName(std::string_view(bytes).substr(start, end - start));
    if (end < bytes.size()) {
      text += u'/';
    }
    start = end + 1;
  }
  return text;
}

std::vector<std::filesystem::path> HostNameForms(std::u16string_view name) {
  std::vector<std::filesystem::path> forms{HostPath(name)};
  // ASCII is the same bytes in CP932: most names have one form.
  if (std::all_of(name.begin(), name.end(), [](char16_t c) { return c < 0x80; })) {
    return forms;
  }
  // A name from a Windows archive: its CP932 bytes, when they read as this very text.
  std::string cp932 = EncodeCp932(name);
  if (cp932 != forms.front().native() && DecodeByteName(cp932) == name) {
    forms.emplace_back(std::move(cp932));
  }
  return forms;
}

std::filesystem::path HostPathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::string(text));
}

std::string PathUtf8(const std::filesystem::path& host) {
  return host.native();
}

std::optional<NameProblem> HostNameProblem(std::u16string_view name) {
  return ControlCharacterProblem(name);
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

bool HostNamesIgnoreCase() {
  return false;  // names are bytes, matched exactly
}

}  // namespace qe2m4::platform
