#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace qe2m4::win32 {

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
// A font or brush the window made, deleted with it.
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using BrushHandle = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;

struct WindowDeleter {
  void operator()(HWND window) const { DestroyWindow(window); }
};
// A top-level window destroyed with its owner object (unless it was destroyed before).
using WindowHandle = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

}  // namespace qe2m4::win32
