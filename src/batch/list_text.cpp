#include "batch/list_text.h"

#include "platform/cp932.h"
#include "platform/utf8.h"

namespace qe2m4::batch {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Whether the bytes are UTF-8 as written by a program: no overlong forms, no surrogates,
// nothing above U+10FFFF.
bool IsUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    char32_t c = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      c = lead & 0x07;
    } else {
      return false;
    }
    if (i + length > bytes.size()) {
      return false;
    }
    for (std::size_t k = 1; k < length; ++k) {
      if ((byte(i + k) & 0xC0) != 0x80) {
        return false;
      }
      c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if ((length == 3 && c < 0x800) || (length == 4 && (c < 0x10000 || c > 0x10FFFF)) ||
        (c >= 0xD800 && c <= 0xDFFF)) {
      return false;
    }
    i += length;
  }
  return true;
}

}  // namespace

ListEncoding DetectListEncoding(std::string_view bytes) {
  if (bytes.starts_with(kBom) || IsUtf8(bytes)) {
    return ListEncoding::kUtf8;
  }
  return ListEncoding::kCp932;
}

std::string_view WithoutBom(std::string_view bytes) {
  return bytes.starts_with(kBom) ? bytes.substr(kBom.size()) : bytes;
}

std::u16string DecodeListLine(std::string_view line, ListEncoding encoding) {
  return encoding == ListEncoding::kUtf8 ? platform::FromUtf8(line) : platform::DecodeCp932(line);
}

}  // namespace qe2m4::batch
