#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/console.h"
#include "cli/exit_status.h"
#include "cli/program_message.h"
#include "platform/interrupt.h"
#include "platform/program_arguments.h"
#include "platform/standard_streams.h"

// qe2m4: the command line over the same conversion run as the window.
int main(int argc, char** argv) {
  qe2m4::platform::ReserveStandardStreams();
  qe2m4::platform::InstallInterruptHandlers();
  int status = qe2m4::cli::kExitRefused;
  try {
    const std::vector<std::string> arguments = qe2m4::platform::ProgramArguments(argc, argv);
    status = qe2m4::cli::RunCommandLine(arguments, stdin, stdout, stderr);
  } catch (const std::exception& error) {
    // The run reports its own failures; this is what escaped everything else.
    qe2m4::cli::WriteProgramMessage(stderr, error.what());
    return qe2m4::cli::kExitRefused;
  } catch (...) {
    qe2m4::cli::WriteProgramMessage(stderr, qe2m4::catalogue::TextId::kCliUnexpectedError);
    return qe2m4::cli::kExitRefused;
  }
  // What was printed must have been written (help, version): a full disk or a closed standard
  // output is a failure, not a success.
  if (status == qe2m4::cli::kExitConverted &&
      (std::fflush(stdout) != 0 || std::ferror(stdout) != 0)) {
    qe2m4::cli::WriteProgramMessage(stderr, qe2m4::catalogue::TextId::kCliCannotWriteOutput);
    return qe2m4::cli::kExitRefused;
  }
  return status;
}
