// Feeds arbitrary bytes to the decoding of host folder and file names: the program's text of a
// name must lead back to the very bytes the host stores, or a folder whose name is not UTF-8
// could not be opened, converted into or told apart from its neighbours. A name's text leads
// back either through its host form (UTF-8 and escaped bytes) or, for a CP932 name, through its
// CP932 form, under which resolving a path looks the level up.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "platform/cp932.h"
#include "platform/host_paths.h"
#include "platform/utf8.h"

namespace {

void CheckLevel(std::string_view bytes) {
  const std::filesystem::path host{std::string(bytes)};
  const std::u16string text = qe2m4::platform::PathText(host);
  const bool by_host_form = qe2m4::platform::HostPath(text) == host;
  const bool cp932_name = !qe2m4::platform::IsUtf8Text(bytes) &&
                          qe2m4::platform::IsCp932Text(bytes) &&
                          text == qe2m4::platform::DecodeCp932(bytes);
  qe2m4::fuzz::Require(by_host_form || cp932_name, "a host name's text gives back its bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // One level at a time: each level of a path is decoded on its own.
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (std::size_t start = 0; start <= bytes.size();) {
    std::size_t end = bytes.find('/', start);
    if (end == std::string_view::npos) {
      end = bytes.size();
    }
    if (end > start && bytes.substr(start, end - start).find('\0') == std::string_view::npos) {
      CheckLevel(bytes.substr(start, end - start));
    }
    start = end + 1;
  }
  return 0;
}
