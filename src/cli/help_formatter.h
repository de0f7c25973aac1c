#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace qe2m4::cli {

// Help in the program's own form: the command's usage lines as written (lower-case "usage:"),
// then the description, the arguments and options with their value names, and the footer.
class HelpFormatter : public CLI::Formatter {
 public:
  explicit HelpFormatter(std::string usage);

  std::string make_help(const CLI::App* app, std::string name,
                        CLI::AppFormatMode mode) const override;
  std::string make_usage(const CLI::App* app, std::string name) const override;
  std::string make_option_opts(const CLI::Option* option) const override;

 private:
  std::string usage_;
};

// Gives a command its usage lines, description and footer.
void DescribeCommand(CLI::App& command, std::string usage, std::string description,
                     std::string footer);

}  // namespace qe2m4::cli
