#include "platform/drive_table.h"

#include <sstream>

#include "platform/host_paths.h"

namespace qe2m4::platform {
namespace {

std::string_view TrimAscii(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) {
    return {};
  }
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

}  // namespace

std::optional<char16_t> DriveLetter(char16_t c) {
  if (c >= u'a' && c <= u'z') {
    return static_cast<char16_t>(c - u'a' + u'A');
  }
  if (c >= u'A' && c <= u'Z') {
    return c;
  }
  return std::nullopt;
}

void DriveTable::Map(char16_t letter, const std::filesystem::path& folder) {
  const auto upper = DriveLetter(letter);
  if (!upper) {
    return;
  }
  if (folder.empty()) {
    entries_.erase(*upper);
  } else {
    entries_[*upper] = folder;
  }
}

std::optional<std::filesystem::path> DriveTable::Folder(char16_t letter) const {
  const auto upper = DriveLetter(letter);
  if (!upper) {
    return std::nullopt;
  }
  const auto it = entries_.find(*upper);
  if (it == entries_.end()) {
    return std::nullopt;
  }
  return it->second;
}

std::optional<DriveAssignment> ParseDriveAssignment(std::string_view text) {
  const std::string_view trimmed = TrimAscii(text);
  const std::size_t equals = trimmed.find('=');
  if (equals == std::string_view::npos || TrimAscii(trimmed.substr(0, equals)).size() != 1) {
    return std::nullopt;
  }
  const auto letter =
      DriveLetter(static_cast<char16_t>(static_cast<unsigned char>(trimmed.front())));
  if (!letter) {
    return std::nullopt;
  }
  return DriveAssignment{*letter, std::string(TrimAscii(trimmed.substr(equals + 1)))};
}

bool DriveTable::ApplyAssignment(std::string_view assignment) {
  const std::optional<DriveAssignment> parsed = ParseDriveAssignment(assignment);
  if (!parsed) {
    return false;
  }
  Map(parsed->letter, HostPathFromUtf8(parsed->folder));
  return true;
}

std::vector<int> DriveTable::ApplySettings(std::string_view text) {
  std::vector<int> bad_lines;
  std::istringstream lines{std::string(text)};
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    const std::string_view content = TrimAscii(line);
    if (content.empty() || content.front() == '#') {
      continue;
    }
    if (!ApplyAssignment(content)) {
      bad_lines.push_back(number);
    }
  }
  return bad_lines;
}

std::filesystem::path DriveSettingsFile() {
  return UserConfigFolder() / "drives.conf";
}

}  // namespace qe2m4::platform
