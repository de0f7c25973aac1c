#pragma once

#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
class ParseError;
}  // namespace CLI

namespace qe2m4::cli {

// What is wrong with the arguments, in the user's language, for an error the parser found in
// the arguments of program (its commands included): the option it concerns and what it needs.
std::string UsageErrorReason(const CLI::ParseError& error, const CLI::App& program);

// What is wrong when a command was left arguments it does not take: the first of them, an
// unknown option or one argument too many; nullopt when there is none but the "--" that ends
// the options.
std::optional<std::string> ExtraArgumentReason(const std::vector<std::string>& extras);

}  // namespace qe2m4::cli
