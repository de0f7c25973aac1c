#pragma once

#include <cstdio>

#include "cli/command_line.h"

namespace qe2m4::cli {

// Exit statuses of the command line.
inline constexpr int kExitConverted = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;

// Runs one conversion as the execute button would, on the user's drive table with the
// command's drive assignments applied. Prints the summary and the success text to output, the
// run's messages to messages; reads answers from input. Returns the exit status.
int RunConvert(const ConvertOptions& options, std::FILE* input, std::FILE* output,
               std::FILE* messages);

}  // namespace qe2m4::cli
