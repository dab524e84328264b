// The transcoder's inputs and outputs: opening an input, creating an output
// with its streams, and fitting a new stream to what its encoder supports.
#include <cmath>
#include <cstring>
#include <ctime>

#include "Src/AVCodecStubs.h"
#include "Src/AVFormatStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/FFUtils.h"
#include "Src/FFmpeg.h"
#include "Src/FFmpegLoader.h"
#include "Src/FFmpegLogger.h"
#include "Src/UnicodeProtocol.h"

namespace {

std::wstring FullPath(const std::wstring& AName) {
    wchar_t buffer[MAX_PATH * 4];
    const DWORD n = GetFullPathNameW(AName.c_str(), MAX_PATH * 4, buffer, nullptr);
    return n > 0 && n < MAX_PATH * 4 ? std::wstring(buffer, n) : AName;
}

void FreeName(char*& AName) {
    if (AName) ff::av_free(AName);
    AName = nullptr;
}

}  // namespace

// ---------------------------------------------------------------- matching

void TCustomFFmpeg::ChooseSampleFmt(AVCodecContext* ACtx, const AVCodec* ACodec) {
    if (!ACodec || !ACodec->sample_fmts) return;
    for (const AVSampleFormat* p = ACodec->sample_fmts; *p != AV_SAMPLE_FMT_NONE; ++p)
        if (*p == ACtx->sample_fmt) return;
    ACtx->sample_fmt = ACodec->sample_fmts[0];
}

void TCustomFFmpeg::ChooseSampleRate(AVCodecContext* ACtx, const AVCodec* ACodec) {
    if (!ACodec || !ACodec->supported_samplerates) return;
    int best = 0, bestDist = INT32_MAX;
    for (const int* p = ACodec->supported_samplerates; *p; ++p) {
        const int dist = std::abs(ACtx->sample_rate - *p);
        if (dist < bestDist) {
            bestDist = dist;
            best = *p;
        }
    }
    if (bestDist) GlobalLogger()->Log(this, llWarning, "Requested sampling rate unsupported using closest supported (%d)", best);
    ACtx->sample_rate = best;
}

void TCustomFFmpeg::ChoosePixelFmt(AVCodecContext* ACtx, const AVCodec* ACodec) {
    if (!ACodec || !ACodec->pix_fmts) return;
    for (const AVPixelFormat* p = ACodec->pix_fmts; *p != AV_PIX_FMT_NONE; ++p)
        if (*p == ACtx->pix_fmt) return;
    if (ACodec->id == AV_CODEC_ID_MJPEG && ACtx->strict_std_compliance < 0 &&
        (ACtx->pix_fmt == AV_PIX_FMT_YUV420P || ACtx->pix_fmt == AV_PIX_FMT_YUV422P))
        return;
    ACtx->pix_fmt = ACodec->pix_fmts[0];
}

int TCustomFFmpeg::ReadFeedStreams(AVFormatContext*, const char*) {
    // Feed servers are gone from this library generation.
    return AVERROR(ENOSYS);
}

// ---------------------------------------------------------------- codec names

bool TCustomFFmpeg::FindCodec(const char* AName, AVMediaType AType, int AStrict, bool AEncoder, AVCodecID& AId) {
    AId = AV_CODEC_ID_NONE;
    if (!AName || !*AName) return true;
    const char* kind = AEncoder ? "encoder" : "decoder";
    const AVCodec* codec = AEncoder ? FindEncoderByName(AName) : ff::avcodec_find_decoder_by_name(AName);
    if (!codec) {
        FLastErrMsg = FormatText("Unknown %s '%s'", kind, AName);
        return false;
    }
    if (codec->type != AType) {
        FLastErrMsg = FormatText("Invalid %s type '%s'", kind, AName);
        return false;
    }
    if ((codec->capabilities & AV_CODEC_CAP_EXPERIMENTAL) && AStrict > FF_COMPLIANCE_EXPERIMENTAL) {
        FLastErrMsg = FormatText("%s '%s' is experimental and might produce bad results.\r\n"
                                 "Add '-strict experimental' if you want to use it.",
                                 kind, codec->name);
        const AVCodec* other = AEncoder ? ff::avcodec_find_encoder(codec->id) : ff::avcodec_find_decoder(codec->id);
        if (other && !(other->capabilities & AV_CODEC_CAP_EXPERIMENTAL))
            FLastErrMsg += L"\r\n" + FormatText("Or use the non experimental %s '%s'.", kind, other->name);
        return false;
    }
    AId = codec->id;
    return true;
}

// ---------------------------------------------------------------- inputs

void TCustomFFmpeg::ResetInputOptions() {
    Fvideo_channel = 0;
    FreeName(Fvideo_codec_name);
    FreeName(Faudio_codec_name);
    FreeName(Fsubtitle_codec_name);
}

bool TCustomFFmpeg::FailInput(AVFormatContext*& AIc, const std::wstring& AMessage) {
    FLastErrMsg = AMessage;
    ResetInputOptions();
    if (AIc) ff::avformat_close_input(&AIc);
    return false;
}

