#pragma once

#include <utility>
#include <vector>

#include "common/conversion_context.h"
#include "platform/output_file.h"

namespace qe2m4 {

// Outputs completed (durable under their temporary names) by a converter that ran beside the
// run's own thread, waiting until the files before them are published. Those never published
// are removed with their holder, and the files of their names stay as they were.
class HeldOutputs {
 public:
  void Hold(platform::OutputFile output, WrittenFile file) {
    outputs_.emplace_back(std::move(output), std::move(file));
  }
  // Publishes the outputs in the order they were completed and lists each in report. An
  // interrupt ends this between two files, as between two conversions.
  void PublishAll(ConversionReport& report);
  // Removes the outputs not published; the files of their names stay as they were.
  void Discard() { outputs_.clear(); }

 private:
  std::vector<std::pair<platform::OutputFile, WrittenFile>> outputs_;
};

}  // namespace qe2m4
