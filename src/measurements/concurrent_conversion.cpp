#include "measurements/concurrent_conversion.h"

#include <system_error>
#include <utility>

namespace qe2m4 {

ConcurrentConversion::ConcurrentConversion(ConversionContext& run_context, Converters converters)
    : run_context_(run_context),
      converters_(std::move(converters)),
      reader_(run_context.file_system),
      context_{
          run_context.file_system, reader_, run_context.DestFolder, report_, &held_, &abandoned_} {
  try {
    thread_ = std::thread([this] { Convert(); });
  } catch (const std::system_error&) {
    // No second thread (a limit of the system): Finish() converts on the run's own thread.
  }
}

ConcurrentConversion::~ConcurrentConversion() {
  abandoned_ = true;
  if (thread_.joinable()) {
    thread_.join();
  }
}

void ConcurrentConversion::Convert() noexcept {
  try {
    converters_(context_);
  } catch (...) {
    failure_ = std::current_exception();
  }
}

void ConcurrentConversion::Finish() {
  if (!thread_.joinable()) {
    converters_(run_context_);
    return;
  }
  thread_.join();
  if (reader_.AskedForFieldNeverRead()) {
    // A record file shorter than one record: on one thread its missing fields would keep the
    // texts of the files before it, which the second thread's reader never saw. Its work is
    // dropped (its files were never published) and done again here, after those files.
    held_.Discard();
    converters_(run_context_);
    return;
  }
  // What the converters reported (N6.txt not written for want of Patdat32.ini) follows the
  // run's own entries, as in a run on one thread.
  run_context_.report.not_written.insert(run_context_.report.not_written.end(),
                                         report_.not_written.begin(), report_.not_written.end());
  run_context_.report.unmatched_layers.insert(run_context_.report.unmatched_layers.end(),
                                              report_.unmatched_layers.begin(),
                                              report_.unmatched_layers.end());
  held_.PublishAll(run_context_.report);
  if (failure_) {
    std::rethrow_exception(failure_);
  }
}

}  // namespace qe2m4
