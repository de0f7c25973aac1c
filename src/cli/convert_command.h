#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "cli/exit_status.h"
#include "cli/machine_options.h"
#include "cli/soil_readings_options.h"

namespace CLI {
class App;
}

namespace qe2m4::cli {

// What "qe2m4 convert ..." asks for.
struct ConvertOptions : MachineOptions {
  bool yes = false;         // answer Yes to the folder-creation question
  bool quiet = false;       // print only the success text
  std::string source;       // as typed into the source box
  std::string destination;  // as typed into the destination box
  SoilReadingsOptions soil_readings;
};

// Adds the "convert" command, whose options are read into options, to the program's commands.
CLI::App& AddConvertCommand(CLI::App& program, ConvertOptions& options);

// What is wrong with the arguments the parser left to the command (an argument missing or too
// many), in the user's language; nullopt when nothing is.
std::optional<std::string> ConvertUsageProblem(const CLI::App& command);

// Runs one conversion as the execute button would, on the user's drive table with the
// command's drive assignments applied. Prints the summary and the success text to output, the
// run's messages to messages; reads answers from input. Returns the exit status.
int RunConvert(const ConvertOptions& options, std::FILE* input, std::FILE* output,
               std::FILE* messages);

}  // namespace qe2m4::cli
