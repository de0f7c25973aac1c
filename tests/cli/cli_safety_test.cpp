// The qe2m4 executable under what users and systems do to it: several runs into one folder,
// signals, file-size limits, full or closed standard output, odd settings files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <stdexcept>
#include <thread>

#include "app/texts.h"
#include "cli_text.h"
#include "platform/host_paths.h"
#include "platform/utf8.h"
#include "process.h"
#include "support/host_environment.h"
#include "support/temp_machine.h"

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace qe2m4::testing {
namespace {

namespace fs = std::filesystem;

// The sample on drive S:, an empty drive D:, a settings folder of its own, and every run with
// --yes into D:\TYUJYOU\A1234\B\C.
class CliSafety : public ::testing::Test {
 protected:
  void SetUp() override {
    s_ = machine_.AddDrive(u'S');
    d_ = machine_.AddDrive(u'D');
    fs::copy(QE2M4_EXAMPLES, s_, fs::copy_options::recursive);
    WriteBytes(config() / "drives.conf", "C=\nZ=\n");
  }

  fs::path config() const { return machine_.root() / "config" / "qe2m4"; }
  fs::path out() const { return d_ / "TYUJYOU" / "A1234" / "B" / "C"; }

  std::vector<std::string> Convert(const std::string& drive_s = "") const {
    return {"convert",
            "--drive",
            drive_s.empty() ? "S=" + HostText(s_) : drive_s,
            "--drive",
            "D=" + HostText(d_),
            "--system-dir",
            HostText(s_),
            "--yes",
            "S:\\BORING1",
            "D:\\TYUJYOU\\A1234\\B\\C"};
  }

  std::map<std::string, std::string> Environment() const {
    return UserEnvironment(machine_.root() / "config", machine_.root() / "home");
  }

  ProcessResult Run(const std::vector<std::string>& arguments,
                    const std::string& name = "work") const {
    const fs::path work = machine_.root() / name;
    fs::create_directories(work);
    return RunProcess(QE2M4_EXECUTABLE, arguments, work, Environment());
  }

#ifndef _WIN32
  // The program started by the shell, after the shell's own set-up (a limit, a redirection).
  ProcessResult RunInShell(const std::string& set_up, std::vector<std::string> arguments) const {
    arguments.insert(arguments.begin(), {"-c", set_up + "; exec \"$0\" \"$@\"", QE2M4_EXECUTABLE});
    fs::create_directories(machine_.root() / "work");
    return RunProcess("/bin/sh", arguments, machine_.root() / "work", Environment());
  }
#endif

  TempMachine machine_{MemoryTempFolder()};
  fs::path s_;
  fs::path d_;
};

TEST_F(CliSafety, ThreeProcessesFortyRoundsIntoOneDestination) {
  const ProcessResult first = Run(Convert());
  ASSERT_EQ(first.exit_code, 0) << first.err;
  const auto clean = Snapshot(out());
  const std::string busy =
      Utf8(u"S:\\BORING1\\: " + std::u16string(app::texts::kDestinationBusy)) + "\n";

  std::vector<std::string> problems[3];
  int converted[3] = {0, 0, 0};
  std::vector<std::thread> workers;
  for (int w = 0; w < 3; ++w) {
    workers.emplace_back([&, w] {
      for (int round = 0; round < 40; ++round) {
        // A program that cannot be started is this test's failure, not the end of the tests.
        try {
          const ProcessResult result = Run(Convert(), "work" + std::to_string(w));
          if (result.exit_code == 0 && result.err.empty()) {
            ++converted[w];
          } else if (result.exit_code != 1 || result.err != busy) {
            problems[w].push_back(std::to_string(result.exit_code) + ": " + result.err);
          }
        } catch (const std::exception& error) {
          problems[w].push_back(error.what());
        }
      }
    });
  }
  for (std::thread& worker : workers) {
    worker.join();
  }
  for (int w = 0; w < 3; ++w) {
    EXPECT_EQ(problems[w], std::vector<std::string>{}) << "process " << w;
    EXPECT_GT(converted[w], 0) << "process " << w;
  }
  // Every run either converted or was refused at once: the titles are the boring's, no copy
  // and no temporary file is left, and nothing else was written.
  EXPECT_EQ(Snapshot(out()), clean);
}

// POSIX mechanics with no counterpart a test can use on Windows: signals sent to one process
// (console control events go to a whole console), a pseudo-terminal, the shell's file-size limit
// and /dev/full.
#ifndef _WIN32
// Sends a signal while the run waits at the folder question on a terminal: the run ends at
// once with the signal's exit code and a short message, and nothing was created.
TEST_F(CliSafety, SignalsEndTheRunWithTheirExitCodesAndAShortMessage) {
  for (const auto& [signal_number, code] :
       std::vector<std::pair<int, int>>{{SIGINT, 130}, {SIGTERM, 143}, {SIGHUP, 129}}) {
    const auto before = Snapshot(d_);
    const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    ASSERT_EQ(::grantpt(terminal), 0);
    ASSERT_EQ(::unlockpt(terminal), 0);
    const std::string terminal_name = ::ptsname(terminal);
    int messages[2];
    ASSERT_EQ(::pipe(messages), 0);
    std::vector<std::string> text = Convert();
    text.erase(std::find(text.begin(), text.end(), "--yes"));
    text.insert(text.begin(), QE2M4_EXECUTABLE);
    std::vector<char*> argv;
    for (std::string& argument : text) {
      argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    const std::string config_home = "XDG_CONFIG_HOME=" + (machine_.root() / "config").string();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::setsid();
      const int in = ::open(terminal_name.c_str(), O_RDWR);
      const int null = ::open("/dev/null", O_WRONLY);
      if (in < 0 || null < 0 || ::dup2(in, 0) < 0 || ::dup2(null, 1) < 0 ||
          ::dup2(messages[1], 2) < 0 || ::putenv(const_cast<char*>(config_home.c_str())) != 0) {
        ::_exit(127);
      }
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
    ::close(messages[1]);
    std::string err;
    char buffer[256];
    while (err.find("[y/N]") == std::string::npos) {
      const ssize_t n = ::read(messages[0], buffer, sizeof buffer);
      ASSERT_GT(n, 0) << err;
      err.append(buffer, static_cast<std::size_t>(n));
    }
    ::kill(child, signal_number);
    for (ssize_t n; (n = ::read(messages[0], buffer, sizeof buffer)) > 0;) {
      err.append(buffer, static_cast<std::size_t>(n));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::close(messages[0]);
    ::close(terminal);
    ASSERT_TRUE(WIFEXITED(status)) << signal_number;
    EXPECT_EQ(WEXITSTATUS(status), code);
    EXPECT_TRUE(err.ends_with(Utf8(app::texts::kInterrupted) + "\n")) << err;
    EXPECT_EQ(Snapshot(d_), before);
  }
}

TEST_F(CliSafety, AFileSizeLimitIsAWriteErrorWithItsReason) {
  // N2.TXT is copied whole: larger than the limit of 64 blocks.
  WriteBytes(s_ / "BORING1" / "N2.TXT", std::string(200000, 'x'));
  const ProcessResult result = RunInShell("ulimit -f 64", Convert());
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_TRUE(result.err.ends_with(Utf8(app::texts::kCauseFileTooLarge) + "\n")) << result.err;
  for (const auto& entry : fs::directory_iterator(out())) {
    EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
  }
  EXPECT_FALSE(fs::exists(out() / "N2.TXT"));
}

TEST_F(CliSafety, AStandardOutputThatCannotBeWrittenIsAFailure) {
  for (const char* redirection : {"exec >/dev/full", "exec >&-"}) {
    const ProcessResult converted = RunInShell(redirection, Convert());
    EXPECT_EQ(converted.exit_code, 1) << redirection;
    EXPECT_EQ(converted.err, "qe2m4: cannot write the standard output\n") << redirection;
    // Nothing printed went into a file the program opened in its place.
    EXPECT_EQ(ReadBytes(out() / "CNT.TXT"), "A1\r\nB\r\nC\r\n\r\n12\r\n3\r\n");
    const ProcessResult version = RunInShell(redirection, {"--version"});
    EXPECT_EQ(version.exit_code, 1) << redirection;
  }
}

#endif

TEST_F(CliSafety, SettingsFilesThatAreNotOrdinaryFilesAreIgnoredWithAWarning) {
  const fs::path settings = config() / "drives.conf";
  struct Case {
    const char* what;
    std::function<void()> make;
  };
  std::vector<Case> cases = {
      {"larger than 1 MB",
       [&] {
         fs::remove_all(settings);
         WriteBytes(settings, std::string(1 << 21, '#'));
       }},
      {"a folder",
       [&] {
         fs::remove_all(settings);
         fs::create_directory(settings);
       }},
  };
#ifndef _WIN32
  // A FIFO and a link to a device: POSIX things.
  cases.push_back({"a FIFO", [&] {
                     fs::remove_all(settings);
                     ASSERT_TRUE(MakeFifo(settings));
                   }});
  cases.push_back({"a link to /dev/zero", [&] {
                     fs::remove_all(settings);
                     fs::create_symlink("/dev/zero", settings);
                   }});
#endif
  for (const Case& c : cases) {
    c.make();
    const ProcessResult result = Run(Convert());
    EXPECT_EQ(result.exit_code, 0) << c.what << result.err;
    EXPECT_TRUE(result.err.starts_with("qe2m4: " + HostText(settings) + ": ")) << result.err;
    EXPECT_TRUE(result.err.ends_with("; ignored\n")) << result.err;
  }
}

TEST_F(CliSafety, BlanksAroundADriveFolderAreTrimmed) {
  const ProcessResult result = Run(Convert("S=  " + HostText(s_) + "  "));
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_TRUE(fs::is_regular_file(out() / "N1.txt"));
}

TEST_F(CliSafety, TheSummarySaysWhyN6WasNotWritten) {
  fs::remove(s_ / "Patdat32.ini");
  const ProcessResult result = Run(Convert());
  EXPECT_EQ(result.exit_code, 0) << result.err;
  const std::string expected =
      Utf8(std::u16string(app::texts::kSummaryNotWritten) + u"\n  N6.txt: " +
           std::u16string(app::texts::kNotWrittenNoPatdatIni) + u" (S:\\Patdat32.ini)\n");
  EXPECT_NE(result.out.find(expected), std::string::npos) << result.out;
  EXPECT_FALSE(fs::exists(out() / "N6.txt"));
}

TEST_F(CliSafety, TheSourceReachedThroughALinkIsRefused) {
  if (!MakeFolderLink(s_, machine_.root() / "alias")) {
    GTEST_SKIP() << kNoFolderLinks;
  }
  const auto before = Snapshot(s_);
  const ProcessResult result = Run({"convert", "--drive", "S=" + HostText(s_), "--drive",
                                    "D=" + HostText(machine_.root() / "alias"), "--system-dir",
                                    HostText(s_), "--yes", "S:\\BORING1", "D:\\BORING1"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.err, Utf8(u"S:\\BORING1\\: " + std::u16string(app::texts::kSameFolder)) + "\n");
  EXPECT_EQ(Snapshot(s_), before);
}

}  // namespace
}  // namespace qe2m4::testing
