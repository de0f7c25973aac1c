#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/exit_status.h"
#include "cli/machine_options.h"
#include "cli/soil_readings_options.h"

namespace CLI {
class App;
}

namespace qe2m4::cli {

// What "qe2m4 batch ..." asks for.
struct BatchOptions : MachineOptions {
  bool yes = false;               // create missing destination folders
  bool quiet = false;             // no progress, only the counts at the end
  int jobs = 0;                   // conversions at once; 0 for one per core
  std::string report;             // empty: beside the list, or in the working folder for a tree
  std::string list;               // the list file (a host path)
  std::string list_encoding;      // "utf-8", "cp932" or "utf-16"; empty: told from the bytes
  std::vector<std::string> tree;  // or SOURCE_ROOT and DEST_ROOT
  SoilReadingsOptions soil_readings;
};

// Adds the "batch" command, whose options are read into options, to the program's commands.
CLI::App& AddBatchCommand(CLI::App& program, BatchOptions& options);

// What is wrong with the arguments the parser left to the command (neither LIST nor --tree, an
// argument too many), in the user's language; nullopt when nothing is.
std::optional<std::string> BatchUsageProblem(const CLI::App& command);

// Converts every boring of the list or the tree, each as "qe2m4 convert" would, several at
// once; writes the report, shows progress on messages and the summary on output. Returns the
// exit status: converted (all converted), refused (any not), usage (a bad list), or that of the
// interrupting signal when Ctrl-C or a request to end stopped the batch.
int RunBatchCommand(const BatchOptions& options, std::FILE* output, std::FILE* messages);

}  // namespace qe2m4::cli
