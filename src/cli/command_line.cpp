#include "cli/command_line.h"

#include <optional>
#include <string_view>

#include "platform/drive_table.h"

namespace qe2m4::cli {
namespace {

constexpr const char* kUsage =
    "usage: qe2m4 convert [--drive L=DIR]... [--system-dir DIR] [--yes] [--quiet] SOURCE DEST\n"
    "       qe2m4 --help | --version\n"
    "\n"
    "Converts the boring in the folder SOURCE (as typed into the window's source box, for\n"
    "example S:\\BORING1) into the folder DEST (for example D:\\TYUJYOU\\A1234\\B\\C).\n"
    "\n"
    "  --drive L=DIR     drive letter L is the host folder DIR for this run (repeatable)\n"
    "  --system-dir DIR  the folder holding Patdat32.ini (default: ~/.config/qe2m4)\n"
    "  --yes             create missing destination folders without asking\n"
    "  --quiet           print only the success text\n"
    "\n"
    "Exit status: 0 converted, 1 refused or failed, 2 bad usage.\n";

// The value of an option given as "--name VALUE" or "--name=VALUE".
std::optional<std::string> OptionValue(std::string_view name,
                                       const std::vector<std::string>& arguments, std::size_t& i) {
  const std::string& argument = arguments[i];
  if (argument == name) {
    if (i + 1 >= arguments.size()) {
      return std::nullopt;
    }
    return arguments[++i];
  }
  return argument.substr(name.size() + 1);
}

bool IsOption(std::string_view argument, std::string_view name) {
  return argument == name ||
         (argument.size() > name.size() && argument.substr(0, name.size()) == name &&
          argument[name.size()] == '=');
}

}  // namespace

const char* UsageText() {
  return kUsage;
}

Command ParseCommandLine(const std::vector<std::string>& arguments) {
  if (arguments.empty()) {
    return UsageError{"no command given"};
  }
  if (arguments.size() == 1 && arguments[0] == "--help") {
    return ShowHelp{};
  }
  if (arguments.size() == 1 && arguments[0] == "--version") {
    return ShowVersion{};
  }
  if (arguments[0] != "convert") {
    return UsageError{"unknown command: " + arguments[0]};
  }
  ConvertOptions options;
  std::vector<std::string> paths;
  bool options_ended = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (options_ended || argument.empty() || argument[0] != '-' || argument == "-") {
      paths.push_back(argument);
    } else if (argument == "--") {
      options_ended = true;
    } else if (argument == "--help") {
      return ShowHelp{};
    } else if (argument == "--yes") {
      options.yes = true;
    } else if (argument == "--quiet") {
      options.quiet = true;
    } else if (IsOption(argument, "--drive")) {
      const auto value = OptionValue("--drive", arguments, i);
      if (!value || !platform::DriveTable().ApplyAssignment(*value)) {
        return UsageError{"--drive needs L=DIR with a drive letter L"};
      }
      options.drives.push_back(*value);
    } else if (IsOption(argument, "--system-dir")) {
      const auto value = OptionValue("--system-dir", arguments, i);
      if (!value || value->empty()) {
        return UsageError{"--system-dir needs a folder"};
      }
      options.system_folder = *value;
    } else {
      return UsageError{"unknown option: " + argument};
    }
  }
  if (paths.size() != 2) {
    return UsageError{"convert needs SOURCE and DEST"};
  }
  options.source = paths[0];
  options.destination = paths[1];
  return options;
}

}  // namespace qe2m4::cli
