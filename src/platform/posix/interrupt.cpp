#include "platform/interrupt.h"

#include <signal.h>

#include <csignal>
#include <initializer_list>

namespace qe2m4::platform {
namespace {

// The one mutable global of the program: a signal handler can reach nothing else. It holds
// the number of the first interrupting signal, 0 while none has come.
volatile std::sig_atomic_t interrupt_signal = 0;

extern "C" void OnInterrupt(int signal_number) {
  if (interrupt_signal == 0) {
    interrupt_signal = signal_number;
  }
}

}  // namespace

void InstallInterruptHandlers() {
  struct sigaction action = {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a wait for the user's answer ends at once, so an interrupt is never held
  // up by a question; reads and writes of files on disk are not interrupted by signals.
  action.sa_flags = 0;
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    sigaction(signal_number, &action, nullptr);
  }
  // A file-size limit (ulimit -f) then makes the write fail with EFBIG, which the run reports,
  // instead of ending the process without a word.
  struct sigaction ignore = {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGXFSZ, &ignore, nullptr);
}

bool InterruptRequested() {
  return interrupt_signal != 0;
}

int InterruptExitCode() {
  const int signal_number = interrupt_signal;
  return signal_number == 0 ? 0 : 128 + signal_number;
}

}  // namespace qe2m4::platform
