#include "cli/batch_command.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <optional>
#include <thread>

#include "batch/batch_check.h"
#include "batch/batch_list.h"
#include "batch/batch_report.h"
#include "batch/batch_runner.h"
#include "batch/batch_summary.h"
#include "batch/batch_tree.h"
#include "batch/list_file.h"
#include "batch/report_path.h"
#include "cli/batch_progress.h"
#include "cli/console.h"
#include "cli/help_formatter.h"
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
  WriteText(messages, "qe2m4: " + message + "\n");
}

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

int DefaultJobs() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : static_cast<int>(cores);
}

}  // namespace

const char* const kBatchUsage =
    "usage: qe2m4 batch [--drive L=DIR]... [--system-dir DIR] [--yes] [--jobs N] [--report FILE]\n"
    "                   [--soil-readings FILE | --no-soil-readings] [--quiet]\n"
    "                   [--list-encoding ENC] LIST\n"
    "       qe2m4 batch ... --tree SOURCE_ROOT DEST_ROOT\n";

CLI::App& AddBatchCommand(CLI::App& program, BatchOptions& options) {
  CLI::App& command = *program.add_subcommand("batch");
  DescribeCommand(
      command, kBatchUsage, "Converts many borings, each as 'qe2m4 convert' does, several at once.",
      "LIST is a CSV file of SOURCE,DEST lines (UTF-8, CP932, or UTF-16 with its BOM, told from\n"
      "the bytes; lines starting with # and blank lines are skipped; a path holding a comma goes\n"
      "in double quotes), a regular file of at most 64 MB. --tree converts every\n"
      "folder under SOURCE_ROOT holding a non-empty X1.TXT into DEST_ROOT plus the same levels.\n"
      "No question is asked: without --yes a boring whose destination folders are missing is\n"
      "refused. The report (UTF-8 CSV) has one row per boring; FILE-soil.csv beside it counts\n"
      "the layer descriptions that found no main soil and those the table of soil readings read,\n"
      "with a column 読み替え: filled in, the file serves as --soil-readings for the next run.\n\n"
      "Exit status: 0 all converted, 1 any refused, failed or not started, 2 bad usage, list or\n"
      "table of soil readings.");
  AddMachineOptions(command, options);
  AddSoilReadingsOptions(command, options.soil_readings);
  command.add_flag("--yes", options.yes, "create missing destination folders");
  command.add_option("--jobs", options.jobs, "conversions at once (default: one per core)")
      ->type_name("N")
      ->check(CLI::Range(1, 256));
  command
      .add_option("--report", options.report,
                  "the report (default: LIST-report.csv beside LIST; with --tree\n"
                  "qe2m4-report.csv in the working folder)")
      ->type_name("FILE");
  command.add_flag("--quiet", options.quiet, "no progress; only the counts at the end");
  CLI::Option* encoding =
      command
          .add_option("--list-encoding", options.list_encoding,
                      "utf-8, cp932 or utf-16 (default: told from the bytes)")
          ->type_name("ENC")
          ->check([](const std::string& name) {
            return common::EncodingFromName(name) ? "" : "not utf-8, cp932 or utf-16: " + name;
          });
  CLI::Option* tree = command.add_option("--tree", options.tree, "convert a whole archive")
                          ->type_name("SOURCE_ROOT DEST_ROOT")
                          ->expected(2)
                          ->allow_extra_args(false);
  CLI::Option* list = command.add_option("LIST", options.list, "the list of borings");
  list->excludes(tree);
  encoding->excludes(tree);
  command.final_callback([list, tree] {
    if (list->count() == 0 && tree->count() == 0) {
      throw CLI::ValidationError("batch needs LIST or --tree SOURCE_ROOT DEST_ROOT");
    }
  });
  return command;
}

int RunBatchCommand(const BatchOptions& options, std::FILE* output, std::FILE* messages) {
  const std::optional<platform::FileSystem> file_system = PrepareFileSystem(options, messages);
  if (!file_system) {
    return kExitUsage;
  }
  const std::optional<app::SoilReadingsTable> table =
      LoadSoilReadings(options.soil_readings, messages);
  if (!table) {
    PrintMessage(messages, "nothing converted");
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
    PrintMessage(messages, "interrupted; nothing converted");
    return platform::InterruptExitCode();
  }
  const std::string source = options.tree.empty() ? options.list : options.tree[0];
  if (!list.problems.empty()) {
    for (const batch::ListProblem& problem : list.problems) {
      PrintProblem(messages, source, problem);
    }
    PrintMessage(messages, "nothing converted");
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
    PrintMessage(messages, "nothing converted (--report FILE names another report)");
    return kExitUsage;
  }
  std::optional<batch::BatchReport> report;
  try {
    report.emplace(report_path, list.entries);
  } catch (const platform::Error& error) {
    PrintMessage(messages, error.what());
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
    PrintMessage(messages, error.what());
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
