// Feeds arbitrary bytes through a whole conversion: the input is cut into the files of a source
// folder (X files, CNT.TXT, title files) and the pattern folder's L9.txt, and the run converts
// them. Failures the run reports to its user are fine; crashes and sanitizer reports are not,
// and neither is a run that leaves a temporary file in the destination (outputs are complete or
// absent) or adds to or removes from the source folder.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string_view>
#include <system_error>

#include "app/conversion_run.h"
#include "fuzz_check.h"
#include "fuzz_machine.h"
#include "platform/temporary_names.h"
#include "platform/user_interface.h"

namespace {

// The files each input is cut into, in order; pieces are separated by the byte 0xFF, which a
// CP932 file never holds.
constexpr std::array<const char*, 14> kSourceFiles = {
    "X1.TXT",  "X3.TXT",  "X4.TXT",     "X5.TXT",     "X6.TXT",     "X7.TXT", "X11.TXT",
    "X12.TXT", "CNT.TXT", "titl01.txt", "titl02.txt", "titl03.txt", "N2.TXT", "L9.txt"};

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
  machine.ClearDestination();
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  bool more = true;
  std::ptrdiff_t written = 0;  // files in the source folder
  for (const char* name : kSourceFiles) {
    const std::string_view file(name);
    const std::filesystem::path host =
        (file == "L9.txt" ? machine.patdat() : machine.source()) / file;
    if (!more) {
      // Past the input's end the file is absent, not empty: the last input's is removed.
      std::error_code absent;
      std::filesystem::remove(host, absent);
      continue;
    }
    const std::size_t cut = rest.find('\xFF');
    qe2m4::fuzz::WriteFile(host, rest.substr(0, cut));
    written += file == "L9.txt" ? 0 : 1;
    more = cut != std::string_view::npos;
    if (more) {
      rest.remove_prefix(cut + 1);
    }
  }
  SilentUser user;
  qe2m4::app::RunConversion(machine.fs(), user, u"S:\\BORING", u"D:\\TYUJYOU\\A1234\\B\\C");

  for (const auto& entry : std::filesystem::recursive_directory_iterator(machine.destination())) {
    qe2m4::fuzz::Require(!qe2m4::platform::IsTemporaryName(entry.path().filename().native()),
                         "no temporary file is left in the destination");
  }
  const auto source_files = std::distance(std::filesystem::directory_iterator(machine.source()),
                                          std::filesystem::directory_iterator());
  qe2m4::fuzz::Require(source_files == written, "the source folder keeps the files it had");
  return 0;
}
