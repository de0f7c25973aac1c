#include "app/win32/list_controls.h"

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "app/folder_list.h"
#include "platform/win32/win32_text.h"

namespace qe2m4::win32 {

using platform::win32::Utf16;
using platform::win32::Wide;

namespace {

// The system image list's index of a folder icon, open or closed.
int FolderIcon(bool open) {
  SHFILEINFOW info{};
  const UINT flags =
      SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES | (open ? SHGFI_OPENICON : 0u);
  SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info, flags);
  return info.iIcon;
}

std::optional<std::size_t> EntryOf(HWND tree, HTREEITEM item) {
  if (item == nullptr) {
    return std::nullopt;
  }
  TVITEMW data{};
  data.mask = TVIF_PARAM | TVIF_HANDLE;
  data.hItem = item;
  if (!TreeView_GetItem(tree, &data)) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(data.lParam);
}

}  // namespace

void UseFolderIcons(HWND tree) {
  SHFILEINFOW info{};
  // The shell's own image list: shared by the whole program, never destroyed by it.
  const auto images = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                     SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES));
  if (images != nullptr) {
    TreeView_SetImageList(tree, images, TVSIL_NORMAL);
  }
}

void ShowFolderEntries(HWND tree, const app::FolderList& list) {
  SendMessageW(tree, WM_SETREDRAW, FALSE, 0);
  TreeView_DeleteAllItems(tree);
  const int open = FolderIcon(true);
  const int closed = FolderIcon(false);
  // parents[d] is the last item shown at depth d; an entry hangs under the one a step out.
  std::vector<HTREEITEM> parents;
  std::vector<HTREEITEM> levels;
  HTREEITEM current = nullptr;
  const auto& entries = list.Entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const app::FolderList::Entry& entry = entries[i];
    const std::wstring text = Wide(entry.text);
    const auto depth = static_cast<std::size_t>(entry.depth);
    TVINSERTSTRUCTW insert{};
    insert.hParent = depth == 0 || depth > parents.size() ? TVI_ROOT : parents[depth - 1];
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<wchar_t*>(text.c_str());
    insert.item.lParam = static_cast<LPARAM>(i);
    insert.item.iImage = entry.level ? open : closed;
    insert.item.iSelectedImage = insert.item.iImage;
    const HTREEITEM item = TreeView_InsertItem(tree, &insert);
    parents.resize(depth + 1);
    parents[depth] = item;
    if (entry.level) {
      levels.push_back(item);
    }
    if (i == list.CurrentIndex()) {
      current = item;
    }
  }
  // Every level stands open, as the classic folder list shows it.
  for (const HTREEITEM level : levels) {
    TreeView_Expand(tree, level, TVE_EXPAND);
  }
  if (current != nullptr) {
    TreeView_SelectItem(tree, current);
    TreeView_EnsureVisible(tree, current);
  }
  SendMessageW(tree, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(tree, nullptr, TRUE);
}

std::optional<std::size_t> SelectedFolderEntry(HWND tree) {
  return EntryOf(tree, TreeView_GetSelection(tree));
}

std::optional<std::size_t> FolderEntryAtCursor(HWND tree) {
  const DWORD position = GetMessagePos();
  TVHITTESTINFO hit{};
  hit.pt = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  ScreenToClient(tree, &hit.pt);
  if (TreeView_HitTest(tree, &hit) == nullptr || (hit.flags & TVHT_ONITEM) == 0) {
    return std::nullopt;
  }
  return EntryOf(tree, hit.hItem);
}

void FitClosedHeight(HWND combo_box, int height) {
  // The closed list is its selection field plus a border; set the field, measure, correct once.
  for (int attempt = 0; attempt < 2; ++attempt) {
    RECT frame;
    GetWindowRect(combo_box, &frame);
    const auto field = SendMessageW(combo_box, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    const LRESULT wanted = field + height - (frame.bottom - frame.top);
    if (wanted == field || wanted < 1) {
      return;
    }
    SendMessageW(combo_box, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), wanted);
  }
}

}  // namespace qe2m4::win32
