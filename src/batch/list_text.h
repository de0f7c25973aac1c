#pragma once

#include <string>
#include <string_view>

namespace qe2m4::batch {

enum class ListEncoding { kUtf8, kCp932 };

// The encoding of a list file written by hand or by a spreadsheet: UTF-8 (with or without a
// BOM) when the bytes are valid UTF-8, CP932 otherwise. CP932 text with any Japanese in it is
// almost never valid UTF-8, and ASCII reads the same either way.
ListEncoding DetectListEncoding(std::string_view bytes);

// The bytes after a UTF-8 BOM, or all of them.
std::string_view WithoutBom(std::string_view bytes);

// One line of the list as text.
std::u16string DecodeListLine(std::string_view line, ListEncoding encoding);

}  // namespace qe2m4::batch
