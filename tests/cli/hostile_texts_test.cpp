// Texts of an archive that would act on what shows them: formulas for spreadsheets in the
// report and the table of descriptions, escape sequences for terminals in what is printed.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "cli_text.h"
#include "process.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

#ifndef _WIN32
#include <fcntl.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace qe2m4::testing {
namespace {

namespace fs = std::filesystem;

// Retitles the terminal, rings its bell and clears it.
constexpr std::u16string_view kEscapes = u"\x1b]0;PWNED\x07\x1b[2J";
constexpr std::string_view kEscapesShown = "^[]0;PWNED^G^[[2J";

// The layers' descriptions of the hostile boring, none of which names a main soil: what a
// spreadsheet reads as formulas (a comma would end the field, so the link's arguments are
// separated by ";", which spreadsheets take too), and the escapes.
const std::u16string kDescriptions[] = {u"=1+2",
                                        u"+1+2",
                                        u"-1+2",
                                        u"@SUM(A1:A2)",
                                        u"=HYPERLINK(\"http://x\";\"y\")",
                                        u"=粘板岩",
                                        std::u16string(kEscapes) + u"粘板岩"};

// The sample on drive S: (also the system folder) and beside it S:\HOSTILE, the sample with the
// layers above; an empty drive D:.
class HostileTexts : public ::testing::Test {
 protected:
  void SetUp() override {
    s_ = machine_.AddDrive(u'S');
    d_ = machine_.AddDrive(u'D');
    fs::copy(QE2M4_EXAMPLES, s_, fs::copy_options::recursive);
    fs::copy(s_ / "BORING1", s_ / "HOSTILE", fs::copy_options::recursive);
    std::u16string layers;
    double depth = 0;
    for (std::size_t i = 0; i < std::size(kDescriptions); ++i) {
      depth += 1.25;
      layers +=
          platform::FromUtf8(std::to_string(i + 1) + "," + std::to_string(depth).substr(0, 4)) +
          u",灰," + kDescriptions[i] + u"\r\n";
    }
    WriteCp932(s_ / "HOSTILE" / "X1.TXT", layers);
    work_ = machine_.root() / "work";
    fs::create_directories(work_);
    WriteBytes(machine_.root() / "config" / "qe2m4" / "drives.conf", "C=\nZ=\n");
    // A list whose second line's source is itself a formula (the run refuses it as a path).
    WriteBytes(
        work_ / "list.csv",
        "S:\\HOSTILE,D:\\OUT\\H\r\n\"=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\",D:\\OUT\\F\r\n");
  }

  std::vector<std::string> Arguments(std::vector<std::string> arguments) const {
    arguments.insert(arguments.begin() + 1, {"--drive", "S=" + HostText(s_), "--drive",
                                             "D=" + HostText(d_), "--system-dir", HostText(s_)});
    return arguments;
  }

  ProcessResult Run(const std::vector<std::string>& arguments) const {
    return RunProcess(QE2M4_EXECUTABLE, Arguments(arguments), work_,
                      UserEnvironment(machine_.root() / "config", machine_.root() / "home"));
  }

