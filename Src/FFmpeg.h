#pragma once
// The transcoder of one conversion task (TCustomFFmpeg): its option values,
// the inputs and outputs it opened, the working tables of a run and the run
// control that converts on a thread of its own.
//
// Threads:
// - Options (ParseOption and the setters), OpenInput and OpenOutput run on
//   the thread that configures the task, before StartConvert.
// - DoConvert, Transcode and everything below it run on the converting
//   thread (or on the caller of StartConvert without a thread); OnProgress
//   and OnTerminate are called there.
// - Stop, Pause, Resume and Cancel may be called from any other thread.
//   FThread is guarded by FThreadLock, which is never held while waiting.
// - Destroy must not run on the task's own converting thread.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "Src/FFBaseComponent.h"
#include "Src/FFOptions.h"
#include "Src/FFOwners.h"
#include "Src/LibAVHeaders.h"
#include "Src/MyUtils.h"
#include "Src/FFmpegPreview.h"
#include "Src/RGBConvert.h"

// Every failure of the transcoder is raised as FFmpegException.
class FFmpegException : public EEngineError {
public:
    using EEngineError::EEngineError;
    explicit FFmpegException(const std::string& AMessage) : EEngineError(Utf8ToWide(AMessage)) {}
    explicit FFmpegException(const char* AMessage) : EEngineError(Utf8ToWide(AMessage)) {}
};

constexpr int MAX_STREAMS = 20;
constexpr int MAX_FILES_LIMIT = 512;

struct TAVStreamMap {
    int file_index = 0;
    int stream_index = 0;
    int sync_file_index = 0;
    int sync_stream_index = 0;
};

struct TAVMetaDataMap {
    int out_file = 0;
    int in_file = 0;
};

// The bitstream filters of one output stream, by name ("h264_mp4toannexb").
using TBitstreamFilterChain = std::vector<std::string>;

// What stream creation decided for one output stream (by file and index):
// the encoder context (owned here until the output is released) and
// whether the stream is a copy.
struct TOutputStreamSetup {
    AVCodecContext* enc = nullptr;
    bool stream_copy = false;
};

struct TAVInputFile {
    int eof_reached = 0;
    int ist_index = 0;
    int buffer_size = 0;
    int nb_streams = 0;
};

struct TAVInputStream {
    int file_index = 0;
    int index = 0;
    AVStream* st = nullptr;
    AVCodecContext* dec = nullptr;  // the decoder context of this run
    int discard = 1;
    int decoding_needed = 0;
    int64_t sample_index = 0;
    int64_t start = 0;
    int64_t next_pts = 0;
    int64_t pts = 0;
    int is_start = 0;
    int showed_multi_packet_warning = 0;
    int is_past_recording_time = 0;
    int decoder_flushed = 0;
    float quality = 0;
};

struct TAVOutputStream {
    int file_index = 0;
    int index = 0;
    int source_index = 0;
    AVStream* st = nullptr;
    AVCodecContext* enc = nullptr;  // owned by the output's stream setup
    bool stream_copy = false;
    int encoding_needed = 0;
    int frame_number = 0;
    TAVInputStream* sync_ist = nullptr;
    int64_t sync_opts = 0;
    int show_fps = 0;
    float quality = -1;  // of the last encoded video packet, in lambda units
    AVPictureType pict_type = AV_PICTURE_TYPE_NONE;  // of the last encoded video packet
    uint64_t error[3] = {};  // squared errors of Y, U, V of that packet (with the encoder's PSNR flag)
    int64_t last_dts = 0;  // end of the last written packet, stream time base
    // video
    int video_resample = 0;
    TFramePtr pict_tmp;
    TScalerPtr img_resample_ctx;
    int resample_height = 0, resample_width = 0;
    AVPixelFormat resample_pix_fmt = AV_PIX_FMT_NONE;
    int original_height = 0, original_width = 0;
    int video_crop = 0;
    int topBand = 0, bottomBand = 0, leftBand = 0, rightBand = 0;
    int original_topBand = 0, original_bottomBand = 0, original_leftBand = 0, original_rightBand = 0;
    // audio
    int audio_resample = 0;
    TResamplerPtr resample;
    // The decoded sound the resampler was built for; other sound rebuilds it.
    AVSampleFormat resample_in_format = AV_SAMPLE_FMT_NONE;
    int resample_in_rate = 0;
    TChannelLayout resample_in_layout;
    bool audio_clock_set = false;  // the first block has placed the sound on the time line
    // The sample queue in use: the stream's own (fifo_owned), or in join
    // mode its owner's.
    AVAudioFifo* fifo = nullptr;
    TAudioFifoPtr fifo_owned;
    int64_t next_audio_pts = 0;  // end of the last frame given to the encoder, encoder time base
    TStdFilePtr logfile;
    std::string x264_stats;  // libx264's own statistics file of a pass
    std::vector<TBitstreamFilterPtr> bsfs;
    TFilterGraphPtr filter_graph;  // with its source and sink, when the stream is filtered
    AVFilterContext* filter_src = nullptr;
    AVFilterContext* filter_sink = nullptr;
    AVRational filter_sar = {1, 1};  // the pixel shape the graph's source takes
    AVCodecID codec_id = AV_CODEC_ID_NONE;
    // Join mode: the stream of the first group, whose encoder, audio queue,
    // pass log and written end this stream shares; none in the first group.
    TAVOutputStream* owner = nullptr;
};

