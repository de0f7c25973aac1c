#include "platform/byte_names.h"

#include <cstdint>

#include "platform/cp932.h"
#include "platform/utf8.h"

namespace qe2m4::platform {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;
constexpr char32_t kReplacement = 0xFFFD;

}  // namespace

std::u16string DecodeByteName(std::string_view bytes) {
  if (IsUtf8Text(bytes)) {
    return FromUtf8(bytes);
  }
  if (IsCp932Text(bytes)) {
    return DecodeCp932(bytes);
  }
  std::u16string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    char32_t c = 0;
    const std::size_t length = DecodeUtf8Character(bytes, i, c);
    if (length == 0) {
      // Only bytes 0x80 to 0xFF can fail: every ASCII byte is a character.
      text += static_cast<char16_t>(kEscapeBase + static_cast<std::uint8_t>(bytes[i]));
      ++i;
    } else {
      AppendUtf16(text, c);
      i += length;
    }
  }
  return text;
}

std::string EncodeByteName(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      AppendUtf8(bytes, 0x10000 + ((char32_t{c} - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF) {
      bytes += static_cast<char>(c - kEscapeBase);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      // A lone surrogate that stands for no byte has no UTF-8 form.
      AppendUtf8(bytes, kReplacement);
    } else {
      AppendUtf8(bytes, c);
    }
  }
  return bytes;
}

}  // namespace qe2m4::platform
