#include "app/win32/form1_window.h"

#include <commctrl.h>

#include "app/win32/control_ids.h"
#include "app/win32/list_controls.h"
#include "platform/win32/win32_text.h"

namespace qe2m4::win32 {

using platform::win32::Utf16;
using platform::win32::Wide;

bool Form1Window::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProcedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  window_class.lpszClassName = kForm1Class;
  return RegisterClassExW(&window_class) != 0;
}

Form1Window::Form1Window(platform::FileSystem& file_system, HINSTANCE instance,
                         std::chrono::milliseconds search_progress_delay)
    : instance_(instance),
      background_(CreateSolidBrush(RGB(app::kBackgroundColour.red, app::kBackgroundColour.green,
                                       app::kBackgroundColour.blue))),
      window_(CreateMainWindow(instance)),
      dpi_(GetDpiForWindow(window_.get())),
      font_(MakeFont()),
      controls_(CreateControls(instance)),
      ui_(window_.get(), Control("Label3"), Control("Text2"), Control("Text1")),
      form_(file_system, *this, search_progress_delay) {
  LayOut();
  form_.ShowLists();
  ready_ = true;
}

void Form1Window::Show(int show_command) {
  ShowWindow(window_.get(), show_command);
  UpdateWindow(window_.get());
  SetFocus(FirstTabStop());
}

int Form1Window::Run() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Tab and Shift+Tab move through the controls in tab order; Enter becomes IDOK.
    if (window_ && IsDialogMessageW(window_.get(), &message)) {
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

std::u16string Form1Window::PathText(Side side) const {
  const HWND box = PathBox(side);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
  return Utf16(text);
}

void Form1Window::SetPathText(Side side, std::u16string_view text) {
  SetWindowTextW(PathBox(side), Wide(text).c_str());
}

void Form1Window::ShowDrives(Side side, const app::DriveList& list) {
  const HWND box = DriveBox(side);
  SendMessageW(box, CB_RESETCONTENT, 0, 0);
  for (const app::DriveList::Entry& entry : list.Entries()) {
    SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(entry.text).c_str()));
  }
  SendMessageW(box, CB_SETCURSEL, list.Chosen() ? static_cast<WPARAM>(*list.Chosen()) : -1, 0);
}

void Form1Window::ShowFolders(Side side, const app::FolderList& list) {
  ShowFolderEntries(FolderTree(side), list);
}

void Form1Window::CentreWindow() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window_.get(), MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT frame;
  GetWindowRect(window_.get(), &frame);
  const RECT& screen = monitor.rcMonitor;
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(window_.get(), nullptr, screen.left + (screen.right - screen.left - width) / 2,
               screen.top + (screen.bottom - screen.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1Window::ShowSearch(std::u16string_view folder) {
  if (!search_) {
    search_ = std::make_unique<SearchWindow>(instance_, font_.get(), dpi_);
  }
  search_->Show(folder);
}

void Form1Window::EndSearch() {
  search_.reset();
}

void Form1Window::EndProgram() {
  window_.reset();
}
}  // namespace qe2m4::win32
