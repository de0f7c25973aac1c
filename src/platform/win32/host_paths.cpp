#include "platform/host_paths.h"

#include <array>

#include "platform/names.h"
#include "platform/utf8.h"
#include "platform/win32/win32_text.h"

namespace qe2m4::platform {

std::filesystem::path HostPath(std::u16string_view text) {
  return std::filesystem::path(win32::Wide(text));
}

std::u16string PathText(const std::filesystem::path& host) {
  return win32::Utf16(host.native());
}

std::vector<std::filesystem::path> HostNameForms(std::u16string_view name) {
  return {HostPath(name)};
}

std::filesystem::path HostPathFromUtf8(std::string_view text) {
  return HostPath(FromUtf8(text));
}

std::string PathUtf8(const std::filesystem::path& host) {
  return ToUtf8(PathText(host));
}

namespace {

// Device names that Windows opens whatever the folder and the extension.
bool IsDeviceName(std::u16string_view name) {
  std::u16string base(name.substr(0, name.find(u'.')));
  while (!base.empty() && base.back() == u' ') {
    base.pop_back();
  }
  for (char16_t& c : base) {
    if (c >= u'a' && c <= u'z') {
      c = static_cast<char16_t>(c - u'a' + u'A');
    }
  }
  for (const std::u16string_view device : {u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$", u"CONOUT$"}) {
    if (base == device) {
      return true;
    }
  }
  return base.size() == 4 && (base.starts_with(u"COM") || base.starts_with(u"LPT")) &&
         base[3] >= u'1' && base[3] <= u'9';
}

}  // namespace

std::optional<NameProblem> HostNameProblem(std::u16string_view name) {
  if (name.empty()) {
    return std::nullopt;
  }
  if (auto problem = ControlCharacterProblem(name)) {
    return problem;
  }
  if (name.back() == u' ' || name.back() == u'.') {
    return NameProblem{NameProblemKind::kEndsWithBlankOrDot, name.back()};
  }
  for (const char16_t c : name) {
    if (std::u16string_view(u"<>:\"|?*").find(c) != std::u16string_view::npos) {
      return NameProblem{NameProblemKind::kReservedCharacter, c};
    }
  }
  if (IsDeviceName(name)) {
    return NameProblem{NameProblemKind::kDeviceName};
  }
  return std::nullopt;
}

std::optional<std::filesystem::path> StoredEntry(const std::filesystem::path& folder,
                                                 const std::filesystem::path& name) {
  // Wildcards would match other names; no stored name holds them.
  if (name.native().find_first_of(L"*?") != std::wstring::npos) {
    return std::nullopt;
  }
  const win32::NoDriveDialogs no_dialogs;
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileExW((folder / name).c_str(), FindExInfoBasic, &found,
                                         FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) {
    return std::nullopt;
  }
  FindClose(search);
  // Windows drops trailing blanks and dots from a name it looks up ("OUT " finds "OUT"): only
  // the same name in another letter case is the entry asked for.
  const std::wstring& asked = name.native();
  if (CompareStringOrdinal(asked.c_str(), static_cast<int>(asked.size()), found.cFileName, -1,
                           TRUE) != CSTR_EQUAL) {
    return std::nullopt;
  }
  return folder / found.cFileName;
}

bool HostIsLink(const std::filesystem::path& entry) {
  const DWORD attributes = GetFileAttributesW(entry.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool HostFolderReady(const std::filesystem::path& folder) {
  const win32::NoDriveDialogs no_dialogs;
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<std::u16string> HostVolumeName(const std::filesystem::path& folder) {
  // Only a drive's own root ("D:\") is a volume's root; a share (\\server\share) or any inner
  // folder is shown by its path, as Windows lists network drives.
  const std::wstring& text = folder.native();
  const bool drive_root =
      text.size() == 3 && text[1] == L':' && (text[2] == L'\\' || text[2] == L'/');
  if (!drive_root) {
    return std::nullopt;
  }
  const win32::NoDriveDialogs no_dialogs;
  std::array<wchar_t, MAX_PATH + 1> label{};
  if (GetVolumeInformationW(text.c_str(), label.data(), static_cast<DWORD>(label.size()), nullptr,
                            nullptr, nullptr, nullptr, 0) == 0) {
    return std::u16string();
  }
  return win32::Utf16(std::wstring_view(label.data()));
}

bool HostNamesIgnoreCase() {
  return true;  // NTFS and FAT match names without regard to case
}

}  // namespace qe2m4::platform
