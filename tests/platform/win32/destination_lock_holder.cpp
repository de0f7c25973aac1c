// Holds the destination lock of the folder named by its argument until it is ended, for the
// lock's tests: writes "y" to its standard output when it holds the lock, "n" when not.
#include <windows.h>

#include <cstdio>
#include <filesystem>

#include "platform/destination_lock.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    return 2;
  }
  const qe2m4::platform::DestinationLock lock(std::filesystem::path(argv[1]), u"D:\\dest");
  std::fputs(lock.acquired() ? "y" : "n", stdout);
  std::fflush(stdout);
  Sleep(INFINITE);
  return 0;
}