// The stream that holds the state shared by the groups of a joined output.
inline TAVOutputStream& SharedState(TAVOutputStream& AOst) { return AOst.owner ? *AOst.owner : AOst; }

// One loaded hook module of a task and the context its "Configure" made.
struct TFrameHookEntry {
    HMODULE Module = nullptr;
    void* Configure = nullptr;
    void* Process = nullptr;
    void* Release = nullptr;
    void* ctx = nullptr;
};

using TCustomHookEvent = std::function<void(TObject* Sender, HBITMAP ABitmap, int AFrameNumber, int64_t APTS,
                                            bool& AUpdate, bool& AStopHook)>;
using TPreviewBitmapEvent = std::function<void(TObject* Sender, HBITMAP ABitmap, int AFrameNumber, int64_t APTS)>;
using TProgressEvent =
    std::function<void(TObject* Sender, int AFileIndex, int AFrameNumber, int AFPS, float AQuality, float ABitRate,
                       int64_t ACurrentSize, int64_t ACurrentDuration, int64_t ATotalDuration)>;
using TTerminateEvent = std::function<void(TObject* Sender)>;

enum TPostHook { phPreview, phBitmap, phHBITMAP };
using TPostHooks = unsigned;  // bit set of TPostHook

class TCustomFFmpeg;
class TPreviewer;

// The converting thread: created suspended. Its task keeps the object until
// the thread has returned, so a late Resume from the caller stays harmless.
class TConvertThread {
public:
    TConvertThread(TCustomFFmpeg* AOwner, int APriority);
    ~TConvertThread();  // waits for the thread to return
    TConvertThread(const TConvertThread&) = delete;
    TConvertThread& operator=(const TConvertThread&) = delete;
    void Resume();
    bool Suspended() const { return FSuspended; }

private:
    static unsigned __stdcall ThreadProc(void* AParam);
    TCustomFFmpeg* FOwner;
    HANDLE FHandle = nullptr;
    DWORD FThreadId = 0;
    bool FSuspended = true;
};

class TCustomFFmpeg : public TObject {
public:
    explicit TCustomFFmpeg(int AMaxFiles);
    ~TCustomFFmpeg() override;
    TCustomFFmpeg(const TCustomFFmpeg&) = delete;
    TCustomFFmpeg& operator=(const TCustomFFmpeg&) = delete;

    // Run control.
    TConvertThread* StartConvert(bool AUseThread, int APriority = THREAD_PRIORITY_NORMAL);
    void Stop(bool AWaitFor);
    void Cancel(bool AWaitFor);
    void Pause();
    void Resume();
    bool Paused() const { return FPaused; }
    void InitOptions();

    // Inputs and outputs.
    bool OpenInput(const std::wstring& AFileName);
    int OpenOutput(const std::wstring& AFileName, bool AJoin = false);

