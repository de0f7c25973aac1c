#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/start_up.h"

namespace qe2m4::app {

// Which window program: the Qt window of Linux (qe2m4-gui, which also takes pictures of
// itself) or the Win32 window (qe2m4-gui.exe).
enum class WindowProgram { kLinux, kWindows };

// The options of the window program (after the toolkit has taken its own): the start-up's
// drives and system folder, a folder to open as the source, a picture to take, or the help.
struct GuiOptions {
  platform::StartUpOptions start_up;
  std::optional<std::string> folder;  // the source folder, as given (UTF-8)
  std::optional<std::filesystem::path> screenshot;
  bool help = false;
};

// What is wrong with the window program's arguments.
struct GuiOptionsError {
  enum class Kind {
    kUnknownOption,        // argument is no option of the window
    kNeedsValue,           // argument is an option whose value is missing
    kNotADriveAssignment,  // argument is the value of --drive, not of the form L=DIR
    kSecondFolder,         // argument is a second folder (one source at a time)
  };
  Kind kind = Kind::kUnknownOption;
  std::string argument;  // as given (UTF-8)
};

// Reads the arguments after the program's name: "--drive L=DIR" (repeatable), "--system-dir
// DIR", "--screenshot FILE" (the Linux window's only; each also as "--option=value"), "--help"
// or "-h" (also "/?" on Windows), and at most one folder (a drop on the program, a shortcut, the
// Send To menu); after
// "--" every argument is a folder. --drive's value is read as the command line reads it.
std::variant<GuiOptions, GuiOptionsError> ParseGuiOptions(const std::vector<std::string>& arguments,
                                                          WindowProgram program);

}  // namespace qe2m4::app
