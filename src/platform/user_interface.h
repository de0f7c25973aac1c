#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qe2m4::platform {

enum class MessageButtons { kOk, kYesNo };
enum class MessageIcon { kNone, kInformation, kExclamation, kQuestion };
// The values are those of the classic message-box answers (OK 1, Yes 6, No 7).
enum class MessageAnswer { kOk = 1, kYes = 6, kNo = 7 };
// The two path boxes of the window: the source (Text2) and the destination (Text1).
enum class PathBox { kSource, kDestination };

// How the conversion run talks to its user. The window implements it with message boxes, the
// status line and the mouse pointer; the command line with the terminal.
class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // Shows a message and waits for the answer. A title of nullopt means the application's
  // own title.
  virtual MessageAnswer ShowMessage(std::u16string_view text,
                                    const std::optional<std::u16string>& title,
                                    MessageButtons buttons, MessageIcon icon) = 0;
  // Sets the one-line status area.
  virtual void SetStatus(std::u16string_view text) = 0;
  // Shows (true) or takes back (false) the busy pointer.
  virtual void SetBusy(bool busy) = 0;
  // Lets the window process its pending events once (so that a new status text is painted).
  virtual void ProcessPendingEvents() = 0;
  // Gives a path box the focus and selects its whole text.
  virtual void FocusAndSelect(PathBox box) = 0;
};

}  // namespace qe2m4::platform
