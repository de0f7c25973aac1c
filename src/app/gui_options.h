#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qe2m4::app {

inline constexpr char kGuiUsage[] =
    "usage: qe2m4-gui [--drive L=DIR]... [--system-dir DIR] [--screenshot FILE]\n"
    "       --drive L=DIR      map drive letter L to the host folder DIR for this run\n"
    "       --system-dir DIR   the folder holding Patdat32.ini\n"
    "       --screenshot FILE  save a picture of the window as FILE (PNG) and end\n";

// The options of the window program (after Qt has taken its own).
struct GuiOptions {
  std::vector<std::string> drive_assignments;  // "L=DIR", DIR made absolute
  std::optional<std::filesystem::path> system_dir;
  std::optional<std::filesystem::path> screenshot;
  bool help = false;
};

// The options, or nullopt with error set to what is wrong.
std::optional<GuiOptions> ParseGuiOptions(const std::vector<std::string>& arguments,
                                          std::string& error);

}  // namespace qe2m4::app
