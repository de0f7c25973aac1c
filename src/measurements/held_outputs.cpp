#include "measurements/held_outputs.h"

#include "platform/interrupted.h"

namespace qe2m4 {

void HeldOutputs::PublishAll(ConversionReport& report) {
  for (; published_ < outputs_.size(); ++published_) {
    if (published_ > 0) {
      platform::StopIfInterrupted();
    }
    auto& [output, file] = outputs_[published_];
    output.Publish();
    report.files.push_back(file);
  }
}

}  // namespace qe2m4
