// Holds the destination lock of the folder named by its argument (or, after "--file", the file
// lock of a file) until it is ended, for the locks' tests: writes "y" to its standard output when
// it holds the lock, "n" when not.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>

#include "platform/destination_lock.h"
#include "platform/file_lock.h"

int wmain(int argc, wchar_t** argv) {
  bool held = false;
  std::optional<qe2m4::platform::DestinationLock> folder_lock;
  std::optional<qe2m4::platform::FileLock> file_lock;
  if (argc == 2) {
    folder_lock.emplace(std::filesystem::path(argv[1]), u"D:\\dest");
    held = folder_lock->acquired();
  } else if (argc == 3 && std::wstring_view(argv[1]) == L"--file") {
    file_lock.emplace(std::filesystem::path(argv[2]));
    held = file_lock->acquired();
  } else {
    return 2;
  }
  std::fputs(held ? "y" : "n", stdout);
  std::fflush(stdout);
  Sleep(INFINITE);
  return 0;
}