TDictionaryPtr TCustomFFmpeg::TakeDecoderOptions(AVMediaType AType) const {
    void* source = FOptions.avcodec_opts[AType];
    if (!source) return nullptr;
    const int typeFlag = AType == AVMEDIA_TYPE_VIDEO ? AV_OPT_FLAG_VIDEO_PARAM : AV_OPT_FLAG_AUDIO_PARAM;
    return TDictionaryPtr(OptionsDictionary(FOptions, source, AV_OPT_FLAG_DECODING_PARAM | typeFlag));
}

int TCustomFFmpeg::DecoderLowres(int ASlot) const {
    if (ASlot < 0 || !Finput_decoder_opts[ASlot]) return 0;
    const AVDictionaryEntry* e = ff::av_dict_get(Finput_decoder_opts[ASlot].get(), "lowres", nullptr, 0);
    return e ? std::clamp(atoi(e->value), 0, 3) : 0;
}

void TCustomFFmpeg::LogFrameRateDifference(const AVStream* ASt, unsigned AIndex) {
    // The rate the codec's data gives on average against the container's
    // real base rate.
    const AVRational codec = ASt->avg_frame_rate, container = ASt->r_frame_rate;
    if (Fverbose < 0 || !codec.num || !codec.den || !container.num || !container.den) return;
    if (int64_t{codec.num} * container.den == int64_t{container.num} * codec.den) return;
    GlobalLogger()->Log(this, llInfo, "Seems stream %d codec frame rate differs from container frame rate: %2.2f (%d/%d) -> %2.2f (%d/%d)",
                        static_cast<int>(AIndex), av_q2d(codec), codec.num, codec.den, av_q2d(container), container.num,
                        container.den);
}