    // Options (names without the leading dash).
    void ParseOption(const std::wstring& AName, const std::wstring& AValue);
    void SetStartTime(int64_t AValue);
    void SetRecordingTime(int64_t AValue);
    void SetAudioChannels(int AValue);
    void SetAudioSampleRate(int AValue);
    void SetMetadata(const std::wstring& AKey, const std::wstring& AValue);
    // Applies a disc target ("vcd", "svcd", "dvd", "dv", "dv50") in a norm
    // ("pal", "ntsc", "film", or anything else to detect it).
    void SetTargetPreset(const std::string& ATarget, const std::string& ANorm, const std::string& ADefaultNorm);
    // After a target preset: puts back the target's fixed values (frame size
    // and rate of its norm, video rate limits, sample rate) where options
    // set since contradict them, with a warning per value. Nothing without
    // a target.
    void EnforceTargetValues();
    // The generic option setter: any option of the libraries' contexts, of
    // a named or later encoder or of the muxer. A value the option refuses
    // raises; a name no library knows is logged and ignored.
    void GenericOption(const std::string& AName, const std::string& AValue);
    // Changes the post-hook set; while converting the change is taken up at
    // the task's next post hook (so the UI thread never waits for it).
    // Taking phPreview out frees the preview window.
    void SetPostHooks(TPostHooks AValue);
    // The preview window of the task, when one is shown (for the UI and tests).
    const TPreviewer* Previewer() const { return FPreviewer.get(); }
    // The codec-name check: empty name = success with no codec.
    bool FindCodec(const char* AName, AVMediaType AType, int AStrict, bool AEncoder, AVCodecID& AId);

    int nb_input_files() const { return Fnb_input_files; }
    int nb_output_files() const { return Fnb_output_files; }
    bool Finished() const { return FFinished; }
    bool FatalException() const { return FFatalException; }
    const std::wstring& FatalMessage() const { return FFatalMessage; }
    const std::wstring& LastErrMsg() const { return FLastErrMsg; }
    bool Converting() const { return FConverting; }
    bool Terminated() const { return FTerminated; }
    int64_t TotalOutputDuration() const { return FTotalOutputDuration; }
    // The number of encoders and decoders open right now.
    int OpenCodecCount() const;

    TCustomHookEvent OnCustomHook;
    TPreviewBitmapEvent OnPreviewBitmap;
    TProgressEvent OnProgress;
    TTerminateEvent OnTerminate;
    int64_t ReportInterval = 500000;
    // Threads each decoder and encoder of the next run may use; 0 lets the
    // library choose from the machine's cores. The "threads" option stays
    // refused: the encoder component shares the cores out among the tasks
    // it runs at once (set before StartConvert).
    int CodecThreads = 0;
    int64_t PreviewInterval = 100000;
    // The clock of progress reports and timings (microseconds); tests may
    // replace it.
    std::function<int64_t()> Clock;

protected:
    friend class TConvertThread;
    friend class TDoTerminateThread;
    void SetDefaults();
    void Cleanup();
    void DoConvert();
    void DoTerminate();
    void Fail(const std::wstring& AMessage);
    void CloseEncoderList();
    void CloseDecoderList();
    void ReleaseOutput(int AIndex);
    int64_t Now() const;
    // Blocks while paused; true when a stop was asked.
    bool WaitWhilePaused();

    // Formats and streams (FFmpegFiles.cpp).
    void ChooseSampleFmt(AVCodecContext* ACtx, const AVCodec* ACodec);
    void ChooseSampleRate(AVCodecContext* ACtx, const AVCodec* ACodec);
    void ChoosePixelFmt(AVCodecContext* ACtx, const AVCodec* ACodec);
    int ReadFeedStreams(AVFormatContext* AContext, const char* AName);
    void check_audio_video_sub_inputs(bool AFirstOnly, bool& AHasVideo, bool& AHasAudio, bool& AHasSubtitle);
    void new_video_stream(AVFormatContext* AOc);
    void new_audio_stream(AVFormatContext* AOc);
    void new_subtitle_stream(AVFormatContext* AOc);
    AVStream* NewStream(AVFormatContext* AOc, AVMediaType AType, TBitstreamFilterChain& APending, TOutputStreamSetup*& ASetup);
    int OutputEntryOf(AVFormatContext* AOc) const;
    void ResetInputOptions();
    // The user's decoding options of a stream type as they stand; null when none.
    TDictionaryPtr TakeDecoderOptions(AVMediaType AType) const;
    // The reduced decoding resolution asked of the stream in ASlot (0 = none).
    int DecoderLowres(int ASlot) const;
    // Logs when a video stream's codec and container disagree on its frame rate.
    void LogFrameRateDifference(const AVStream* ASt, unsigned AIndex);
    bool FailInput(AVFormatContext*& AIc, const std::wstring& AMessage);
    void SetRcOverride(AVCodecContext* ACtx);
    // The encoder named by the option (checked), else the format's own for the type.
    const AVCodec* ChooseEncoder(AVFormatContext* AOc, const char* AName, AVMediaType AType);

