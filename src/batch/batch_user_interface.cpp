#include "batch/batch_user_interface.h"

#include "app/message_line.h"
#include "app/texts.h"

namespace qe2m4::batch {

platform::MessageAnswer BatchUserInterface::ShowMessage(std::u16string_view text,
                                                        const std::optional<std::u16string>& title,
                                                        platform::MessageButtons buttons,
                                                        platform::MessageIcon /*icon*/) {
  std::u16string line = app::MessageLine(text, title);
  if (buttons == platform::MessageButtons::kOk) {
    messages_.push_back(std::move(line));
    return platform::MessageAnswer::kOk;
  }
  if (answer_yes_) {
    return platform::MessageAnswer::kYes;
  }
  messages_.push_back(line + u" " + std::u16string(app::texts::kAnsweredNo));
  return platform::MessageAnswer::kNo;
}

}  // namespace qe2m4::batch
