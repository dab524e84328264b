#pragma once
// Makes media files for the tests with the libraries' own test sources and
// encoders (the transcoder set must be loaded first). The video carries, in
// its bottom-left corner, the frame number as a row of seven 40x40 blocks
// (white = bit set, lowest bit left) so that a decoded picture tells which
// frame it is.
#include <cstdint>
#include <string>
#include <vector>

#include "Src/LibAVHeaders.h"

namespace testmedia {

struct VideoSpec {
    int Width = 640;
    int Height = 480;
    AVRational Rate = {25, 1};
    const char* Encoder = "mpeg4";
    const char* Source = "smptebars";
    AVRational SampleAspect = {0, 1};  // 0: square pixels
    int Gop = 25;
    const char* Filter = nullptr;  // a filter chain on the source's pictures, e.g. "geq=..."
    const char* PixelFormat = nullptr;  // the encoder's first when null
};

struct AudioSpec {
    const char* Encoder = "aac";
    int SampleRate = 44100;
    int Channels = 2;
    const char* Language = nullptr;
    int Frequency = 440;
    const char* SampleFormat = nullptr;  // the encoder's first when null ("s32": 24-bit FLAC)
    // The sound before its conversion to the encoder's format, in place of
    // the sine tone: a source filter chain of this sample rate and at least
    // the clip's length, e.g. "aevalsrc=...:s=44100:d=5".
    const char* Source = nullptr;
    // HoleSeconds of sound from HoleAt on are left out: the stream's
    // timestamps jump over the hole.
    double HoleAt = 0;
    double HoleSeconds = 0;
    // From about ChangeAt on (at a whole encoder frame), the stream carries
    // the packets of a second encoder with ChannelsAfter channels, its
    // timestamps following on: a broadcast whose sound goes from 5.1 to
    // 2.0. 0: one encoder throughout.
    int ChannelsAfter = 0;
    double ChangeAt = 0;
};

struct ClipSpec {
    std::wstring FileName;
    const char* Format = nullptr;  // guessed from the name when null
    double Seconds = 1.0;
    bool HasVideo = true;
    VideoSpec Video;
    std::vector<AudioSpec> Audio;
    const char* SubtitleLanguage = nullptr;  // adds a SubRip stream when set
    std::vector<std::pair<const char*, const char*>> Metadata;  // of the container, UTF-8
    std::vector<std::pair<const char*, const char*>> MuxerOptions;  // e.g. {"movflags", "+faststart"}
};

// Writes the clip; an empty result on success, else what went wrong.
std::string MakeClip(const ClipSpec& ASpec);

// Reads the frame number back from the blocks of a 24-bit picture row set.
// APixel(x, y) returns 0xRRGGBB.
template <class PixelFn>
int FrameNumberFromPicture(PixelFn APixel, int AHeight) {
    int n = 0;
    for (int k = 0; k < 7; ++k) {
        const unsigned p = APixel(k * 40 + 20, AHeight - 20);
        const int luma = (((p >> 16) & 255) + ((p >> 8) & 255) + (p & 255)) / 3;
        if (luma > 128) n |= 1 << k;
    }
    return n;
}

// The mux rate in the first pack header of an MPEG program stream, in bit/s
// (the header counts units of 50 bytes/s); -1 when the file starts otherwise.
int64_t FirstPackMuxRate(const std::wstring& AFile);

// Small file helpers of the tests (wide names).
void WriteBytes(const std::wstring& AName, const std::string& ABytes);
// Removes a folder (with trailing backslash) with everything in it.
void RemoveFolder(const std::wstring& AFolder);
// Creates "<temp>\<AName>-<process id>\" empty and returns it (trailing
// backslash).
std::wstring ScratchFolder(const std::wstring& AName);
// Loads the transcoder's library set from the staged LibAV folder; an empty
// result on success, else the loader's message.
std::string LoadTranscoderLibraries();

// A one-second 320x240 clip with stereo 44.1 kHz sound ("source.mp4") in a
// scratch folder of its own, with an empty output folder "out" below it,
// after loading the transcoder's libraries; all removed with the object.
// Error is empty on success, else why the clip could not be made.
struct ConversionSource {
    explicit ConversionSource(const std::wstring& AScratchName);
    ~ConversionSource();
    ConversionSource(const ConversionSource&) = delete;
    ConversionSource& operator=(const ConversionSource&) = delete;
    std::wstring Folder;   // with a trailing backslash
    std::wstring File;
    std::wstring Outputs;  // below Folder, without a trailing backslash
    std::string Error;
};

// The standard set, made once per process in a temporary folder on first use.
struct MediaSet {
    std::wstring Folder;   // with a trailing backslash
    std::wstring Mp4;      // 5 s 640x480 25 fps, MPEG-4 video and AAC sound, with a title
    std::wstring Mkv;      // 5 s 640x480 25 fps, H.264 video and MP3 sound
    std::wstring Ntsc;     // 2 s MPEG-2 720x480 at 30000/1001 in MPEG-PS
    std::wstring Pal169;   // 1 s 720x576 with 16:15 pixels
    std::wstring Mp3;      // 2 s audio only
    std::wstring Wav;      // 1 s mono 22050 Hz
    std::wstring TwoAudio; // MKV with two audio streams
    std::wstring Subtitled;  // MKV with a subtitle stream
    std::wstring Ts;         // MPEG-TS: one program with its streams
    std::wstring Still;      // a single JPEG picture
    std::wstring Truncated;  // the MP4 cut in half
    std::wstring Garbage;    // random bytes
    std::wstring Chinese;    // copy of the MP4 named in Chinese
    std::wstring NonAnsi;    // copy of the MKV with characters outside the ANSI code page
    std::string Error;       // empty when everything was made
};
const MediaSet& StandardMedia();

}  // namespace testmedia
