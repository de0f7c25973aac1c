#include "cli/batch_command.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include "app/name_problem_text.h"
#include "batch/batch_check.h"
#include "batch/batch_list.h"
#include "batch/batch_report.h"
#include "batch/batch_runner.h"
#include "batch/batch_summary.h"
#include "batch/batch_tree.h"
#include "batch/list_file.h"
#include "batch/report_path.h"
#include "catalogue/catalogue.h"
#include "cli/batch_progress.h"
#include "cli/console.h"
#include "cli/program_message.h"
#include "cli/usage_error_text.h"
#include "common/text_encoding.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/host_paths.h"
#include "platform/interrupt.h"
#include "platform/interrupted.h"
#include "platform/utf8.h"

namespace qe2m4::cli {
namespace {

void Print(std::FILE* stream, std::u16string_view line) {
  WriteText(stream, platform::ToUtf8(line) + "\n");
}

void PrintMessage(std::FILE* messages, const std::string& message) {
  WriteProgramMessage(messages, message);
}

void PrintMessage(std::FILE* messages, catalogue::TextId message) {
  WriteProgramMessage(messages, message);
}

// More conversions at once than this only wait for the disk.
constexpr int kMaxJobs = 256;

// The entries that run; those a tree walk reported are not run and have no destination.
std::vector<batch::BatchEntry> EntriesToRun(const std::vector<batch::BatchEntry>& entries) {
  std::vector<batch::BatchEntry> runs;
  for (const batch::BatchEntry& entry : entries) {
    if (!entry.problem) {
      runs.push_back(entry);
    }
  }
  return runs;
}

// The list file's lines, or the tree's borings, with what is wrong with them.
batch::BatchList ReadEntries(const BatchOptions& options, const platform::FileSystem& file_system) {
  if (!options.tree.empty()) {
    // Ctrl-C ends the walk too: an archive's tree may take long to walk.
    return batch::FindTreeBorings(file_system, ArgumentText(options.tree[0]),
                                  ArgumentText(options.tree[1]), platform::InterruptRequested);
  }
  return batch::ReadListFile(platform::HostPathFromUtf8(options.list),
                             common::EncodingFromName(options.list_encoding),
                             platform::InterruptRequested);
}

// "LIST:3: message", "LIST:3,7: message", or "LIST: message" for the list as a whole ("message"
// without a source).
void PrintProblem(std::FILE* messages, const std::string& source,
                  const batch::ListProblem& problem) {
  std::string where = source;
  for (std::size_t i = 0; i < problem.lines.size(); ++i) {
    where += (i == 0 ? ":" : ",") + std::to_string(problem.lines[i]);
  }
  PrintMessage(messages, where.empty() ? problem.message : where + ": " + problem.message);
}

ProgressStyle StyleFor(const BatchOptions& options, std::FILE* messages) {
  if (options.quiet) {
    return ProgressStyle::kNone;
  }
  return IsConsole(messages) ? ProgressStyle::kLine : ProgressStyle::kPlain;
}

// Why the report or its table could not be written, in the user's language: the file and the
// system's reason.
std::string ReportErrorText(const platform::Error& error) {
  const std::string reason =
      error.name_problem() ? app::NameProblemText(*error.name_problem()) : error.reason();
  return catalogue::Format(catalogue::TextId::kCliReportUnwritable,
                           {platform::ToUtf8(error.path()), reason});
}

int DefaultJobs() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : static_cast<int>(cores);
}

}  // namespace

CLI::App& AddBatchCommand(CLI::App& program, BatchOptions& options) {
  CLI::App& command = *program.add_subcommand("batch");
  command.set_help_flag("-h,--help");
  // What the command does not take is reported by BatchUsageProblem, in the user's language.
  command.allow_extras();
  AddMachineOptions(command, options);
  AddSoilReadingsOptions(command, options.soil_readings);
  command.add_flag("--yes", options.yes);
  // The check sees the text as typed, before it is read as a number.
  command.add_option("--jobs", options.jobs)
      ->type_name("N")
      ->check(CLI::Validator(
          [](const std::string& value) {
            const bool digits = !value.empty() && value.size() <= 3 &&
                                value.find_first_not_of("0123456789") == std::string::npos;
            const int jobs = digits ? std::stoi(value) : 0;
            return jobs >= 1 && jobs <= kMaxJobs
                       ? std::string()
                       : catalogue::Format(catalogue::TextId::kCliErrorJobs,
                                           {"1", std::to_string(kMaxJobs)});
          },
          ""));
  command.add_option("--report", options.report)->type_name("FILE");
  command.add_flag("--quiet", options.quiet);
  CLI::Option* encoding =
      command.add_option("--list-encoding", options.list_encoding)
          ->type_name("ENC")
          ->check(CLI::Validator(
              [](const std::string& name) {
                return common::EncodingFromName(name)
                           ? std::string()
                           : catalogue::Format(catalogue::TextId::kCliErrorListEncoding, {name});
              },
              ""));
  CLI::Option* tree = command.add_option("--tree", options.tree)
                          ->type_name("SOURCE_ROOT DEST_ROOT")
                          ->expected(2)
                          ->allow_extra_args(false);
  CLI::Option* list = command.add_option("LIST", options.list);
  list->excludes(tree);
  encoding->excludes(tree);
  return command;
}

