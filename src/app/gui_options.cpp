#include "app/gui_options.h"

#include <array>
#include <string_view>

#include "platform/drive_table.h"
#include "platform/host_paths.h"

namespace qe2m4::app {

namespace {

constexpr std::array<std::string_view, 3> kValueOptions = {"--drive", "--system-dir",
                                                           "--screenshot"};

bool TakesValue(std::string_view option, WindowProgram program) {
  if (option == "--screenshot") {
    // The Windows window's picture is taken from the outside.
    return program == WindowProgram::kLinux;
  }
  for (const std::string_view known : kValueOptions) {
    if (option == known) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::variant<GuiOptions, GuiOptionsError> ParseGuiOptions(const std::vector<std::string>& arguments,
                                                          WindowProgram program) {
  using Kind = GuiOptionsError::Kind;
  GuiOptions options;
  bool only_folders = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    // "/?" asks a Windows program for its help, as it does of Windows's own.
    if (!only_folders && argument == "/?" && program == WindowProgram::kWindows) {
      options.help = true;
      continue;
    }
    if (only_folders || !argument.starts_with("-") || argument == "-") {
      if (options.folder) {
        return GuiOptionsError{Kind::kSecondFolder, argument};
      }
      options.folder = argument;
      continue;
    }
    if (argument == "--") {
      only_folders = true;
      continue;
    }
    if (argument == "--help" || argument == "-h") {
      options.help = true;
      continue;
    }
    // "--option value" or "--option=value".
    const std::size_t equals = argument.find('=');
    const std::string option = argument.substr(0, equals);
    if (!TakesValue(option, program)) {
      return GuiOptionsError{Kind::kUnknownOption, argument};
    }
    std::string value;
    if (equals != std::string::npos) {
      value = argument.substr(equals + 1);
    } else if (i + 1 < arguments.size()) {
      value = arguments[++i];
    } else {
      return GuiOptionsError{Kind::kNeedsValue, argument};
    }
    if (option == "--drive") {
      if (!platform::ParseDriveAssignment(value)) {
        return GuiOptionsError{Kind::kNotADriveAssignment, value};
      }
      options.start_up.drives.push_back(value);
    } else if (option == "--system-dir") {
      if (value.empty()) {
        return GuiOptionsError{Kind::kNeedsValue, option};
      }
      options.start_up.system_folder = value;
    } else {
      if (value.empty()) {
        return GuiOptionsError{Kind::kNeedsValue, option};
      }
      options.screenshot = platform::HostPathFromUtf8(value);
    }
  }
  return options;
}

}  // namespace qe2m4::app