bool TCustomFFmpeg::OpenInput(const std::wstring& AFileName) {
    if (Fnb_input_files >= FMaxFiles) {
        FLastErrMsg = L"Too many input files";
        return false;
    }
    const AVInputFormat* fmt = nullptr;
    if (!Flast_asked_format.empty()) {
        fmt = ff::av_find_input_format(Flast_asked_format.c_str());
        if (!fmt) throw FFmpegException(FormatText("Unknown input format: \"%s\"", Flast_asked_format.c_str()));
        Flast_asked_format.clear();
    }
    AVFormatContext* ic = ff::avformat_alloc_context();
    if (!ic) throw FFmpegException("avformat_alloc_context failed");
    AVDictionary* params = nullptr;
    if (fmt) {
        // Parameters of raw and grabbing formats; other formats ignore them.
        ff::av_dict_set_int(&params, "sample_rate", Faudio_sample_rate, 0);
        ff::av_dict_set_int(&params, "channels", Faudio_channels, 0);
        if (Fframe_rate.num)
            ff::av_dict_set(&params, "framerate", WideToUtf8(FormatText("%d/%d", Fframe_rate.num, Fframe_rate.den)).c_str(), 0);
        if (Fframe_width && Fframe_height)
            ff::av_dict_set(&params, "video_size", WideToUtf8(FormatText("%dx%d", Fframe_width, Fframe_height)).c_str(), 0);
        if (Fframe_pix_fmt != AV_PIX_FMT_NONE) ff::av_dict_set(&params, "pixel_format", ff::av_get_pix_fmt_name(Fframe_pix_fmt), 0);
        if (Fvideo_standard) ff::av_dict_set(&params, "standard", Fvideo_standard, 0);
    }
    if (FOptions.avformat_opts) ApplyOptions(FOptions, ic, FOptions.avformat_opts, AV_OPT_FLAG_DECODING_PARAM);
    AVCodecID ids[3];
    const AVMediaType types[3] = {AVMEDIA_TYPE_VIDEO, AVMEDIA_TYPE_AUDIO, AVMEDIA_TYPE_SUBTITLE};
    char* names[3] = {Fvideo_codec_name, Faudio_codec_name, Fsubtitle_codec_name};
    for (int k = 0; k < 3; ++k) {
        const int strict = FOptions.avcodec_opts[types[k]] ? FOptions.avcodec_opts[types[k]]->strict_std_compliance : 0;
        if (!FindCodec(names[k], types[k], strict, false, ids[k])) {
            ff::av_dict_free(&params);
            return FailInput(ic, FLastErrMsg);
        }
    }
    ic->video_codec_id = ids[0];
    ic->audio_codec_id = ids[1];
    ic->subtitle_codec_id = ids[2];
    ic->flags |= AVFMT_FLAG_NONBLOCK;
    if (Fpgmyuv_compatibility_hack) ic->video_codec_id = AV_CODEC_ID_PGMYUV;
    const std::string libName = ToLibFileName(AFileName);
    // The video channel of a capture device ("vc") is its demuxer's "channel".
    if (Fvideo_channel != 0) ff::av_dict_set_int(&params, "channel", Fvideo_channel, 0);
    int r = ff::avformat_open_input(&ic, libName.c_str(), fmt, &params);
    const bool channelLeft = Fvideo_channel != 0 && ff::av_dict_get(params, "channel", nullptr, 0);
    ff::av_dict_free(&params);
    if (r < 0) return FailInput(ic, ErrorText(AFileName, r));
    if (channelLeft)
        return FailInput(ic, AFileName + FormatText(": the input format '%s' has no video channel (option vc)",
                                                     ic->iformat->name));
    if (Fopt_programid) {
        bool found = false;
        for (unsigned i = 0; i < ic->nb_streams; ++i) ic->streams[i]->discard = AVDISCARD_ALL;
        for (unsigned p = 0; p < ic->nb_programs; ++p) {
            AVProgram* prog = ic->programs[p];
            if (prog->id != Fopt_programid) {
                prog->discard = AVDISCARD_ALL;
                continue;
            }
            found = true;
            for (unsigned j = 0; j < prog->nb_stream_indexes; ++j)
                ic->streams[prog->stream_index[j]]->discard = AVDISCARD_DEFAULT;
        }
        Fopt_programid = 0;
        if (!found) return FailInput(ic, L"Specified program id not found");
    }
    {
        std::lock_guard<std::mutex> lock(AVCodecLock);
        r = ff::avformat_find_stream_info(ic, nullptr);
    }
    if (r < 0 && Fverbose >= 0) {
        const std::wstring message = AFileName + L": could not find codec parameters";
        GlobalLogger()->Log(this, llVerbose, message);
        return FailInput(ic, message);
    }
    int64_t timestamp = Fstart_time;
    if (ic->start_time != AV_NOPTS_VALUE) timestamp += ic->start_time;
    if (Fstart_time != 0) {
        r = ff::av_seek_frame(ic, -1, timestamp, AVSEEK_FLAG_BACKWARD);
        if (r < 0 && Fverbose > 0)
            GlobalLogger()->Log(this, llVerbose, "%s: could not seek to position %0.3f", WideToUtf8(AFileName).c_str(),
                                static_cast<double>(timestamp) / AV_TIME_BASE);
    }
    Fstart_time = 0;
    for (unsigned i = 0; i < ic->nb_streams; ++i) {
        AVStream* st = ic->streams[i];
        AVCodecParameters* par = st->codecpar;
        const int slot = Fnb_icodecs < FMaxFiles * MAX_STREAMS ? Fnb_icodecs++ : -1;
        switch (par->codec_type) {
        case AVMEDIA_TYPE_VIDEO: {
            Fframe_height = par->height;
            Fframe_width = par->width;
            AVRational sar = st->sample_aspect_ratio.num ? st->sample_aspect_ratio : par->sample_aspect_ratio;
            const double ratio = sar.num ? av_q2d(sar) : 0.0;
            // Without a size the pixel shape itself stands for the picture's.
            if (Fframe_width && Fframe_height)
                Fframe_aspect_ratio = static_cast<float>(ratio != 0 ? Fframe_width * ratio / Fframe_height
                                                                    : static_cast<double>(Fframe_width) / Fframe_height);
            else
                Fframe_aspect_ratio = ratio != 0 ? static_cast<float>(ratio) : 4.0f / 3.0f;
            if (par->format < 0) par->format = AV_PIX_FMT_YUV420P;
            Fframe_pix_fmt = static_cast<AVPixelFormat>(par->format);
            if (slot >= 0) Finput_decoder_opts[slot] = TakeDecoderOptions(AVMEDIA_TYPE_VIDEO);
            if (const int lowres = DecoderLowres(slot); lowres > 0) {
                Fframe_width >>= lowres;
                Fframe_height >>= lowres;
            }
            LogFrameRateDifference(st, i);
            Fframe_rate = st->r_frame_rate.num ? st->r_frame_rate : st->avg_frame_rate;
            if (slot >= 0) Finput_codecs[slot] = Fvideo_codec_name ? ff::avcodec_find_decoder_by_name(Fvideo_codec_name) : nullptr;
            if (Fvideo_disable) st->discard = AVDISCARD_ALL;
            else if (Fvideo_discard) st->discard = static_cast<AVDiscard>(Fvideo_discard);
            break;
        }
        case AVMEDIA_TYPE_AUDIO:
            Faudio_channels = par->ch_layout.nb_channels;
            Fchannel_layout = par->ch_layout.order == AV_CHANNEL_ORDER_NATIVE ? static_cast<int64_t>(par->ch_layout.u.mask) : 0;
            Faudio_sample_rate = par->sample_rate;
            Faudio_sample_fmt = static_cast<AVSampleFormat>(par->format);
            if (slot >= 0) Finput_decoder_opts[slot] = TakeDecoderOptions(AVMEDIA_TYPE_AUDIO);
            if (slot >= 0) Finput_codecs[slot] = Faudio_codec_name ? ff::avcodec_find_decoder_by_name(Faudio_codec_name) : nullptr;
            if (Faudio_disable) st->discard = AVDISCARD_ALL;
            break;
        case AVMEDIA_TYPE_SUBTITLE:
            if (slot >= 0) Finput_codecs[slot] = Fsubtitle_codec_name ? ff::avcodec_find_decoder_by_name(Fsubtitle_codec_name) : nullptr;
            if (Fsubtitle_disable) st->discard = AVDISCARD_ALL;
            break;
        case AVMEDIA_TYPE_DATA:
        case AVMEDIA_TYPE_ATTACHMENT:
        case AVMEDIA_TYPE_UNKNOWN:
            break;
        default:
            ff::avformat_close_input(&ic);
            throw FFmpegException("invalid codec_type");
        }
    }
    if (ic->duration != AV_NOPTS_VALUE && ic->duration > FTotalOutputDuration) FTotalOutputDuration = ic->duration;
    Finput_files[Fnb_input_files] = ic;
    Finput_files_ts_offset[Fnb_input_files] = Fcopy_ts ? Finput_ts_offset : Finput_ts_offset - timestamp;
    if (Fverbose >= 0) ff::av_dump_format(ic, Fnb_input_files, libName.c_str(), 0);
    Finput_names.push_back(FullPath(AFileName));
    ++Fnb_input_files;
    ResetInputOptions();
    return true;
}

