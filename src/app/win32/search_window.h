#pragma once

#include <windows.h>

#include <string_view>

#include "app/win32/gdi_handles.h"

namespace qe2m4::win32 {

// The small window of a lasting pattern-data search at start-up: a busy bar and the drive and
// folder being searched. It closes when this object goes.
class SearchWindow {
 public:
  // Registers the window's class; once per program, before the first window.
  static bool RegisterWindowClass(HINSTANCE instance);

  SearchWindow(HINSTANCE instance, HFONT font, UINT dpi);

  // Names the folder the search has reached (a drive path).
  void Show(std::u16string_view folder);
  HWND handle() const { return window_.get(); }

 private:
  WindowHandle window_;
  HWND folder_ = nullptr;
};

}  // namespace qe2m4::win32
