#include "batch/batch_runner.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>

#include "batch/boring_run.h"

namespace qe2m4::batch {

void RunBatch(const platform::FileSystem& prototype, const std::vector<BatchEntry>& entries,
              const BatchRunOptions& options, const BoringFinished& finished,
              const std::function<bool()>& stop_requested) {
  std::atomic<std::size_t> next{0};
  std::atomic<bool> failed{false};
  std::mutex finishing;
  std::exception_ptr failure;

  const auto work = [&] {
    while (!failed && !stop_requested()) {
      const std::size_t index = next++;
      if (index >= entries.size()) {
        return;
      }
      const BoringResult result =
          RunBoring(prototype, entries[index], options.answer_yes, *options.readings);
      const std::lock_guard lock(finishing);
      if (failure) {
        return;
      }
      try {
        finished(index, result);
      } catch (...) {
        failure = std::current_exception();
        failed = true;
      }
    }
  };

  const std::size_t workers =
      std::clamp<std::size_t>(static_cast<std::size_t>(std::max(options.jobs, 1)), 1,
                              std::max<std::size_t>(entries.size(), 1));
  {
    std::vector<std::jthread> threads;
    for (std::size_t i = 1; i < workers; ++i) {
      threads.emplace_back(work);
    }
    work();
  }
  if (failure) {
    std::rethrow_exception(failure);
  }
}

}  // namespace qe2m4::batch
