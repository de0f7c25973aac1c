#include "platform/host_file.h"

#include <windows.h>

#include <cerrno>
#include <random>
#include <string>

#include "platform/error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"

namespace qe2m4::platform {
namespace {

// A name in the target's folder that the program's listings never show (it starts with ".").
std::filesystem::path TemporaryName(const std::filesystem::path& target, unsigned number) {
  return target.parent_path() / (L".~" + target.filename().wstring() + L"." +
                                 std::to_wstring(number) + L".tmp");
}

std::string LastReason() {
  return win32::Win32Reason(GetLastError());
}

}  // namespace

struct AtomicFile::Host {
  win32::UniqueHandle file;
};

AtomicFile::AtomicFile(std::filesystem::path target, std::u16string display_path)
    : target_(std::move(target)),
      display_path_(std::move(display_path)),
      host_(std::make_unique<Host>()) {
  const win32::NoDriveDialogs no_dialogs;
  const DWORD attributes = GetFileAttributesW(target_.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    throw Error(ErrorKind::kWrite, display_path_, SystemReason(EISDIR));
  }
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary_ = TemporaryName(target_, random());
    // CREATE_NEW: never reuse an existing name. No sharing while it is written.
    host_->file.Reset(CreateFileW(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (host_->file.valid()) {
      return;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
      temporary_.clear();
      throw Error(ErrorKind::kWrite, display_path_, win32::Win32Reason(error));
    }
  }
  temporary_.clear();
  throw Error(ErrorKind::kWrite, display_path_, win32::Win32Reason(ERROR_FILE_EXISTS));
}

AtomicFile::~AtomicFile() {
  if (!committed_) {
    host_->file.Close();
    if (!temporary_.empty()) {
      DeleteFileW(temporary_.c_str());
    }
  }
}

void AtomicFile::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (WriteFile(host_->file.get(), bytes.data(), chunk, &written, nullptr) == 0) {
      Fail(LastReason());
    }
    bytes.remove_prefix(written);
  }
}

void AtomicFile::Commit() {
  if (FlushFileBuffers(host_->file.get()) == 0) {
    Fail(LastReason());
  }
  if (!host_->file.Close()) {
    Fail(LastReason());
  }
  // Replaces the target in one step; WRITE_THROUGH returns only when the rename is on the disk.
  if (MoveFileExW(temporary_.c_str(), target_.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
    Fail(LastReason());
  }
  committed_ = true;
}

void AtomicFile::Fail(const std::string& reason) {
  throw Error(ErrorKind::kWrite, display_path_, reason);
}

std::string ReadHostFile(const std::filesystem::path& file, const std::u16string& display_path) {
  const win32::NoDriveDialogs no_dialogs;
  const win32::UniqueHandle handle(
      CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!handle.valid()) {
    throw Error(ErrorKind::kRead, display_path, LastReason());
  }
  std::string content;
  char buffer[65536];
  for (;;) {
    DWORD n = 0;
    if (ReadFile(handle.get(), buffer, sizeof buffer, &n, nullptr) == 0) {
      throw Error(ErrorKind::kRead, display_path, LastReason());
    }
    if (n == 0) {
      break;
    }
    content.append(buffer, n);
  }
  return content;
}

}  // namespace qe2m4::platform
