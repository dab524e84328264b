// The transcoder object: construction, defaults, release of a run, run
// control and the converting threads.
#include "Src/FFmpeg.h"

#include <process.h>

#include "Src/AVCodecStubs.h"
#include "Src/AVFormatStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/FFmpegLoader.h"
#include "Src/FFmpegLogger.h"
#include "Src/SwResampleStubs.h"
#include "Src/SwScaleStubs.h"
#include "Src/UnicodeProtocol.h"
#include "platform/MainThread.h"

namespace {

void FreeCString(char*& AText) {
    if (AText) ff::av_free(AText);
    AText = nullptr;
}

}  // namespace

// ---------------------------------------------------------------- threads

TConvertThread::TConvertThread(TCustomFFmpeg* AOwner, int APriority) : FOwner(AOwner) {
    unsigned id = 0;
    FHandle = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &ThreadProc, this, CREATE_SUSPENDED, &id));
    if (!FHandle) throw FFmpegException("Cannot create the converting thread");
    FThreadId = id;
    SetThreadPriority(FHandle, APriority);
}

TConvertThread::~TConvertThread() {
    if (!FHandle) return;
    if (FThreadId == GetCurrentThreadId()) {
        // Released from its own end notification: the thread returns by itself.
        CloseHandle(FHandle);
        return;
    }
    Resume();  // a thread never started runs its body, which ends at once when stopped
    WaitForSingleObject(FHandle, INFINITE);
    CloseHandle(FHandle);
}

void TConvertThread::Resume() {
    if (FSuspended) {
        FSuspended = false;
        ResumeThread(FHandle);
    }
}

unsigned __stdcall TConvertThread::ThreadProc(void* AParam) {
    ApplyEngineFPUControlWord();
    TCustomFFmpeg* owner = static_cast<TConvertThread*>(AParam)->FOwner;
    HANDLE stopEvent = owner->FStopEvent;
    try {
        owner->DoConvert();
    } catch (...) {
        // DoConvert catches everything itself; whatever still arrives here
        // comes from an end-notification handler. The waiters are let go.
        GlobalLogger()->Log(owner, llError, L"Converting thread: " + CurrentExceptionText());
    }
    SetEvent(stopEvent);
    return 0;
}

namespace {

struct TDoTerminateArgs {
    TCustomFFmpeg* Owner;
};

}  // namespace

// Runs the end notification of a task that never started.
class TDoTerminateThread {
public:
    static unsigned __stdcall ThreadProc(void* AParam) {
        ApplyEngineFPUControlWord();
        auto* owner = static_cast<TCustomFFmpeg*>(AParam);
        HANDLE termEvent = owner->FTermEvent;
        try {
            owner->DoTerminate();
        } catch (...) {
            const std::wstring text = CurrentExceptionText();
            GlobalLogger()->Log(owner, llError, L"End-notification thread: " + text);
            owner->Fail(text);
        }
        SetEvent(termEvent);
        return 0;
    }
};

// ---------------------------------------------------------------- object

TCustomFFmpeg::TCustomFFmpeg(int AMaxFiles) : FMaxFiles(AMaxFiles) {
    EngineAssert(AMaxFiles > 0 && AMaxFiles <= MAX_FILES_LIMIT, L"FFmpeg", L"AMaxFiles out of range");
    Finput_files.assign(AMaxFiles, nullptr);
    Finput_files_ts_offset.assign(AMaxFiles, 0);
    Finput_files_ts_scale.assign(AMaxFiles, std::vector<double>(MAX_STREAMS, 0.0));
    Foutput_files.assign(AMaxFiles, nullptr);
    Fmeta_data_maps.assign(AMaxFiles, {});
    Fbitstream_filters.assign(AMaxFiles, std::vector<TBitstreamFilterChain>(MAX_STREAMS));
    Finput_codecs.assign(AMaxFiles * MAX_STREAMS, nullptr);
    Finput_decoder_opts.resize(AMaxFiles * MAX_STREAMS);
    Foutput_codecs.assign(AMaxFiles * MAX_STREAMS, nullptr);
    Foutput_setup.assign(AMaxFiles * MAX_STREAMS, {});
    Fstream_maps.assign(AMaxFiles * MAX_STREAMS, {});
    FStopEvent = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    FTermEvent = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    FRunEvent = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    InitOptionContexts(FOptions);
    SetDefaults();
}

