// Form1Window's controls: created from the control table, laid out at the monitor's DPI.
#include <windows.h>
// The headers below need windows.h before them.
#include <commctrl.h>

#include "app/texts.h"
#include "app/win32/control_ids.h"
#include "app/win32/form1_window.h"
#include "app/win32/list_controls.h"
#include "platform/win32/win32_text.h"

namespace qe2m4::win32 {

using platform::win32::Wide;

namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;

struct NativeKind {
  const wchar_t* window_class;
  DWORD style;
  DWORD ex_style;
};

NativeKind Native(app::ControlKind kind) {
  switch (kind) {
    case app::ControlKind::kLabel:
      return {WC_STATICW, SS_LEFT | SS_NOPREFIX, 0};
    case app::ControlKind::kTextBox:
      return {WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case app::ControlKind::kFrame:
      return {WC_BUTTONW, BS_GROUPBOX, 0};
    case app::ControlKind::kFolderList:
      return {WC_TREEVIEWW, TVS_SHOWSELALWAYS | TVS_DISABLEDRAGDROP | TVS_NOHSCROLL | WS_TABSTOP,
              WS_EX_CLIENTEDGE};
    case app::ControlKind::kDriveList:
      return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case app::ControlKind::kButton:
      return {WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0};
    case app::ControlKind::kPictureBox:
      break;
  }
  return {nullptr, 0, 0};
}

}  // namespace

HWND Form1Window::CreateMainWindow(HINSTANCE instance) {
  // The size is set by LayOut once the window knows its monitor's DPI.
  return CreateWindowExW(kWindowExStyle, kForm1Class, Wide(app::texts::kApplicationTitle).c_str(),
                         kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr,
                         instance, this);
}

std::array<HWND, app::kControls.size()> Form1Window::CreateControls(HINSTANCE instance) const {
  std::array<HWND, app::kControls.size()> controls{};
  // Created in tab order, which is also the order Tab visits them in.
  for (const app::Control* control : app::InTabOrder()) {
    const NativeKind native = Native(control->kind);
    // Each control a group of its own: the arrow keys stay with the control that has the focus.
    if (native.window_class == nullptr) {
      continue;  // Picture1 is the window's own client area
    }
    const HWND created = CreateWindowExW(
        native.ex_style, native.window_class, Wide(control->caption).c_str(),
        WS_CHILD | WS_VISIBLE | WS_GROUP | native.style, 0, 0, 0, 0, window_.get(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(*control))), instance, nullptr);
    controls[static_cast<std::size_t>(control - app::kControls.data())] = created;
    if (control->kind == app::ControlKind::kFolderList) {
      UseFolderIcons(created);
    }
  }
  return controls;
}

FontHandle Form1Window::MakeFont() const {
  // The system's UI font, at the size it has on this window's monitor.
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTW font = metrics.lfMessageFont;
  font.lfHeight =
      MulDiv(font.lfHeight, static_cast<int>(dpi_), static_cast<int>(GetDpiForSystem()));
  return FontHandle(CreateFontIndirectW(&font));
}

void Form1Window::LayOut() {
  RECT frame{0, 0, Pixels(app::kClientWidth), Pixels(app::kClientHeight)};
  AdjustWindowRectExForDpi(&frame, kWindowStyle, FALSE, kWindowExStyle, dpi_);
  SetWindowPos(window_.get(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (std::size_t i = 0; i < app::kControls.size(); ++i) {
    const HWND control = controls_[i];
    if (control == nullptr) {
      continue;
    }
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    const app::Place place = app::PlaceInWindow(app::kControls[i]);
    const int height = Pixels(place.height);
    const bool drop_down = app::kControls[i].kind == app::ControlKind::kDriveList;
    // A drop-down list's own height is that of its open list: a few drives' worth.
    SetWindowPos(control, nullptr, Pixels(place.left), Pixels(place.top), Pixels(place.width),
                 drop_down ? height * 8 : height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (drop_down) {
      FitClosedHeight(control, height);
    }
  }
  InvalidateRect(window_.get(), nullptr, TRUE);
}

HWND Form1Window::FirstTabStop() const {
  for (const app::Control* control : app::InTabOrder()) {
    if (app::TakesFocus(control->kind)) {
      return Control(control->name);
    }
  }
  return nullptr;
}

HWND Form1Window::Control(std::string_view name) const {
  const app::Control* const control = app::FindControl(name);
  return control == nullptr ? nullptr
                            : controls_[static_cast<std::size_t>(control - app::kControls.data())];
}

}  // namespace qe2m4::win32