std::optional<std::string> BatchUsageProblem(const CLI::App& command) {
  if (auto extra = ExtraArgumentReason(command.remaining())) {
    return extra;
  }
  if (command.get_option("LIST")->count() == 0 && command.get_option("--tree")->count() == 0) {
    return std::string(catalogue::Text(catalogue::TextId::kCliErrorBatchNeedsList));
  }
  return std::nullopt;
}

int RunBatchCommand(const BatchOptions& options, std::FILE* output, std::FILE* messages) {
  const std::optional<platform::FileSystem> file_system = PrepareFileSystem(options, messages);
  if (!file_system) {
    return kExitUsage;
  }
  const std::optional<app::SoilReadingsTable> table =
      LoadSoilReadings(options.soil_readings, messages);
  if (!table) {
    PrintMessage(messages, catalogue::TextId::kCliNothingConverted);
    return kExitUsage;
  }
  batch::BatchList list;
  try {
    list = ReadEntries(options, *file_system);
    for (batch::ListProblem& problem : batch::CheckBatchEntries(
             *file_system, EntriesToRun(list.entries), platform::InterruptRequested)) {
      list.problems.push_back(std::move(problem));
    }
  } catch (const platform::Interrupted&) {
    PrintMessage(messages, catalogue::TextId::kCliInterruptedNothingConverted);
    return platform::InterruptExitCode();
  }
  const std::string source = options.tree.empty() ? options.list : options.tree[0];
  if (!list.problems.empty()) {
    for (const batch::ListProblem& problem : list.problems) {
      PrintProblem(messages, source, problem);
    }
    PrintMessage(messages, catalogue::TextId::kCliNothingConverted);
    return kExitUsage;
  }

  const std::filesystem::path list_path =
      options.tree.empty() ? platform::HostPathFromUtf8(options.list) : std::filesystem::path();
  const std::filesystem::path report_path = options.report.empty()
                                                ? batch::DefaultReportPath(list_path)
                                                : platform::HostPathFromUtf8(options.report);
  const batch::ReportPlace report_place(*file_system, report_path, list_path, list.entries);
  if (!report_place.problems().empty()) {
    for (const batch::ListProblem& problem : report_place.problems()) {
      PrintProblem(messages, problem.lines.empty() ? "" : source, problem);
    }
    PrintMessage(messages, catalogue::TextId::kCliReportNamesAnother);
    return kExitUsage;
  }
  std::optional<batch::BatchReport> report;
  try {
    report.emplace(report_path, list.entries);
  } catch (const platform::Error& error) {
    PrintMessage(messages, ReportErrorText(error));
    return kExitUsage;
  }

  // From here Ctrl-C lets the running borings end between two files and starts no other.
  platform::InstallInterruptHandlers();
  BatchProgress progress(StyleFor(options, messages), list.entries.size(), messages);
  const batch::BatchRunOptions run_options{options.jobs > 0 ? options.jobs : DefaultJobs(),
                                           options.yes, &table->readings};
  try {
    batch::RunBatch(
        *file_system, list.entries, run_options,
        [&](std::size_t index, const batch::BoringResult& result) {
          report->Add(index, result);
          progress.Finished(list.entries[index], result);
        },
        platform::InterruptRequested);
    report->Finish();
  } catch (const platform::Error& error) {
    progress.End();
    PrintMessage(messages, ReportErrorText(error));
    return kExitRefused;
  }
  progress.End();

  std::optional<batch::ListSource> list_source;
  if (list.encoding) {
    list_source = batch::ListSource{platform::HostPathFromUtf8(options.list), *list.encoding};
  }
  const std::vector<std::u16string> summary =
      batch::SummaryLines(*report, report_path, list_source);
  for (std::size_t i = 0; i < summary.size() && (i == 0 || !options.quiet); ++i) {
    Print(output, summary[i]);
  }
  std::fflush(output);
  if (platform::InterruptRequested()) {
    return platform::InterruptExitCode();
  }
  const batch::BatchTotals& totals = report->totals();
  return totals.refused + totals.failed + totals.not_run == 0 ? kExitConverted : kExitRefused;
}

}  // namespace qe2m4::cli
