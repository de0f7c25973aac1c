#pragma once

#include "app/control_table.h"

namespace qe2m4::win32 {

// The Win32 control identifier of a control of the table: 100 plus its tab index, so that a
// program driving the window (its tests) finds each control by GetDlgItem.
constexpr int ControlId(const app::Control& control) {
  return 100 + control.tab_index;
}

// The class of the window Form1, for FindWindowW.
inline constexpr wchar_t kForm1Class[] = L"qe2m4.Form1";
// The class of the start-up search's progress window.
inline constexpr wchar_t kSearchWindowClass[] = L"qe2m4.PatternSearch";

}  // namespace qe2m4::win32
