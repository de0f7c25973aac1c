#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include <memory>

#include "platform/program_arguments.h"
#include "platform/utf8.h"
#include "platform/win32/win32_text.h"

namespace qe2m4::platform {

namespace {

struct LocalFreeDeleter {
  void operator()(wchar_t** block) const { LocalFree(block); }
};

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  int count = 0;
  const std::unique_ptr<wchar_t*, LocalFreeDeleter> wide(
      CommandLineToArgvW(GetCommandLineW(), &count));
  if (!wide) {
    if (argc < 1 || argv == nullptr) {
      return {};
    }
    return std::vector<std::string>(argv + 1, argv + argc);
  }
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) {
    arguments.push_back(ToUtf8(win32::Utf16(wide.get()[i])));
  }
  return arguments;
}

}  // namespace qe2m4::platform
