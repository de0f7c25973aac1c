#include "cli/batch_progress.h"

#include <cmath>
#include <string>

#include "app/texts.h"
#include "cli/console.h"
#include "platform/utf8.h"

namespace qe2m4::cli {
namespace {

using Clock = std::chrono::steady_clock;

// Redrawing more often than this only costs time; the eye cannot follow it.
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

std::string Utf8(std::u16string_view text) {
  return platform::ToUtf8(text);
}

std::string OutcomeText(batch::BoringOutcome outcome) {
  switch (outcome) {
    case batch::BoringOutcome::kConverted:
      return Utf8(app::texts::kBatchConverted);
    case batch::BoringOutcome::kRefused:
      return Utf8(app::texts::kBatchRefused);
    case batch::BoringOutcome::kFailed:
      return Utf8(app::texts::kBatchFailed);
    case batch::BoringOutcome::kNotRun:
      break;
  }
  return Utf8(app::texts::kBatchNotRun);
}

std::string Duration(double seconds) {
  const long total = std::lround(seconds);
  char text[32];
  std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", total / 3600, total / 60 % 60, total % 60);
  return text;
}

}  // namespace

BatchProgress::BatchProgress(ProgressStyle style, std::size_t total, std::FILE* stream)
    : style_(style), total_(total), stream_(stream), start_(Clock::now()) {}

void BatchProgress::Finished(const batch::BatchEntry& entry, const batch::BoringResult& result) {
  ++done_;
  if (result.outcome != batch::BoringOutcome::kConverted) {
    ++failures_;
  }
  if (style_ == ProgressStyle::kLine) {
    Redraw(done_ == total_);
  } else if (style_ == ProgressStyle::kPlain) {
    // Names hold blanks: an arrow, not a blank, separates the source from the destination
    // (U+2192 is in CP932, 0x81A8, where redirected output is CP932). An entry of a tree walk
    // that is not converted has no destination.
    std::string line = std::to_string(done_) + "/" + std::to_string(total_) + " " +
                       OutcomeText(result.outcome) + " " + Utf8(entry.source);
    if (!entry.destination.empty()) {
      line += " → " + Utf8(entry.destination);
    }
    for (const std::u16string& message : result.messages) {
      line += "\n  " + Utf8(message);
    }
    WriteText(stream_, line + "\n");
    std::fflush(stream_);
  }
}

void BatchProgress::End() {
  if (style_ == ProgressStyle::kLine && done_ > 0) {
    Redraw(true);
    WriteText(stream_, "\n");
    std::fflush(stream_);
  }
}

void BatchProgress::Redraw(bool force) {
  const Clock::time_point now = Clock::now();
  if (!force && now - last_drawn_ < kRedrawInterval) {
    return;
  }
  last_drawn_ = now;
  const double seconds = std::chrono::duration<double>(now - start_).count();
  const double rate = seconds > 0 ? static_cast<double>(done_) / seconds : 0;
  const double left = rate > 0 ? static_cast<double>(total_ - done_) / rate : 0;
  char numbers[64];
  std::snprintf(numbers, sizeof numbers, "%.1f ", rate);
  const std::string line = std::to_string(done_) + "/" + std::to_string(total_) + "  " +
                           Utf8(app::texts::kProgressFailed) + " " + std::to_string(failures_) +
                           "  " + numbers + Utf8(app::texts::kProgressRate) + "  " +
                           Utf8(app::texts::kProgressLeft) + " " + Duration(left);
  // Carriage return and "erase to the end of the line": the line is drawn over the last one.
  WriteTerminalControl(stream_, "\r\x1b[K");
  WriteText(stream_, line);
  std::fflush(stream_);
}

}  // namespace qe2m4::cli
