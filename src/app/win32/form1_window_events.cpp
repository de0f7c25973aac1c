// Form1Window's messages: one window procedure hands each message to one small function.
#include <windows.h>
// The headers below need windows.h before them.
#include <commctrl.h>
#include <windowsx.h>

#include "app/win32/form1_window.h"
#include "app/win32/list_controls.h"

namespace qe2m4::win32 {

namespace {

// The user's choices in the lists are acted on after the control's own notification has
// returned, since acting on them refills the control.
constexpr UINT kOpenFolderMessage = WM_APP + 1;   // wParam: side, lParam: entry
constexpr UINT kChooseDriveMessage = WM_APP + 2;  // wParam: side, lParam: entry

Form1Window::Side SideOf(WPARAM w) {
  return w == 0 ? Form1Window::Side::kSource : Form1Window::Side::kDestination;
}
WPARAM SideParameter(Form1Window::Side side) {
  return side == Form1Window::Side::kSource ? 0 : 1;
}

}  // namespace

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
}  // namespace qe2m4::win32