    // Set-up (FFmpegTranscode.cpp).
    void Transcode();
    void BuildInputTables();
    void BuildOutputTables();
    void ChooseSource(TAVOutputStream& AOst, int AIndex);
    void SetupStreamCopy(TAVOutputStream& AOst, TAVInputStream& AIst);
    void SetupEncoder(TAVOutputStream& AOst, TAVInputStream& AIst, int AIndex);
    void OpenEncoders();
    void OpenDecoders();
    void InitInputTimestamps();
    void ApplyMetadataMaps();
    void CopyChapters();
    void WriteHeaders();
    void DumpStreamMapping();
    void InitBitstreamFilters(TAVOutputStream& AOst);
    void FreeTranscodeTables();
    void RunLoop();
    int ChooseInput();
    bool HandlePacket(AVPacket* APkt, int AFileIndex);
    void FinishTask();

    // Join mode (FFmpegJoin.cpp): the inputs are written one after another
    // into one output; output stream group j is fed by input j and shares
    // the encoders of group 0, which run on across the inputs.
    void SetupJoinedStream(TAVOutputStream& AOst);
    bool JoinedGroupAtLimit(int AInput) const;
    // After input AInput ended: carries the counters on and moves the next
    // input behind it; false when AInput was the last.
    bool JoinNextInput(int AInput);
    double JoinedStreamEnd(TAVOutputStream& AOst) const;
    void DrainJoinedEncoders(int AInput);

    // Per packet (FFmpegEncode.cpp).
    int OutputPacket(TAVInputStream& AIst, int AIstIndex, const AVPacket* APkt);
    void DispatchFrame(TAVInputStream& AIst, int AIstIndex, AVFrame* AFrame);
    // One packet gave a second frame: logged at llError once per stream with
    // verbose > 0, every time with verbose > 1, never otherwise.
    void WarnMultipleFrames(TAVInputStream& AIst, int AStreamIndex);
    void CopyPacket(TAVInputStream& AIst, int AIstIndex, const AVPacket* APkt);
    void FlushEncoders(int AIstIndex);
    // Moves what the resampler still holds into the stream's audio queue.
    void FlushResampler(TAVOutputStream& AOst);
    // Builds the resampler for the decoded sound of AFrame, first emptying one
    // built for other sound (a broadcast switching from 5.1 to stereo).
    void FitResampler(TAVOutputStream& AOst, AVFrame* AFrame);
    // Without drift correction: the first block places the sound on the input's
    // time line; a later block that starts after the end of the sound so far
    // (a hole in the input's sound) gets the hole as silence first, so that
    // every container keeps the sound with the picture.
    void FollowAudioClock(TAVOutputStream& AOst);
    // Appends ASamples of silence to the stream's audio queue.
    void QueueSilence(TAVOutputStream& AOst, int64_t ASamples);
    void DoAudioOut(TAVOutputStream& AOst, TAVInputStream& AIst, AVFrame* AFrame);
    void EncodeAudioFifo(TAVOutputStream& AOst, bool AFlush);
    // Drift correction of one converted block; the samples to drop from its front.
    int SyncAudio(TAVOutputStream& AOst, TAVInputStream& AIst, int ASamples);
    // The stream's picture at the encoder's size and format, for the scaler.
    void AllocateScaledPicture(TAVOutputStream& AOst);
    // A picture of another size than the last: the crop bands in proportion.
    void RescaleCropBands(TAVOutputStream& AOst, const AVFrame* AFrame);
    int DoVideoOut(TAVOutputStream& AOst, TAVInputStream& AIst, AVFrame* AFrame);
    int EncodeAndWrite(TAVOutputStream& AOst, AVFrame* AFrame);
    void DoSubtitleOut(TAVOutputStream& AOst, TAVInputStream& AIst, AVSubtitle* ASub, int64_t APts);
    void DoVideoStats(TAVOutputStream& AOst, int AFrameSize);
    void WriteFrame(AVFormatContext* AS, AVPacket* APkt, TAVOutputStream& AOst);
    void PrintReport(int AFileIndex, bool ALast);
    // "PSNR=Y:.. U:.. V:.. *:.. " of a video stream whose encoder computes it.
    std::string PsnrText(const TAVOutputStream& AOst, bool ALast, int AFrames) const;

