#include "app/gui_options.h"

#include "platform/drive_table.h"
#include "platform/host_paths.h"

namespace qe2m4::app {

namespace fs = std::filesystem;

namespace {

// An absolute folder without "." levels or a trailing separator ("." gives the working folder).
// The folder is UTF-8 text; it becomes a host path so that every name stays exact on Windows too.
fs::path AbsoluteFolder(const std::string& folder) {
  fs::path path = fs::absolute(platform::HostPathFromUtf8(folder)).lexically_normal();
  if (!path.has_filename() && path != path.root_path()) {
    path = path.parent_path();
  }
  return path;
}

// "L=DIR" with DIR made absolute, so that the drive keeps its folder whatever happens to the
// working folder; "L=" (removing the letter) stays as it is.
std::optional<std::string> DriveAssignment(const std::string& text) {
  if (text.size() < 2 || text[1] != '=' || !platform::DriveLetter(static_cast<char16_t>(text[0]))) {
    return std::nullopt;
  }
  const std::string folder = text.substr(2);
  if (folder.empty()) {
    return text;
  }
  return text.substr(0, 2) + platform::PathUtf8(AbsoluteFolder(folder));
}

}  // namespace

std::optional<GuiOptions> ParseGuiOptions(const std::vector<std::string>& arguments,
                                          std::string& error) {
  GuiOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      options.help = true;
      continue;
    }
    const bool takes_value =
        argument == "--drive" || argument == "--system-dir" || argument == "--screenshot";
    if (!takes_value) {
      error = "unknown option: " + argument;
      return std::nullopt;
    }
    if (i + 1 == arguments.size()) {
      error = argument + " needs a value";
      return std::nullopt;
    }
    const std::string& value = arguments[++i];
    if (argument == "--drive") {
      const auto assignment = DriveAssignment(value);
      if (!assignment) {
        error = "--drive needs L=DIR (a letter A to Z): " + value;
        return std::nullopt;
      }
      options.drive_assignments.push_back(*assignment);
    } else if (argument == "--system-dir") {
      options.system_dir = AbsoluteFolder(value);
    } else {
      options.screenshot = platform::HostPathFromUtf8(value);
    }
  }
  return options;
}

}  // namespace qe2m4::app
