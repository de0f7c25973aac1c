// qe2m4-gui.exe: the window program on Windows.
#include <windows.h>
// The headers below need windows.h before them.
#include <commctrl.h>

#include <string>
#include <variant>

#include "app/win32/form1_window.h"
#include "app/win32/search_window.h"
#include "app/window_start.h"
#include "platform/program_arguments.h"
#include "platform/win32/win32_text.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
  using qe2m4::platform::win32::Wide;
  // Without a console, the help and what is wrong with the arguments show in a box, every
  // character as it is.
  qe2m4::app::WindowLaunch launch = qe2m4::app::LaunchWindow(
      qe2m4::platform::ProgramArguments(0, nullptr), qe2m4::app::WindowProgram::kWindows);
  if (const auto* help = std::get_if<qe2m4::app::ShowGuiHelp>(&launch)) {
    MessageBoxW(nullptr, Wide(help->text).c_str(), L"qe2m4-gui", MB_OK | MB_ICONINFORMATION);
    return 0;
  }
  if (const auto* error = std::get_if<qe2m4::app::GuiUsageError>(&launch)) {
    MessageBoxW(nullptr, Wide(error->text).c_str(), L"qe2m4-gui", MB_OK | MB_ICONEXCLAMATION);
    return 2;
  }
  qe2m4::app::OpenWindow& open = std::get<qe2m4::app::OpenWindow>(launch);

  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_TREEVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  if (!qe2m4::win32::Form1Window::RegisterWindowClass(instance) ||
      !qe2m4::win32::SearchWindow::RegisterWindowClass(instance)) {
    return 1;
  }
  qe2m4::win32::Form1Window form(open.file_system, instance);
  if (!form.behaviour().Form_Load()) {
    return 1;
  }
  form.Show(show_command);
  form.behaviour().AfterStartUp(open.start);
  return form.Run();
}
