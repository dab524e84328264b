// The option dispatcher of the transcoder and its handlers.
#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "Src/AVCodecStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/FFUtils.h"
#include "Src/FFmpeg.h"
#include "Src/FFmpegLogger.h"

namespace {

void FreeName(char*& AName) {
    if (AName) ff::av_free(AName);
    AName = nullptr;
}

// The whole text as a number; anything left over is not a number either
// (std::invalid_argument, std::out_of_range).
int ToInt(const std::string& AText) {
    size_t used = 0;
    const int v = std::stoi(AText, &used, 10);
    if (used != AText.size()) throw std::invalid_argument(AText);
    return v;
}

int64_t ToInt64(const std::string& AText) {
    size_t used = 0;
    const long long v = std::stoll(AText, &used, 10);
    if (used != AText.size()) throw std::invalid_argument(AText);
    return v;
}

// Infinities and NaN are not numbers here: no option can use them.
float ToFloat(const std::string& AText) {
    size_t used = 0;
    const float v = std::stof(AText, &used);
    if (used != AText.size() || !std::isfinite(v)) throw std::invalid_argument(AText);
    return v;
}

// The number, or 0 when the text is not one.
template <class T>
T NumberOrZero(T (*AConvert)(const std::string&), const std::string& AText) {
    try {
        return AConvert(AText);
    } catch (const std::logic_error&) {
        return 0;
    }
}

// A stream index of a per-stream table (0 .. MAX_STREAMS - 1).
void CheckStreamIndex(long AIndex, const std::string& AName) {
    if (AIndex >= MAX_STREAMS) throw FFmpegException(FormatText("stream index over MAX_STREAMS(%d)", MAX_STREAMS));
    if (AIndex < 0) throw FFmpegException(FormatText("Invalid stream index %ld for option \"%s\"", AIndex, AName.c_str()));
}

}  // namespace

void TCustomFFmpeg::SetCodecName(char*& AName, int& ACopy, const std::string& AValue) {
    if (AValue.empty()) return;
    FreeName(AName);
    if (AValue == "copy") ACopy = 1;
    else AName = ff::av_strdup(AValue.c_str());
}

void TCustomFFmpeg::SetCodecTag(unsigned& ATag, const std::string& AValue, const wchar_t* AKind) {
    if (AValue.empty()) return;
    if (AValue.size() != 4) throw EAssertionFailed(std::wstring(AKind) + L" tag parameter must be 4 chars");
    ATag = MKTAG(AValue[0], AValue[1], AValue[2], AValue[3]);
}

void TCustomFFmpeg::SetTime(const std::string& AName, const std::string& AValue) {
    const bool date = AName == "timestamp";
    int64_t us = 0;
    if (ff::av_parse_time(&us, AValue.c_str(), date ? 0 : 1) < 0)
        throw FFmpegException(FormatText("Invalid %s specification for %s: %s", date ? "date" : "duration", AName.c_str(), AValue.c_str()));
    if (AName == "t") SetRecordingTime(us);
    else if (AName == "ss") Fstart_time = us;
    else if (AName == "itsoffset") Finput_ts_offset = us;
    else Frecording_timestamp = (us + 500000) / 1000000;
}

void TCustomFFmpeg::GenericOption(const std::string& AName, const std::string& AValue) {
    const int r = TrySetOption(FOptions, AName.c_str(), AValue.c_str());
    if (r < 0)
        throw FFmpegException(FormatText("Invalid value \"%s\" for option \"%s\": %s", AValue.c_str(), AName.c_str(),
                                         WideToUtf8(LibErrorText(r)).c_str()));
    if (r == 0 && !AName.empty() && !AValue.empty())
        GlobalLogger()->Log(this, llWarning, "Unrecognized option '%s' ignored", AName.c_str());
}

void TCustomFFmpeg::SetBitRate(const std::string& AName, const std::string& AValue) {
    if (TrySetOption(FOptions, AName.c_str(), AValue.c_str()) <= 0) return GenericOption(AName, AValue);
    AVCodecContext* ctx = FOptions.avcodec_opts[AName[0] == 'a' ? 1 : 0];
    if (ctx && ctx->bit_rate < 1000)
        GlobalLogger()->Log(this, llWarning,
                            L"WARNING: The bitrate parameter is set too low. It takes bits/s as argument, not kbits/s");
}

