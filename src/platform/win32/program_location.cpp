#include "platform/program_location.h"

#include <windows.h>

#include <string>

namespace qe2m4::platform {
namespace {

// Calls a Windows function that fills a buffer of wide characters and returns the length it
// wrote (or the size it needs), growing the buffer until the text fits; empty on failure.
template <typename Fill>
std::wstring FillBuffer(Fill fill) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 8; ++attempt) {
    const UINT length = fill(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length == 0) {
      return {};
    }
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(buffer.size() * 2 > length + 1 ? buffer.size() * 2 : length + 1);
  }
  return {};
}

}  // namespace

std::optional<std::filesystem::path> ProgramLocation() {
  const std::wstring executable = FillBuffer([](wchar_t* buffer, UINT size) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer, size);
    // A truncated name reports the buffer's size: ask for a larger buffer.
    return static_cast<UINT>(length);
  });
  if (executable.empty()) {
    return std::nullopt;
  }
  return std::filesystem::path(executable).parent_path();
}

std::filesystem::path DefaultSystemFolder() {
  // The source product is a 32-bit program: on 64-bit Windows the system folder it sees (and
  // where its installation keeps Patdat32.ini) is SysWOW64. 32-bit Windows has no SysWOW64
  // (the call fails) and the system folder is the one GetSystemDirectoryW names.
  std::wstring folder =
      FillBuffer([](wchar_t* buffer, UINT size) { return GetSystemWow64DirectoryW(buffer, size); });
  if (folder.empty()) {
    folder =
        FillBuffer([](wchar_t* buffer, UINT size) { return GetSystemDirectoryW(buffer, size); });
  }
  return std::filesystem::path(folder);
}

}  // namespace qe2m4::platform
