#include "cli/machine_options.h"

#include <CLI/CLI.hpp>
#include <variant>

#include "app/start_up_messages.h"
#include "catalogue/catalogue.h"
#include "cli/console.h"
#include "platform/drive_table.h"
#include "platform/host_paths.h"

namespace qe2m4::cli {

std::u16string ArgumentText(const std::string& argument) {
  return platform::PathText(platform::HostPathFromUtf8(argument));
}

void AddMachineOptions(CLI::App& command, MachineOptions& options) {
  const CLI::Validator drive_assignment(
      [](const std::string& value) {
        return platform::ParseDriveAssignment(value)
                   ? std::string()
                   : std::string(catalogue::Text(catalogue::TextId::kCliErrorDriveAssignment));
      },
      "");
  command.add_option("--drive", options.drives)
      ->type_name("L=DIR")
      ->allow_extra_args(false)
      ->check(drive_assignment);
  command.add_option("--system-dir", options.system_folder)
      ->type_name("DIR")
      ->check(CLI::Validator(
          [](const std::string& value) {
            return value.empty()
                       ? std::string(catalogue::Text(catalogue::TextId::kCliErrorNeedsFolder))
                       : std::string();
          },
          ""));
}

std::optional<platform::FileSystem> PrepareFileSystem(const MachineOptions& options,
                                                      std::FILE* messages) {
  std::variant<platform::StartUp, platform::StartUpError> start = platform::StartFrontEnd(options);
  if (const auto* error = std::get_if<platform::StartUpError>(&start)) {
    WriteText(messages, "qe2m4: " + app::StartUpErrorText(*error) + "\n");
    return std::nullopt;
  }
  platform::StartUp& started = std::get<platform::StartUp>(start);
  for (const platform::SettingsWarning& warning : started.warnings) {
    WriteText(messages, "qe2m4: " + app::SettingsWarningText(warning) + "\n");
  }
  return std::move(started.file_system);
}

}  // namespace qe2m4::cli
