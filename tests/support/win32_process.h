#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qe2m4::testing {

// The command line that hands a program these arguments exactly, as the C runtime and
// CommandLineToArgvW split one: the program first, each argument quoted where it must be.
std::wstring Win32CommandLine(const std::filesystem::path& program,
                              const std::vector<std::wstring>& arguments);

// A program started with CreateProcessW, ended if it still runs when this object goes.
class Win32Process {
 public:
  // environment is a UTF-16 environment block, or nullptr for the test's own; the handles of
  // startup are inherited when it names standard handles (STARTF_USESTDHANDLES).
  Win32Process(const std::filesystem::path& program, const std::vector<std::wstring>& arguments,
               const std::filesystem::path& working_folder, const wchar_t* environment,
               const STARTUPINFOW& startup, DWORD creation_flags);
  ~Win32Process();
  Win32Process(const Win32Process&) = delete;
  Win32Process& operator=(const Win32Process&) = delete;

  // The exit code, waiting at most that long for the end; nullopt when the program still runs.
  std::optional<DWORD> Wait(DWORD milliseconds) const;
  bool running() const;
  HANDLE handle() const { return information_.hProcess; }
  DWORD id() const { return information_.dwProcessId; }
  DWORD thread_id() const { return information_.dwThreadId; }

 private:
  PROCESS_INFORMATION information_{};
};

}  // namespace qe2m4::testing
