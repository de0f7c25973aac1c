#include "cli/terminal_user_interface.h"

#include <cctype>

#include "app/texts.h"
#include "cli/console.h"
#include "platform/terminal_input.h"
#include "platform/utf8.h"

namespace qe2m4::cli {
namespace {

void WriteLine(std::FILE* stream, std::string_view line) {
  WriteText(stream, std::string(line) + "\n");
  std::fflush(stream);
}

bool IsYes(std::string answer) {
  while (!answer.empty() && std::isspace(static_cast<unsigned char>(answer.back())) != 0) {
    answer.pop_back();
  }
  for (char& c : answer) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return answer == "y" || answer == "yes" || answer == platform::ToUtf8(u"はい");
}

}  // namespace

TerminalUserInterface::TerminalUserInterface(bool answer_yes, std::FILE* input, std::FILE* messages)
    : answer_yes_(answer_yes), input_(input), messages_(messages) {}

platform::MessageAnswer TerminalUserInterface::ShowMessage(
    std::u16string_view text, const std::optional<std::u16string>& title,
    platform::MessageButtons buttons, platform::MessageIcon /*icon*/) {
  const std::string line = platform::ToUtf8(MessageLine(text, title));
  if (buttons == platform::MessageButtons::kOk) {
    WriteLine(messages_, line);
    return platform::MessageAnswer::kOk;
  }
  if (answer_yes_) {
    return platform::MessageAnswer::kYes;
  }
  return Ask(line);
}

platform::MessageAnswer TerminalUserInterface::Ask(const std::string& line) {
  if (input_ == nullptr || !IsConsole(input_)) {
    WriteLine(messages_, line + " " + platform::ToUtf8(app::texts::kAnsweredNo));
    return platform::MessageAnswer::kNo;
  }
  const std::string prompt = line + " [y/N] ";
  WriteText(messages_, prompt);
  std::fflush(messages_);
  // An interrupt while the question waits is no answer: No, and the run then ends.
  if (!platform::WaitForInput(input_)) {
    return platform::MessageAnswer::kNo;
  }
  return IsYes(ReadConsoleLine(input_)) ? platform::MessageAnswer::kYes
                                        : platform::MessageAnswer::kNo;
}

}  // namespace qe2m4::cli