TCustomFFmpeg::~TCustomFFmpeg() {
    Stop(true);
    // DoTerminate clears FThread before the converting thread has returned.
    while (WaitForSingleObject(FStopEvent, 20) == WAIT_TIMEOUT) {
        if (platform::IsMainThread()) {
            platform::CheckSynchronize();
            ProcessMessages();
        }
    }
    WaitForSingleObject(FTermEvent, INFINITE);
    try {
        Cleanup();
    } catch (...) {
    }
    FThreadObject.reset();
    CloseHandle(FStopEvent);
    CloseHandle(FTermEvent);
    CloseHandle(FRunEvent);
}

int64_t TCustomFFmpeg::Now() const { return Clock ? Clock() : ff::av_gettime(); }

void TCustomFFmpeg::SetDefaults() {
    Fnb_input_files = Fnb_output_files = Fnb_icodecs = Fnb_ocodecs = 0;
    Fnb_stream_maps = Fnb_meta_data_maps = 0;
    std::fill(Finput_files_ts_offset.begin(), Finput_files_ts_offset.end(), 0);
    for (auto& row : Finput_files_ts_scale) std::fill(row.begin(), row.end(), 0.0);
    std::fill(Finput_codecs.begin(), Finput_codecs.end(), nullptr);
    for (auto& opts : Finput_decoder_opts) opts.reset();
    std::fill(Foutput_codecs.begin(), Foutput_codecs.end(), nullptr);
    for (auto& row : Fbitstream_filters)
        for (auto& chain : row) chain.clear();
    std::fill(std::begin(Fstreamid_map), std::end(Fstreamid_map), 0);
    Flast_asked_format.clear();
    Fframe_width = Fframe_height = 0;
    Fframe_aspect_ratio = 0;
    Fframe_pix_fmt = AV_PIX_FMT_NONE;
    Fframe_topBand = Fframe_bottomBand = Fframe_leftBand = Fframe_rightBand = 0;
    for (int& m : Fmax_frames) m = INT32_MAX;
    Fframe_rate = {0, 0};
    Fvideo_qscale = 0;
    Fvideo_disable = false;
    Fvideo_discard = 0;
    Fvideo_codec_tag = 0;
    Fsame_quality = Fdo_deinterlace = false;
    Ftop_field_first = -1;
    Fme_threshold = 0;
    Fintra_dc_precision = 8;
    Floop_input = false;
    Floop_output = -1;
    Floop_output_set = false;
    Fqp_hist = false;
    Fvfilters.clear();
    FEnableFilter = Fintra_only = false;
    Fvideo_global_header = Fvideo_channel = 0;
    Fvideo_stream_copy = 0;
    Fvideo_sync_method = -1;
    Fforce_fps = false;
    Fpgmyuv_compatibility_hack = 0;
    Fsws_flags = 4;
    Faudio_sample_fmt = AV_SAMPLE_FMT_NONE;
    Faudio_sample_rate = 44100;
    Fchannel_layout = 0;
    Faudio_qscale = -99999;
    Faudio_disable = false;
    Faudio_channels = 2;
    Faudio_codec_tag = 0;
    Faudio_stream_copy = Faudio_sync_method = 0;
    Faudio_drift_threshold = 0.1f;
    Faudio_volume = 256;
    Fsubtitle_disable = false;
    Fsubtitle_codec_tag = 0;
    Fsubtitle_stream_copy = 0;
    Fmux_preload = 0.5f;
    Fmux_preload_set = false;
    FTarget = {};
    Fmux_max_delay = 0.7f;
    Frecording_time = INT64_MAX;
    Fstart_time = Frecording_timestamp = Finput_ts_offset = 0;
    Fcopy_ts = Fopt_shortest = false;
    Fopt_programid = Fcopy_initial_nonkeyframes = 0;
    Frate_emu = Finput_sync = false;
    Flimit_filesize = 0;
    Fdts_delta_threshold = 10;
    Fdo_benchmark = 0;
    Fdo_hex_dump = Fdo_pkt_dump = Fdo_psnr = false;
    Fdo_pass = 0;
    Fpass_logfilename_prefix.clear();
    Fexit_on_error = false;
    Fverbose = 1;
    Fthread_count = 1;
    Fvideo_size = Faudio_size = Fextra_size = 0;
    Fnb_frames_dup = Fnb_frames_drop = 0;
    FShowDupOrDrop = false;
    std::fill(std::begin(Fqp_histogram), std::end(Fqp_histogram), 0);
    InitOptionContexts(FOptions);
    Fusing_vhook = false;
    FPostHooks = 0;
    Fvideo_bitstream_filters.clear();
    Faudio_bitstream_filters.clear();
    Fsubtitle_bitstream_filters.clear();
    {
        std::lock_guard<std::mutex> lock(FThreadLock);
        FThread = nullptr;
    }
    FTotalOutputDuration = -1;
    FFatalException = false;
}

