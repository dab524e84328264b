#pragma once
// The output record of a conversion, filled from the current-format
// settings (the Video_ fields): what the add operations hand to the encoder
// component with the output file.
//
// Threads: any; touches only its arguments.

#include "Src/DIzizuZUR.h"
#include "app/EncoderPresets.h"

namespace formats {

// Fills the fields the settings name, keeping the others as they are:
// codecs (libx264 with its default preset), frame rate, size and aspect,
// channels, sample rate, bit rates (-1000 passes nothing), disc target and
// norm, volume, container name, filters, tag and the no-video flag. A disc
// target fixes its own video bit rate, so none is passed with one.
// changedVolumeOnly: the volume is set only when it is not "256".
void FillOutputOptions(const TFormatSettings& settings, TOutputOptions& record, bool changedVolumeOnly = false);

}  // namespace formats
