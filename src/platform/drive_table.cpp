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

bool DriveTable::ApplyAssignment(std::string_view assignment) {
  const std::string_view text = TrimAscii(assignment);
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos || TrimAscii(text.substr(0, equals)).size() != 1) {
    return false;
  }
  const auto letter = DriveLetter(static_cast<char16_t>(static_cast<unsigned char>(text[0])));
  if (!letter) {
    return false;
  }
  Map(*letter, HostPathFromUtf8(TrimAscii(text.substr(equals + 1))));
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
