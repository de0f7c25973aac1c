#include "measurements/held_outputs.h"

#include "platform/interrupted.h"

namespace qe2m4 {

void HeldOutputs::PublishAll(ConversionReport& report) {
  for (std::size_t k = 0; k < outputs_.size(); ++k) {
    if (k > 0) {
      platform::StopIfInterrupted();
    }
    auto& [output, file] = outputs_[k];
    output.Publish();
    report.files.push_back(file);
  }
}

}  // namespace qe2m4
