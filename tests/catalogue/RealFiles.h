#pragma once
// Files of the shapes users bring (camera MOV with PCM sound, AVI of
// several writers, broadcast MPEG-TS whose sound changes from 5.1 to 2.0,
// WMV, 3GP, lossless audio, a recording with a hole in its sound), made
// once per process by the test media tool with the media libraries, and
// measurements on decoded files.
//
// Threads: one thread at a time (the tests' main thread).
#include <span>
#include <string>

namespace realfiles {

// The instant of the flash in the picture and the beep in the sound of the
// marked shapes, in seconds from the start.
inline constexpr double MarkAt = 4.0;

struct TShape {
    const char* Name;
    const wchar_t* File;
    double Seconds;
    bool HasVideo;
    int Width, Height;
    const wchar_t* Filters;  // the conversion's video filters; nullptr: none
    int FilteredRate;        // the frame rate those filters give
    bool Marked;             // a white picture and a 1 kHz beep at MarkAt, nothing else loud
};

std::span<const TShape> Shapes();

// Makes the files of every shape on first use (the transcoder libraries are
// loaded on the way); an empty result when all were made, else what failed.
const std::string& MakeFiles();
// The folder of the files (trailing backslash) and a shape's file in it.
const std::wstring& Folder();
std::wstring PathOf(const TShape& AShape);

// Measurements on the decoded first video or audio stream of a file, in
// seconds of its timestamps; -1 when the file, the stream or the mark is
// missing.
// The first picture whose upper half is near white.
double FlashTime(const std::wstring& AFile);
// The first sound sample of the first channel above a quarter of full scale.
double BeepTime(const std::wstring& AFile);
// The number of pictures decoded; -1 when the file or stream is missing.
int DecodedPictures(const std::wstring& AFile);

}  // namespace realfiles