void TCustomFFmpeg::InitOptions() {
    if (!FFLoader.Loaded(TranscoderLibraries)) return;
    Cleanup();
    SetDefaults();
    FJoinMode = false;
    FConverting = false;
    FBroken = false;
    FFinished = false;
    FTerminated = false;
    FTotalOutputDuration = -1;
    AllocOptionContexts(FOptions, static_cast<int>(Fsws_flags));
}

void TCustomFFmpeg::ReleaseOutput(int AIndex) {
    AVFormatContext* oc = Foutput_files[AIndex];
    if (!oc) return;
    for (int k = 0; k < MAX_STREAMS; ++k) {
        TOutputStreamSetup& setup = Foutput_setup[AIndex * MAX_STREAMS + k];
        if (setup.enc) ff::avcodec_free_context(&setup.enc);
        setup = {};
    }
    const std::wstring name = FromLibFileName(oc->url ? oc->url : "");
    if (!(oc->oformat->flags & AVFMT_NOFILE) && oc->pb) ff::avio_closep(&oc->pb);
    ff::avformat_free_context(oc);
    Foutput_files[AIndex] = nullptr;
    // An empty output, or one of a failed run, must not look like a result.
    if (!name.empty() && (FRunFailed || FileSizeByName(name) == 0)) DeleteFileW(name.c_str());
}

void TCustomFFmpeg::Cleanup() {
    if (!FFLoader.Loaded(TranscoderLibraries)) return;
    FreeOptionContexts(FOptions);
    FrameHookRelease();
    ResetRGBContext(FHookContext);
    FPreviewer.reset();
    ResetRGBContext(FPostContext);
    Fpreview_last_time = 0;
    FPendingPostHooks = -1;
    FHookFrameNumber = 0;
    FHookFrame.reset();
    const int outputs = FJoinMode ? std::min(Fnb_output_files, 1) : Fnb_output_files;
    for (int i = 0; i < outputs; ++i) ReleaseOutput(i);
    std::fill(Foutput_files.begin(), Foutput_files.end(), nullptr);
    Fnb_output_files = 0;
    for (int i = 0; i < Fnb_input_files; ++i)
        if (Finput_files[i]) ff::avformat_close_input(&Finput_files[i]);
    Fnb_input_files = 0;
    Finput_names.clear();
    ff::av_freep(&Fintra_matrix);
    ff::av_freep(&Finter_matrix);
    if (Fvstats_file) fclose(Fvstats_file);
    Fvstats_file = nullptr;
    FreeCString(Fvstats_filename);
    FreeCString(Fvideo_codec_name);
    FreeCString(Faudio_codec_name);
    FreeCString(Fsubtitle_codec_name);
    FreeCString(Fvideo_standard);
    FreeCString(Fvideo_rc_override_string);
    Fvideo_language.clear();
    Faudio_language.clear();
    Fsubtitle_language.clear();
    Fsubtitle_codec_tag = 0;
    Fmetadata.clear();
}

// ---------------------------------------------------------------- codec lists

void TCustomFFmpeg::CloseEncoderList() {
    while (!FOpenEncoders.empty()) {
        TAVOutputStream* ost = FOpenEncoders.back();
        FOpenEncoders.pop_back();
        if (ost->encoding_needed && ost->enc) {
            ff::av_freep(&ost->enc->stats_in);
            std::lock_guard<std::mutex> lock(AVCodecLock);
            ff::avcodec_close(ost->enc);
        }
    }
}

void TCustomFFmpeg::CloseDecoderList() {
    while (!FOpenDecoders.empty()) {
        TAVInputStream* ist = FOpenDecoders.back();
        FOpenDecoders.pop_back();
        if (ist->decoding_needed && ist->dec) {
            std::lock_guard<std::mutex> lock(AVCodecLock);
            ff::avcodec_close(ist->dec);
        }
    }
}

int TCustomFFmpeg::OpenCodecCount() const { return static_cast<int>(FOpenEncoders.size() + FOpenDecoders.size()); }

// ---------------------------------------------------------------- run control