  TempMachine machine_;
  fs::path s_;
  fs::path d_;
  fs::path work_;
};

TEST_F(HostileTexts, NoCellOfTheReportOrTheTableIsAFormulaAndEveryTextIsKept) {
  const ProcessResult result = Run({"batch", "--yes", "--quiet", "list.csv"});
  EXPECT_EQ(result.exit_code, 1) << result.err;  // the formula is no path
  const std::string report = ReadBytes(work_ / "list-report.csv");
  // The descriptions of the boring's row begin with the layer's number: no formula.
  std::u16string unmatched;
  for (std::size_t i = 0; i < std::size(kDescriptions); ++i) {
    unmatched += (i == 0 ? u"" : u"\n") + platform::FromUtf8(std::to_string(i + 1)) + u": ";
    for (const char16_t c : kDescriptions[i]) {
      unmatched += c == u'"' ? u"\"\"" : std::u16string(1, c);
    }
  }
  EXPECT_NE(report.find(Utf8(u"1,S:\\HOSTILE,D:\\OUT\\H,変換済,,16,")), std::string::npos)
      << report;
  EXPECT_NE(report.find(Utf8(u",\"" + unmatched + u"\",0\r\n")), std::string::npos) << report;
  EXPECT_NE(report.find(Utf8(u"2,\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\",D:\\OUT\\F,拒否,")),
            std::string::npos)
      << report;

  const std::string soil = ReadBytes(work_ / "list-report-soil.csv");
  // Most frequent first, then by the text: every description once, in one boring.
  const std::u16string expected = u"\uFEFF記述,回数,ボーリング数,読み替え\r\n" +
                                  std::u16string(kEscapes) +
                                  u"粘板岩,1,1,\r\n"
                                  u"'+1+2,1,1,\r\n"
                                  u"'-1+2,1,1,\r\n"
                                  u"'=1+2,1,1,\r\n"
                                  u"\"'=HYPERLINK(\"\"http://x\"\";\"\"y\"\")\",1,1,\r\n"
                                  u"'=粘板岩,1,1,\r\n"
                                  u"'@SUM(A1:A2),1,1,\r\n";
  EXPECT_EQ(soil, Utf8(expected));
}

TEST_F(HostileTexts, ControlCharactersArePrintedVisiblyAndTheFilesKeepThem) {
  const std::string raw = Utf8(kEscapes);
  const ProcessResult converted = Run({"convert", "--yes", "S:\\HOSTILE", "D:\\OUT\\C"});
  ASSERT_EQ(converted.exit_code, 0) << converted.err;
  EXPECT_NE(converted.out.find("  7: " + std::string(kEscapesShown) + Utf8(u"粘板岩") + "\n"),
            std::string::npos)
      << converted.out;

  const ProcessResult batch = Run({"batch", "--yes", "list.csv"});
  EXPECT_EQ(batch.exit_code, 1);
  EXPECT_NE(batch.out.find(std::string(kEscapesShown) + Utf8(u"粘板岩") + "\n"), std::string::npos)
      << batch.out;
  for (const ProcessResult* result : {&converted, &batch}) {
    EXPECT_EQ(result->out.find_first_of("\x1b\x07"), std::string::npos) << result->out;
    EXPECT_EQ(result->err.find_first_of("\x1b\x07"), std::string::npos) << result->err;
  }
  // The files keep the exact text.
  EXPECT_NE(ReadBytes(work_ / "list-report.csv").find("7: " + raw), std::string::npos);
  EXPECT_NE(ReadBytes(work_ / "list-report-soil.csv").find("\n" + raw), std::string::npos);
}

#ifndef _WIN32
// Everything a program writes to a terminal (standard output and error both), until it ends.
std::string OnTerminal(const std::vector<std::string>& arguments, const fs::path& working_folder,
                       const std::string& config_home, int& exit_code) {
  const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
  EXPECT_GE(terminal, 0);
  EXPECT_EQ(::grantpt(terminal), 0);
  EXPECT_EQ(::unlockpt(terminal), 0);
  const std::string terminal_name = ::ptsname(terminal);
  std::vector<std::string> text = arguments;
  text.insert(text.begin(), QE2M4_EXECUTABLE);
  std::vector<char*> argv;
  for (std::string& argument : text) {
    argv.push_back(argument.data());
  }
  argv.push_back(nullptr);
  const std::string environment = "XDG_CONFIG_HOME=" + config_home;
  const pid_t child = ::fork();
  if (child == 0) {
    ::setsid();
    const int slave = ::open(terminal_name.c_str(), O_RDWR);
    if (slave < 0 || ::dup2(slave, 0) < 0 || ::dup2(slave, 1) < 0 || ::dup2(slave, 2) < 0 ||
        ::chdir(working_folder.c_str()) != 0 ||
        ::putenv(const_cast<char*>(environment.c_str())) != 0) {
      ::_exit(127);
    }
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  std::string written;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(terminal, buffer, sizeof buffer);
    if (n > 0) {
      written.append(buffer, static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      break;  // EIO: the program ended and the terminal closed
    }
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(terminal);
  exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return written;
}

TEST_F(HostileTexts, OnATerminalOnlyTheProgramsOwnControlsArrive) {
  const std::string config = HostText(machine_.root() / "config");
  int code = -1;
  const std::string converted =
      OnTerminal(Arguments({"convert", "--yes", "S:\\HOSTILE", "D:\\OUT\\C"}), work_, config, code);
  EXPECT_EQ(code, 0) << converted;
  EXPECT_NE(converted.find(kEscapesShown), std::string::npos) << converted;
  EXPECT_EQ(converted.find_first_of("\x1b\x07"), std::string::npos) << converted;

  const std::string batch =
      OnTerminal(Arguments({"batch", "--yes", "--jobs", "1", "list.csv"}), work_, config, code);
  EXPECT_EQ(code, 1) << batch;
  EXPECT_NE(batch.find(kEscapesShown), std::string::npos) << batch;
  // The progress line's own carriage return and erase, and no other escape or bell.
  std::string rest = batch;
  for (std::size_t at; (at = rest.find("\r\x1b[K")) != std::string::npos;) {
    rest.erase(at, 4);
  }
  EXPECT_NE(rest.size(), batch.size());
  EXPECT_EQ(rest.find_first_of("\x1b\x07"), std::string::npos) << rest;
}
#endif

}  // namespace
}  // namespace qe2m4::testing
