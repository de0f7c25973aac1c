#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>

namespace qe2m4::app {
class FolderList;
}

namespace qe2m4::win32 {

// The folder list is a tree view: each level one step further in than the one above it, the
// levels with the shell's open-folder icon and the subfolders with its closed-folder icon. Each
// item carries the index of its entry in the app::FolderList.

// Gives a tree view the shell's small icons.
void UseFolderIcons(HWND tree);
// Shows the entries of a folder list, its folder selected and in view.
void ShowFolderEntries(HWND tree, const app::FolderList& list);
// The entry of the selected item, or of the item under the mouse pointer.
std::optional<std::size_t> SelectedFolderEntry(HWND tree);
std::optional<std::size_t> FolderEntryAtCursor(HWND tree);

// Makes a closed drop-down list exactly height pixels tall (its font sets it otherwise).
void FitClosedHeight(HWND combo_box, int height);

}  // namespace qe2m4::win32
