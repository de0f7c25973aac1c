#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace qe2m4::testing {

struct ProcessResult {
  int exit_code = -1;
  std::string out;
  std::string err;
};

// Runs a program to its end with standard input from /dev/null, in working_folder, with the
// environment variables of environment added to (or replacing) the test's own.
ProcessResult RunProcess(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments,
                         const std::filesystem::path& working_folder,
                         const std::map<std::string, std::string>& environment);

}  // namespace qe2m4::testing
