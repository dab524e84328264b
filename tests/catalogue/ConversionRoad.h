#pragma once
// The road of a file through the encoder component as the main window takes
// it when a file is queued and converted: the chosen format's preset, the
// format's default option choices, the output record of these settings,
// AddTask, SetOutputFile and Start. The encoder component runs without
// threads here, so everything happens on the calling thread.
#include <string>

#include "Src/DIzizuZUR.h"
#include "app/EncoderPresets.h"

namespace road {

// The default option choices of a catalogue key read into the settings;
// false when no category offers the key (the settings are then unchanged).
bool ApplyDefaultChoices(int AKey, formats::TFormatSettings& ASettings);

// The preset of a catalogue key for an input, then its default choices; the
// output name lands in AOutputFolder. False when the key has no preset.
bool FormatSettings(int AKey, const std::wstring& AInput, const std::wstring& AOutputFolder, formats::TFormatSettings& ASettings);

// How a conversion ended. Stage is "input" when AddTask refused the file,
// "output" when SetOutputFile refused the output, "convert" when the task
// ended with an exception or unfinished, and empty on success; Message is
// the component's text for the refusal or the task's exception message.
struct TConversion {
    std::string Stage;
    std::wstring Message;
    int Notifications = 0;  // end notifications received, the final one included
};

// Converts AInput into AOutput with the record, through an encoder
// component of its own started with no threads (the caller's thread
// converts). The record is the caller's: a time length set there applies.
TConversion Convert(const std::wstring& AInput, const std::wstring& AOutput, TOutputOptions& ARecord);

}  // namespace road
