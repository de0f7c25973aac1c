#pragma once

#include <chrono>
#include <cstddef>
#include <cstdio>

#include "batch/batch_entry.h"

namespace qe2m4::cli {

// How a batch shows its progress on standard error.
enum class ProgressStyle {
  kLine,   // a terminal: one line redrawn in place
  kPlain,  // anything else: one line per finished boring, "3/4 拒否 SOURCE → DEST"
  kNone,   // --quiet
};

// Done/total, failures so far, borings per second and the time left.
class BatchProgress {
 public:
  BatchProgress(ProgressStyle style, std::size_t total, std::FILE* stream);

  void Finished(const batch::BatchEntry& entry, const batch::BoringResult& result);
  // Ends the redrawn line, so that what follows starts on a line of its own.
  void End();

 private:
  void Redraw(bool force);

  ProgressStyle style_;
  std::size_t total_;
  std::FILE* stream_;
  std::size_t done_ = 0;
  std::size_t failures_ = 0;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point last_drawn_;
};

}  // namespace qe2m4::cli