void TCustomFFmpeg::SetMap(const std::string& AValue) {
    if (Fnb_stream_maps >= static_cast<int>(Fstream_maps.size())) throw FFmpegException("Too many stream maps");
    const char* p = AValue.c_str();
    char* end = nullptr;
    TAVStreamMap m;
    m.file_index = static_cast<int>(strtol(p, &end, 0));
    p = *end ? end + 1 : end;
    m.stream_index = static_cast<int>(strtol(p, &end, 0));
    m.sync_file_index = m.file_index;
    m.sync_stream_index = m.stream_index;
    if (*end) {
        p = end + 1;
        m.sync_file_index = static_cast<int>(strtol(p, &end, 0));
        p = *end ? end + 1 : end;
        m.sync_stream_index = static_cast<int>(strtol(p, &end, 0));
    }
    Fstream_maps[Fnb_stream_maps++] = m;
}

void TCustomFFmpeg::SetMetaDataMap(const std::string& AValue) {
    if (Fnb_meta_data_maps >= FMaxFiles) throw FFmpegException("Too many metadata maps");
    char* end = nullptr;
    TAVMetaDataMap m;
    m.out_file = static_cast<int>(strtol(AValue.c_str(), &end, 0));
    m.in_file = *end ? static_cast<int>(strtol(end + 1, &end, 0)) : 0;
    Fmeta_data_maps[Fnb_meta_data_maps++] = m;
}

void TCustomFFmpeg::SetStreamId(const std::string& AName, const std::string& AValue) {
    const size_t colon = AValue.find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == AValue.size())
        throw FFmpegException(FormatText("Invalid value \"%s\" for option \"%s\", required syntax is \"index:value\"", AValue.c_str(), AName.c_str()));
    const int index = ToInt(AValue.substr(0, colon));
    CheckStreamIndex(index, AName);
    Fstreamid_map[index] = ToInt(AValue.substr(colon + 1));
}

void TCustomFFmpeg::SetAspect(const std::string& AValue) {
    double ratio = 0;
    const size_t colon = AValue.find(':');
    if (colon != std::string::npos) {
        const int w = NumberOrZero(ToInt, AValue.substr(0, colon));
        const int h = NumberOrZero(ToInt, AValue.substr(colon + 1));
        ratio = h > 0 ? static_cast<double>(w) / h : 0;
    } else {
        ratio = NumberOrZero(ToFloat, AValue);
    }
    if (ratio == 0) throw FFmpegException("Incorrect aspect ratio specification.");
    Fframe_aspect_ratio = static_cast<float>(ratio);
}

void TCustomFFmpeg::SetCrop(const std::string& AName, int AValue) {
    if (AValue <= 0) return;
    const bool vertical = AName == "croptop" || AName == "cropbottom";
    if (vertical && AValue >= Fframe_height)
        throw FFmpegException("Vertical crop dimensions are outside the range of the original image.\nRemember to crop first and scale second.");
    if (!vertical && AValue >= Fframe_width)
        throw FFmpegException("Horizontal crop dimensions are outside the range of the original image.\nRemember to crop first and scale second.");
    const char* side = AName == "croptop" ? "Top" : AName == "cropbottom" ? "Bottom" : AName == "cropleft" ? "Left" : "Right";
    GlobalLogger()->Log(this, llWarning, "Crop%s is deprecated in favor of the crop avfilter", side);
    int& band = AName == "croptop" ? Fframe_topBand : AName == "cropbottom" ? Fframe_bottomBand : AName == "cropleft" ? Fframe_leftBand : Fframe_rightBand;
    band = AValue;
    (vertical ? Fframe_height : Fframe_width) -= AValue;
}

void TCustomFFmpeg::SetItsScale(const std::string& AValue) {
    char* end = nullptr;
    const long index = strtol(AValue.c_str(), &end, 10);
    CheckStreamIndex(index, "itsscale");
    if (!*end) throw FFmpegException("Invalid itsscale " + AValue);
    // The scale belongs to the next input; there is none when every slot is taken.
    if (Fnb_input_files >= FMaxFiles) throw FFmpegException("Too many input files");
    Finput_files_ts_scale[Fnb_input_files][index] = strtod(end + 1, nullptr);
}

void TCustomFFmpeg::SetMetadataOption(const std::string& AValue) {
    const size_t eq = AValue.find('=');
    if (eq == std::string::npos) throw FFmpegException("Missing =");
    Fmetadata.emplace_back(AValue.substr(0, eq), AValue.substr(eq + 1));
}

