#include "batch/list_file.h"

#include <string>

#include "catalogue/catalogue.h"
#include "platform/error.h"
#include "platform/host_paths.h"
#include "platform/interrupted.h"
#include "platform/settings_file.h"

namespace qe2m4::batch {
namespace {

using catalogue::TextId;

// Why a list that is not an ordinary file of sensible size is not read, in the user's language.
std::string WhyNotRead(const platform::SettingsText& file) {
  if (file.state == platform::SettingsText::State::kMissing) {
    return std::string(catalogue::Text(TextId::kCliListMissing));
  }
  if (file.too_large) {
    return catalogue::Format(TextId::kCliListTooLarge, {std::to_string(kMaxListBytes)});
  }
  return std::string(
      catalogue::Text(file.is_folder ? TextId::kCliListFolder : TextId::kCliListNotRegular));
}

}  // namespace

BatchList ReadListFile(const std::filesystem::path& host,
                       std::optional<common::TextEncoding> forced,
                       const std::function<bool()>& stop_requested) {
  platform::SettingsText file;
  try {
    file = platform::ReadSettingsFile(host, platform::PathText(host), kMaxListBytes);
  } catch (const platform::Error& error) {
    return {{},
            {{{}, catalogue::Format(catalogue::TextId::kCliListUnreadable, {error.reason()})}},
            std::nullopt};
  }
  if (file.state != platform::SettingsText::State::kRead) {
    return {{},
            {{{}, catalogue::Format(catalogue::TextId::kCliListUnreadable, {WhyNotRead(file)})}},
            std::nullopt};
  }
  if (stop_requested && stop_requested()) {
    throw platform::Interrupted();
  }
  return ReadBatchList(file.text, forced, stop_requested);
}

}  // namespace qe2m4::batch
