#include "cli/usage_error_text.h"

#include <CLI/CLI.hpp>

#include "catalogue/catalogue.h"

namespace qe2m4::cli {
namespace {

using catalogue::Format;
using catalogue::TextId;

// The parser names the option first ("--drive: 1 required L=DIR missing") or after other words
// ("Could not convert: --quiet = x"): the first word that is an option of the program.
const CLI::Option* NamedOption(std::string_view message, const CLI::App& program) {
  for (std::size_t at = message.find('-'); at != std::string_view::npos;
       at = message.find('-', at + 1)) {
    if (at > 0 && message[at - 1] != ' ') {
      continue;
    }
    std::size_t end = message.find_first_of(" :,=", at);
    const std::string name(message.substr(at, end == std::string_view::npos ? end : end - at));
    for (const CLI::App* command : program.get_subcommands({})) {
      if (const CLI::Option* option = command->get_option_no_throw(name)) {
        return option;
      }
    }
    if (const CLI::Option* option = program.get_option_no_throw(name)) {
      return option;
    }
  }
  return nullptr;
}

}  // namespace

std::string UsageErrorReason(const CLI::ParseError& error, const CLI::App& program) {
  const std::string message = error.what();
  const CLI::Option* const option = NamedOption(message, program);
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr && option != nullptr) {
    return Format(TextId::kCliErrorNeedsValue, {option->get_name(), option->get_type_name()});
  }
  if (dynamic_cast<const CLI::ConversionError*>(&error) != nullptr && option != nullptr) {
    return Format(TextId::kCliErrorTakesNoValue, {option->get_name()});
  }
  if (dynamic_cast<const CLI::ExcludesError*>(&error) != nullptr) {
    const std::size_t at = message.find(" excludes ");
    if (at != std::string::npos) {
      return Format(
          TextId::kCliErrorExcludes,
          {message.substr(0, at), message.substr(at + std::string_view(" excludes ").size())});
    }
  }
  if (dynamic_cast<const CLI::ValidationError*>(&error) != nullptr) {
    // "--jobs: what the option's check says", the check's text in the user's language already.
    const std::size_t at = message.find(": ");
    if (at != std::string::npos) {
      return Format(TextId::kCliErrorOption, {message.substr(0, at), message.substr(at + 2)});
    }
  }
  if (dynamic_cast<const CLI::RequiredError*>(&error) != nullptr) {
    const std::size_t at = message.find(" is required");
    if (at != std::string::npos) {
      return Format(TextId::kCliErrorMissingArgument, {message.substr(0, at)});
    }
  }
  return message;
}

std::optional<std::string> ExtraArgumentReason(const std::vector<std::string>& extras) {
  for (const std::string& extra : extras) {
    if (extra == "--") {
      continue;
    }
    return Format(extra.size() > 1 && extra.starts_with('-') ? TextId::kCliErrorUnknownOption
                                                             : TextId::kCliErrorExtraArgument,
                  {extra});
  }
  return std::nullopt;
}

}  // namespace qe2m4::cli
