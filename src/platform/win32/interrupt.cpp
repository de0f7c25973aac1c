#include "platform/interrupt.h"

#include <windows.h>

#include <atomic>

namespace qe2m4::platform {
namespace {

// The one mutable global of the program: the console's control handler runs on a thread of
// its own and can reach nothing else. It holds the exit code of the first interrupt (as the
// signal's would be on POSIX systems), 0 while none has come.
std::atomic<int> interrupt_exit_code{0};

BOOL WINAPI OnControlEvent(DWORD event) {
  int code = 0;
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
      code = 130;  // as SIGINT
      break;
    case CTRL_CLOSE_EVENT:
      code = 129;  // the console went away, as SIGHUP
      break;
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      code = 143;  // as SIGTERM
      break;
    default:
      return FALSE;
  }
  int none = 0;
  interrupt_exit_code.compare_exchange_strong(none, code);
  if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
    // Windows ends the process when this returns: give the run a moment to stop between two
    // files and remove its temporary files.
    Sleep(2000);
  }
  return TRUE;
}

}  // namespace

void InstallInterruptHandlers() {
  SetConsoleCtrlHandler(OnControlEvent, TRUE);
}

bool InterruptRequested() {
  return interrupt_exit_code.load() != 0;
}

int InterruptExitCode() {
  return interrupt_exit_code.load();
}

}  // namespace qe2m4::platform
