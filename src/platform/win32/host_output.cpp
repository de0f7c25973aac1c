#include "platform/host_output.h"

#include <windows.h>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"

namespace qe2m4::platform {
namespace {

HANDLE AsHandle(std::intptr_t value) {
  return reinterpret_cast<HANDLE>(value);
}

}  // namespace

Error HostFailure(ErrorKind kind, std::u16string display_path, HostError error) {
  return win32::Win32Error(kind, std::move(display_path), static_cast<DWORD>(error));
}

HostError HostOutput::CreateNew(const std::filesystem::path& path, bool& exists) {
  Close();
  const win32::NoDriveDialogs no_dialogs;
  // CREATE_NEW: never reuse an existing name. No one else writes it while it is being written.
  const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    exists = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
    return error;
  }
  handle_ = reinterpret_cast<std::intptr_t>(handle);
  return 0;
}

HostError HostOutput::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (WriteFile(AsHandle(handle_), bytes.data(), chunk, &written, nullptr) == 0) {
      return GetLastError();
    }
    bytes.remove_prefix(written);
  }
  return 0;
}

// Windows has no call that starts a file's write-out without waiting for it: each output is
// flushed when it is complete.
void HostOutput::StartWriteOut() {}

bool HostStartsWriteOut() {
  return false;
}

HostError HostOutput::FlushAndClose() {
  win32::UniqueHandle handle(AsHandle(handle_));
  handle_ = kNone;
  if (FlushFileBuffers(handle.get()) == 0 || !handle.Close()) {
    return GetLastError();
  }
  return 0;
}

void HostOutput::Close() {
  if (handle_ != kNone) {
    CloseHandle(AsHandle(handle_));
    handle_ = kNone;
  }
}

HostError HostReplace(const std::filesystem::path& from, const std::filesystem::path& to) {
  // One step replaces the target; WRITE_THROUGH returns only when the rename is on the disk.
  return MoveFileExW(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0
             ? 0
             : GetLastError();
}

bool HostFolderNeedsFlush() {
  return false;  // the rename is durable by itself
}

HostError HostFlushFolder(const std::filesystem::path&) {
  return 0;
}

bool HostIsFolder(const std::filesystem::path& path) {
  const win32::NoDriveDialogs no_dialogs;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void HostRemoveFile(const std::filesystem::path& path) noexcept {
  DeleteFileW(path.c_str());
}

// The longest level name of the volume that holds path; 255 when the system does not say. The
// volume is asked through the nearest level of the path that exists (the last levels of a
// destination may not exist yet), not through its root folder: asked about a root, Wine opens
// the device behind it for its label and complains on the console when it may not read it.
std::size_t HostNameLimit(const std::filesystem::path& path) {
  const win32::NoDriveDialogs no_dialogs;
  for (std::filesystem::path level = path; !level.empty(); level = level.parent_path()) {
    const win32::UniqueHandle handle(
        CreateFileW(level.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (handle.valid()) {
      DWORD limit = 0;
      return GetVolumeInformationByHandleW(handle.get(), nullptr, 0, nullptr, &limit, nullptr,
                                           nullptr, 0) != 0 &&
                     limit > 0
                 ? limit
                 : 255;
    }
    if (level == level.parent_path()) {
      break;
    }
  }
  return 255;
}

std::size_t HostPathLimit() {
  // Paths are given to Windows as they are, so the classic limit of MAX_PATH characters (the
  // terminating NUL included) holds for every file written in the folder.
  return MAX_PATH;
}

HostError HostNameTooLong() {
  return ERROR_FILENAME_EXCED_RANGE;
}

}  // namespace qe2m4::platform
