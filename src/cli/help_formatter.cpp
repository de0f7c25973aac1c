#include "cli/help_formatter.h"

#include <memory>

namespace qe2m4::cli {

HelpFormatter::HelpFormatter(std::string usage) : usage_(std::move(usage)) {
  column_width(22);
}

std::string HelpFormatter::make_help(const CLI::App* app, std::string name,
                                     CLI::AppFormatMode mode) const {
  if (mode == CLI::AppFormatMode::Sub) {
    return make_expanded(app);
  }
  return make_usage(app, name) + "\n" + make_description(app) + make_positionals(app) +
         make_groups(app, mode) + make_subcommands(app, mode) + "\n" + app->get_footer() + "\n";
}

std::string HelpFormatter::make_usage(const CLI::App* /*app*/, std::string /*name*/) const {
  return usage_;
}

std::string HelpFormatter::make_option_opts(const CLI::Option* option) const {
  if (option->get_positional() || option->get_type_name().empty()) {
    return "";
  }
  return " " + option->get_type_name();
}

void DescribeCommand(CLI::App& command, std::string usage, std::string description,
                     std::string footer) {
  command.formatter(std::make_shared<HelpFormatter>(std::move(usage)));
  command.set_help_flag("-h,--help", "print this help and end");
  command.description(std::move(description));
  command.footer(std::move(footer));
}

}  // namespace qe2m4::cli