// ---------------------------------------------------------------- outputs

void TCustomFFmpeg::check_audio_video_sub_inputs(bool AFirstOnly, bool& AHasVideo, bool& AHasAudio, bool& AHasSubtitle) {
    AHasVideo = AHasAudio = AHasSubtitle = false;
    const int n = AFirstOnly ? std::min(Fnb_input_files, 1) : Fnb_input_files;
    for (int j = 0; j < n; ++j) {
        AVFormatContext* ic = Finput_files[j];
        for (unsigned i = 0; i < ic->nb_streams; ++i) {
            switch (ic->streams[i]->codecpar->codec_type) {
            case AVMEDIA_TYPE_AUDIO: AHasAudio = true; break;
            case AVMEDIA_TYPE_VIDEO: AHasVideo = true; break;
            case AVMEDIA_TYPE_SUBTITLE: AHasSubtitle = true; break;
            case AVMEDIA_TYPE_DATA:
            case AVMEDIA_TYPE_ATTACHMENT:
            case AVMEDIA_TYPE_UNKNOWN: break;
            default: throw FFmpegException("invalid codec_type of input file");
            }
        }
    }
}

int TCustomFFmpeg::OutputEntryOf(AVFormatContext* AOc) const {
    for (int i = 0; i < Fnb_output_files; ++i)
        if (Foutput_files[i] == AOc) return i;
    return Fnb_output_files;
}

std::wstring TCustomFFmpeg::ApplyMuxerSettings(AVFormatContext* AOc) {
    // The loop count of an animated output ("loop_output") is its muxer's "loop".
    if (Floop_output_set && ff::av_dict_set_int(&FOptions.muxer_opts, "loop", Floop_output, 0) < 0)
        return L"Not enough memory";
    if (Fmux_preload_set) {
        const std::string preload = std::to_string(std::llround(Fmux_preload * 1000000.0));
        if (ff::av_dict_set(&FOptions.muxer_opts, "preload", preload.c_str(), 0) < 0) return L"Not enough memory";
    }
    int error = 0;
    const std::string refused = ApplyMuxerOptions(FOptions, AOc, error);
    if (refused.empty()) return L"";
    const AVDictionaryEntry* e = ff::av_dict_get(FOptions.muxer_opts, refused.c_str(), nullptr, 0);
    const std::string value = e ? e->value : "";
    if (error == AVERROR_OPTION_NOT_FOUND)
        return FormatText("The output format '%s' has no option \"%s\" (value \"%s\")", AOc->oformat->name,
                          refused.c_str(), value.c_str());
    return FormatText("Invalid value \"%s\" for option \"%s\" of the output format '%s': %s", value.c_str(),
                      refused.c_str(), AOc->oformat->name, WideToUtf8(LibErrorText(error)).c_str());
}

