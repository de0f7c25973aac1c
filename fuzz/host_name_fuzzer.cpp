// Feeds arbitrary bytes to the decoding of host folder and file names: the program's text of a
// name must lead back to the very bytes the host stores, or a folder whose name is not UTF-8
// could not be opened, converted into or told apart from its neighbours.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "fuzz_check.h"
#include "platform/host_paths.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path host(std::string(reinterpret_cast<const char*>(data), size));
  const std::u16string text = qe2m4::platform::PathText(host);
  qe2m4::fuzz::Require(qe2m4::platform::HostPath(text) == host,
                       "a host name's text gives back its bytes");
  return 0;
}
