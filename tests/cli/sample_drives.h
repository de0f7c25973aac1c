#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "cli_text.h"
#include "process.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

namespace qe2m4::testing {

// The executable's tests on a machine with the sample on drive S: (also the system folder), an
// empty drive D:, a settings folder that maps no letter of its own (so that only the command's
// --drive options count) and a working folder. The machine lives in memory unless a test names
// another parent folder: conversions flush every file, which costs nothing there.
class SampleDrives : public ::testing::Test {
 protected:
  SampleDrives() : SampleDrives(MemoryTempFolder()) {}
  explicit SampleDrives(const std::filesystem::path& parent) : machine_(parent) {}

  void SetUp() override {
    s_ = machine_.AddDrive(u'S');
    d_ = machine_.AddDrive(u'D');
    std::filesystem::copy(QE2M4_EXAMPLES, s_, std::filesystem::copy_options::recursive);
    work_ = machine_.root() / "work";
    std::filesystem::create_directories(work_);
    WriteBytes(machine_.root() / "config" / "qe2m4" / "drives.conf", "C=\nZ=\n");
  }

  // The command's arguments with the two drives and the system folder named after the command.
  std::vector<std::string> Arguments(std::vector<std::string> arguments) const {
    arguments.insert(arguments.begin() + 1, {"--drive", "S=" + HostText(s_), "--drive",
                                             "D=" + HostText(d_), "--system-dir", HostText(s_)});
    return arguments;
  }

  // Runs the executable on the two drives in the working folder.
  ProcessResult Run(const std::vector<std::string>& arguments) const {
    return RunProcess(QE2M4_EXECUTABLE, Arguments(arguments), work_, Environment());
  }

  std::map<std::string, std::string> Environment() const {
    return UserEnvironment(machine_.root() / "config", machine_.root() / "home");
  }

  TempMachine machine_;
  std::filesystem::path s_;
  std::filesystem::path d_;
  std::filesystem::path work_;
};

}  // namespace qe2m4::testing
