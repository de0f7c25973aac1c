#include "platform/byte_names.h"

#include <cstdint>

#include "platform/cp932.h"
#include "platform/utf8.h"

namespace qe2m4::platform {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;
constexpr char32_t kReplacement = 0xFFFD;

// The length of the UTF-8 character starting at bytes[i] and the character itself; 0 when the
// bytes there are no character (a broken, overlong or surrogate sequence, a stray byte).
std::size_t Utf8Character(std::string_view bytes, std::size_t i, char32_t& c) {
  const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(bytes[k]); };
  const std::uint8_t lead = byte(i);
  std::size_t length = 0;
  if (lead < 0x80) {
    c = lead;
    return 1;
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
    return 0;
  }
  if (i + length > bytes.size()) {
    return 0;
  }
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) {
      return 0;
    }
    c = (c << 6) | (byte(i + k) & 0x3F);
  }
  if ((length == 3 && c < 0x800) || (length == 4 && (c < 0x10000 || c > 0x10FFFF)) ||
      (c >= 0xD800 && c <= 0xDFFF)) {
    return 0;
  }
  return length;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

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
    const std::size_t length = Utf8Character(bytes, i, c);
    if (length == 0) {
      // Only bytes 0x80 to 0xFF can fail: every ASCII byte is a character.
      text += static_cast<char16_t>(kEscapeBase + static_cast<std::uint8_t>(bytes[i]));
      ++i;
    } else if (c < 0x10000) {
      text += static_cast<char16_t>(c);
      i += length;
    } else {
      text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
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
