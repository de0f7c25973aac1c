#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace qe2m4::testing {

// What a program wrote, as UTF-8 text with "\n" line ends (on Windows, where a program writes
// redirected output as CP932 with CR LF line ends, converted from that), and the bytes as written.
struct ProcessResult {
  int exit_code = -1;
  std::string out;
  std::string err;
  std::string out_bytes;
};

// Runs a program to its end with standard input from /dev/null, in working_folder, with the
// environment variables of environment added to (or replacing) the test's own.
ProcessResult RunProcess(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments,
                         const std::filesystem::path& working_folder,
                         const std::map<std::string, std::string>& environment);

}  // namespace qe2m4::testing
