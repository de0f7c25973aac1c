#include "batch/list_text.h"

#include "platform/cp932.h"
#include "platform/utf8.h"

namespace qe2m4::batch {

std::u16string DecodeListText(std::string_view bytes) {
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (bytes.starts_with(kBom)) {
    return platform::FromUtf8(bytes.substr(kBom.size()));
  }
  // Invalid UTF-8 does not survive the round trip (it comes back as U+FFFD); CP932 text with
  // any Japanese in it is almost never valid UTF-8, and ASCII reads the same either way.
  std::u16string text = platform::FromUtf8(bytes);
  if (platform::ToUtf8(text) == bytes) {
    return text;
  }
  return platform::DecodeCp932(bytes);
}

}  // namespace qe2m4::batch
