#pragma once

#ifndef _WIN32

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qe2m4::testing {

// Another process holding a lock: a forked child takes a Lock made of lock_arguments, says on a
// pipe whether it holds it ('y' or 'n', into held) and waits to be killed.
template <typename Lock, typename... Arguments>
void StartLockHolder(pid_t& child, char& held, const Arguments&... lock_arguments) {
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const Lock lock(lock_arguments...);
    const char holds = lock.acquired() ? 'y' : 'n';
    if (::write(ready[1], &holds, 1) != 1) {
      ::_exit(1);
    }
    ::pause();
    ::_exit(0);
  }
  ::close(ready[1]);
  held = 0;
  ASSERT_EQ(::read(ready[0], &held, 1), 1);
  ::close(ready[0]);
}

// Kills a holder and waits for its end.
inline void KillLockHolder(pid_t child) {
  ::kill(child, SIGKILL);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
}

}  // namespace qe2m4::testing

#endif
