#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

// The small file and string functions the program's routines were written against, as thin
// functions over the file system services. Texts stay texts; lists come back as vectors.
namespace qe2m4::platform {

// The number of ordinary files matching a pattern whose last level may hold "*" and "?".
// Agrees with ListFiles for the same pattern.
int FCount(const FileSystem& file_system, std::u16string_view pattern);

// The number of occurrences of a character in a text. Counts characters, so the byte 0x5C
// that ends some double-byte characters in CP932 is never taken for "\".
int InCount(std::u16string_view text, char16_t c);

// The size of a file in bytes; 0 when it does not exist or cannot be read.
std::int64_t FileSize(const FileSystem& file_system, std::u16string_view path);

// -1 when the drive is mapped and its folder exists, 0 otherwise.
int GoodDrive(const FileSystem& file_system, char16_t letter);

// The number of folders matching a pattern ("D:\A\*.*"), links included.
int DCount(const FileSystem& file_system, std::u16string_view pattern);

// One file of a ReadFileX listing.
struct FileListEntry {
  std::u16string name;
  std::int64_t size = 0;
};

// The files matching a pattern with their sizes, in listing order.
std::vector<FileListEntry> ReadFileX(const FileSystem& file_system, std::u16string_view pattern);

// The folders matching a pattern, in listing order.
std::vector<FolderEntry> ReadDirT(const FileSystem& file_system, std::u16string_view pattern);

// The text without leading and trailing blanks (U+0020 only).
std::u16string QPTrim(std::u16string_view text);
// The text without trailing blanks (U+0020 only).
std::u16string QPRTrim(std::u16string_view text);

// The folder that plays the Windows system folder (it holds Patdat32.ini).
std::u16string SysDir(const FileSystem& file_system);

}  // namespace qe2m4::platform
