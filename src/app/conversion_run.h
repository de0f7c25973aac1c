#pragma once

#include <string_view>

#include "common/conversion_context.h"
#include "soil/soil_readings.h"

namespace qe2m4::platform {
class FileSystem;
class UserInterface;
}  // namespace qe2m4::platform

namespace qe2m4::app {

struct RunResult {
  // True when the run ended with the success status text.
  bool succeeded = false;
  // True once the busy text was shown (the window's StatusShown becomes 1 then).
  bool status_shown = false;
  // True when an interrupt (Ctrl-C, a request to end) ended the run between two files.
  bool interrupted = false;
  // Files written and layer descriptions that found no main soil.
  ConversionReport report;
};

// One conversion run, what the execute button (Form1::Command1_Click), "qe2m4 convert" and each
// boring of a batch do: converts the boring in source_text (Text2's text) into the
// folder destination_text (Text1's text), talking to the user only through ui. Never throws:
// a failure part-way is shown as one message and the run ends. The run holds the destination
// folder's DestinationLock from before its first write to its end, and refuses at once when
// another run holds it. Layer descriptions that readings holds are classified as their readings.
RunResult RunConversion(platform::FileSystem& file_system, platform::UserInterface& ui,
                        std::u16string_view source_text, std::u16string_view destination_text,
                        const SoilReadings& readings = SoilReadings::None());

}  // namespace qe2m4::app
