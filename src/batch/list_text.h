#pragma once

#include <string>
#include <string_view>

namespace qe2m4::batch {

// The text of a list file written by hand or by a spreadsheet: UTF-8 with or without a BOM
// when the bytes are valid UTF-8, CP932 otherwise.
std::u16string DecodeListText(std::string_view bytes);

}  // namespace qe2m4::batch
