// Feeds arbitrary bytes through a whole conversion: the input is cut into the files of a source
// folder (X files, CNT.TXT, title files) and the pattern folder's L9.txt, and the run converts
// them. Failures the run reports to its user are fine; crashes and sanitizer reports are not,
// and neither is a run that leaves a temporary file in the destination (outputs are complete or
// absent) or changes, adds to or removes from the folders of the source drive.
//
// A run costs what the conversion costs: the machine is made once per process on a memory file
// system, a source file is written only when its bytes differ from the last input's, the
// destination folders the first run made stay (the destination path is always the same, so
// making them anew would only repeat one step), and what a run changed is learned from the
// kernel's watch of the folders rather than by asking for the state of each file.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "app/conversion_run.h"
#include "destination_files.h"
#include "fuzz_check.h"
#include "fuzz_machine.h"
#include "platform/user_interface.h"
#include "source_files.h"

namespace {

// The user: answers Yes and looks at nothing.
class SilentUser : public qe2m4::platform::UserInterface {
 public:
  qe2m4::platform::MessageAnswer ShowMessage(std::u16string_view,
                                             const std::optional<std::u16string>&,
                                             qe2m4::platform::MessageButtons buttons,
                                             qe2m4::platform::MessageIcon) override {
    return buttons == qe2m4::platform::MessageButtons::kYesNo ? qe2m4::platform::MessageAnswer::kYes
                                                              : qe2m4::platform::MessageAnswer::kOk;
  }
  void SetStatus(std::u16string_view) override {}
  void SetBusy(bool) override {}
  void ProcessPendingEvents() override {}
  void FocusAndSelect(qe2m4::platform::PathBox) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qe2m4::fuzz::FuzzMachine& machine = qe2m4::fuzz::ProcessMachine();
  static qe2m4::fuzz::SourceFiles source_files(machine);
  static qe2m4::fuzz::DestinationFiles destination_files(machine.destination());
  source_files.Write(std::string_view(reinterpret_cast<const char*>(data), size));

  SilentUser user;
  qe2m4::app::RunConversion(machine.fs(), user, u"S:\\BORING", u"D:\\TYUJYOU\\A1234\\B\\C");

  destination_files.Clear();
  qe2m4::fuzz::Require(source_files.Unchanged(),
                       "the folders of the source drive stay as they were");
  return 0;
}
