#include "platform/start_up.h"

#include <system_error>

#include "platform/error.h"
#include "platform/host_paths.h"
#include "platform/program_location.h"
#include "platform/settings_file.h"

namespace qe2m4::platform {
namespace fs = std::filesystem;

namespace {

// An absolute folder without "." levels or a trailing separator, relative folders taken from
// the working folder: a drive keeps its folder whatever happens to the working folder later.
fs::path AbsoluteFolder(const std::string& folder) {
  const fs::path host = HostPathFromUtf8(folder);
  std::error_code ec;
  fs::path path = fs::absolute(host, ec);
  if (ec) {
    path = host;
  }
  path = path.lexically_normal();
  if (!path.has_filename() && path != path.root_path()) {
    path = path.parent_path();
  }
  return path;
}

// What cannot be used of drives.conf, added to warnings; its assignments applied to table.
void ApplyDriveSettings(DriveTable& table, std::vector<SettingsWarning>& warnings) {
  const fs::path settings = DriveSettingsFile();
  SettingsText text;
  try {
    text = ReadSettingsFile(settings, PathText(settings), kDriveSettingsMaxBytes);
  } catch (const Error& error) {
    warnings.push_back({SettingsWarning::Kind::kFileUnreadable, settings, 0, 0, error.reason()});
    return;
  }
  if (text.state == SettingsText::State::kIgnored) {
    const SettingsWarning::Kind kind = text.too_large   ? SettingsWarning::Kind::kFileTooLarge
                                       : text.is_folder ? SettingsWarning::Kind::kFileIsFolder
                                                        : SettingsWarning::Kind::kFileNotOrdinary;
    warnings.push_back({kind, settings, 0, kDriveSettingsMaxBytes, {}});
    return;
  }
  for (const int line : table.ApplySettings(text.text)) {
    warnings.push_back({SettingsWarning::Kind::kLineNotAssignment, settings, line, 0, {}});
  }
}

}  // namespace

DriveTable StartUpDriveTable(const std::vector<DriveAssignment>& assignments,
                             std::vector<SettingsWarning>& warnings) {
  DriveTable table = DriveTable::Defaults();
  ApplyDriveSettings(table, warnings);
  for (const DriveAssignment& assignment : assignments) {
    table.Map(assignment.letter,
              assignment.folder.empty() ? fs::path() : AbsoluteFolder(assignment.folder));
  }
  return table;
}

std::variant<StartUp, StartUpError> StartFrontEnd(const StartUpOptions& options) {
  std::vector<DriveAssignment> assignments;
  for (const std::string& text : options.drives) {
    const std::optional<DriveAssignment> assignment = ParseDriveAssignment(text);
    if (!assignment) {
      return StartUpError{StartUpError::Kind::kNotADriveAssignment, text};
    }
    assignments.push_back(*assignment);
  }
  std::vector<SettingsWarning> warnings;
  DriveTable drives = StartUpDriveTable(assignments, warnings);
  StartUp start{FileSystem(std::move(drives)), std::move(warnings)};
  FileSystem& file_system = start.file_system;

  if (const auto location = ProgramLocation()) {
    if (const auto path = file_system.ToDrivePath(*location)) {
      file_system.SetProgramFolder(*path);
    }
  }
  const fs::path system_folder =
      options.system_folder.empty() ? DefaultSystemFolder() : AbsoluteFolder(options.system_folder);
  if (const auto path = file_system.ToDrivePath(system_folder)) {
    file_system.SetSystemFolder(*path);
  } else if (!options.system_folder.empty()) {
    return StartUpError{StartUpError::Kind::kSystemFolderOnNoDrive, options.system_folder};
  } else {
    SettingsWarning warning;
    warning.kind = SettingsWarning::Kind::kSystemFolderOnNoDrive;
    warning.file = system_folder;
    start.warnings.push_back(std::move(warning));
  }
  EnterWorkingFolder(file_system);
  return start;
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
