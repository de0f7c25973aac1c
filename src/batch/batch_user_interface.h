#pragma once

#include <string>
#include <vector>

#include "platform/user_interface.h"

namespace qe2m4::batch {

// The user of one boring's run in a batch: no one is there to answer, so every message is kept
// for the report, and the folder-creation question is answered Yes when the batch was told so
// (--yes) and No otherwise, the answer noted after the question.
class BatchUserInterface : public platform::UserInterface {
 public:
  explicit BatchUserInterface(bool answer_yes) : answer_yes_(answer_yes) {}

  platform::MessageAnswer ShowMessage(std::u16string_view text,
                                      const std::optional<std::u16string>& title,
                                      platform::MessageButtons buttons,
                                      platform::MessageIcon icon) override;
  void SetStatus(std::u16string_view) override {}
  void SetBusy(bool) override {}
  void ProcessPendingEvents() override {}
  void FocusAndSelect(platform::PathBox) override {}

  // The messages shown, each as one line, in order.
  std::vector<std::u16string>& messages() { return messages_; }

 private:
  bool answer_yes_;
  std::vector<std::u16string> messages_;
};

}  // namespace qe2m4::batch