int TCustomFFmpeg::OpenOutput(const std::wstring& AFileName, bool AJoin) {
    // A joined output must also be the task's only one: its entries are
    // counted from the first.
    if (FJoinMode || (AJoin && Fnb_input_files > 1 && Fnb_output_files > 0)) {
        FLastErrMsg = L"Cannot join more than one output file.";
        return -1;
    }
    if (Fnb_output_files >= FMaxFiles) {
        FLastErrMsg = L"Too many output files";
        return -1;
    }
    FEnableFilter = !Fvfilters.empty();
    AVFormatContext* oc = ff::avformat_alloc_context();
    if (!oc) throw FFmpegException("avformat_alloc_context failed");
    const std::string libName = ToLibFileName(AFileName);
    int entry = -1;
    // A refused output leaves no codec choice behind for the next attempt.
    const int firstCodecSlot = Fnb_ocodecs;
    auto fail = [&](const std::wstring& AMessage) {
        FLastErrMsg = AMessage;
        std::fill(Foutput_codecs.begin() + firstCodecSlot, Foutput_codecs.begin() + std::max(firstCodecSlot, Fnb_ocodecs), nullptr);
        Fnb_ocodecs = firstCodecSlot;
        if (entry >= 0) {
            ReleaseOutput(entry);  // frees oc and the streams' setups
            --Fnb_output_files;
        } else {
            ff::avformat_free_context(oc);
        }
        return -1;
    };
    const AVOutputFormat* fmt = nullptr;
    if (!Flast_asked_format.empty()) {
        fmt = ff::av_guess_format(Flast_asked_format.c_str(), nullptr, nullptr);
        if (!fmt)
            return fail(FormatText("Requested output format '%s' is not a suitable output format", Flast_asked_format.c_str()));
        Flast_asked_format.clear();
    } else {
        fmt = ff::av_guess_format(nullptr, libName.c_str(), nullptr);
        if (!fmt) return fail(L"Unable to find a suitable output format for '" + AFileName + L"'");
    }
    if (libName.size() > 1023) return fail(L"File name too long: " + AFileName);
    const std::wstring full = FullPath(AFileName);
    for (const auto& in : Finput_names)
        if (CompareStringOrdinal(in.c_str(), -1, full.c_str(), -1, TRUE) == CSTR_EQUAL)
            return fail(L"Output file '" + AFileName + L"' is the same as an input file");
    // The muxer's private context exists from here on, so that its own
    // options (the MPEG muxer's mux rate and preload) can be set and checked.
    ff::avformat_free_context(oc);
    oc = nullptr;
    if (ff::avformat_alloc_output_context2(&oc, fmt, nullptr, libName.c_str()) < 0 || !oc)
        throw FFmpegException("avformat_alloc_output_context2 failed");
    // Audio formats that merely carry a cover picture name PNG as their
    // video codec; they are audio formats here.
    const bool formatVideo = fmt->video_codec != AV_CODEC_ID_NONE && fmt->video_codec != AV_CODEC_ID_PNG;
    bool useVideo = formatVideo || Fvideo_stream_copy || Fvideo_codec_name;
    bool useAudio = fmt->audio_codec != AV_CODEC_ID_NONE || Faudio_stream_copy || Faudio_codec_name;
    bool useSubtitle = fmt->subtitle_codec != AV_CODEC_ID_NONE || Fsubtitle_stream_copy || Fsubtitle_codec_name;
    if (Fnb_input_files > 0) {
        bool v, a, s;
        try {
            check_audio_video_sub_inputs(AJoin, v, a, s);
        } catch (const EEngineError& e) {
            return fail(L"check_audio_video_sub_inputs fail: " + e.Message());
        }
        useVideo = useVideo && v;
        useAudio = useAudio && a;
        useSubtitle = useSubtitle && s;
    }
    useVideo = useVideo && !Fvideo_disable;
    useAudio = useAudio && !Faudio_disable;
    useSubtitle = useSubtitle && !Fsubtitle_disable;
    // Registered first so that the streams' setups are filed under it.
    entry = Fnb_output_files++;
    Foutput_files[entry] = oc;
    struct Step {
        bool Use;
        void (TCustomFFmpeg::*Add)(AVFormatContext*);
        const wchar_t* Name;
    };
    const Step steps[] = {{useVideo, &TCustomFFmpeg::new_video_stream, L"new_video_stream fail: "},
                          {useAudio, &TCustomFFmpeg::new_audio_stream, L"new_audio_stream fail: "},
                          {useSubtitle, &TCustomFFmpeg::new_subtitle_stream, L"new_subtitle_stream fail: "}};
    for (const Step& step : steps) {
        if (!step.Use) continue;
        try {
            (this->*step.Add)(oc);
        } catch (const EEngineError& e) {
            return fail(step.Name + e.Message());
        }
    }
    oc->metadata = nullptr;
    for (auto it = Fmetadata.rbegin(); it != Fmetadata.rend(); ++it)
        ff::av_dict_set(&oc->metadata, it->first.c_str(), it->second.c_str(), 0);
    if (Frecording_timestamp) {
        // The recording date, as the muxers read it: "creation_time" in ISO 8601 (UTC).
        const time_t seconds = static_cast<time_t>(Frecording_timestamp);
        char text[40] = {};
        if (const tm* utc = gmtime(&seconds)) strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S.000000Z", utc);
        if (*text) ff::av_dict_set(&oc->metadata, "creation_time", text, 0);
    }
    if ((fmt->flags & AVFMT_NEEDNUMBER) && !ff::av_filename_number_test(libName.c_str()))
        return fail(ErrorText(AFileName, AVERROR(EDOM)));
    if (!(fmt->flags & AVFMT_NOFILE)) {
        const int r = ff::avio_open(&oc->pb, libName.c_str(), AVIO_FLAG_WRITE);
        if (r < 0) return fail(ErrorText(AFileName, r));
    }
    oc->max_delay = static_cast<int>(Fmux_max_delay * 1000000);
    oc->flags |= AVFMT_FLAG_NONBLOCK;
    if (FOptions.avformat_opts) ApplyOptions(FOptions, oc, FOptions.avformat_opts, AV_OPT_FLAG_ENCODING_PARAM);
    const std::wstring muxerError = ApplyMuxerSettings(oc);
    if (!muxerError.empty()) return fail(muxerError);
    std::fill(std::begin(Fstreamid_map), std::end(Fstreamid_map), 0);
    if (AJoin && Fnb_input_files > 1) {
        // One entry per input, all the same file: entry j is fed by input j.
        FJoinMode = true;
        int64_t total = 0;
        for (int i = 0; i < Fnb_input_files; ++i)
            if (Finput_files[i]->duration > 0) total += Finput_files[i]->duration;
        FTotalOutputDuration = total > 0 ? total : -1;
        while (Fnb_output_files < Fnb_input_files) Foutput_files[Fnb_output_files++] = oc;
    }
    return Fnb_output_files;
}

