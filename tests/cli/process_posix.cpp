#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "process.h"
#include "support/temp_machine.h"

extern char** environ;

namespace qe2m4::testing {

ChildProcess::ChildProcess(const std::filesystem::path& program,
                           const std::vector<std::string>& arguments,
                           const std::filesystem::path& working_folder,
                           const std::map<std::string, std::string>& environment)
    : out_file_(working_folder / ".stdout"), err_file_(working_folder / ".stderr") {
  std::vector<std::string> argv_text{program.string()};
  argv_text.insert(argv_text.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& text : argv_text) {
    argv.push_back(text.data());
  }
  argv.push_back(nullptr);

  std::map<std::string, std::string> merged;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text(*entry);
    const std::size_t equals = text.find('=');
    merged[text.substr(0, equals)] = equals == std::string::npos ? "" : text.substr(equals + 1);
  }
  for (const auto& [name, value] : environment) {
    merged[name] = value;
  }
  std::vector<std::string> env_text;
  for (const auto& [name, value] : merged) {
    env_text.push_back(name + "=" + value);
  }
  std::vector<char*> envp;
  for (std::string& text : env_text) {
    envp.push_back(text.data());
  }
  envp.push_back(nullptr);

  pid_ = ::fork();
  if (pid_ < 0) {
    throw std::runtime_error("fork failed");
  }
  if (pid_ == 0) {
    const int in = ::open("/dev/null", O_RDONLY);
    const int out = ::open(out_file_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = ::open(err_file_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 ||
        ::dup2(err, 2) < 0 || ::chdir(working_folder.c_str()) != 0) {
      ::_exit(127);
    }
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
}

void ChildProcess::Signal(int signal_number) const {
  ::kill(pid_, signal_number);
}

std::string ChildProcess::ErrorSoFar() const {
  return std::filesystem::exists(err_file_) ? ReadBytes(err_file_) : std::string();
}

ProcessResult ChildProcess::Wait() {
  int status = 0;
  if (::waitpid(pid_, &status, 0) != pid_) {
    throw std::runtime_error("waitpid failed");
  }
  pid_ = -1;
  ProcessResult result;
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = ReadBytes(out_file_);
  result.out_bytes = result.out;
  result.err = ReadBytes(err_file_);
  std::filesystem::remove(out_file_);
  std::filesystem::remove(err_file_);
  return result;
}

ProcessResult RunProcess(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments,
                         const std::filesystem::path& working_folder,
                         const std::map<std::string, std::string>& environment) {
  return ChildProcess(program, arguments, working_folder, environment).Wait();
}

}  // namespace qe2m4::testing
