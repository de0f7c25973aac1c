#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace CLI {
class App;
}

namespace qe2m4::cli {

// The options every command shares: which host folders play the drives and the system folder.
struct MachineOptions {
  std::vector<std::string> drives;  // "L=DIR" assignments, in the order given
  std::string system_folder;        // host folder; empty for the user's configuration folder
};

// A drive path typed on the command line, read as the host's names are read: on Linux the
// bytes as UTF-8, else as CP932, else with their undecodable bytes kept, so that a folder named
// in CP932 (tab-completed in a shell) is reached by its name.
std::u16string ArgumentText(const std::string& argument);

// Adds --drive and --system-dir to a command.
void AddMachineOptions(CLI::App& command, MachineOptions& options);

// The file system a run starts with, as a front end starts: the user's drive table with the
// command's drive assignments applied, the system and program folders, the working folder
// current. Problems with the settings are printed to messages; nullopt when the system folder
// lies on no drive (bad usage).
std::optional<platform::FileSystem> PrepareFileSystem(const MachineOptions& options,
                                                      std::FILE* messages);

}  // namespace qe2m4::cli