// ---------------------------------------------------------------- streams

AVStream* TCustomFFmpeg::NewStream(AVFormatContext* AOc, AVMediaType AType, TBitstreamFilterChain& APending,
                                   TOutputStreamSetup*& ASetup) {
    const int index = static_cast<int>(AOc->nb_streams);
    const int entry = OutputEntryOf(AOc);
    if (index >= MAX_STREAMS || entry >= FMaxFiles) throw FFmpegException("Could not alloc stream");
    AVStream* st = ff::avformat_new_stream(AOc, nullptr);
    if (!st) throw FFmpegException("Could not alloc stream");
    st->id = Fstreamid_map[index];
    Fbitstream_filters[entry][index] = APending;
    APending.clear();
    ASetup = &Foutput_setup[entry * MAX_STREAMS + index];
    ASetup->enc = ff::avcodec_alloc_context3(nullptr);
    if (!ASetup->enc) throw FFmpegException("Could not alloc stream");
    ASetup->enc->codec_type = AType;
    ASetup->enc->thread_count = CodecThreads;
    st->codecpar->codec_type = AType;
    return st;
}

namespace {

// A context with the encoder's own defaults (libx264 refuses the generic ones).
AVCodecContext* ContextFor(TOutputStreamSetup* ASetup, const AVCodec* ACodec) {
    AVCodecContext* fresh = ff::avcodec_alloc_context3(ACodec);
    if (!fresh) throw FFmpegException("Could not alloc stream");
    fresh->flags = ASetup->enc->flags;
    fresh->flags2 = ASetup->enc->flags2;
    fresh->thread_count = ASetup->enc->thread_count;
    fresh->codec_tag = ASetup->enc->codec_tag;
    ff::avcodec_free_context(&ASetup->enc);
    ASetup->enc = fresh;
    return fresh;
}

// The user's generic encoder options. A "flags" option replaces the whole
// flag word; the header flags the container asked for are kept, or a muxer
// like Matroska would get no codec data.
void ApplyEncoderOptions(const TFFOptions& AOpts, AVCodecContext* AEnc, void* ASource, int AFlags) {
    const int header = AEnc->flags & AV_CODEC_FLAG_GLOBAL_HEADER;
    const int header2 = AEnc->flags2 & AV_CODEC_FLAG2_LOCAL_HEADER;
    ApplyOptions(AOpts, AEnc, ASource, AFlags);
    AEnc->flags |= header;
    AEnc->flags2 |= header2;
}

}  // namespace

void TCustomFFmpeg::SetRcOverride(AVCodecContext* ACtx) {
    if (!Fvideo_rc_override_string) return;
    std::vector<RcOverride> groups;
    const char* p = Fvideo_rc_override_string;
    auto number = [&p](bool& AEmpty) {
        char* end = nullptr;
        const long v = strtol(p, &end, 10);
        AEmpty = end == p;
        p = end;
        return static_cast<int>(v);
    };
    while (p && *p) {
        bool e1, e2, e3;
        RcOverride o{};
        o.start_frame = number(e1);
        if (e1 || !*p) throw FFmpegException("error parsing rc_override");
        ++p;
        o.end_frame = number(e2);
        if (e2 || !*p) throw FFmpegException("error parsing rc_override");
        ++p;
        const int q = number(e3);
        if (q > 0) {
            o.qscale = q;
            o.quality_factor = 1.0f;
        } else {
            o.qscale = 0;
            o.quality_factor = -q / 100.0f;
        }
        groups.push_back(o);
        if (*p == '/') ++p;
        else break;
    }
    ACtx->rc_override = static_cast<RcOverride*>(ff::av_malloc(sizeof(RcOverride) * groups.size()));
    if (!ACtx->rc_override) throw FFmpegException("error parsing rc_override");
    std::memcpy(ACtx->rc_override, groups.data(), sizeof(RcOverride) * groups.size());
    ACtx->rc_override_count = static_cast<int>(groups.size());
}

const AVCodec* TCustomFFmpeg::ChooseEncoder(AVFormatContext* AOc, const char* AName, AVMediaType AType) {
    if (!AName) {
        const AVCodecID id = ff::av_guess_codec(AOc->oformat, nullptr, AOc->url, nullptr, AType);
        const AVCodec* codec = ff::avcodec_find_encoder(id);
        if (!codec) throw FFmpegException(FormatText("Unknown encoder for codec id %d", static_cast<int>(id)));
        return codec;
    }
    AVCodecID id;
    const int strict = FOptions.avcodec_opts[AType] ? FOptions.avcodec_opts[AType]->strict_std_compliance : 0;
    if (!FindCodec(AName, AType, strict, true, id)) throw FFmpegException(FLastErrMsg);
    const AVCodec* codec = FindEncoderByName(AName);
    Foutput_codecs[Fnb_ocodecs] = codec;
    return codec;
}

