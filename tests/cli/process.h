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

#ifndef _WIN32
// A program started in the background, in working_folder, with standard input from /dev/null
// and its output going to files there, and with the variables of environment added to (or
// replacing) the test's own. POSIX only: only the POSIX tests signal a running program.
class ChildProcess {
 public:
  ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               const std::filesystem::path& working_folder,
               const std::map<std::string, std::string>& environment);
  // Ends a process that was not waited for (a test that failed half-way).
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  void Signal(int signal_number) const;
  // What the program has written to standard error so far.
  std::string ErrorSoFar() const;
  // Waits for the end; then the output files are removed.
  ProcessResult Wait();

 private:
  int pid_ = -1;
  std::filesystem::path out_file_;
  std::filesystem::path err_file_;
};
#endif

// Runs a program to its end with standard input from /dev/null, in working_folder, with the
// environment variables of environment added to (or replacing) the test's own.
ProcessResult RunProcess(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments,
                         const std::filesystem::path& working_folder,
                         const std::map<std::string, std::string>& environment);

}  // namespace qe2m4::testing
