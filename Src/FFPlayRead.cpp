// Opening a file for the player: the read thread that demultiplexes into the
// packet queues, the opening and closing of the decoders, stream switching,
// and the tear-down.
#include <process.h>

#include <cmath>

#include "Src/AVCodecStubs.h"
#include "Src/AVFormatStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/FFPlay.h"
#include "Src/FFPlayThreads.h"
#include "Src/FFUtils.h"
#include "Src/FFmpegLoader.h"
#include "Src/FFmpegLogger.h"
#include "Src/SwResampleStubs.h"
#include "Src/UnicodeProtocol.h"
#include "platform/MainThread.h"

namespace {

// Blocking library I/O gives up as soon as the player stops.
int InterruptCallback(void* AOpaque) {
    auto* vs = static_cast<TVideoState*>(AOpaque);
    return vs && vs->abort_request == 1 ? 1 : 0;
}

// Sleeps 10 ms per round until the condition holds, serving hand-overs on
// the main thread (the read thread may log through it).
template <class Cond>
void PumpUntil(Cond ACond) {
    while (!ACond()) {
        ServeHandOvers();
        Sleep(10);
    }
}

std::wstring Name(TVideoState* vs) { return vs->filename; }

void ChooseStreams(TVideoState* vs, int AChosen[]) {
    TCustomPlayer* p = vs->Owner;
    int count[AVMEDIA_TYPE_NB] = {};
    double best[AVMEDIA_TYPE_NB];
    for (double& b : best) b = -1;
    for (unsigned i = 0; i < vs->ic->nb_streams; ++i) {
        AVStream* st = vs->ic->streams[i];
        st->discard = AVDISCARD_ALL;
        const int t = st->codecpar->codec_type;
        if (t < 0 || t >= 5) continue;
        if (p->wanted_stream[t] >= 0 && p->wanted_stream[t] != count[t]) {
            ++count[t];
            continue;
        }
        ++count[t];
        // The stream the probe saw most frames of; the first of equals.
        const double score = AnalysedFrameRate(st);
        if (score > best[t]) {
            best[t] = score;
            if ((t == AVMEDIA_TYPE_VIDEO || t == AVMEDIA_TYPE_SUBTITLE) && !p->DisableVideo) AChosen[t] = i;
            if (t == AVMEDIA_TYPE_AUDIO && !p->DisableAudio) AChosen[t] = i;
        }
    }
}

// The read thread's main loop; returns when abort_request is set or the
// input failed for good.
void ReadLoop(TVideoState* vs) {
    TCustomPlayer* p = vs->Owner;
    AVFormatContext* ic = vs->ic;
    AVPacket* pkt = ff::av_packet_alloc();
    while (!vs->abort_request) {
        if (vs->paused != vs->last_paused) {
            vs->last_paused = vs->paused;
            if (vs->paused)
                vs->read_pause_return = ff::av_read_pause(ic);
            else
                ff::av_read_play(ic);
        }
        if (vs->seek_req) {
            const int64_t target = vs->seek_pos;
            const int64_t lo = vs->seek_rel > 0 ? target - vs->seek_rel + 2 : INT64_MIN;
            const int64_t hi = vs->seek_rel < 0 ? target - vs->seek_rel - 2 : INT64_MAX;
            int ret = ff::avformat_seek_file(ic, -1, lo, target, hi, vs->seek_flags);
            if (ret < 0) ret = ff::av_seek_frame(ic, -1, target, vs->seek_flags);
            if (ret < 0) ret = ff::av_seek_frame(ic, -1, target, vs->seek_flags ^ AVSEEK_FLAG_BACKWARD);
            if (ret < 0) {
                p->LogError(Name(vs) + L": error while seeking", false);
                if (vs->video_st) p->FPictEvent.Set();
            } else {
                if (vs->audio_stream >= 0) {
                    vs->audioq.Flush();
                    vs->audioq.PutFlush();
                }
                if (vs->subtitle_stream >= 0) {
                    vs->subtitleq.Flush();
                    vs->subtitleq.PutFlush();
                }
                if (vs->video_stream >= 0) {
                    vs->seek_flushed = 0;
                    vs->videoq.Flush();
                    vs->videoq.PutFlush();
                    p->FPictEvent.Reset();
                }
            }
            vs->ErrorEOF = 0;
            vs->ReachEOF = 0;
            vs->seek_req = 0;
            vs->seek_done = 1;
            p->FSeekEvent.Set();
            if (!vs->video_st) p->FSeeking = false;
            vs->eof = false;
        }
        const int total = vs->audioq.Size() + vs->videoq.Size() + vs->subtitleq.Size();
        const bool short_stream = (vs->audio_stream >= 0 && vs->audioq.Size() <= MIN_AUDIOQ_SIZE) ||
                                  (vs->video_stream >= 0 && vs->videoq.NbPackets() <= MIN_FRAMES) ||
                                  (vs->subtitle_stream >= 0 && vs->subtitleq.NbPackets() <= MIN_FRAMES);
        if (total > MAX_QUEUE_SIZE || !short_stream) {
            Sleep(10);
            continue;
        }
        if (vs->eof || (ic->pb && ff::avio_feof(ic->pb))) {
            if (vs->video_stream >= 0) {
                vs->videoq.PutEmpty(vs->video_stream);
                p->FPictEvent.Set();
            }
            Sleep(10);
            if (vs->audioq.Size() + vs->videoq.Size() + vs->subtitleq.Size() == 0) vs->ReachEOF = 1;
            continue;
        }
        vs->Reading = 1;
        const int ret = ff::av_read_frame(ic, pkt);
        vs->Reading = 0;
        if (vs->abort_request) {
            if (ret >= 0) ff::av_packet_unref(pkt);
            break;
        }
        if (ret < 0) {
            if (ret == ERR_AGAIN) {
                Sleep(10);
                continue;
            }
            if (vs->video_stream >= 0) p->FPictEvent.Set();
            if (!vs->IsImage2 && !vs->ErrorEOF) {
                vs->ErrorEOF = 1;
                if (ret == AVERROR_EOF)
                    GlobalLogger()->Log(p, llInfo, L"reach end of file: " + Name(vs));
                else
                    p->LogError(FormatText("error #%d while reading file: ", ret) + Name(vs), false);
            }
            if (ret == AVERROR_EOF) vs->eof = true;
            if (ic->pb && ic->pb->error) break;
            // The end of the input is no error: go on at once to the end
            // handling above.
            if (!vs->eof) Sleep(100);
            continue;
        }
        if (pkt->stream_index == vs->audio_stream)
            vs->audioq.Put(pkt);
        else if (pkt->stream_index == vs->video_stream)
            vs->videoq.Put(pkt);
        else if (pkt->stream_index == vs->subtitle_stream)
            vs->subtitleq.Put(pkt);
        ff::av_packet_unref(pkt);
    }
    ff::av_packet_free(&pkt);
    while (!vs->abort_request) Sleep(100);
}

int ReadThread(TVideoState* vs) {
    TCustomPlayer* p = vs->Owner;
    int result = -1;
    int chosen[AVMEDIA_TYPE_NB];
    for (int& c : chosen) c = -1;
    AVFormatContext* ic = ff::avformat_alloc_context();
    if (ic) {
        ic->interrupt_callback.callback = InterruptCallback;
        ic->interrupt_callback.opaque = vs;
        AVDictionary* opts = nullptr;
        if (p->FrameWidth > 0 && p->FrameHeight > 0)
            ff::av_dict_set(&opts, "video_size", WideToUtf8(FormatText("%dx%d", p->FrameWidth, p->FrameHeight)).c_str(), 0);
        if (p->Fframe_pix_fmt >= 0)
            ff::av_dict_set(&opts, "pixel_format", ff::av_get_pix_fmt_name(AVPixelFormat(p->Fframe_pix_fmt)), 0);
        const std::string name = ToLibFileName(vs->filename);
        const int err = ff::avformat_open_input(&ic, name.c_str(), vs->iformat, &opts);
        ff::av_dict_free(&opts);
        if (err < 0) {
            p->SetLastErrMsg(ErrorText(vs->filename, err));
            ic = nullptr;  // freed by the failed open
        }
    }
    if (ic) {
        vs->ic = ic;
        if (p->genpts) ic->flags |= AVFMT_FLAG_GENPTS;
        if (ff::avformat_find_stream_info(ic, nullptr) < 0) {
            p->SetLastErrMsg(Name(vs) + L": could not find codec parameters");
        } else {
            if (ic->pb) ic->pb->eof_reached = 0;
            if (p->seek_by_bytes < 0) p->seek_by_bytes = (ic->iformat->flags & AVFMT_TS_DISCONT) ? 1 : 0;
            const std::string fmt = ic->iformat->name;
            vs->IsImage2 = fmt == "image2";
            vs->IsDevice = fmt == "vfwcap" || fmt == "vfwcapture";
            if (ic->start_time != AV_NOPTS_VALUE) vs->StartTime = ic->start_time;
            vs->Duration = ic->duration != AV_NOPTS_VALUE ? ic->duration : -1;
            if (p->start_time != AV_NOPTS_VALUE) {
                int64_t ts = p->start_time;
                if (ic->start_time != AV_NOPTS_VALUE) ts += ic->start_time;
                if (ff::avformat_seek_file(ic, -1, INT64_MIN, ts, INT64_MAX, 0) < 0)
                    p->LogError(Name(vs) + FormatText(": could not seek to position %0.3f", ts / 1000000.0), false);
            }
            ChooseStreams(vs, chosen);
            if (chosen[AVMEDIA_TYPE_AUDIO] >= 0) ComponentOpen(vs, chosen[AVMEDIA_TYPE_AUDIO]);
            int ret = -1;
            if (chosen[AVMEDIA_TYPE_VIDEO] >= 0) ret = ComponentOpen(vs, chosen[AVMEDIA_TYPE_VIDEO]);
            if (ret < 0 && !p->DisableDisplay) vs->show_audio = 2;
            if (chosen[AVMEDIA_TYPE_SUBTITLE] >= 0) ComponentOpen(vs, chosen[AVMEDIA_TYPE_SUBTITLE]);
            if (vs->video_stream < 0 && vs->audio_stream < 0) {
                p->SetLastErrMsg(Name(vs) + L": could not open codecs, no stream to play.");
            } else {
                vs->Opened = 1;
                ReadLoop(vs);
                result = 0;
            }
        }
    }
    // Clean-up, also of every failure above.
    if (vs->Opened != 1) vs->Opened = -1;
    if (vs->audio_stream >= 0) ComponentClose(vs, vs->audio_stream);
    if (vs->video_stream >= 0) ComponentClose(vs, vs->video_stream);
    if (vs->subtitle_stream >= 0) ComponentClose(vs, vs->subtitle_stream);
    if (vs->Opened == -1) {
        if (vs->ic) ff::avformat_close_input(&vs->ic);
        vs->ic = nullptr;
    }
    if (result != 0 && vs->Opened == 1) PushQuitEvent(vs);
    if (vs->Opened == -1) vs->Opened = -2;
    return 0;
}

unsigned __stdcall CloseAudioProc(void*) {
    ff::SDL_CloseAudio();
    return 0;
}

// SDL's close waits for its audio thread, whose callback may be handing a
// log line to the main thread: there the close runs on a thread of its own
// while the main thread serves.
void CloseAudioDevice() {
    const uintptr_t h = platform::IsMainThread() ? _beginthreadex(nullptr, 0, CloseAudioProc, nullptr, 0, nullptr) : 0;
    if (!h) {
        ff::SDL_CloseAudio();
        return;
    }
    HANDLE thread = reinterpret_cast<HANDLE>(h);
    WaitServingHandOvers(thread, INFINITE);
    CloseHandle(thread);
}

void PushEvent(TVideoState* vs, int AType) {
    SDL_Event ev{};
    ev.type = static_cast<Uint8>(AType);
    ev.user.data1 = vs;
    ff::SDL_PushEvent(&ev);
}

AVCodecContext*& ContextOf(TVideoState* vs, AVMediaType AType) {
    switch (AType) {
    case AVMEDIA_TYPE_AUDIO:
        return vs->audio_ctx;
    case AVMEDIA_TYPE_VIDEO:
        return vs->video_ctx;
    default:
        return vs->subtitle_ctx;
    }
}

}  // namespace

