#pragma once

#include <string>
#include <variant>
#include <vector>

namespace qe2m4::cli {

// What "qe2m4 convert ..." asks for.
struct ConvertOptions {
  std::vector<std::string> drives;  // "L=DIR" assignments, in the order given
  std::string system_folder;        // host folder; empty for the user's configuration folder
  bool yes = false;                 // answer Yes to the folder-creation question
  bool quiet = false;               // print only the success text
  std::string source;               // as typed into the source box
  std::string destination;          // as typed into the destination box
};

struct ShowHelp {};
struct ShowVersion {};
// The arguments do not form a command; what is wrong with them.
struct UsageError {
  std::string reason;
};

using Command = std::variant<ConvertOptions, ShowHelp, ShowVersion, UsageError>;

// Reads the arguments after the program name.
Command ParseCommandLine(const std::vector<std::string>& arguments);

// The usage text (ends with a line end).
const char* UsageText();

}  // namespace qe2m4::cli
