#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/host_paths.h"
#include "platform/utf8.h"

namespace qe2m4::testing {

// The program's texts and host paths as the UTF-8 the command-line tests compare its output with.
inline std::string Utf8(std::u16string_view text) {
  return platform::ToUtf8(text);
}

inline std::string HostText(const std::filesystem::path& host) {
  return platform::PathUtf8(host);
}

}  // namespace qe2m4::testing