int ErrorRecognitionFlags(int ALevel) {
    int flags = 0;
    if (ALevel >= 1) flags |= AV_EF_CAREFUL;
    if (ALevel >= 2) flags |= AV_EF_COMPLIANT;
    if (ALevel >= 3) flags |= AV_EF_AGGRESSIVE;
    return flags;
}

void PushQuitEvent(TVideoState* vs) { PushEvent(vs, FF_QUIT_EVENT); }
void PushReopenEvent(TVideoState* vs) { PushEvent(vs, FF_REOPEN_EVENT); }

bool StreamOpen(TCustomPlayer* APlayer, const std::wstring& AFileName, const AVInputFormat* AFormat, bool APaused,
                std::shared_ptr<TVideoState>& AState) {
    std::shared_ptr<TVideoState> vs = NewVideoState();
    if (!vs) {
        APlayer->LogError(L"av_mallocz() failed.", true);
        return false;
    }
    vs->Owner = APlayer;
    if (APaused) {
        vs->paused = 1;
        vs->open_paused = 1;
        APlayer->Fstep = false;
    }
    vs->filename = AFileName;
    vs->iformat = AFormat;
    vs->av_sync_type = APlayer->av_sync_type;
    vs->parse_tid = StartEngineThread(ReadThread, vs.get());
    if (!vs->parse_tid) {
        APlayer->LogError(L"SDL_CreateThread() failed.", true);
        return false;
    }
    PumpUntil([&] { return vs->Opened != 0; });
    if (vs->Opened > 0) {
        if (!vs->video_st && !APlayer->DisableDisplay) vs->show_audio = APlayer->ShowAudio();
        AState = vs;
        vs->refresh_tid = StartEngineThread(RefreshThread, vs.get());
        return true;
    }
    PumpUntil([&] { return vs->Opened != -1; });
    JoinEngineThread(vs->parse_tid);
    return false;
}

