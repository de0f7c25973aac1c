#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace qe2m4::testing {

// Points the user's configuration folder at root/qe2m4 through the environment variable the
// program reads for it (XDG_CONFIG_HOME; APPDATA on Windows), for this process.
void SetUserConfigRoot(const std::filesystem::path& root);

// The environment a started program needs so that its configuration folder is root/qe2m4 and
// its home folder (where the system has one in the environment) is home.
std::map<std::string, std::string> UserEnvironment(const std::filesystem::path& root,
                                                   const std::filesystem::path& home);

// Text as the command line writes it to a stream that is not a console: UTF-8, or CP932 on
// Windows (line ends as given: a binary stream keeps "\n").
std::string StreamBytes(std::u16string_view text);

// Makes link a symbolic link to the file target (which need not exist); false when the host
// does not let this process make one.
bool MakeFileLink(const std::filesystem::path& target, const std::filesystem::path& link);

// Why a test that needs a folder link was skipped where MakeFolderLink made none.
inline constexpr const char* kNoFolderLinks =
    "this system made no folder link (Wine makes none; Windows needs Developer Mode or "
    "administrator rights for one)";

// Makes a FIFO (a named pipe in the file system); false on a system that has none.
bool MakeFifo(const std::filesystem::path& path);

// Makes link a link to the folder target (a symbolic link; on Windows a directory symbolic
// link); false when the host does not let this process make one.
bool MakeFolderLink(const std::filesystem::path& target, const std::filesystem::path& link);

}  // namespace qe2m4::testing
