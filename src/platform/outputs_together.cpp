#include "platform/outputs_together.h"

#include "platform/file_system.h"

namespace qe2m4::platform {

OutputsTogether::OutputsTogether(const FileSystem& file_system) : file_system_(file_system) {
  file_system_.hook_->BeginTogether();
}

OutputsTogether::~OutputsTogether() {
  file_system_.hook_->EndTogether();
}

void OutputsTogether::Commit() {
  file_system_.hook_->CommitTogether();
}

std::size_t OutputsTogether::removed() const {
  return file_system_.hook_->removed_together();
}

}  // namespace qe2m4::platform
