#include "platform/file_identity.h"

#include <windows.h>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"

namespace qe2m4::platform {

std::optional<FileIdentity> HostFileIdentity(const std::filesystem::path& host) {
  const win32::NoDriveDialogs no_dialogs;
  // No access asked for: the identity of a file that another program holds is still readable.
  // Backup semantics open folders too; links are followed.
  const win32::UniqueHandle handle(
      CreateFileW(host.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!handle.valid()) {
    return std::nullopt;
  }
  BY_HANDLE_FILE_INFORMATION information;
  if (GetFileInformationByHandle(handle.get(), &information) == 0) {
    return std::nullopt;
  }
  return FileIdentity{
      information.dwVolumeSerialNumber,
      static_cast<std::uint64_t>(information.nFileIndexHigh) << 32 | information.nFileIndexLow};
}

}  // namespace qe2m4::platform
