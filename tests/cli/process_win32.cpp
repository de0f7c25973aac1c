#include <windows.h>

#include <map>
#include <mutex>
#include <optional>
#include <random>
#include <stdexcept>

#include "platform/cp932.h"
#include "platform/host_paths.h"
#include "platform/utf8.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"
#include "process.h"
#include "support/temp_machine.h"
#include "support/win32_process.h"

namespace qe2m4::testing {
namespace {

using platform::win32::UniqueHandle;

std::wstring Wide(const std::string& utf8) {
  return platform::win32::Wide(platform::FromUtf8(utf8));
}

// Environment names compare without regard to letter case, as Windows compares them.
struct NameLess {
  bool operator()(const std::wstring& a, const std::wstring& b) const {
    return _wcsicmp(a.c_str(), b.c_str()) < 0;
  }
};

std::wstring EnvironmentBlock(const std::map<std::string, std::string>& environment) {
  std::map<std::wstring, std::wstring, NameLess> merged;
  if (wchar_t* strings = GetEnvironmentStringsW(); strings != nullptr) {
    for (const wchar_t* entry = strings; *entry != L'\0'; entry += wcslen(entry) + 1) {
      const std::wstring text(entry);
      // Names may start with "=" (the per-drive current folders): look for "=" after it.
      const std::size_t equals = text.find(L'=', 1);
      merged[text.substr(0, equals)] = equals == std::wstring::npos ? L"" : text.substr(equals + 1);
    }
    FreeEnvironmentStringsW(strings);
  }
  for (const auto& [name, value] : environment) {
    merged[Wide(name)] = Wide(value);
  }
  std::wstring block;
  for (const auto& [name, value] : merged) {
    block += name + L"=" + value;
    block += L'\0';
  }
  block += L'\0';
  return block;
}

HANDLE InheritableFile(const std::filesystem::path& file, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const HANDLE handle =
      CreateFileW(file.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  &inherit, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    throw std::runtime_error("cannot open " + platform::PathUtf8(file));
  }
  return handle;
}

// CP932 text with CR LF line ends as UTF-8 with "\n" line ends.
std::string AsText(const std::string& bytes) {
  std::string text = platform::ToUtf8(platform::DecodeCp932(bytes));
  std::string lines;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
      lines += text[i];
    }
  }
  return lines;
}

// Starts the program with its standard streams on the three files and waits for its end.
// A started program inherits every inheritable handle of the test, so programs that tests
// start on several threads at once would hold each other's output files open: the files are
// opened and handed over one program at a time, and closed here before the next one starts.
int StartAndWait(const std::filesystem::path& program, const std::vector<std::wstring>& arguments,
                 const std::wstring& environment, const std::filesystem::path& working_folder,
                 const std::filesystem::path& out_file, const std::filesystem::path& err_file) {
  static std::mutex starting;
  std::optional<Win32Process> process;
  {
    const std::lock_guard<std::mutex> one_at_a_time(starting);
    const UniqueHandle in(InheritableFile(L"NUL", GENERIC_READ, OPEN_EXISTING));
    const UniqueHandle out(InheritableFile(out_file, GENERIC_WRITE, CREATE_ALWAYS));
    const UniqueHandle err(InheritableFile(err_file, GENERIC_WRITE, CREATE_ALWAYS));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in.get();
    startup.hStdOutput = out.get();
    startup.hStdError = err.get();
    process.emplace(program, arguments, working_folder, environment.c_str(), startup,
                    CREATE_NO_WINDOW);
  }
  return static_cast<int>(*process->Wait(INFINITE));
}

}  // namespace

ProcessResult RunProcess(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments,
                         const std::filesystem::path& working_folder,
                         const std::map<std::string, std::string>& environment) {
  // Outside the working folder, and under names of their own: Windows may still hold a file
  // for a moment after the program that wrote it ended (Wine does so often), so a removed one
  // can linger; in a test's temporary folder it would stop the folder's removal.
  const std::wstring number = std::to_wstring(std::random_device()());
  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  const std::filesystem::path out_file = folder / (L"qe2m4-test.stdout." + number);
  const std::filesystem::path err_file = folder / (L"qe2m4-test.stderr." + number);

  std::vector<std::wstring> wide_arguments;
  for (const std::string& argument : arguments) {
    wide_arguments.push_back(Wide(argument));
  }
  ProcessResult result;
  result.exit_code = StartAndWait(program, wide_arguments, EnvironmentBlock(environment),
                                  working_folder, out_file, err_file);
  result.out_bytes = ReadBytes(out_file);
  result.out = AsText(result.out_bytes);
  result.err = AsText(ReadBytes(err_file));
  // A file Windows still holds stays behind in the temporary folder; that harms no test.
  std::error_code ignored;
  std::filesystem::remove(out_file, ignored);
  std::filesystem::remove(err_file, ignored);
  return result;
}

}  // namespace qe2m4::testing
