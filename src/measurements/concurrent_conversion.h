#pragma once

#include <atomic>
#include <exception>
#include <functional>
#include <thread>

#include "common/conversion_context.h"
#include "common/record_reader.h"
#include "measurements/held_outputs.h"

namespace qe2m4 {

// The last converters of a run, run on a second thread while the run's own thread runs the
// others. Their outputs are made durable there but published only by Finish(), in the order of
// a run on one thread: a run that fails or is interrupted before their turn leaves their files
// as they were, and a failure of theirs is reported after the files before them are in place.
class ConcurrentConversion {
 public:
  // The converters, in their order; they write through the context they are given.
  using Converters = std::function<void(ConversionContext&)>;

  // Starts the second thread; when the system cannot start one, Finish() runs them itself, as
  // it does when their reader met a field whose text would have come from an earlier file.
  ConcurrentConversion(ConversionContext& run_context, Converters converters);
  // Without Finish(): stops the second thread, waits for it, and removes what it completed.
  ~ConcurrentConversion();
  ConcurrentConversion(const ConcurrentConversion&) = delete;
  ConcurrentConversion& operator=(const ConcurrentConversion&) = delete;

  // Waits for the converters, publishes their outputs as far as they were completed, lists
  // them in the run's report, and then throws the converters' failure, if any.
  void Finish();

 private:
  void Convert() noexcept;

  ConversionContext& run_context_;
  Converters converters_;
  RecordReader reader_;
  ConversionReport report_;
  HeldOutputs held_;
  std::atomic<bool> abandoned_ = false;
  ConversionContext context_;
  std::exception_ptr failure_;
  std::thread thread_;  // last: it starts once everything it uses is made
};

}  // namespace qe2m4
