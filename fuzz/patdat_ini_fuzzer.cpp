// Feeds arbitrary bytes to the reading of Patdat32.ini in the system folder and checks what the
// X6 converter relies on: an empty file is missing and any other is read or too short; the
// value has no blanks at either end; and the name table's path made from it stays inside its
// drive's root.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/patdat_ini.h"
#include "fuzz_check.h"
#include "fuzz_machine.h"
#include "platform/error.h"

using qe2m4::fuzz::Require;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // A value without a drive resolves on drive S:.
  qe2m4::fuzz::ProcessMachine().fs().SetCurrentDrive(u'S');
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qe2m4::fuzz::FuzzMachine& machine = qe2m4::fuzz::ProcessMachine();
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  qe2m4::fuzz::WriteFile(machine.system() / "Patdat32.ini", bytes);
  qe2m4::PatdatIni ini;
  try {
    ini = qe2m4::ReadPatdatIni(machine.fs());
  } catch (const qe2m4::platform::Error& error) {
    Require(error.kind() == qe2m4::platform::ErrorKind::kShortFile,
            "an ordinary Patdat32.ini fails only for want of a second line");
    return 0;
  }
  Require(ini.path == u"S:\\SYSTEM\\Patdat32.ini", "the file is named by its full drive path");
  Require((ini.state == qe2m4::PatdatIni::State::kMissing) == bytes.empty(),
          "only an empty file counts as missing");
  Require(ini.state != qe2m4::PatdatIni::State::kIgnored, "a small ordinary file is read");
  if (ini.state == qe2m4::PatdatIni::State::kRead && !ini.value.empty()) {
    Require(ini.value.front() != u' ' && ini.value.back() != u' ', "the value has no end blanks");
  }
  qe2m4::fuzz::RequireInsideDrive(machine.fs(), ini.value + u"L9.txt");
  return 0;
}
