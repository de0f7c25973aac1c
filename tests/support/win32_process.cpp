#include "support/win32_process.h"

#include <stdexcept>

#include "platform/host_paths.h"
#include "platform/win32/win32_text.h"

namespace qe2m4::testing {
namespace {

// One argument quoted as the C runtime splits a command line: quotes around it when it is
// empty or holds a blank, backslashes doubled before a quote, quotes escaped.
std::wstring Quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) {
    return argument;
  }
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

}  // namespace

std::wstring Win32CommandLine(const std::filesystem::path& program,
                              const std::vector<std::wstring>& arguments) {
  std::wstring command_line = Quoted(program.wstring());
  for (const std::wstring& argument : arguments) {
    command_line += L" " + Quoted(argument);
  }
  return command_line;
}

Win32Process::Win32Process(const std::filesystem::path& program,
                           const std::vector<std::wstring>& arguments,
                           const std::filesystem::path& working_folder, const wchar_t* environment,
                           const STARTUPINFOW& startup, DWORD creation_flags) {
  std::wstring command_line = Win32CommandLine(program, arguments);
  STARTUPINFOW info = startup;
  const BOOL inherit = (startup.dwFlags & STARTF_USESTDHANDLES) != 0;
  if (environment != nullptr) {
    creation_flags |= CREATE_UNICODE_ENVIRONMENT;
  }
  // Wine now and then fails to start a process while many start at once ("internal error");
  // a few more tries tell that apart from a program that cannot be started.
  constexpr int kTries = 5;
  for (int attempt = 1;; ++attempt) {
    if (CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, inherit,
                       creation_flags, const_cast<wchar_t*>(environment), working_folder.c_str(),
                       &info, &information_) != 0) {
      return;
    }
    const DWORD error = GetLastError();
    if (attempt == kTries) {
      throw std::runtime_error("cannot start " + platform::PathUtf8(program) + ": " +
                               platform::win32::Win32Reason(error));
    }
    Sleep(200);
  }
}

Win32Process::~Win32Process() {
  if (running()) {
    TerminateProcess(information_.hProcess, 99);
    WaitForSingleObject(information_.hProcess, 10000);
  }
  CloseHandle(information_.hThread);
  CloseHandle(information_.hProcess);
}

std::optional<DWORD> Win32Process::Wait(DWORD milliseconds) const {
  if (WaitForSingleObject(information_.hProcess, milliseconds) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  if (GetExitCodeProcess(information_.hProcess, &code) == 0) {
    throw std::runtime_error("no exit code");
  }
  return code;
}

bool Win32Process::running() const {
  return WaitForSingleObject(information_.hProcess, 0) == WAIT_TIMEOUT;
}

}  // namespace qe2m4::testing
