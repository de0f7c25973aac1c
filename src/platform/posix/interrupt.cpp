#include "platform/interrupt.h"

#include <signal.h>

#include <atomic>
#include <csignal>
#include <initializer_list>

namespace qe2m4::platform {
namespace {

// The one mutable global of the program: a signal handler can reach nothing else. It holds
// the number of the first interrupting signal, 0 while none has come. A lock-free atomic, not a
// volatile: the batch's worker threads read it while a handler on any thread may set it.
std::atomic<int> interrupt_signal{0};
static_assert(std::atomic<int>::is_always_lock_free,
              "a signal handler may only use lock-free atomics");

extern "C" void OnInterrupt(int signal_number) {
  int none = 0;
  interrupt_signal.compare_exchange_strong(none, signal_number);
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
