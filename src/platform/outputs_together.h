#pragma once

#include <cstddef>

namespace qe2m4::platform {

class FileSystem;

// The outputs a run completes in this scope are flushed together: each one, once its last
// bytes are written, is handed over with its write-out started, and Commit() flushes and
// publishes them in the order they came. The disk then writes them side by side instead of one
// after another, and the guarantee stays: each output is on the disk before it replaces the
// old file. Where the system cannot start a write-out ahead of the flush, each output is
// committed when it is complete, as outside the scope.
//
// Only steps that read nothing the outputs replace belong in the scope (the source and the
// settings, not the destination): an output handed over is not in place until Commit().
class OutputsTogether {
 public:
  explicit OutputsTogether(const FileSystem& file_system);
  // Outputs not committed by then are removed: a run that leaves without Commit() failed.
  ~OutputsTogether();
  OutputsTogether(const OutputsTogether&) = delete;
  OutputsTogether& operator=(const OutputsTogether&) = delete;

  // Runs steps, then flushes and publishes the outputs they handed over, in the order they came.
  // When a step throws, the outputs completed before are put in place all the same, as each
  // would have been alone, and the step's exception goes on. A failure among the outputs is
  // thrown instead, since it came first: those before it stay in place, it and those after it
  // are removed, so the run leaves the files it would have left had it stopped at that output.
  template <typename Steps>
  void Run(Steps&& steps) {
    try {
      steps();
    } catch (...) {
      Commit();
      throw;
    }
    Commit();
  }
  // The outputs handed over that were removed, not put in place: the last ones handed over.
  std::size_t removed() const;

 private:
  void Commit();

  const FileSystem& file_system_;
};

}  // namespace qe2m4::platform
