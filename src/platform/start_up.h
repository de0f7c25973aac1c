#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "platform/drive_table.h"
#include "platform/file_system.h"

namespace qe2m4::platform {

// drives.conf is read only when it is an ordinary file of at most this many bytes.
inline constexpr std::uintmax_t kDriveSettingsMaxBytes = 1024 * 1024;

// What the user gave one start of a front end: the drives and the system folder for this start
// (the command line's and the window's --drive and --system-dir), as typed, in UTF-8.
struct StartUpOptions {
  std::vector<std::string> drives;  // "L=DIR" in the order given; DIR may be relative
  std::string system_folder;        // a host folder; empty for the host's default
};

// A setting that start-up could not use and went on without. Each front end tells the user in
// its own words and language: the command line on standard error, the window in one box.
struct SettingsWarning {
  enum class Kind {
    kFileIsFolder,           // the settings file is a folder
    kFileNotOrdinary,        // the settings file is not an ordinary file (a FIFO, a device)
    kFileTooLarge,           // the settings file is larger than limit bytes
    kFileUnreadable,         // the settings file cannot be read; reason says why
    kLineNotAssignment,      // line of the settings file is not of the form L=DIR
    kSystemFolderOnNoDrive,  // the default system folder (file) lies on no drive
  };
  Kind kind = Kind::kFileUnreadable;
  std::filesystem::path file;  // the settings file, or the folder
  int line = 0;
  std::uintmax_t limit = 0;
  std::string reason;  // the system's reason, in its own words
};

// An option given for this start that cannot be used: the start does not go on.
struct StartUpError {
  enum class Kind {
    kNotADriveAssignment,    // a --drive value not of the form L=DIR
    kSystemFolderOnNoDrive,  // --system-dir names a folder that lies on no drive
  };
  Kind kind = Kind::kNotADriveAssignment;
  std::string value;  // the option's value as given
};

// The machine one start of a front end runs on, and what it could not use of the settings.
struct StartUp {
  FileSystem file_system;
  std::vector<SettingsWarning> warnings;
};

// The one start-up of every front end (qe2m4, qe2m4-gui, qe2m4-gui.exe), in this order: the
// drive table (the defaults, the user's drives.conf, then the options' drives, each relative
// folder taken from the working folder); the program's folder; the system folder (the one given,
// else the host's default: the Windows system folder, elsewhere the user's configuration folder)
// when a drive holds it; then the drive holding the working folder is current, with the working
// folder as its current folder (else the first usable drive).
std::variant<StartUp, StartUpError> StartFrontEnd(const StartUpOptions& options);

// The drive table of a start: the defaults, the user's drives.conf (what cannot be used of it is
// added to warnings), then the assignments, a relative folder taken from the working folder.
DriveTable StartUpDriveTable(const std::vector<DriveAssignment>& assignments,
                             std::vector<SettingsWarning>& warnings);

// Makes the drive holding the working folder current, with the working folder as that drive's
// current folder; when no usable drive holds it, the first usable drive becomes current.
void EnterWorkingFolder(FileSystem& file_system);

}  // namespace qe2m4::platform
