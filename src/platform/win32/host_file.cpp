#include "platform/host_file.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <random>
#include <stdexcept>
#include <string>

#include "platform/error.h"
#include "platform/temporary_names.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"

namespace qe2m4::platform {
namespace {

// Room for the longest name written in a destination folder: a temporary name such as
// ".~Titl1.txt.4294967295.tmp", a copied "Titl0?.txt", with a margin.
constexpr std::size_t kRoomForNames = 64;

// The longest level name of the volume that holds path; 255 when the system does not say. The
// volume is asked through the nearest level of the path that exists (the last levels of a
// destination may not exist yet), not through its root folder: asked about a root, Wine opens
// the device behind it for its label and complains on the console when it may not read it.
std::size_t NameLimit(const std::filesystem::path& path) {
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

struct AtomicFile::Host {
  win32::UniqueHandle file;
};

void CheckHostPathLimits(const std::filesystem::path& folder, const std::u16string& display_path) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(folder, ec);
  const std::size_t name_limit = NameLimit(absolute);
  // Paths are given to Windows as they are, so the classic limit of MAX_PATH characters (the
  // terminating NUL included) holds for every file written in the folder.
  bool too_long = absolute.native().size() + kRoomForNames >= MAX_PATH;
  for (const std::filesystem::path& level : absolute) {
    too_long = too_long || level.native().size() > name_limit;
  }
  if (too_long) {
    throw win32::Win32Error(ErrorKind::kCreateFolder, display_path, ERROR_FILENAME_EXCED_RANGE);
  }
}

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

AtomicFile::AtomicFile(std::filesystem::path target, std::u16string display_path,
                       FileOperationHook* hook)
    : target_(std::move(target)),
      display_path_(std::move(display_path)),
      hook_(hook),
      host_(std::make_unique<Host>()) {
  const win32::NoDriveDialogs no_dialogs;
  const DWORD attributes = GetFileAttributesW(target_.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    throw SystemError(ErrorKind::kWrite, display_path_, EISDIR);
  }
  if (const int error = Gate(FileOperation::kOpen)) {
    throw SystemError(ErrorKind::kWrite, display_path_, error);
  }
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary_ = TemporaryName(target_, random());
    // CREATE_NEW: never reuse an existing name. No one else writes it while it is being written.
    host_->file.Reset(CreateFileW(temporary_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (host_->file.valid()) {
      return;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
      temporary_.clear();
      throw win32::Win32Error(ErrorKind::kWrite, display_path_, error);
    }
  }
  temporary_.clear();
  throw win32::Win32Error(ErrorKind::kWrite, display_path_, ERROR_FILE_EXISTS);
}

AtomicFile::~AtomicFile() {
  // A moved-from file holds no handle: the file it was is owned elsewhere.
  if (!committed_ && host_ != nullptr) {
    host_->file.Close();
    if (!temporary_.empty()) {
      DeleteFileW(temporary_.c_str());
    }
  }
}

AtomicFile::AtomicFile(AtomicFile&& other) noexcept = default;

int AtomicFile::Gate(FileOperation operation) const {
  return hook_ != nullptr ? hook_->Before(operation, target_) : 0;
}

void AtomicFile::Write(std::string_view bytes) {
  if (bytes.empty()) {
    return;
  }
  if (const int error = Gate(FileOperation::kWrite)) {
    Fail(error);
  }
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (WriteFile(host_->file.get(), bytes.data(), chunk, &written, nullptr) == 0) {
      throw win32::Win32Error(ErrorKind::kWrite, display_path_, GetLastError());
    }
    bytes.remove_prefix(written);
  }
}

void AtomicFile::MakeDurable() {
  if (const int error = Gate(FileOperation::kFlush)) {
    Fail(error);
  }
  // The bytes reach the disk before the name does: after a crash the target is the old file
  // or the whole new one.
  if (FlushFileBuffers(host_->file.get()) == 0 || !host_->file.Close()) {
    throw win32::Win32Error(ErrorKind::kWrite, display_path_, GetLastError());
  }
  durable_ = true;
}

void AtomicFile::Publish() {
  if (!durable_) {
    throw std::logic_error("an output was published before it was made durable");
  }
  if (const int error = Gate(FileOperation::kRename)) {
    Fail(error);
  }
  // One step replaces the target; WRITE_THROUGH returns only when the rename is on the disk.
  if (MoveFileExW(temporary_.c_str(), target_.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
    throw win32::Win32Error(ErrorKind::kWrite, display_path_, GetLastError());
  }
  committed_ = true;
}

void AtomicFile::Fail(int error_number) {
  throw SystemError(ErrorKind::kWrite, display_path_, error_number);
}

}  // namespace qe2m4::platform
