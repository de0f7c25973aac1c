#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/gui_help.h"
#include "app/gui_options.h"
#include "catalogue/catalogue.h"
#include "platform/start_up.h"

namespace qe2m4::app {

// What the window acts on once it shows: the folder it was given, and what start-up could not
// use of the settings.
struct WindowStart {
  std::optional<std::string> folder;  // the folder argument, as given (UTF-8)
  std::vector<platform::SettingsWarning> warnings;
};

// The window program's start before any window, the same for every view: the help asked for
// (shown, and the program ends with 0), the arguments or options that cannot be used (told with
// the help, and the program ends with 2), or the machine to open the window on.
struct ShowGuiHelp {
  std::u16string text;
};
struct GuiUsageError {
  std::u16string text;  // what is wrong, a blank line, then the help
};
struct OpenWindow {
  platform::FileSystem file_system;
  WindowStart start;
  std::optional<std::filesystem::path> screenshot;  // take a picture of the window and end
};
using WindowLaunch = std::variant<ShowGuiHelp, GuiUsageError, OpenWindow>;
WindowLaunch LaunchWindow(const std::vector<std::string>& arguments, WindowProgram program);

// Why the folder argument cannot be the source.
enum class FolderArgumentProblem {
  kOnNoDrive,   // a host folder that no drive holds
  kNotFound,    // nothing there
  kNotAFolder,  // a file, not a folder
};

// The drive path the folder argument stands for: what the system's path names (a relative one
// from the working folder), through the drive that holds it; where nothing is there, a path of
// the program's own drives ("S:\BORING1", "S:/BORING1") whose drive is usable, as the path boxes
// take it.
std::variant<std::u16string, FolderArgumentProblem> FolderArgumentPath(
    const platform::FileSystem& file_system, std::string_view argument);

// The message that tells why the folder argument is not opened, naming it as given.
std::u16string FolderArgumentMessage(FolderArgumentProblem problem, std::string_view argument,
                                     catalogue::Language language = catalogue::UserLanguage());

// The settings warnings in the one box the window shows them in: a heading, then each warning
// on a line of its own; nullopt when there are none.
std::optional<std::u16string> SettingsWarningsMessage(
    const std::vector<platform::SettingsWarning>& warnings,
    catalogue::Language language = catalogue::UserLanguage());

}  // namespace qe2m4::app
