// qe2m4-gui.exe: the window program on Windows.
#include <windows.h>
// The headers below need windows.h before them.
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/gui_options.h"
#include "app/win32/form1_window.h"
#include "app/win32/search_window.h"
#include "app/window_start.h"
#include "platform/file_system.h"
#include "platform/start_up.h"

namespace {

// The command line's arguments after the program's name, as UTF-8.
std::vector<std::string> Arguments() {
  int count = 0;
  wchar_t** const wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string argument(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, argument.data(), size, nullptr, nullptr);
    arguments.push_back(std::move(argument));
  }
  LocalFree(wide);
  return arguments;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
  // Without a console, what the options are and what is wrong with them shows in a box.
  const std::wstring usage(std::begin(qe2m4::app::kGuiUsage), std::end(qe2m4::app::kGuiUsage) - 1);
  std::string error;
  const auto options = qe2m4::app::ParseGuiOptions(Arguments(), error);
  if (!options) {
    const std::wstring text = std::wstring(error.begin(), error.end()) + L"\n\n" + usage;
    MessageBoxW(nullptr, text.c_str(), L"qe2m4-gui", MB_OK | MB_ICONEXCLAMATION);
    return 2;
  }
  if (options->screenshot) {
    // The picture of this window is taken from the outside (scripts/window-windows-screenshot.sh).
    MessageBoxW(nullptr, L"--screenshot: only the Linux window takes its own picture", L"qe2m4-gui",
                MB_OK | MB_ICONEXCLAMATION);
    return 2;
  }
  if (options->help) {
    MessageBoxW(nullptr, usage.c_str(), L"qe2m4-gui", MB_OK | MB_ICONINFORMATION);
    return 0;
  }

  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_TREEVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  if (!qe2m4::win32::Form1Window::RegisterWindowClass(instance) ||
      !qe2m4::win32::SearchWindow::RegisterWindowClass(instance)) {
    return 1;
  }

  std::vector<std::string> problems;
  qe2m4::platform::FileSystem file_system(
      qe2m4::platform::StartUpDriveTable(options->drive_assignments, problems));
  qe2m4::app::EnterWindowFolders(file_system, *options);

  qe2m4::win32::Form1Window form(file_system, instance);
  if (!form.behaviour().Form_Load()) {
    return 1;
  }
  form.Show(show_command);
  return form.Run();
}
