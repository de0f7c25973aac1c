#pragma once

#include <cstdio>
#include <string>

#include "app/message_line.h"
#include "platform/user_interface.h"

namespace qe2m4::cli {

// The run's user on a terminal: messages go to standard error, one per line ("title: text",
// the lines of a longer message joined by blanks); the folder-creation question is answered by
// --yes, asked when standard input is a terminal, and answered No otherwise. The status line
// is kept for the caller to print.
class TerminalUserInterface : public platform::UserInterface {
 public:
  // input: where answers are read; nullptr or not a terminal means no one can answer.
  TerminalUserInterface(bool answer_yes, std::FILE* input, std::FILE* messages);

  platform::MessageAnswer ShowMessage(std::u16string_view text,
                                      const std::optional<std::u16string>& title,
                                      platform::MessageButtons buttons,
                                      platform::MessageIcon icon) override;
  void SetStatus(std::u16string_view text) override { status_ = text; }
  void SetBusy(bool) override {}
  void ProcessPendingEvents() override {}
  void FocusAndSelect(platform::PathBox) override {}

  const std::u16string& status() const { return status_; }

 private:
  platform::MessageAnswer Ask(const std::string& line);

  bool answer_yes_;
  std::FILE* input_;
  std::FILE* messages_;
  std::u16string status_;
};

using app::MessageLine;

}  // namespace qe2m4::cli
