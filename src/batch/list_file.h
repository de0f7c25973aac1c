#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "batch/batch_list.h"
#include "common/text_encoding.h"

namespace qe2m4::batch {

// The most a list file may hold: about 600,000 borings of 100 bytes a line, far more than any
// archive has, and little enough to hold in memory.
inline constexpr std::uintmax_t kMaxListBytes = 64 * 1024 * 1024;

// Reads the list file at a host path as ReadBatchList does, only when it is a regular file of at
// most kMaxListBytes: a device (/dev/zero), a FIFO or a folder is refused without reading it,
// and so is a larger file. What keeps the file from being read is the list's one problem.
BatchList ReadListFile(const std::filesystem::path& host,
                       std::optional<common::TextEncoding> forced,
                       const std::function<bool()>& stop_requested);

}  // namespace qe2m4::batch
