#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/user_interface.h"

namespace qe2m4::testing {

// A user who notes everything the run shows and answers questions from a prepared list
// (No when the list is empty).
class RecordingUserInterface : public platform::UserInterface {
 public:
  struct Message {
    std::u16string text;
    std::optional<std::u16string> title;
    platform::MessageButtons buttons;
    platform::MessageIcon icon;
  };
  // One entry per call, in order: "message", "status:<text>", "busy", "idle", "events",
  // "focus:source" / "focus:destination".
  std::vector<std::u16string> calls;
  std::vector<Message> messages;
  std::deque<platform::MessageAnswer> answers;
  std::u16string status;
  bool busy = false;

  platform::MessageAnswer ShowMessage(std::u16string_view text,
                                      const std::optional<std::u16string>& title,
                                      platform::MessageButtons buttons,
                                      platform::MessageIcon icon) override {
    calls.emplace_back(u"message");
    messages.push_back({std::u16string(text), title, buttons, icon});
    if (buttons == platform::MessageButtons::kOk) {
      return platform::MessageAnswer::kOk;
    }
    if (answers.empty()) {
      return platform::MessageAnswer::kNo;
    }
    const platform::MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void SetStatus(std::u16string_view text) override {
    status = text;
    calls.push_back(u"status:" + status);
  }
  void SetBusy(bool on) override {
    busy = on;
    calls.emplace_back(on ? u"busy" : u"idle");
  }
  void ProcessPendingEvents() override { calls.emplace_back(u"events"); }
  void FocusAndSelect(platform::PathBox box) override {
    calls.emplace_back(box == platform::PathBox::kSource ? u"focus:source" : u"focus:destination");
  }
};

}  // namespace qe2m4::testing
