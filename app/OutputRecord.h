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
// norm, volume, container name, filters, tag and the no-video flag. The
// video bit rate of a disc target is that of DiscVideoBitrate.
// changedVolumeOnly: the volume is set only when it is not "256".
void FillOutputOptions(const TFormatSettings& settings, TOutputOptions& record, bool changedVolumeOnly = false);

// The highest video bit rates of the DVD and SVCD standards, bit/s.
inline constexpr int DvdMaxVideoBitrate = 9000000;
inline constexpr int SvcdMaxVideoBitrate = 2516000;
// The video bit rate passed with a chosen rate for a target: for DVD and
// SVCD the chosen rate up to the standard's maximum; otherwise (VCD, whose
// fixed rate the encoder puts in its place, and no disc) the chosen rate.
int DiscVideoBitrate(TOptionTargetType target, int chosen);

}  // namespace formats
