#include "gui_process.h"

namespace qe2m4::win32::testing {

namespace {

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

STARTUPINFOW NoStandardHandles() {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  return startup;
}

}  // namespace

GuiProcess::GuiProcess(const std::filesystem::path& program,
                       const std::vector<std::wstring>& arguments,
                       const std::filesystem::path& working_folder)
    : process_(program, arguments, working_folder, nullptr, NoStandardHandles(), 0) {
  WaitForInputIdle(process_.handle(), 60000);
}

HWND GuiProcess::WaitForWindow(const wchar_t* window_class, bool visible_only) {
  Search search{process_.id(), window_class, visible_only, nullptr};
  WaitUntil([&] {
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr || !process_.running();
  });
  return search.found;
}

bool GuiProcess::HasVisibleWindow(const wchar_t* window_class) const {
  Search search{process_.id(), window_class, true, nullptr};
  EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
  return search.found != nullptr;
}

std::optional<DWORD> GuiProcess::WaitForExit() {
  return process_.Wait(60000);
}

std::wstring Text(HWND window) {
  // WM_GETTEXTLENGTH may tell more than there is (a conversion's worst case), never less.
  const auto room = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0) + 1;
  std::wstring text(static_cast<std::size_t>(room), L'\0');
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
