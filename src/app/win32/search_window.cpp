#include "app/win32/search_window.h"

#include <commctrl.h>

#include "app/texts.h"
#include "app/win32/control_ids.h"
#include "platform/win32/win32_text.h"

namespace qe2m4::win32 {

using platform::win32::Utf16;
using platform::win32::Wide;

namespace {

// Client area in pixels at 96 dots per inch: wide enough for a usual path (longer ones are
// shortened in the middle), tall enough for two lines and the bar.
constexpr int kWidth = 420;
constexpr int kHeight = 96;
constexpr int kMargin = 12;
constexpr int kLine = 20;

}  // namespace

bool SearchWindow::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = DefWindowProcW;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_WAIT);
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = kSearchWindowClass;
  window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  return RegisterClassExW(&window_class) != 0;
}

namespace {

HWND AddChild(HWND parent, const wchar_t* window_class, const wchar_t* text, DWORD style, int left,
              int top, int width, int height, HFONT font) {
  const HWND child =
      CreateWindowExW(0, window_class, text, WS_CHILD | WS_VISIBLE | style, left, top, width,
                      height, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

}  // namespace

SearchWindow::SearchWindow(HINSTANCE instance, HFONT font, UINT dpi) {
  const auto scaled = [dpi](int pixels) { return MulDiv(pixels, static_cast<int>(dpi), 96); };
  const DWORD style = WS_POPUP | WS_CAPTION | WS_BORDER;
  RECT frame{0, 0, scaled(kWidth), scaled(kHeight)};
  AdjustWindowRectExForDpi(&frame, style, FALSE, 0, dpi);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  window_.reset(CreateWindowExW(WS_EX_TOPMOST, kSearchWindowClass,
                                Wide(app::texts::kApplicationTitle).c_str(), style, left, top,
                                width, height, nullptr, nullptr, instance, nullptr));
  const int inner = scaled(kWidth - 2 * kMargin);
  AddChild(window_.get(), WC_STATICW, Wide(app::texts::kSearchingPatternFolder).c_str(),
           SS_LEFT | SS_NOPREFIX, scaled(kMargin), scaled(kMargin), inner, scaled(kLine), font);
  folder_ = AddChild(window_.get(), WC_STATICW, L"", SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS,
                     scaled(kMargin), scaled(kMargin + kLine), inner, scaled(kLine), font);
  const HWND bar = AddChild(window_.get(), PROGRESS_CLASSW, L"", PBS_MARQUEE, scaled(kMargin),
                            scaled(kMargin + 2 * kLine + 4), inner, scaled(kLine - 4), font);
  // A busy bar: the number of folders is not known beforehand.
  SendMessageW(bar, PBM_SETMARQUEE, TRUE, 30);
}

void SearchWindow::Show(std::u16string_view folder) {
  SetWindowTextW(folder_, Wide(folder).c_str());
  if (!IsWindowVisible(window_.get())) {
    ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
  }
}

}  // namespace qe2m4::win32
