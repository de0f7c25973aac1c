#include "batch/list_file.h"

#include <string>

#include "catalogue/catalogue.h"
#include "platform/error.h"
#include "platform/host_paths.h"
#include "platform/interrupted.h"
#include "platform/settings_file.h"

namespace qe2m4::batch {

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
    const std::string why = file.state == platform::SettingsText::State::kMissing
                                ? std::string(catalogue::Text(catalogue::TextId::kCliListMissing))
                                : file.problem;
    return {
        {}, {{{}, catalogue::Format(catalogue::TextId::kCliListUnreadable, {why})}}, std::nullopt};
  }
  if (stop_requested && stop_requested()) {
    throw platform::Interrupted();
  }
  return ReadBatchList(file.text, forced, stop_requested);
}

}  // namespace qe2m4::batch
