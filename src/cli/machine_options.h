#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/start_up.h"

namespace CLI {
class App;
}

namespace qe2m4::cli {

// The options every command shares: which host folders play the drives and the system folder.
using MachineOptions = platform::StartUpOptions;

// A drive path typed on the command line, read as the host's names are read: on Linux the
// bytes as UTF-8, else as CP932, else with their undecodable bytes kept, so that a folder named
// in CP932 (tab-completed in a shell) is reached by its name.
std::u16string ArgumentText(const std::string& argument);

// Adds --drive and --system-dir to a command.
void AddMachineOptions(CLI::App& command, MachineOptions& options);

// The file system a run starts with, as every front end starts (platform::StartFrontEnd). What
// start-up could not use of the settings is printed to messages; nullopt, with the reason
// printed, when an option cannot be used (bad usage).
std::optional<platform::FileSystem> PrepareFileSystem(const MachineOptions& options,
                                                      std::FILE* messages);

}  // namespace qe2m4::cli
