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

void TCustomFFmpeg::SetBitRate(const std::string& AName, const std::string& AValue) {
    if (!SetOption(FOptions, AName.c_str(), AValue.c_str())) return;
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
                                  {"me_threshold", &TCustomFFmpeg::Fme_threshold}, {"vc", &TCustomFFmpeg::Fvideo_channel},
                                  {"vol", &TCustomFFmpeg::Faudio_volume}};
    for (const IntOpt& o : ints)
        if (AName == o.Name) {
            this->*o.Field = ToInt(AValue);
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
    else if (AName == "muxpreload") Fmux_preload = ToFloat(AValue);
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
    const std::string name = WideToUtf8(AName);
    const std::string value = WideToUtf8(AValue);
    static const char* const informational[] = {"L", "h", "version", "formats", "codecs", "bsfs", "protocols", "filters", "i", "y", "benchmark"};
    for (const char* n : informational)
        if (name == n) {
            GlobalLogger()->Log(this, llInfo, L"Do nothing: option - " + AName);
            return;
        }
    if (name == "threads") throw FFmpegException(L"TODO: option - " + AName);
    if (name.rfind("pad", 0) == 0 && (name == "padtop" || name == "padbottom" || name == "padleft" || name == "padright" || name == "padcolor"))
        throw FFmpegException("Please use vfilters=pad");
    if (name == "timelimit") {
        GlobalLogger()->Log(this, llWarning, L"Warning: -timelimit not implemented on Windows");
        return;
    }
    if (ParseFlagOption(name, value) || ParseNumberOption(name, value)) return;
    if (name == "f") {
        if (value == "pgmyuv") {
            Fpgmyuv_compatibility_hack = 1;
            GlobalLogger()->Log(this, llInfo, L"pgmyuv format is deprecated, use image2");
            Flast_asked_format = "image2";
        } else if (!value.empty()) {
            Flast_asked_format = value;
        }
    } else if (name == "loglevel") {
        GlobalLogger()->OptLogLevel(AValue);
    } else if (name == "map") {
        SetMap(value);
    } else if (name == "map_meta_data") {
        SetMetaDataMap(value);
    } else if (name == "t" || name == "ss" || name == "itsoffset" || name == "timestamp") {
        SetTime(name, value);
    } else if (name == "metadata") {
        SetMetadataOption(value);
    } else if (name == "b" || name == "vb" || name == "ab") {
        SetBitRate(name, value);
    } else if (name == "r") {
        if (ff::av_parse_video_rate(&Fframe_rate, value.c_str()) < 0) throw FFmpegException("Incorrect frame rate");
    } else if (name == "s") {
        if (ff::av_parse_video_size(&Fframe_width, &Fframe_height, value.c_str()) < 0) throw FFmpegException("Incorrect frame size");
    } else if (name == "pix_fmt" && value == "list") {
        LogFormatList(true);
    } else if (name == "sample_fmt" && value == "list") {
        LogFormatList(false);
    } else if (name == "pix_fmt") {
        Fframe_pix_fmt = ff::av_get_pix_fmt(value.c_str());
        if (Fframe_pix_fmt == AV_PIX_FMT_NONE) throw FFmpegException(FormatText("Unknown pixel format requested: %s", value.c_str()));
    } else if (name == "sample_fmt") {
        Faudio_sample_fmt = ff::av_get_sample_fmt(value.c_str());
    } else if (name == "vcodec" || name == "acodec" || name == "scodec") {
        const AVMediaType type = name[0] == 'v' ? AVMEDIA_TYPE_VIDEO : name[0] == 'a' ? AVMEDIA_TYPE_AUDIO : AVMEDIA_TYPE_SUBTITLE;
        char*& codec = type == AVMEDIA_TYPE_VIDEO ? Fvideo_codec_name : type == AVMEDIA_TYPE_AUDIO ? Faudio_codec_name : Fsubtitle_codec_name;
        int& copy = type == AVMEDIA_TYPE_VIDEO ? Fvideo_stream_copy : type == AVMEDIA_TYPE_AUDIO ? Faudio_stream_copy : Fsubtitle_stream_copy;
        SetCodecName(codec, copy, value);
        // Private options of the named encoder are accepted from now on.
        if (codec) SetOptionEncoder(FOptions, type, FindEncoderByName(codec));
    } else if (name == "vtag") {
        SetCodecTag(Fvideo_codec_tag, value, L"video");
    } else if (name == "atag") {
        SetCodecTag(Faudio_codec_tag, value, L"audio");
    } else if (name == "stag") {
        SetCodecTag(Fsubtitle_codec_tag, value, L"subtitle");
    } else if (name == "vlang") {
        Fvideo_language = value;
    } else if (name == "alang") {
        Faudio_language = value;
    } else if (name == "slang") {
        Fsubtitle_language = value;
    } else if (name == "streamid") {
        if (!value.empty()) SetStreamId(name, value);
    } else if (name == "newvideo" || name == "newaudio" || name == "newsubtitle") {
        if (Fnb_output_files <= 0) throw FFmpegException("At least one output file must be specified");
        AVFormatContext* oc = Foutput_files[Fnb_output_files - 1];
        if (name == "newvideo") new_video_stream(oc);
        else if (name == "newaudio") new_audio_stream(oc);
        else new_subtitle_stream(oc);
    } else if (name == "aspect") {
        SetAspect(value);
    } else if (name == "croptop" || name == "cropbottom" || name == "cropleft" || name == "cropright") {
        SetCrop(name, ToInt(value));
    } else if (name == "qscale") {
        const float q = ToFloat(value);
        if (q <= 0 || q > 255) throw FFmpegException("qscale must be > 0.0 and <= 255");
        Fvideo_qscale = q;
    } else if (name == "pass") {
        const int pass = ToInt(value);
        if (pass != 1 && pass != 2) throw FFmpegException("pass number can be only 1 or 2");
        Fdo_pass = pass;
    } else if (name == "passlogfile") {
        Fpass_logfilename_prefix = value;
    } else if (name == "rc_override" || name == "tvstd" || name == "vstats_file") {
        char*& field = name == "rc_override" ? Fvideo_rc_override_string : name == "tvstd" ? Fvideo_standard : Fvstats_filename;
        FreeName(field);
        // The statistics file is opened with the ANSI file calls.
        field = ff::av_strdup(name == "vstats_file" ? WideToAnsi(AValue).c_str() : value.c_str());
    } else if (name == "itsscale") {
        SetItsScale(value);
    } else if (name == "vfilters" || name == "vf") {
        if (!value.empty()) Fvfilters = value;
    } else if (name == "vhook") {
        SetVideoHook(AValue);
    } else if (name == "target") {
        SetTargetOption(value);
    } else if (name == "intra_matrix" || name == "inter_matrix") {
        SetMatrix(name == "intra_matrix" ? Fintra_matrix : Finter_matrix, value);
    } else if (name == "vstats") {
        SetVstatsName();
    } else if (name == "absf" || name == "vbsf" || name == "sbsf") {
        AddBitstreamFilter(name, value);
    } else if (name == "apre" || name == "vpre" || name == "spre" || name == "fpre") {
        LoadPreset(name, AValue);
    } else {
        SetOption(FOptions, name.c_str(), value.c_str());
    }
}
