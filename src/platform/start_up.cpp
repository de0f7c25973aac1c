#include "platform/start_up.h"

#include <system_error>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/host_paths.h"
#include "platform/settings_file.h"

namespace qe2m4::platform {
namespace fs = std::filesystem;

namespace {

// Blanks around a folder are not part of it, in drives.conf as on the command line.
std::string TrimBlanks(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

DriveTable StartUpDriveTable(const std::vector<std::string>& assignments,
                             std::vector<std::string>& problems) {
  DriveTable table = DriveTable::Defaults();
  const fs::path settings = DriveSettingsFile();
  try {
    const SettingsText text =
        ReadSettingsFile(settings, PathText(settings), kDriveSettingsMaxBytes);
    if (text.state == SettingsText::State::kIgnored) {
      problems.push_back(PathUtf8(settings) + ": " + text.problem + "; ignored");
    }
    for (const int line : table.ApplySettings(text.text)) {
      problems.push_back(PathUtf8(settings) + ":" + std::to_string(line) +
                         ": not of the form L=DIR; ignored");
    }
  } catch (const Error& error) {
    problems.push_back(PathUtf8(settings) + ": " + error.reason() + "; ignored");
  }
  for (const std::string& assignment : assignments) {
    const std::size_t equals = assignment.find('=');
    std::string folder =
        equals == std::string::npos ? std::string() : TrimBlanks(assignment.substr(equals + 1));
    std::error_code ec;
    if (!folder.empty() && HostPathFromUtf8(folder).is_relative()) {
      const fs::path absolute = fs::absolute(HostPathFromUtf8(folder), ec);
      if (!ec) {
        folder = PathUtf8(absolute.lexically_normal());
      }
    }
    if (equals == std::string::npos ||
        !table.ApplyAssignment(assignment.substr(0, equals + 1) + folder)) {
      problems.push_back("--drive " + assignment + ": not of the form L=DIR; ignored");
    }
  }
  return table;
}

void EnterWorkingFolder(FileSystem& file_system) {
  std::error_code ec;
  const fs::path working = fs::current_path(ec);
  if (!ec) {
    if (const auto path = file_system.ToDrivePath(working)) {
      try {
        file_system.SetCurrentDrive(path->front());
        file_system.SetCurrentFolder(*path);
        return;
      } catch (const Error&) {
        // The working folder cannot be reached through its drive: fall back below.
      }
    }
  }
  const std::vector<char16_t> usable = file_system.UsableDrives();
  if (!usable.empty()) {
    file_system.SetCurrentDrive(usable.front());
  }
}

}  // namespace qe2m4::platform
