#pragma once

#ifdef _WIN32

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/host_paths.h"
#include "support/temp_machine.h"
#include "support/win32_process.h"

namespace qe2m4::testing {

// Another process holding a lock: the tests' holder program (destination_lock_holder.exe) run
// with arguments in folder. It says on its standard output whether it holds the lock, which must
// be 'y', and waits to be ended; resetting holder ends it and waits for it.
inline void StartLockHolderProgram(std::optional<Win32Process>& holder,
                                   const std::vector<std::wstring>& arguments,
                                   const std::filesystem::path& folder) {
  const std::filesystem::path said = folder / "held.txt";
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const HANDLE out = CreateFileW(said.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(out, INVALID_HANDLE_VALUE);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = out;
  startup.hStdError = out;
  holder.emplace(platform::HostPathFromUtf8(QE2M4_LOCK_HOLDER), arguments, folder, nullptr, startup,
                 CREATE_NO_WINDOW);
  CloseHandle(out);
  for (int waited = 0; waited < 6000 && ReadBytes(said).empty(); ++waited) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_EQ(ReadBytes(said), "y");
}

}  // namespace qe2m4::testing

#endif