    // Option handlers (FFmpegOptions.cpp).
    void SetCodecName(char*& AName, int& ACopy, const std::string& AValue);
    void SetCodecTag(unsigned& ATag, const std::string& AValue, const wchar_t* AKind);
    void SetTime(const std::string& AName, const std::string& AValue);
    void SetBitRate(const std::string& AName, const std::string& AValue);
    void SetMap(const std::string& AValue);
    void SetMetaDataMap(const std::string& AValue);
    void SetStreamId(const std::string& AName, const std::string& AValue);
    void SetAspect(const std::string& AValue);
    void SetCrop(const std::string& AName, int AValue);
    void SetItsScale(const std::string& AValue);
    void SetMetadataOption(const std::string& AValue);
    bool ParseFlagOption(const std::string& AName, const std::string& AValue);
    bool ParseNumberOption(const std::string& AName, const std::string& AValue);
    void DispatchOption(const std::wstring& AName, const std::wstring& AValue);
    // Hook modules (FFmpegHooks.cpp); loaded only from an absolute path.
    int FrameHookAdd(const std::vector<std::wstring>& AArgs);
    void SetVideoHook(const std::wstring& AValue);
    void FrameHookProcess(AVFrame* APicture, int64_t APts);
    void FrameHookRelease();
    // The application's picture hook: the picture as a bitmap to OnCustomHook and back.
    void RunCustomHook(AVFrame* APicture, int64_t APts);
    // Shows the encoded picture through OnPreviewBitmap or the preview window when due.
    void RunPostHooks(AVFrame* APicture, const AVCodecContext* AEnc);
    // A hooked writable copy of a decoded picture, or null when no hook runs.
    AVFrame* PreProcessVideoFrame(TAVInputStream& AIst, AVFrame* AFrame);
    // The video filter graph (FFmpegFilters.cpp).
    std::string VideoFilterChain(const TAVOutputStream& AOst, const AVCodecContext* ADec) const;
    // The pixel shape of the graph's source that shows the cropped picture at
    // the encoder's display aspect.
    AVRational SourceAspect(const TAVOutputStream& AOst, const AVCodecContext* ADec) const;
    void BuildVideoFilterGraph(TAVOutputStream& AOst, TAVInputStream& AIst);
    // Filters and encodes one decoded picture; a null picture drains the graph.
    int FilterVideoOut(TAVOutputStream& AOst, TAVInputStream& AIst, AVFrame* AFrame);
    // Sets the muxer-private options and the preload on a new output's
    // muxer; the error text, or "" when all were set (FFmpegFiles.cpp).
    std::wstring ApplyMuxerSettings(AVFormatContext* AOc);
    // Targets and pass options (FFmpegTargets.cpp).
    int DetectNorm(const std::string& ANorm, const std::string& ADefaultNorm);
    void SetTargetOption(const std::string& AValue);
    void SetMatrix(uint16_t*& AMatrix, const std::string& AText);
    void SetVstatsName();
    void LogFormatList(bool APixel);
    // Presets and bitstream filters (FFmpegPresets.cpp).
    void LoadPreset(const std::string& AOpt, const std::wstring& AName);
    void ApplyPresetText(const std::wstring& AName, const std::wstring& AText);
    void AddBitstreamFilter(const std::string& AOpt, const std::string& AValue);

public:
    // Tables sized at construction.
    int FMaxFiles;
    std::vector<AVFormatContext*> Finput_files;
    int Fnb_input_files = 0;
    std::vector<int64_t> Finput_files_ts_offset;
    std::vector<std::vector<double>> Finput_files_ts_scale;
    std::vector<const AVCodec*> Finput_codecs;
    // Per input stream slot: the user's decoding options when its input was opened.
    std::vector<TDictionaryPtr> Finput_decoder_opts;
    int Fnb_icodecs = 0;
    std::vector<AVFormatContext*> Foutput_files;
    int Fnb_output_files = 0;
    std::vector<const AVCodec*> Foutput_codecs;
    int Fnb_ocodecs = 0;
    std::vector<TOutputStreamSetup> Foutput_setup;  // file × 20
    std::vector<TAVStreamMap> Fstream_maps;
    int Fnb_stream_maps = 0;
    std::vector<TAVMetaDataMap> Fmeta_data_maps;
    int Fnb_meta_data_maps = 0;
    std::vector<std::vector<TBitstreamFilterChain>> Fbitstream_filters;
    int Fstreamid_map[MAX_STREAMS] = {};