void TCustomFFmpeg::new_video_stream(AVFormatContext* AOc) {
    TOutputStreamSetup* setup = nullptr;
    struct Reset {
        TCustomFFmpeg* T;
        ~Reset() {
            T->Fvideo_disable = false;
            FreeName(T->Fvideo_codec_name);
            T->Fvideo_stream_copy = 0;
            T->Fframe_pix_fmt = AV_PIX_FMT_NONE;
        }
    } reset{this};
    AVStream* st = NewStream(AOc, AVMEDIA_TYPE_VIDEO, Fvideo_bitstream_filters, setup);
    AVCodecContext* enc = setup->enc;
    if (Fvideo_global_header & 1 || (!Fvideo_global_header && (AOc->oformat->flags & AVFMT_GLOBALHEADER)))
        enc->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (Fvideo_global_header & 2) enc->flags2 |= AV_CODEC_FLAG2_LOCAL_HEADER;
    auto aspect = [this](int AWidth, int AHeight) {
        const double r = AWidth && AHeight ? Fframe_aspect_ratio * AHeight / AWidth : Fframe_aspect_ratio * 3.0 / 4.0;
        return ff::av_d2q(r, 255);
    };
    if (Fvideo_stream_copy) {
        setup->stream_copy = true;
        st->sample_aspect_ratio = enc->sample_aspect_ratio = aspect(Fframe_width, Fframe_height);
    } else {
        AVRational rate = Fframe_rate.num ? Fframe_rate : AVRational{25, 1};
        const AVCodec* codec = ChooseEncoder(AOc, Fvideo_codec_name, AVMEDIA_TYPE_VIDEO);
        if (!Fvideo_codec_tag && Fvideo_codec_name && !strcmp(Fvideo_codec_name, "libxvid")) {
            // "libxvid" is mpeg4 here; the XVID tag stays where the format takes it.
            const unsigned xvid = MKTAG('X', 'V', 'I', 'D');
            if (!AOc->oformat->codec_tag || ff::av_codec_get_id(AOc->oformat->codec_tag, xvid) == codec->id)
                enc->codec_tag = xvid;
        }
        enc = ContextFor(setup, codec);
        if (FOptions.avcodec_opts[0])
            ApplyEncoderOptions(FOptions, enc, FOptions.avcodec_opts[0], AV_OPT_FLAG_VIDEO_PARAM | AV_OPT_FLAG_ENCODING_PARAM);
        if (codec->supported_framerates && !Fforce_fps)
            rate = codec->supported_framerates[ff::av_find_nearest_q_idx(rate, codec->supported_framerates)];
        enc->time_base = {rate.den, rate.num};
        enc->framerate = rate;
        enc->width = Fframe_width;
        enc->height = Fframe_height;
        enc->sample_aspect_ratio = aspect(enc->width, enc->height);
        enc->pix_fmt = Fframe_pix_fmt;
        st->sample_aspect_ratio = enc->sample_aspect_ratio;
        ChoosePixelFmt(enc, codec);
        if (Fintra_only) enc->gop_size = 0;
        if (Fvideo_qscale != 0 || Fsame_quality) {
            enc->flags |= AV_CODEC_FLAG_QSCALE;
            enc->global_quality = static_cast<int>(FF_QP2LAMBDA * Fvideo_qscale);
        }
        if (Fintra_matrix) {
            enc->intra_matrix = static_cast<uint16_t*>(ff::av_malloc(64 * sizeof(uint16_t)));
            if (enc->intra_matrix) std::memcpy(enc->intra_matrix, Fintra_matrix, 64 * sizeof(uint16_t));
        }
        if (Finter_matrix) {
            enc->inter_matrix = static_cast<uint16_t*>(ff::av_malloc(64 * sizeof(uint16_t)));
            if (enc->inter_matrix) std::memcpy(enc->inter_matrix, Finter_matrix, 64 * sizeof(uint16_t));
        }
        SetRcOverride(enc);
        if (!enc->rc_initial_buffer_occupancy) enc->rc_initial_buffer_occupancy = enc->rc_buffer_size * 3 / 4;
        enc->intra_dc_precision = Fintra_dc_precision - 8;
        if (Fdo_psnr) enc->flags |= AV_CODEC_FLAG_PSNR;
        if (Fdo_pass == 1) enc->flags |= AV_CODEC_FLAG_PASS1;
        if (Fdo_pass == 2) enc->flags |= AV_CODEC_FLAG_PASS2;
    }
    if (Fvideo_codec_tag) enc->codec_tag = Fvideo_codec_tag;
    ++Fnb_ocodecs;
    if (!Fvideo_language.empty()) ff::av_dict_set(&st->metadata, "language", Fvideo_language.c_str(), 0);
    Fvideo_language.clear();
}

