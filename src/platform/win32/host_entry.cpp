#include "platform/host_entry.h"

#include <windows.h>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"

namespace qe2m4::platform {

HostEntryKind HostEntryKindOf(const std::filesystem::path& host) {
  const win32::NoDriveDialogs no_dialogs;
  const DWORD attributes = GetFileAttributesW(host.empty() ? L"." : host.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return HostEntryKind::kNothing;
  }
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    return HostEntryKind::kLink;
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return HostEntryKind::kFolder;
  }
  // Devices (NUL, CON, COM1 ...) have attributes too: only a file on a disk is a file.
  const win32::UniqueHandle handle(
      CreateFileW(host.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!handle.valid()) {
    return HostEntryKind::kNothing;
  }
  return GetFileType(handle.get()) == FILE_TYPE_DISK ? HostEntryKind::kFile : HostEntryKind::kOther;
}

}  // namespace qe2m4::platform