    // Video options.
    std::string Flast_asked_format;
    int Fframe_width = 0, Fframe_height = 0;
    float Fframe_aspect_ratio = 0;
    AVPixelFormat Fframe_pix_fmt = AV_PIX_FMT_NONE;
    int Fframe_topBand = 0, Fframe_bottomBand = 0, Fframe_leftBand = 0, Fframe_rightBand = 0;
    int Fmax_frames[4] = {};
    AVRational Fframe_rate = {0, 0};
    float Fvideo_qscale = 0;
    uint16_t* Fintra_matrix = nullptr;
    uint16_t* Finter_matrix = nullptr;
    char* Fvideo_rc_override_string = nullptr;
    bool Fvideo_disable = false;
    int Fvideo_discard = 0;
    char* Fvideo_codec_name = nullptr;
    unsigned Fvideo_codec_tag = 0;
    std::string Fvideo_language;
    bool Fsame_quality = false, Fdo_deinterlace = false;
    int Ftop_field_first = -1, Fme_threshold = 0, Fintra_dc_precision = 8;
    bool Floop_input = false;
    int Floop_output = -1;
    bool Floop_output_set = false;  // given by the option: the muxer gets it
    bool Fqp_hist = false;
    std::string Fvfilters;
    bool FEnableFilter = false;
    bool Fintra_only = false;
    int Fvideo_global_header = 0, Fvideo_channel = 0;
    char* Fvideo_standard = nullptr;
    int Fvideo_stream_copy = 0, Fvideo_sync_method = -1;
    bool Fforce_fps = false;
    int Fpgmyuv_compatibility_hack = 0;
    unsigned Fsws_flags = 4;

    // Audio options.
    AVSampleFormat Faudio_sample_fmt = AV_SAMPLE_FMT_NONE;
    int Faudio_sample_rate = 44100;
    int64_t Fchannel_layout = 0;
    float Faudio_qscale = -99999;
    bool Faudio_disable = false;
    int Faudio_channels = 2;
    char* Faudio_codec_name = nullptr;
    unsigned Faudio_codec_tag = 0;
    std::string Faudio_language;
    int Faudio_stream_copy = 0, Faudio_sync_method = 0;
    float Faudio_drift_threshold = 0.1f;
    int Faudio_volume = 256;

    // Subtitle options.
    bool Fsubtitle_disable = false;
    char* Fsubtitle_codec_name = nullptr;
    std::string Fsubtitle_language;
    unsigned Fsubtitle_codec_tag = 0;
    int Fsubtitle_stream_copy = 0;

    // Muxing and time options.
    float Fmux_preload = 0.5f, Fmux_max_delay = 0.7f;
    bool Fmux_preload_set = false;  // given by an option or a target: the muxer gets it
    // The fixed values of the last target preset (empty Size: none).
    struct TTargetValues {
        std::string Name, Size, Rate;
        int SampleRate = 0;
        int64_t BitRate = 0, MinRate = 0, MaxRate = 0, BufSize = 0;
    } FTarget;
    int64_t Frecording_time = INT64_MAX;
    int64_t Fstart_time = 0, Frecording_timestamp = 0, Finput_ts_offset = 0;
    std::vector<std::pair<std::string, std::string>> Fmetadata;
    bool Fcopy_ts = false, Fopt_shortest = false;
    int Fopt_programid = 0, Fcopy_initial_nonkeyframes = 0;
    bool Frate_emu = false, Finput_sync = false;
    int64_t Flimit_filesize = 0;
    float Fdts_delta_threshold = 10;

