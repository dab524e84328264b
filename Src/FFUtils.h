#pragma once
// Media routines of the engine: time text, frame duration, error text, whole
// file reading, metadata lookup, codec and media-type names, and the one
// place where encoder names of the older library generation are mapped.
//
// The routines call the libraries through the bound entry points; callers
// make sure the libraries are loaded. No state: any thread.
#include <cstdint>
#include <string>

#include "Src/LibAVHeaders.h"

// The libraries' marker of an unknown time (smallest 64-bit integer).
constexpr int64_t NoValue = INT64_MIN;

std::wstring TimeToText(int64_t ATime);
int64_t FrameDuration(AVRational ARate);
// Whole seconds and microseconds of a time, the sign in front: "-1.500000".
std::wstring SecondsText(int64_t AMicroseconds);
// "<file>: <text of the error code>".
std::wstring ErrorText(const std::wstring& AFileName, int ACode);
// The library's own text of an error code, without a file name.
std::wstring LibErrorText(int ACode);
// 0 on success (ABuffer from av_malloc, zero-terminated, ASize counting the
// zero), -1 when the file cannot be opened, -12 when memory runs out.
int ReadWholeFile(const char* AFileName, uint8_t*& ABuffer, int& ASize);
int ReadWholeFile(const std::wstring& AFileName, uint8_t*& ABuffer, int& ASize);
std::wstring GetMetadataValue(const AVDictionary* AMetadata, const char* AKey, const std::wstring& ADefault);
std::wstring CodecNameText(AVCodecID AId, uint32_t ATag, bool AEncoder);
std::wstring CodecNameText(const AVCodecParameters* APar, bool AEncoder);
std::wstring CodecNameText(const AVCodecContext* ACtx, bool AEncoder);
std::wstring MediaTypeName(int AType);

// How many frames per second the stream yields, as far as probing found its
// parameters: the measure behind choosing, among streams of one type, the
// one the probe saw most frames of in its window (the library keeps that
// count to itself in this generation). 0 for a stream without usable
// parameters; an attached picture counts as almost nothing.
double AnalysedFrameRate(const AVStream* AStream);

// Encoder names this library generation lacks, mapped to the ones it has:
// "libfaac" -> "aac", "libxvid" -> "mpeg4" (the caller keeps the XVID tag),
// "libamr_nb" -> "libopencore_amrnb", "msmpeg4v1" -> "msmpeg4v2".
const char* LibEncoderName(const char* AName);
// avcodec_find_encoder_by_name through LibEncoderName.
const AVCodec* FindEncoderByName(const char* AName);
