#include "app/win32/form1_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "app/texts.h"
#include "app/win32/control_ids.h"
#include "app/win32/list_controls.h"
#include "platform/win32/win32_text.h"

namespace qe2m4::win32 {

using platform::win32::Utf16;
using platform::win32::Wide;

namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;

// The user's choices in the lists are acted on after the control's own notification has
// returned, since acting on them refills the control.
constexpr UINT kOpenFolderMessage = WM_APP + 1;   // wParam: side, lParam: entry
constexpr UINT kChooseDriveMessage = WM_APP + 2;  // wParam: side, lParam: entry

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

Form1Window::Side SideOf(WPARAM w) {
  return w == 0 ? Form1Window::Side::kSource : Form1Window::Side::kDestination;
}
WPARAM SideParameter(Form1Window::Side side) {
  return side == Form1Window::Side::kSource ? 0 : 1;
}

}  // namespace

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

LRESULT CALLBACK Form1Window::WindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    const auto* const create = reinterpret_cast<const CREATESTRUCTW*>(l);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* const self = reinterpret_cast<Form1Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr || !self->ready_) {
    return DefWindowProcW(window, message, w, l);
  }
  return self->HandleMessage(message, w, l);
}

LRESULT Form1Window::HandleMessage(UINT message, WPARAM w, LPARAM l) {
  const HWND window = window_.get();
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(w), HIWORD(w), reinterpret_cast<HWND>(l));
      return 0;
    case WM_NOTIFY:
      OnNotify(*reinterpret_cast<const NMHDR*>(l));
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove({GET_X_LPARAM(l), GET_Y_LPARAM(l)});
      return 0;
    case WM_CTLCOLORSTATIC:
      return OnControlColour(reinterpret_cast<HDC>(w));
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(w), &client, background_.get());
      return 1;
    }
    case WM_SETCURSOR:
      if (OnSetCursor()) {
        return TRUE;
      }
      break;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(w), *reinterpret_cast<const RECT*>(l));
      return 0;
    case WM_ACTIVATE:
      OnActivate(LOWORD(w) != WA_INACTIVE);
      return 0;
    case WM_CLOSE:
      form_.Command2_Click();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      // The window is gone: nothing must destroy it a second time.
      static_cast<void>(window_.release());
      break;
    case kOpenFolderMessage:
      OnOpenFolder(SideOf(w), static_cast<std::size_t>(l));
      return 0;
    case kChooseDriveMessage:
      OnChooseDrive(SideOf(w), static_cast<std::size_t>(l));
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, w, l);
}

void Form1Window::OnCommand(int id, int code, HWND control) {
  if (control == Control("Command1") && code == BN_CLICKED) {
    form_.Command1_Click();
    return;
  }
  if (control == Control("Command2") && code == BN_CLICKED) {
    form_.Command2_Click();
    return;
  }
  for (const Side side : {Side::kSource, Side::kDestination}) {
    const HWND box = DriveBox(side);
    if (control != box) {
      continue;
    }
    if (code == CBN_DROPDOWN) {
      // The drives are read again whenever the list opens, as drives come and go.
      form_.Drive(side).Refresh();
      ShowDrives(side, form_.Drive(side));
    } else if ((code == CBN_SELCHANGE && !SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0)) ||
               code == CBN_CLOSEUP) {
      const LRESULT chosen = SendMessageW(box, CB_GETCURSEL, 0, 0);
      if (chosen >= 0) {
        PostMessageW(window_.get(), kChooseDriveMessage, SideParameter(side), chosen);
      }
    }
    return;
  }
  // Enter (IDOK from the dialog keys) opens the selected folder of a folder list, and does
  // nothing elsewhere: Enter in a path box does not run the conversion.
  if (id == IDOK) {
    const HWND focus = GetFocus();
    for (const Side side : {Side::kSource, Side::kDestination}) {
      if (focus == FolderTree(side)) {
        if (const auto index = SelectedFolderEntry(focus)) {
          PostMessageW(window_.get(), kOpenFolderMessage, SideParameter(side),
                       static_cast<LPARAM>(*index));
        }
      }
    }
  }
}

void Form1Window::OnNotify(const NMHDR& header) {
  for (const Side side : {Side::kSource, Side::kDestination}) {
    if (header.hwndFrom != FolderTree(side)) {
      continue;
    }
    std::optional<std::size_t> index;
    if (header.code == NM_DBLCLK) {
      index = FolderEntryAtCursor(header.hwndFrom);
    } else if (header.code == NM_RETURN) {
      index = SelectedFolderEntry(header.hwndFrom);
    }
    if (index) {
      PostMessageW(window_.get(), kOpenFolderMessage, SideParameter(side),
                   static_cast<LPARAM>(*index));
    }
  }
}

void Form1Window::OnMouseMove(POINT at) {
  const app::Place picture = app::PlaceInWindow(*app::FindControl("Picture1"));
  if (at.x < Pixels(picture.left + picture.width) && at.y < Pixels(picture.top + picture.height)) {
    form_.Picture1_MouseMove();
  }
}

LRESULT Form1Window::OnControlColour(HDC dc) {
  // Labels and frames stand on the light grey background.
  SetBkColor(dc, RGB(app::kBackgroundColour.red, app::kBackgroundColour.green,
                     app::kBackgroundColour.blue));
  return reinterpret_cast<LRESULT>(background_.get());
}

bool Form1Window::OnSetCursor() {
  return ui_.ShowBusyPointer();
}

void Form1Window::OnDpiChanged(UINT dpi, const RECT& suggested) {
  dpi_ = dpi;
  font_ = MakeFont();
  SetWindowPos(window_.get(), nullptr, suggested.left, suggested.top,
               suggested.right - suggested.left, suggested.bottom - suggested.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  LayOut();
  if (search_) {
    search_.reset();
  }
}

void Form1Window::OnActivate(bool active) {
  const HWND focus = GetFocus();
  const bool ours = focus != nullptr && GetParent(focus) == window_.get();
  if (!active) {
    if (ours) {
      last_focus_ = focus;
    }
    return;
  }
  // The focus returns to the control that had it when the window was left, unless a control
  // has taken it meanwhile (a refused path's box, focused as its message box closes).
  if (!ours) {
    SetFocus(last_focus_ != nullptr ? last_focus_ : FirstTabStop());
  }
}

void Form1Window::OnOpenFolder(Side side, std::size_t index) {
  form_.Dir(side).Open(index);
}

void Form1Window::OnChooseDrive(Side side, std::size_t index) {
  form_.Drive(side).Choose(index);
}

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
