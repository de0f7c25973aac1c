#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qe2m4::platform {

// Drive letters as the program sees them: each letter A to Z may name a host folder.
//
// The table comes from, in rising precedence: the system's defaults, the user's settings file,
// and assignments made for one run (the command line's --drive L=DIR). On Windows every letter
// is its own root by default; elsewhere C: is the home folder and Z: the root folder.
class DriveTable {
 public:
  // An empty table: no letter mapped.
  DriveTable() = default;

  // The defaults: on Windows each letter L is "L:\"; elsewhere C: is the home folder ($HOME)
  // when it is set and Z: is "/".
  static DriveTable Defaults();

  // Maps letter (either case) to a host folder; an empty folder removes the mapping.
  void Map(char16_t letter, const std::filesystem::path& folder);
  // The host folder of a letter, if mapped.
  std::optional<std::filesystem::path> Folder(char16_t letter) const;
  const std::map<char16_t, std::filesystem::path>& entries() const { return entries_; }

  // Applies the lines of a settings file: "L=DIR" per line, blank lines and lines starting
  // with "#" ignored; "L=" removes the letter. Returns the line numbers (from 1) that are not
  // of that form, so the caller can report them.
  std::vector<int> ApplySettings(std::string_view text);

  // Applies one assignment "L=DIR" (DIR in UTF-8); false when it is not of that form.
  bool ApplyAssignment(std::string_view assignment);

 private:
  std::map<char16_t, std::filesystem::path> entries_;  // upper-case letter -> folder
};

// Upper-case letter for 'a'..'z' / 'A'..'Z'; nullopt for anything else.
std::optional<char16_t> DriveLetter(char16_t c);

// One assignment "L=DIR" as the user writes it (the command line's --drive, a line of
// drives.conf): a letter A to Z in either case, "=", and a host folder in UTF-8, with blanks
// around the letter and the folder not counting. An empty folder removes the letter.
struct DriveAssignment {
  char16_t letter = 0;  // upper case
  std::string folder;
};
// The assignment a text holds; nullopt when it is not of the form L=DIR. The one reading of
// "L=DIR" for every front end and the settings file.
std::optional<DriveAssignment> ParseDriveAssignment(std::string_view text);

// The user's configuration folder for qe2m4: %APPDATA%\qe2m4 on Windows; elsewhere
// $XDG_CONFIG_HOME/qe2m4, or $HOME/.config/qe2m4.
std::filesystem::path UserConfigFolder();

// The drive settings file in the user's configuration folder.
std::filesystem::path DriveSettingsFile();

}  // namespace qe2m4::platform
