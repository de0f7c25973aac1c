#include "platform/host_file.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "platform/error.h"
#include "platform/host_input.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"

namespace qe2m4::platform {
namespace {

// Opens an existing file or folder for reading, shared with every other program.
HANDLE OpenExisting(const std::filesystem::path& host, DWORD flags) {
  return CreateFileW(host.c_str(), GENERIC_READ,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                     flags, nullptr);
}

// Whether the reparse point opened stands for another name (a symbolic link, a junction); what
// cannot be told is taken as one.
bool StandsForAnotherName(HANDLE handle) {
  FILE_ATTRIBUTE_TAG_INFO tag = {};
  if (GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &tag, sizeof tag) == 0) {
    return true;
  }
  return IsReparseTagNameSurrogate(tag.ReparseTag) != 0;
}

}  // namespace

UniqueFile OpenForReading(const std::filesystem::path& host, const std::u16string& display_path,
                          LastLevelLink link) {
  const win32::NoDriveDialogs no_dialogs;
  const bool refuse_links = link == LastLevelLink::kRefuse;
  // Backup semantics open a folder too, so that it is refused as a folder, not as missing. With
  // links refused, a reparse point at the last level is opened itself, not what it leads to.
  win32::UniqueHandle handle(OpenExisting(
      host, FILE_FLAG_BACKUP_SEMANTICS | (refuse_links ? FILE_FLAG_OPEN_REPARSE_POINT : 0)));
  if (!handle.valid()) {
    throw win32::Win32Error(ErrorKind::kRead, display_path, GetLastError());
  }
  BY_HANDLE_FILE_INFORMATION information;
  if (GetFileInformationByHandle(handle.get(), &information) == 0) {
    throw win32::Win32Error(ErrorKind::kRead, display_path, GetLastError());
  }
  if (refuse_links && (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    if (StandsForAnotherName(handle.get())) {
      throw Error(ErrorKind::kRead, display_path, ErrorCause::kNotAFile,
                  "a symbolic link or junction, not an ordinary file");
    }
    // Another kind of reparse point (a file kept in the cloud, a deduplicated file) is the file
    // itself, whose data only its owner's driver gives: it is opened again the usual way, and
    // read only when that open reached the very file looked at.
    win32::UniqueHandle followed(OpenExisting(host, FILE_FLAG_BACKUP_SEMANTICS));
    if (!followed.valid()) {
      throw win32::Win32Error(ErrorKind::kRead, display_path, GetLastError());
    }
    BY_HANDLE_FILE_INFORMATION file_information;
    if (GetFileInformationByHandle(followed.get(), &file_information) == 0) {
      throw win32::Win32Error(ErrorKind::kRead, display_path, GetLastError());
    }
    if (file_information.dwVolumeSerialNumber != information.dwVolumeSerialNumber ||
        file_information.nFileIndexHigh != information.nFileIndexHigh ||
        file_information.nFileIndexLow != information.nFileIndexLow) {
      throw Error(ErrorKind::kRead, display_path, ErrorCause::kNotAFile,
                  "replaced by another file while it was opened");
    }
    handle.Reset(followed.Release());
    information = file_information;
  }
  if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    throw SystemError(ErrorKind::kRead, display_path, EISDIR);
  }
  if (GetFileType(handle.get()) != FILE_TYPE_DISK) {
    throw Error(ErrorKind::kRead, display_path, ErrorCause::kNotAFile, "not a regular file");
  }
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle.get()), _O_RDONLY | _O_BINARY);
  if (fd < 0) {
    throw SystemError(ErrorKind::kRead, display_path, errno);
  }
  handle.Release();  // the descriptor owns it now
  UniqueFile file(_fdopen(fd, "rb"));
  if (!file) {
    const int error = errno;
    _close(fd);
    throw SystemError(ErrorKind::kRead, display_path, error);
  }
  return file;
}

// Windows reads through the C stream OpenForReading gives; the size is not taken, so the
// reader reads on to the end.
HostInput::HostInput(const std::filesystem::path& host, const std::u16string& display_path,
                     LastLevelLink link)
    : handle_(reinterpret_cast<std::intptr_t>(OpenForReading(host, display_path, link).release())) {
}

HostInput::~HostInput() {
  if (handle_ != kNone) {
    std::fclose(reinterpret_cast<std::FILE*>(handle_));
  }
}

HostInput::HostInput(HostInput&& other) noexcept
    : handle_(std::exchange(other.handle_, kNone)), size_(other.size_) {}

HostError HostInput::Read(char* buffer, std::size_t size, std::size_t& n) {
  std::FILE* const file = reinterpret_cast<std::FILE*>(handle_);
  n = std::fread(buffer, 1, size, file);
  if (n < size && std::ferror(file)) {
    // The system's own code of the failed read (HostError is a Windows error code here).
    return static_cast<HostError>(_doserrno != 0 ? _doserrno : ERROR_READ_FAULT);
  }
  return 0;
}

}  // namespace qe2m4::platform