void TCustomFFmpeg::SetStartTime(int64_t AValue) {
    if (AValue != INT64_MIN) Fstart_time = AValue;
}

void TCustomFFmpeg::SetRecordingTime(int64_t AValue) {
    if (AValue == INT64_MIN) return;
    Frecording_time = AValue;
    FTotalOutputDuration = AValue;
}

void TCustomFFmpeg::SetAudioChannels(int AValue) {
    if (AValue > 0) Faudio_channels = AValue;
}

void TCustomFFmpeg::SetAudioSampleRate(int AValue) {
    if (AValue > 0) Faudio_sample_rate = AValue;
}

void TCustomFFmpeg::SetMetadata(const std::wstring& AKey, const std::wstring& AValue) {
    Fmetadata.emplace_back(WideToUtf8(AKey), WideToUtf8(AValue));
}

bool TCustomFFmpeg::ParseFlagOption(const std::string& AName, const std::string& AValue) {
    struct Flag {
        const char* Name;
        bool TCustomFFmpeg::*Field;
    };
    static const Flag flags[] = {{"dump", &TCustomFFmpeg::Fdo_pkt_dump}, {"hex", &TCustomFFmpeg::Fdo_hex_dump},
                                 {"re", &TCustomFFmpeg::Frate_emu}, {"loop_input", &TCustomFFmpeg::Floop_input},
                                 {"shortest", &TCustomFFmpeg::Fopt_shortest}, {"intra", &TCustomFFmpeg::Fintra_only},
                                 {"vn", &TCustomFFmpeg::Fvideo_disable}, {"sameq", &TCustomFFmpeg::Fsame_quality},
                                 {"deinterlace", &TCustomFFmpeg::Fdo_deinterlace}, {"psnr", &TCustomFFmpeg::Fdo_psnr},
                                 {"qphist", &TCustomFFmpeg::Fqp_hist}, {"force_fps", &TCustomFFmpeg::Fforce_fps},
                                 {"an", &TCustomFFmpeg::Faudio_disable}, {"sn", &TCustomFFmpeg::Fsubtitle_disable},
                                 {"isync", &TCustomFFmpeg::Finput_sync}};
    for (const Flag& f : flags)
        if (AName == f.Name) {
            this->*f.Field = AValue != "0";
            return true;
        }
    if (AName == "copyts") Fcopy_ts = true;
    else if (AName == "xerror") Fexit_on_error = true;
    else return false;
    return true;
}

bool TCustomFFmpeg::ParseNumberOption(const std::string& AName, const std::string& AValue) {
    struct IntOpt {
        const char* Name;
        int TCustomFFmpeg::*Field;
    };
    static const IntOpt ints[] = {{"loop_output", &TCustomFFmpeg::Floop_output}, {"v", &TCustomFFmpeg::Fverbose},
                                  {"vsync", &TCustomFFmpeg::Fvideo_sync_method}, {"async", &TCustomFFmpeg::Faudio_sync_method},
                                  {"vglobal", &TCustomFFmpeg::Fvideo_global_header}, {"programid", &TCustomFFmpeg::Fopt_programid},
                                  {"copyinkf", &TCustomFFmpeg::Fcopy_initial_nonkeyframes}, {"vdt", &TCustomFFmpeg::Fvideo_discard},
                                  {"top", &TCustomFFmpeg::Ftop_field_first}, {"dc", &TCustomFFmpeg::Fintra_dc_precision},
                                  {"vc", &TCustomFFmpeg::Fvideo_channel},
                                  {"vol", &TCustomFFmpeg::Faudio_volume}};
    for (const IntOpt& o : ints)
        if (AName == o.Name) {
            this->*o.Field = ToInt(AValue);
            if (o.Field == &TCustomFFmpeg::Floop_output) Floop_output_set = true;
            return true;
        }
    const char* frames[] = {"vframes", "aframes", "dframes"};
    for (int k = 0; k < 3; ++k)
        if (AName == frames[k]) {
            Fmax_frames[k] = ToInt(AValue);
            return true;
        }
    if (AName == "ar") SetAudioSampleRate(ToInt(AValue));
    else if (AName == "ac") SetAudioChannels(ToInt(AValue));
    else if (AName == "fs") Flimit_filesize = ToInt64(AValue);
    else if (AName == "adrift_threshold") Faudio_drift_threshold = ToFloat(AValue);
    else if (AName == "dts_delta_threshold") Fdts_delta_threshold = ToFloat(AValue);
    else if (AName == "aq") Faudio_qscale = ToFloat(AValue);
    else if (AName == "muxdelay") Fmux_max_delay = ToFloat(AValue);
    else if (AName == "muxpreload") Fmux_preload = ToFloat(AValue), Fmux_preload_set = true;
    else return false;
    return true;
}