void TCustomFFmpeg::Fail(const std::wstring& AMessage) {
    GlobalLogger()->Log(this, llQuiet, AMessage);
    // The first failure is the cause; later ones are its consequences.
    if (!FFatalException) FFatalMessage = AMessage;
    FFatalException = true;
}

TConvertThread* TCustomFFmpeg::StartConvert(bool AUseThread, int APriority) {
    if (FConverting || FTerminated) return nullptr;
    try {
        if (Fnb_output_files <= 0) {
            Cleanup();
            throw FFmpegException("At least one output file must be specified");
        }
        if (Fnb_input_files == 0) {
            Cleanup();
            throw FFmpegException("At least one input file must be specified");
        }
    } catch (const EEngineError& e) {
        Fail(e.Message());
        DoTerminate();
        return nullptr;
    }
    FConverting = true;
    FBroken = false;
    FFinished = false;
    FTerminated = false;
    FPaused = false;
    SetEvent(FRunEvent);
    if (!AUseThread) {
        DoConvert();
        return nullptr;
    }
    FThreadObject.reset();  // a thread of an earlier run has returned by now
    ResetEvent(FStopEvent);
    std::lock_guard<std::mutex> lock(FThreadLock);
    try {
        FThreadObject = std::make_unique<TConvertThread>(this, APriority);
        FThread = FThreadObject.get();
    } catch (const EEngineError& e) {
        SetEvent(FStopEvent);
        Fail(e.Message());
        FConverting = false;
        FTerminated = true;
        return nullptr;
    }
    return FThread;
}

void TCustomFFmpeg::DoConvert() {
    FFinished = false;
    const std::function<void()> steps[] = {[this] { Transcode(); }, [this] { CloseEncoderList(); },
                                           [this] { CloseDecoderList(); }, [this] { Cleanup(); },
                                           [this] { DoTerminate(); }};
    FRunFailed = false;
    // Every step runs whatever the earlier ones threw: the close-down always
    // happens and the end is reported exactly once, by the last step.
    for (const auto& step : steps) {
        try {
            step();
        } catch (...) {
            if (&step == &steps[0]) FRunFailed = true;
            Fail(CurrentExceptionText());
        }
    }
}

void TCustomFFmpeg::DoTerminate() {
    {
        // A stop that lands while the converting thread ends the task finds
        // it either still converting or ended, never neither, and a task
        // ends once, whichever thread ends it.
        std::lock_guard<std::mutex> lock(FThreadLock);
        if (FTerminated) return;
        FTerminated = true;
        FConverting = false;
        FThread = nullptr;
    }
    if (OnTerminate) OnTerminate(this);
}

void TCustomFFmpeg::Stop(bool AWaitFor) {
    FBroken = true;
    SetEvent(FRunEvent);  // a stop also ends a pause
    {
        std::lock_guard<std::mutex> lock(FThreadLock);
        if (!FThread) return;
        FThread->Resume();
    }
    if (!AWaitFor) return;
    while (WaitForSingleObject(FStopEvent, 20) == WAIT_TIMEOUT) {
        if (platform::IsMainThread()) {
            platform::CheckSynchronize();
            ProcessMessages();
        }
    }
}

void TCustomFFmpeg::Cancel(bool AWaitFor) {
    bool converting, terminated;
    {
        std::lock_guard<std::mutex> lock(FThreadLock);
        converting = FConverting;
        terminated = FTerminated;
    }
    if (converting) {
        Stop(AWaitFor);
        return;
    }
    if (terminated) return;
    ResetEvent(FTermEvent);
    HANDLE h = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &TDoTerminateThread::ThreadProc, this, 0, nullptr));
    if (!h) {
        SetEvent(FTermEvent);
        DoTerminate();
        return;
    }
    CloseHandle(h);
    if (AWaitFor) WaitForSingleObject(FTermEvent, INFINITE);
}

void TCustomFFmpeg::Pause() {
    std::lock_guard<std::mutex> lock(FThreadLock);
    if (!FThread || FBroken) return;
    FPaused = true;
    ResetEvent(FRunEvent);
}

void TCustomFFmpeg::Resume() {
    std::lock_guard<std::mutex> lock(FThreadLock);
    if (!FThread) return;
    FPaused = false;
    SetEvent(FRunEvent);
}

bool TCustomFFmpeg::WaitWhilePaused() {
    if (FPaused && !FBroken) WaitForSingleObject(FRunEvent, INFINITE);
    return FBroken;
}
