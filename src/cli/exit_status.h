#pragma once

namespace qe2m4::cli {

// Exit statuses of the command line.
inline constexpr int kExitConverted = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;

}  // namespace qe2m4::cli