void StreamClose(TVideoState* vs) {
    vs->abort_request = 1;
    JoinEngineThread(vs->parse_tid);
    JoinEngineThread(vs->refresh_tid);
    {
        std::lock_guard<std::timed_mutex> lock(vs->overlay_lock);
        for (auto& pic : vs->pictq) {
            if (pic.bmp) ff::SDL_FreeYUVOverlay(pic.bmp);
            pic.bmp = nullptr;
        }
    }
    vs->Owner->DetachProbe(vs->ic);
    if (vs->ic) ff::avformat_close_input(&vs->ic);
}

int ComponentOpen(TVideoState* vs, int AStreamIndex) {
    TCustomPlayer* p = vs->Owner;
    AVFormatContext* ic = vs->ic;
    if (AStreamIndex < 0 || AStreamIndex >= static_cast<int>(ic->nb_streams)) return -1;
    AVStream* st = ic->streams[AStreamIndex];
    const AVMediaType type = st->codecpar->codec_type;
    const AVCodec* codec = ff::avcodec_find_decoder(st->codecpar->codec_id);
    AVCodecContext* ctx = ff::avcodec_alloc_context3(codec);
    if (!ctx) return -1;
    ff::avcodec_parameters_to_context(ctx, st->codecpar);
    ctx->pkt_timebase = st->time_base;
    // Motion-vector display is an option of the decoders that have it.
    if (p->debug_mv) ff::av_opt_set_int(ctx, "debug_mv", p->debug_mv, AV_OPT_SEARCH_CHILDREN);
    ctx->debug = p->Fdebug;
    ctx->workaround_bugs = p->workaround_bugs;
    ctx->lowres = p->lowres;
    ctx->idct_algo = p->idct_algo;
    if (p->fast) ctx->flags2 |= AV_CODEC_FLAG2_FAST;
    ctx->skip_frame = AVDiscard(p->Fskip_frame);
    ctx->skip_idct = AVDiscard(p->Fskip_idct);
    ctx->skip_loop_filter = AVDiscard(p->Fskip_loop_filter);
    ctx->err_recognition = ErrorRecognitionFlags(p->error_recognition);
    ctx->error_concealment = p->error_concealment;
    ctx->thread_count = 1;
    int opened;
    {
        std::lock_guard<std::mutex> lock(AVCodecLock);
        opened = codec ? ff::avcodec_open2(ctx, codec, nullptr) : -1;
    }
    if (opened < 0) {
        ff::avcodec_free_context(&ctx);
        p->LogError(L"avcodec_open() failed.", false);
        return -1;
    }
    if (type == AVMEDIA_TYPE_AUDIO) {
        SDL_AudioSpec wanted{}, spec{};
        const int channels = ctx->ch_layout.nb_channels;
        wanted.freq = ctx->sample_rate;
        wanted.format = AUDIO_S16LSB;
        wanted.channels = static_cast<Uint8>(channels == 1 || channels == 2 ? channels : 2);
        wanted.silence = 0;
        wanted.samples = 1024;
        wanted.callback = AudioCallback;
        wanted.userdata = vs;
        if (ff::SDL_OpenAudio(&wanted, &spec) < 0) {
            p->LogError(L"SDL_OpenAudio() failed: " + Utf8ToWide(ff::SDL_GetError()), false);
            // Without a device the decoder is of no use.
            std::lock_guard<std::mutex> lock(AVCodecLock);
            ff::avcodec_free_context(&ctx);
            return -1;
        }
        vs->audio_hw_buf_size = spec.size;
        vs->audio_device_rate = spec.freq;
        vs->audio_device_channels = spec.channels;
        vs->audio_src_fmt = AV_SAMPLE_FMT_S16;
    }
    st->discard = AVDISCARD_DEFAULT;
    ContextOf(vs, type) = ctx;
    switch (type) {
    case AVMEDIA_TYPE_AUDIO:
        vs->audio_st = st;
        vs->AudioDuration =
            st->duration != AV_NOPTS_VALUE ? ff::av_rescale_q(st->duration, st->time_base, AVRational{1, 1000000}) : -1;
        vs->audio_buf_size = 0;
        vs->audio_buf_index = 0;
        vs->audio_diff_avg_coef = std::exp(std::log10(0.01) / 20);
        vs->audio_diff_avg_count = 0;
        vs->audio_diff_threshold = 2048.0 / ctx->sample_rate;
        vs->audio_pkt.Release();
        vs->audioq.Init();
        vs->audioq.PutFlush();
        vs->audio_stream = AStreamIndex;
        ff::SDL_PauseAudio(0);
        break;
    case AVMEDIA_TYPE_VIDEO:
        vs->video_st = st;
        vs->videoq.Init();
        vs->videoq.PutFlush();
        vs->video_stream = AStreamIndex;
        vs->video_tid = StartEngineThread(VideoThread, vs);
        break;
    case AVMEDIA_TYPE_SUBTITLE:
        vs->subtitle_st = st;
        vs->subtitleq.Init();
        vs->subtitleq.PutFlush();
        vs->subtitle_stream = AStreamIndex;
        vs->subtitle_tid = StartEngineThread(SubtitleThread, vs);
        break;
    default:
        break;
    }
    return 0;
}