void TCustomFFmpeg::new_audio_stream(AVFormatContext* AOc) {
    TOutputStreamSetup* setup = nullptr;
    struct Reset {
        TCustomFFmpeg* T;
        ~Reset() {
            T->Faudio_disable = false;
            FreeName(T->Faudio_codec_name);
            T->Faudio_stream_copy = 0;
            T->Faudio_language.clear();
        }
    } reset{this};
    AVStream* st = NewStream(AOc, AVMEDIA_TYPE_AUDIO, Faudio_bitstream_filters, setup);
    AVCodecContext* enc = setup->enc;
    if (AOc->oformat->flags & AVFMT_GLOBALHEADER) enc->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (Faudio_stream_copy) {
        setup->stream_copy = true;
        ff::av_channel_layout_default(&enc->ch_layout, Faudio_channels);
        enc->sample_rate = Faudio_sample_rate;
    } else {
        const AVCodec* codec = ChooseEncoder(AOc, Faudio_codec_name, AVMEDIA_TYPE_AUDIO);
        enc = ContextFor(setup, codec);
        if (FOptions.avcodec_opts[1])
            ApplyEncoderOptions(FOptions, enc, FOptions.avcodec_opts[1], AV_OPT_FLAG_AUDIO_PARAM | AV_OPT_FLAG_ENCODING_PARAM);
        if (Faudio_qscale > -99999) {
            enc->flags |= AV_CODEC_FLAG_QSCALE;
            enc->global_quality = static_cast<int>(FF_QP2LAMBDA * Faudio_qscale);
        }
        AVChannelLayout layout{};
        if (Fchannel_layout && __builtin_popcountll(Fchannel_layout) == Faudio_channels) {
            layout.order = AV_CHANNEL_ORDER_NATIVE;
            layout.nb_channels = Faudio_channels;
            layout.u.mask = static_cast<uint64_t>(Fchannel_layout);
        } else {
            ff::av_channel_layout_default(&layout, Faudio_channels);
        }
        if (codec->ch_layouts) {
            // The encoder's own list decides; same channel count first.
            const AVChannelLayout* chosen = nullptr;
            for (const AVChannelLayout* l = codec->ch_layouts; l->nb_channels; ++l) {
                if (!ff::av_channel_layout_compare(l, &layout)) { chosen = l; break; }
                if (!chosen && l->nb_channels == layout.nb_channels) chosen = l;
            }
            if (!chosen) chosen = codec->ch_layouts;
            ff::av_channel_layout_copy(&layout, chosen);
        }
        ff::av_channel_layout_copy(&enc->ch_layout, &layout);
        enc->sample_fmt = Faudio_sample_fmt;
        enc->sample_rate = Faudio_sample_rate;
        ChooseSampleFmt(enc, codec);
        if (enc->sample_fmt == AV_SAMPLE_FMT_NONE) enc->sample_fmt = AV_SAMPLE_FMT_S16;
        ChooseSampleRate(enc, codec);
    }
    if (Faudio_codec_tag) enc->codec_tag = Faudio_codec_tag;
    ++Fnb_ocodecs;
    enc->time_base = {1, enc->sample_rate > 0 ? enc->sample_rate : Faudio_sample_rate};
    if (!Faudio_language.empty()) ff::av_dict_set(&st->metadata, "language", Faudio_language.c_str(), 0);
}

void TCustomFFmpeg::new_subtitle_stream(AVFormatContext* AOc) {
    TOutputStreamSetup* setup = nullptr;
    struct Reset {
        TCustomFFmpeg* T;
        ~Reset() {
            T->Fsubtitle_disable = false;
            FreeName(T->Fsubtitle_codec_name);
            T->Fsubtitle_stream_copy = 0;
            T->Fsubtitle_language.clear();
        }
    } reset{this};
    AVStream* st = NewStream(AOc, AVMEDIA_TYPE_SUBTITLE, Fsubtitle_bitstream_filters, setup);
    AVCodecContext* enc = setup->enc;
    if (Fsubtitle_stream_copy) {
        setup->stream_copy = true;
    } else {
        if (FOptions.avcodec_opts[3])
            ApplyEncoderOptions(FOptions, enc, FOptions.avcodec_opts[3], AV_OPT_FLAG_SUBTITLE_PARAM | AV_OPT_FLAG_ENCODING_PARAM);
        AVCodecID id = AV_CODEC_ID_NONE;
        if (!FindCodec(Fsubtitle_codec_name, AVMEDIA_TYPE_SUBTITLE, 0, true, id)) throw FFmpegException(FLastErrMsg);
        if (id == AV_CODEC_ID_NONE) id = ff::av_guess_codec(AOc->oformat, nullptr, AOc->url, nullptr, AVMEDIA_TYPE_SUBTITLE);
        enc->codec_id = id;
        Foutput_codecs[Fnb_ocodecs] = Fsubtitle_codec_name ? FindEncoderByName(Fsubtitle_codec_name) : nullptr;
    }
    if (Fsubtitle_codec_tag) enc->codec_tag = Fsubtitle_codec_tag;
    ++Fnb_ocodecs;
    if (!Fsubtitle_language.empty()) ff::av_dict_set(&st->metadata, "language", Fsubtitle_language.c_str(), 0);
}
