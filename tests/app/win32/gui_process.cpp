#include "gui_process.h"

#include <stdexcept>

namespace qe2m4::win32::testing {

namespace {

// One argument quoted as the C runtime and CommandLineToArgvW split a command line.
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

struct Search {
  DWORD process;
  const wchar_t* window_class;
  bool visible_only;
  HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<Search*>(parameter);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == search.process && ClassName(window) == search.window_class &&
      (!search.visible_only || IsWindowVisible(window))) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

struct ChildSearch {
  const wchar_t* window_class;
  std::vector<HWND> found;
};

BOOL CALLBACK VisitChild(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<ChildSearch*>(parameter);
  if (ClassName(window) == search.window_class) {
    search.found.push_back(window);
  }
  return TRUE;
}

}  // namespace

GuiProcess::GuiProcess(const std::filesystem::path& program,
                       const std::vector<std::wstring>& arguments,
                       const std::filesystem::path& working_folder) {
  std::wstring command_line = Quoted(program.wstring());
  for (const std::wstring& argument : arguments) {
    command_line += L" " + Quoted(argument);
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      working_folder.c_str(), &startup, &information_)) {
    throw std::runtime_error("cannot start qe2m4-gui.exe");
  }
  WaitForInputIdle(information_.hProcess, 60000);
}

GuiProcess::~GuiProcess() {
  if (WaitForSingleObject(information_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(information_.hProcess, 99);
    WaitForSingleObject(information_.hProcess, 10000);
  }
  CloseHandle(information_.hThread);
  CloseHandle(information_.hProcess);
}

HWND GuiProcess::WaitForWindow(const wchar_t* window_class, bool visible_only) {
  Search search{information_.dwProcessId, window_class, visible_only, nullptr};
  WaitUntil([&] {
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr ||
           WaitForSingleObject(information_.hProcess, 0) == WAIT_OBJECT_0;
  });
  return search.found;
}

bool GuiProcess::HasVisibleWindow(const wchar_t* window_class) const {
  Search search{information_.dwProcessId, window_class, true, nullptr};
  EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
  return search.found != nullptr;
}

std::optional<DWORD> GuiProcess::WaitForExit() {
  if (WaitForSingleObject(information_.hProcess, 60000) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeProcess(information_.hProcess, &code);
  return code;
}

std::wstring Text(HWND window) {
  std::wstring text(1024, L'\0');
  const auto length =
      SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::vector<HWND> Children(HWND parent, const wchar_t* window_class) {
  ChildSearch search{window_class, {}};
  EnumChildWindows(parent, VisitChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace qe2m4::win32::testing
