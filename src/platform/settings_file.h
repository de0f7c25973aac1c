#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace qe2m4::platform {

// A settings file's text, read only when the file is an ordinary file of sensible size: a
// FIFO would hang the program and a link to a device could fill the memory.
struct SettingsText {
  enum class State {
    kRead,     // text holds the whole file
    kMissing,  // nothing at the path
    kIgnored,  // not an ordinary file, or larger than allowed; problem says which
  };
  State state = State::kMissing;
  std::string text;
  std::string problem;
  bool too_large = false;  // kIgnored for its size, not for what it is
  bool is_folder = false;  // kIgnored for being a folder
};

// Reads a settings file of at most max_bytes. Throws Error(kRead) naming display_path when an
// ordinary file is there but cannot be read.
SettingsText ReadSettingsFile(const std::filesystem::path& host, const std::u16string& display_path,
                              std::uintmax_t max_bytes);

}  // namespace qe2m4::platform