void ComponentClose(TVideoState* vs, int AStreamIndex) {
    AVFormatContext* ic = vs->ic;
    if (AStreamIndex < 0 || AStreamIndex >= static_cast<int>(ic->nb_streams)) return;
    AVStream* st = ic->streams[AStreamIndex];
    const AVMediaType type = st->codecpar->codec_type;
    switch (type) {
    case AVMEDIA_TYPE_VIDEO:
        vs->videoq.Abort();
        {
            std::lock_guard<std::mutex> lock(vs->pictq_mutex);
            vs->pictq_cond.notify_all();
        }
        JoinEngineThread(vs->video_tid);
        vs->videoq.End();
        break;
    case AVMEDIA_TYPE_AUDIO:
        vs->audioq.Abort();
        CloseAudioDevice();
        vs->audioq.End();
        if (vs->reformat_ctx) ff::swr_free(&vs->reformat_ctx);
        vs->audio_pkt.Release();
        break;
    case AVMEDIA_TYPE_SUBTITLE:
        vs->subtitleq.Abort();
        {
            std::lock_guard<std::mutex> lock(vs->subpq_mutex);
            vs->subtitle_stream_changed = 1;
            vs->subpq_cond.notify_all();
        }
        JoinEngineThread(vs->subtitle_tid);
        vs->subtitleq.End();
        break;
    default:
        break;
    }
    st->discard = AVDISCARD_ALL;
    {
        std::lock_guard<std::mutex> lock(AVCodecLock);
        ff::avcodec_free_context(&ContextOf(vs, type));
    }
    switch (type) {
    case AVMEDIA_TYPE_AUDIO:
        vs->audio_st = nullptr;
        vs->audio_stream = -1;
        vs->AudioDuration = -1;
        break;
    case AVMEDIA_TYPE_VIDEO:
        vs->video_st = nullptr;
        vs->video_stream = -1;
        break;
    case AVMEDIA_TYPE_SUBTITLE:
        vs->subtitle_st = nullptr;
        vs->subtitle_stream = -1;
        break;
    default:
        break;
    }
}