    // Diagnostics and passes.
    int Fdo_benchmark = 0;
    bool Fdo_hex_dump = false, Fdo_pkt_dump = false, Fdo_psnr = false;
    int Fdo_pass = 0;
    std::string Fpass_logfilename_prefix;
    char* Fvstats_filename = nullptr;
    FILE* Fvstats_file = nullptr;
    bool Fexit_on_error = false;
    int Fverbose = 1, Fthread_count = 1;

    // Run statistics.
    int64_t Fvideo_size = 0, Faudio_size = 0, Fextra_size = 0;
    int Fnb_frames_dup = 0, Fnb_frames_drop = 0;
    bool FShowDupOrDrop = false;
    int64_t Ftimer_start = 0;
    int Fqp_histogram[52] = {};

    TFFOptions FOptions;
    TPostHooks FPostHooks = 0;
    bool Fusing_vhook = false;
    std::vector<TFrameHookEntry> FFrameHooks;  // in the order they were added
    TRGBConvertContext FHookContext;           // the custom hook's bitmap
    int FHookFrameNumber = 0;                  // pictures that entered the pre-processing
    TFramePtr FHookFrame;                      // the writable copy the picture hooks work on
    TRGBConvertContext FPostContext;           // the post hooks' bitmap
    std::unique_ptr<TPreviewer> FPreviewer;
    int64_t Fpreview_last_time = 0;
    std::atomic<int> FPendingPostHooks{-1};     // a set change asked during the run
    TBitstreamFilterChain Fvideo_bitstream_filters, Faudio_bitstream_filters, Fsubtitle_bitstream_filters;

protected:
    // Run control.
    // The streams whose encoder or decoder is open, in the order opened
    // (closed last first).
    std::vector<TAVOutputStream*> FOpenEncoders;
    std::vector<TAVInputStream*> FOpenDecoders;
    std::mutex FThreadLock;  // guards FThread
    TConvertThread* FThread = nullptr;
    std::unique_ptr<TConvertThread> FThreadObject;  // the last converting thread
    HANDLE FStopEvent = nullptr;
    HANDLE FTermEvent = nullptr;
    HANDLE FRunEvent = nullptr;  // signalled while not paused
    bool FJoinMode = false;
    std::atomic<bool> FConverting{false}, FBroken{false}, FPaused{false};
    std::atomic<bool> FTerminated{false};  // set before FConverting is cleared, under FThreadLock
    bool FFinished = false, FFatalException = false;
    std::wstring FFatalMessage;
    int64_t FTotalOutputDuration = -1;
    std::wstring FLastErrMsg;
    std::vector<std::wstring> Finput_names;  // full paths of the opened inputs
    // Throws, naming the input, when reading it ended before its end: a read
    // error other than the end of file, a packet cut short by the end of the
    // file, or an index that places packets of a stream in use beyond the
    // end of the file (FFmpegInputEnd.cpp).
    void CheckInputEnd(int AFile, int AReadResult, bool ACutPacket);
    // In an input without discontinuities, takes from the packet (its
    // input's offset added) a timestamp far past the input's end: damage,
    // not a gap (FFmpegInputEnd.cpp).
    void DropTimestampPastTheEnd(AVPacket* APkt, int AFile, const TAVInputStream& AIst);
    // "loop_input": after the end of an input, reads it again from its start,
    // following on the time line; throws when the input cannot be rewound.
    bool RewindInput(int AFile);
    bool FRunFailed = false;  // the conversion itself failed: outputs are removed

    // Working tables of one Transcode call.
    std::vector<TAVInputFile> Ffile_table;
    // The records live in their own blocks, so the pointers between them
    // (sync_ist, owner, the open-codec lists) stay valid while the tables grow.
    std::vector<std::unique_ptr<TAVInputStream>> Fist_table;
    std::vector<std::unique_ptr<TAVOutputStream>> Fost_table;
    std::vector<bool> Fno_packet;
    int Fno_packet_count = 0;
    int Fcurrent_input = 0;  // join mode: the input being written
    int Fgroup_size = 0;     // streams of output entry 0
    int64_t Flast_report = 0;
    int64_t Flast_reported_time = 0;  // reports never go back in time
    TFramePtr Fdecoded;
    TFramePtr Faudio_frame;
    TPacketPtr Fenc_pkt;
    TPacketPtr Fbsf_pkt;  // a packet as it was before a bitstream filter took it
};
