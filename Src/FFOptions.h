#pragma once
// The generic option store of one transcoder object: one option context per
// kind of library object (five codec contexts by media type, a format
// context, a scaler context) on which any library option can be set by name
// and text, with the names that were set; ApplyOptions later copies them
// into the real contexts. Used by one thread at a time.
#include <vector>

#include "Src/LibAVHeaders.h"

struct TFFOptions {
    std::vector<const char*> opt_names;  // the libraries' own option names
    AVCodecContext* avcodec_opts[5] = {};  // video, audio, data, subtitle, attachment
    AVFormatContext* avformat_opts = nullptr;
    SwsContext* sws_opts = nullptr;
    // The encoder of each media type once it is known, and the options
    // private to it (checked against its own option table), for its open.
    const AVCodec* encoders[5] = {};
    AVDictionary* private_opts[5] = {};
    int opt_name_count() const { return static_cast<int>(opt_names.size()); }
};

void InitOptionContexts(TFFOptions& AOpts);
// False when a context cannot be allocated (the others are freed again).
bool AllocOptionContexts(TFFOptions& AOpts, int ASwsFlags);
void FreeOptionContexts(TFFOptions& AOpts);
// Sets an option by name on every context that knows it, else as a private
// option of a known encoder; values are copied.
bool SetOption(TFFOptions& AOpts, const char* AName, const char* AValue);
// Names the encoder of a media type, so that its private options (libx264's
// "crf", "preset", ...) are accepted and checked from then on.
void SetOptionEncoder(TFFOptions& AOpts, AVMediaType AType, const AVCodec* AEncoder);
// Adds the private options given for the media type's encoder to ADict.
void CopyPrivateOptions(const TFFOptions& AOpts, AVMediaType AType, AVDictionary** ADict);
// Copies the stored values of the set names that carry all AFlags bits from
// ASource into ATarget (both objects with an AVClass).
void ApplyOptions(const TFFOptions& AOpts, void* ATarget, void* ASource, int AFlags);
