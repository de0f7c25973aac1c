#pragma once

namespace qe2m4::platform {

// Ctrl-C, SIGTERM and SIGHUP (console control events on Windows) set a flag instead of
// ending the process; the run and the batch look at it between files.
void InstallInterruptHandlers();
bool InterruptRequested();
int InterruptExitCode();  // 130 for SIGINT, 143 for SIGTERM, 129 for SIGHUP

}  // namespace qe2m4::platform