void TCustomFFmpeg::ParseOption(const std::wstring& AName, const std::wstring& AValue) {
    try {
        DispatchOption(AName, AValue);
    } catch (const std::logic_error&) {
        // A value that is not a number (std::stoi and friends).
        throw EEngineError(L"'" + AValue + L"' is not a valid value for option " + AName);
    }
}

void TCustomFFmpeg::DispatchOption(const std::wstring& AName, const std::wstring& AValue) {
    // One row per option with a handler of its own: its name, its kind and
    // what it does. Flags and plain numbers are the tables of
    // ParseFlagOption and ParseNumberOption; every other name goes to the
    // generic option setter. Handlers get the name and value in UTF-8 and
    // the value as given.
    enum TKind { okInformational, okRefused, okValue };
    using THandler = void (*)(TCustomFFmpeg& T, const std::string& N, const std::string& V, const std::wstring& W);
    struct TRow {
        const char* Name;
        TKind Kind;
        THandler Handler;
    };
    static const auto padding = [](TCustomFFmpeg&, const std::string&, const std::string&, const std::wstring&) {
        throw FFmpegException("Please use vfilters=pad");
    };
    static const auto codec = [](TCustomFFmpeg& T, const std::string& N, const std::string& V, const std::wstring&) {
        const AVMediaType type = N[0] == 'v' ? AVMEDIA_TYPE_VIDEO : N[0] == 'a' ? AVMEDIA_TYPE_AUDIO : AVMEDIA_TYPE_SUBTITLE;
        char*& name = type == AVMEDIA_TYPE_VIDEO   ? T.Fvideo_codec_name
                      : type == AVMEDIA_TYPE_AUDIO ? T.Faudio_codec_name
                                                   : T.Fsubtitle_codec_name;
        int& copy = type == AVMEDIA_TYPE_VIDEO   ? T.Fvideo_stream_copy
                    : type == AVMEDIA_TYPE_AUDIO ? T.Faudio_stream_copy
                                                 : T.Fsubtitle_stream_copy;
        T.SetCodecName(name, copy, V);
        // Private options of the named encoder are accepted from now on.
        if (name) SetOptionEncoder(T.FOptions, type, FindEncoderByName(name));
    };
    static const auto tag = [](TCustomFFmpeg& T, const std::string& N, const std::string& V, const std::wstring&) {
        const char kind = N[0];
        T.SetCodecTag(kind == 'v' ? T.Fvideo_codec_tag : kind == 'a' ? T.Faudio_codec_tag : T.Fsubtitle_codec_tag, V,
                      kind == 'v' ? L"video" : kind == 'a' ? L"audio" : L"subtitle");
    };
    static const auto language = [](TCustomFFmpeg& T, const std::string& N, const std::string& V, const std::wstring&) {
        (N[0] == 'v' ? T.Fvideo_language : N[0] == 'a' ? T.Faudio_language : T.Fsubtitle_language) = V;
    };
    static const auto newStream = [](TCustomFFmpeg& T, const std::string& N, const std::string&, const std::wstring&) {
        if (T.Fnb_output_files <= 0) throw FFmpegException("At least one output file must be specified");
        AVFormatContext* oc = T.Foutput_files[T.Fnb_output_files - 1];
        if (N == "newvideo") T.new_video_stream(oc);
        else if (N == "newaudio") T.new_audio_stream(oc);
        else T.new_subtitle_stream(oc);
    };
    static const auto text = [](TCustomFFmpeg& T, const std::string& N, const std::string& V, const std::wstring& W) {
        char*& field = N == "rc_override" ? T.Fvideo_rc_override_string : N == "tvstd" ? T.Fvideo_standard : T.Fvstats_filename;
        FreeName(field);
        // The statistics file is opened with the ANSI file calls.
        field = ff::av_strdup(N == "vstats_file" ? WideToAnsi(W).c_str() : V.c_str());
    };
    static const auto time = [](TCustomFFmpeg& T, const std::string& N, const std::string& V, const std::wstring&) {
        T.SetTime(N, V);
    };
    static const auto bitRate = [](TCustomFFmpeg& T, const std::string& N, const std::string& V, const std::wstring&) {
        T.SetBitRate(N, V);
    };
    static const auto crop = [](TCustomFFmpeg& T, const std::string& N, const std::string& V, const std::wstring&) {
        T.SetCrop(N, ToInt(V));
    };
    static const auto matrix = [](TCustomFFmpeg& T, const std::string& N, const std::string& V, const std::wstring&) {
        T.SetMatrix(N == "intra_matrix" ? T.Fintra_matrix : T.Finter_matrix, V);
    };
    static const auto bitstreamFilter = [](TCustomFFmpeg& T, const std::string& N, const std::string& V,
                                           const std::wstring&) { T.AddBitstreamFilter(N, V); };
    static const auto preset = [](TCustomFFmpeg& T, const std::string& N, const std::string&, const std::wstring& W) {
        T.LoadPreset(N, W);
    };
    static const auto filters = [](TCustomFFmpeg& T, const std::string&, const std::string& V, const std::wstring&) {
        if (!V.empty()) T.Fvfilters = V;
    };
    static const TRow rows[] = {
        {"L", okInformational, nullptr},
        {"h", okInformational, nullptr},
        {"version", okInformational, nullptr},
        {"formats", okInformational, nullptr},
        {"codecs", okInformational, nullptr},
        {"bsfs", okInformational, nullptr},
        {"protocols", okInformational, nullptr},
        {"filters", okInformational, nullptr},
        {"i", okInformational, nullptr},
        {"y", okInformational, nullptr},
        {"benchmark", okInformational, nullptr},
        {"threads", okRefused,
         [](TCustomFFmpeg&, const std::string&, const std::string&, const std::wstring&) {
             throw FFmpegException(L"TODO: option - threads");
         }},
        {"me_threshold", okRefused,
         [](TCustomFFmpeg&, const std::string&, const std::string&, const std::wstring&) {
             throw FFmpegException("Option me_threshold: this library generation has no motion estimation threshold");
         }},
        {"padtop", okRefused, padding},
        {"padbottom", okRefused, padding},
        {"padleft", okRefused, padding},
        {"padright", okRefused, padding},
        {"padcolor", okRefused, padding},
        {"timelimit", okValue,
         [](TCustomFFmpeg& T, const std::string&, const std::string&, const std::wstring&) {
             GlobalLogger()->Log(&T, llWarning, L"Warning: -timelimit not implemented on Windows");
         }},
        {"f", okValue,
         [](TCustomFFmpeg& T, const std::string&, const std::string& V, const std::wstring&) {
             if (V == "pgmyuv") {
                 T.Fpgmyuv_compatibility_hack = 1;
                 GlobalLogger()->Log(&T, llInfo, L"pgmyuv format is deprecated, use image2");
                 T.Flast_asked_format = "image2";
             } else if (!V.empty()) {
                 T.Flast_asked_format = V;
             }
         }},
        {"loglevel", okValue,
         [](TCustomFFmpeg&, const std::string&, const std::string&, const std::wstring& W) {
             GlobalLogger()->OptLogLevel(W);
         }},
        {"map", okValue, [](TCustomFFmpeg& T, const std::string&, const std::string& V, const std::wstring&) { T.SetMap(V); }},
        {"map_meta_data", okValue,
         [](TCustomFFmpeg& T, const std::string&, const std::string& V, const std::wstring&) { T.SetMetaDataMap(V); }},
        {"t", okValue, time},
        {"ss", okValue, time},
        {"itsoffset", okValue, time},
        {"timestamp", okValue, time},
        {"metadata", okValue,
         [](TCustomFFmpeg& T, const std::string&, const std::string& V, const std::wstring&) { T.SetMetadataOption(V); }},
        {"b", okValue, bitRate},
        {"vb", okValue, bitRate},
        {"ab", okValue, bitRate},
        {"r", okValue,
         [](TCustomFFmpeg& T, const std::string&, const std::string& V, const std::wstring&) {
             if (ff::av_parse_video_rate(&T.Fframe_rate, V.c_str()) < 0) throw FFmpegException("Incorrect frame rate");
         }},
        {"s", okValue,
         [](TCustomFFmpeg& T, const std::string&, const std::string& V, const std::wstring&) {
             if (ff::av_parse_video_size(&T.Fframe_width, &T.Fframe_height, V.c_str()) < 0)
                 throw FFmpegException("Incorrect frame size");
         }},
        {"pix_fmt", okValue,
         [](TCustomFFmpeg& T, const std::string&, const std::string& V, const std::wstring&) {
             if (V == "list") return T.LogFormatList(true);
             T.Fframe_pix_fmt = ff::av_get_pix_fmt(V.c_str());
             if (T.Fframe_pix_fmt == AV_PIX_FMT_NONE)
                 throw FFmpegException(FormatText("Unknown pixel format requested: %s", V.c_str()));
         }},
        {"sample_fmt", okValue,
         [](TCustomFFmpeg& T, const std::string&, const std::string& V, const std::wstring&) {
             if (V == "list") return T.LogFormatList(false);
             T.Faudio_sample_fmt = ff::av_get_sample_fmt(V.c_str());
         }},
        {"vcodec", okValue, codec},
        {"acodec", okValue, codec},
        {"scodec", okValue, codec},
        {"vtag", okValue, tag},
        {"atag", okValue, tag},
        {"stag", okValue, tag},
        {"vlang", okValue, language},
        {"alang", okValue, language},
        {"slang", okValue, language},
        {"streamid", okValue,
         [](TCustomFFmpeg& T, const std::string& N, const std::string& V, const std::wstring&) {
             if (!V.empty()) T.SetStreamId(N, V);
         }},
        {"newvideo", okValue, newStream},
        {"newaudio", okValue, newStream},
        {"newsubtitle", okValue, newStream},
        {"aspect", okValue, [](TCustomFFmpeg& T, const std::string&, const std::string& V, const std::wstring&) { T.SetAspect(V); }},
        {"croptop", okValue, crop},
        {"cropbottom", okValue, crop},
        {"cropleft", okValue, crop},
        {"cropright", okValue, crop},
        {"qscale", okValue,
         [](TCustomFFmpeg& T, const std::string&, const std::string& V, const std::wstring&) {
             const float q = ToFloat(V);
             if (q <= 0 || q > 255) throw FFmpegException("qscale must be > 0.0 and <= 255");
             T.Fvideo_qscale = q;
         }},
        {"pass", okValue,
         [](TCustomFFmpeg& T, const std::string&, const std::string& V, const std::wstring&) {
             const int pass = ToInt(V);
             if (pass != 1 && pass != 2) throw FFmpegException("pass number can be only 1 or 2");
             T.Fdo_pass = pass;
         }},
        {"passlogfile", okValue,
         [](TCustomFFmpeg& T, const std::string&, const std::string& V, const std::wstring&) { T.Fpass_logfilename_prefix = V; }},
        {"rc_override", okValue, text},
        {"tvstd", okValue, text},
        {"vstats_file", okValue, text},
        {"itsscale", okValue, [](TCustomFFmpeg& T, const std::string&, const std::string& V, const std::wstring&) { T.SetItsScale(V); }},
        {"vfilters", okValue, filters},
        {"vf", okValue, filters},
        {"vhook", okValue, [](TCustomFFmpeg& T, const std::string&, const std::string&, const std::wstring& W) { T.SetVideoHook(W); }},
        {"target", okValue, [](TCustomFFmpeg& T, const std::string&, const std::string& V, const std::wstring&) { T.SetTargetOption(V); }},
        {"intra_matrix", okValue, matrix},
        {"inter_matrix", okValue, matrix},
        {"vstats", okValue, [](TCustomFFmpeg& T, const std::string&, const std::string&, const std::wstring&) { T.SetVstatsName(); }},
        {"absf", okValue, bitstreamFilter},
        {"vbsf", okValue, bitstreamFilter},
        {"sbsf", okValue, bitstreamFilter},
        {"apre", okValue, preset},
        {"vpre", okValue, preset},
        {"spre", okValue, preset},
        {"fpre", okValue, preset},
    };
    const std::string name = WideToUtf8(AName);
    const std::string value = WideToUtf8(AValue);
    for (const TRow& row : rows) {
        if (name != row.Name) continue;
        if (row.Kind == okInformational) return GlobalLogger()->Log(this, llInfo, L"Do nothing: option - " + AName);
        return row.Handler(*this, name, value, AValue);
    }
    if (ParseFlagOption(name, value) || ParseNumberOption(name, value)) return;
    GenericOption(name, value);
}