bool SwitchStream(TVideoState* vs, int AType, int AIndex) {
    TCustomPlayer* p = vs->Owner;
    const int current = AType == 0 ? vs->video_stream.load() : AType == 1 ? vs->audio_stream.load() : vs->subtitle_stream.load();
    const int low = AType == 0 || AType == 1 ? 0 : -1;
    auto refuse = [&](const wchar_t* AText) {
        p->LogError(AText, true);
        return false;
    };
    if (current < low) return refuse(L"the current stream is not valid.");
    if (AIndex < low || AIndex >= static_cast<int>(vs->ic->nb_streams)) return refuse(L"the stream index is not valid.");
    if (AIndex == current) return true;
    if (AIndex == -1) {
        ComponentClose(vs, current);
        return true;
    }
    const AVCodecParameters* par = vs->ic->streams[AIndex]->codecpar;
    if (par->codec_type != AType) return refuse(L"the stream type is not matched.");
    if (AType == AVMEDIA_TYPE_AUDIO && (par->sample_rate == 0 || par->ch_layout.nb_channels == 0))
        return refuse(L"the audio stream is not invalid.");
    if (AType != AVMEDIA_TYPE_VIDEO && AType != AVMEDIA_TYPE_AUDIO && AType != AVMEDIA_TYPE_SUBTITLE)
        return refuse(L"the stream type is invalid.");
    ComponentClose(vs, current);
    ComponentOpen(vs, AIndex);
    return true;
}
