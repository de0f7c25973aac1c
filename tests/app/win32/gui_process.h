#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/win32_process.h"

namespace qe2m4::win32::testing {

// qe2m4-gui.exe started as a process of its own, driven from the outside as a user would: its
// windows are found by class, their controls by identifier, and messages sent to them. The
// process is ended when this object goes, if it is still running.
class GuiProcess {
 public:
  GuiProcess(const std::filesystem::path& program, const std::vector<std::wstring>& arguments,
             const std::filesystem::path& working_folder);
  GuiProcess(const GuiProcess&) = delete;
  GuiProcess& operator=(const GuiProcess&) = delete;

  // The first top-level window of the process of that class (visible ones only when asked),
  // waiting for it to appear; nullptr when it does not within a generous while.
  HWND WaitForWindow(const wchar_t* window_class, bool visible_only);
  // Whether the process has a top-level window of that class that is shown.
  bool HasVisibleWindow(const wchar_t* window_class) const;
  // The exit code, waiting for the end; nullopt when the process does not end.
  std::optional<DWORD> WaitForExit();
  DWORD thread_id() const { return process_.thread_id(); }

 private:
  qe2m4::testing::Win32Process process_;
};

// A window's text (cross-process: WM_GETTEXT is carried over by the system).
std::wstring Text(HWND window);
std::wstring ClassName(HWND window);
// The child windows of a window with that class, in creation order.
std::vector<HWND> Children(HWND parent, const wchar_t* window_class);
// Waits until a test on the outside holds; false when it does not within a generous while.
template <typename Test>
bool WaitUntil(Test test) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!test()) {
    if (std::chrono::steady_clock::now() > end) {
      return false;
    }
    Sleep(20);
  }
  return true;
}

}  // namespace qe2m4::win32::testing
