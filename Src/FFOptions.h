#pragma once
// The generic option store of one transcoder object: one option context per
// kind of library object (five codec contexts by media type, a format
// context, a scaler context) on which any library option can be set by name
// and text, with the names that were set; ApplyOptions later copies them
// into the real contexts. Used by one thread at a time.
#include <string>
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
    // Options private to an encoder that was not named when they were set
    // (checked against the real encoder when it opens), and options private
    // to a muxer (checked and set when the output is created).
    AVDictionary* pending_codec_opts = nullptr;
    AVDictionary* muxer_opts = nullptr;
    int opt_name_count() const { return static_cast<int>(opt_names.size()); }
};

void InitOptionContexts(TFFOptions& AOpts);
// False when a context cannot be allocated (the others are freed again).
bool AllocOptionContexts(TFFOptions& AOpts, int ASwsFlags);
void FreeOptionContexts(TFFOptions& AOpts);
// Sets an option by name on every context that knows it, else as a private
// option of a known encoder, else keeps it for the encoder or muxer whose
// private option table has it; values are copied. Returns 1 when set or
// kept, 0 for a blank name or value or a name no library knows, and a
// negative AVERROR code for a value the option refuses (logged).
int TrySetOption(TFFOptions& AOpts, const char* AName, const char* AValue);
// TrySetOption(...) > 0.
bool SetOption(TFFOptions& AOpts, const char* AName, const char* AValue);
// Moves the pending encoder-private options AEncoder's own table knows into
// ADict (for its open); the others stay pending.
void TakePendingCodecOptions(TFFOptions& AOpts, const AVCodec* AEncoder, AVDictionary** ADict);
// Sets the muxer-private options on an output's muxer context; throws
// nothing, returns the first refused name (with its error) or "" when all
// were set. A name the muxer has no option for is refused with
// AVERROR_OPTION_NOT_FOUND.
std::string ApplyMuxerOptions(const TFFOptions& AOpts, AVFormatContext* AOc, int& AError);
// Names the encoder of a media type, so that its private options (libx264's
// "crf", "preset", ...) are accepted and checked from then on.
void SetOptionEncoder(TFFOptions& AOpts, AVMediaType AType, const AVCodec* AEncoder);
// Adds the private options given for the media type's encoder to ADict.
void CopyPrivateOptions(const TFFOptions& AOpts, AVMediaType AType, AVDictionary** ADict);
// Copies the stored values of the set names that carry all AFlags bits from
// ASource into ATarget (both objects with an AVClass).
// The options set on ASource whose flags include all of AFlags, by name and
// value, for a library object made later; null when there are none. The
// caller owns the dictionary.
AVDictionary* OptionsDictionary(const TFFOptions& AOpts, void* ASource, int AFlags);
void ApplyOptions(const TFFOptions& AOpts, void* ATarget, void* ASource, int AFlags);
