#pragma once
// The program's end-of-batch sound: a two-note chime (E6 then B5, each with
// a few overtones and a soft decay), as the bytes of a 16-bit mono PCM WAV
// file at 22,050 Hz.
#include <string>

namespace soundgen {

constexpr int kSampleRate = 22050;

// The complete file: RIFF header, "fmt " chunk and "data" chunk.
std::string RingWav();

}  // namespace soundgen
