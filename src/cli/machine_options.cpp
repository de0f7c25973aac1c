#include "cli/machine_options.h"

#include <CLI/CLI.hpp>
#include <filesystem>

#include "cli/console.h"
#include "platform/drive_table.h"
#include "platform/host_paths.h"
#include "platform/program_location.h"
#include "platform/start_up.h"

namespace qe2m4::cli {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
constexpr const char* kSystemFolderHelp =
    "the folder holding Patdat32.ini (default: the Windows system folder, SysWOW64 on 64-bit "
    "Windows)";
#else
constexpr const char* kSystemFolderHelp =
    "the folder holding Patdat32.ini (default: ~/.config/qe2m4)";
#endif

fs::path Absolute(const std::string& folder) {
  std::error_code ec;
  const fs::path host = platform::HostPathFromUtf8(folder);
  const fs::path absolute = fs::absolute(host, ec);
  return ec ? host : absolute;
}

}  // namespace

std::u16string ArgumentText(const std::string& argument) {
  return platform::PathText(platform::HostPathFromUtf8(argument));
}

void AddMachineOptions(CLI::App& command, MachineOptions& options) {
  const CLI::Validator drive_assignment(
      [](const std::string& value) {
        return platform::DriveTable().ApplyAssignment(value)
                   ? std::string()
                   : std::string("needs L=DIR with a drive letter L");
      },
      "");
  command
      .add_option("--drive", options.drives,
                  "drive letter L is the host folder DIR for this run (repeatable)")
      ->type_name("L=DIR")
      ->allow_extra_args(false)
      ->check(drive_assignment);
  command.add_option("--system-dir", options.system_folder, kSystemFolderHelp)
      ->type_name("DIR")
      ->check(CLI::Validator(
          [](const std::string& value) {
            return value.empty() ? std::string("needs a folder") : std::string();
          },
          ""));
}

std::optional<platform::FileSystem> PrepareFileSystem(const MachineOptions& options,
                                                      std::FILE* messages) {
  std::vector<std::string> problems;
  platform::FileSystem file_system(platform::StartUpDriveTable(options.drives, problems));
  for (const std::string& problem : problems) {
    WriteText(messages, "qe2m4: " + problem + "\n");
  }

  const fs::path system_folder = options.system_folder.empty() ? platform::DefaultSystemFolder()
                                                               : Absolute(options.system_folder);
  if (const auto path = file_system.ToDrivePath(system_folder)) {
    file_system.SetSystemFolder(*path);
  } else if (!options.system_folder.empty()) {
    WriteText(messages, "qe2m4: no drive holds the system folder " +
                            platform::PathUtf8(system_folder) + "\n");
    return std::nullopt;
  }
  if (const auto location = platform::ProgramLocation()) {
    if (const auto path = file_system.ToDrivePath(*location)) {
      file_system.SetProgramFolder(*path);
    }
  }
  platform::EnterWorkingFolder(file_system);
  return file_system;
}

}  // namespace qe2m4::cli
