#pragma once
// The shared state of one file the player has open: the packet queues that
// carry demultiplexed packets to the decoders, the picture and subpicture
// queues that carry decoded pictures to the display, the clocks and the
// pacing of pictures, the seek request and the pause toggle.
//
// Threads: the read thread fills the packet queues; the video, subtitle and
// audio threads consume them; the play thread (event loop) owns the overlays
// and the read indexes of the picture queues. Flags and clocks that several
// threads read are atomic; the queues have their own locks. StreamSeek and
// TogglePauseState run on the caller's thread (usually the main thread).
#include <windows.h>

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "Src/LibAVHeaders.h"
#include "Src/libsdl.h"

class TCustomPlayer;

enum Tav_sync_type { AV_SYNC_AUDIO_MASTER, AV_SYNC_VIDEO_MASTER, AV_SYNC_EXTERNAL_CLOCK };

constexpr int VIDEO_PICTURE_QUEUE_SIZE = 2;
constexpr int SUBPICTURE_QUEUE_SIZE = 4;
constexpr int SAMPLE_ARRAY_SIZE = 0x20000;
constexpr int AUDIO_BUF_SIZE = 288000;
constexpr int PACKET_NODE_SIZE = 72;
constexpr int MAX_QUEUE_SIZE = 0xF00000;
constexpr int MIN_AUDIOQ_SIZE = 0x50000;
constexpr int MIN_FRAMES = 5;
constexpr double AV_SYNC_THRESHOLD = 0.01;
constexpr double AV_NOSYNC_THRESHOLD = 10.0;
constexpr double FRAME_SKIP_FACTOR = 0.05;

// SDL user events of the player (24 is SDL's first user event).
constexpr int FF_ALLOC_EVENT = SDL_USEREVENT;
constexpr int FF_REFRESH_EVENT = SDL_USEREVENT + 1;
constexpr int FF_QUIT_EVENT = SDL_USEREVENT + 2;
constexpr int FF_REOPEN_EVENT = SDL_USEREVENT + 3;

// Library error codes met by the player.
constexpr int ERR_AGAIN = -11;
constexpr int ERR_EOF = -32;
constexpr int ERR_NOT_SUPPORTED = -40;

// Now in seconds on the library clock.
double NowSeconds();

// One queued packet: a reference-counted library packet, or the flush marker
// that tells the queue's decoder to flush its buffers.
struct TQueuedPacket {
    AVPacket* pkt = nullptr;  // owned; nullptr for the flush marker
    bool flush = false;
    TQueuedPacket() = default;
    TQueuedPacket(TQueuedPacket&& AOther) noexcept : pkt(AOther.pkt), flush(AOther.flush) { AOther.pkt = nullptr; }
    TQueuedPacket& operator=(TQueuedPacket&& AOther) noexcept;
    TQueuedPacket(const TQueuedPacket&) = delete;
    TQueuedPacket& operator=(const TQueuedPacket&) = delete;
    ~TQueuedPacket() { Release(); }
    void Release();
    // The end-of-input packet of the read thread: no data and size 0.
    bool IsEmpty() const { return pkt && !pkt->data && pkt->size == 0; }
};

class TPacketQueue {
public:
    TPacketQueue() = default;
    ~TPacketQueue() { Flush(); }
    TPacketQueue(const TPacketQueue&) = delete;
    TPacketQueue& operator=(const TPacketQueue&) = delete;

    // Empties the queue and clears the abort request.
    void Init();
    // Queues a new reference to the packet: 0, or -1 when it cannot be had.
    int Put(const AVPacket* APkt);
    int PutFlush();
    // Queues the end-of-input packet (no data, size 0) of a stream.
    int PutEmpty(int AStreamIndex);
    // 1 = a packet was taken, 0 = empty and not blocking, -1 = aborted.
    int Get(TQueuedPacket& APkt, bool ABlock);
    void Flush();
    void Abort();
    void End() { Flush(); }

    int NbPackets() const { return nb_packets; }
    int Size() const { return size; }
    bool Aborted() const { return abort_request != 0; }

private:
    void Append(TQueuedPacket&& APkt);
    std::deque<TQueuedPacket> FItems;
    std::atomic<int> nb_packets{0};
    std::atomic<int> size{0};
    std::atomic<int> abort_request{0};
    std::mutex mutex;
    std::condition_variable cond;
};

struct TVideoPicture {
    double pts = 0;
    double target_clock = 0;
    int64_t pos = -1;
    SDL_Overlay* bmp = nullptr;
    int width = 0, height = 0;
    int allocated = 0;
    int pix_fmt = AV_PIX_FMT_YUV420P;
    AVRational sample_aspect_ratio = {0, 1};
};

struct TSubPicture {
    double pts = 0;
    AVSubtitle sub{};
};

// The record lives in one zero-filled library allocation (NewVideoState).
struct TVideoState {
    TVideoState() = default;
    ~TVideoState();
    TVideoState(const TVideoState&) = delete;
    TVideoState& operator=(const TVideoState&) = delete;

    std::array<uint8_t, AUDIO_BUF_SIZE> audio_buf1{}, audio_buf2{};
    const AVInputFormat* iformat = nullptr;
    std::atomic<int> no_background{0};
    std::atomic<int> abort_request{0};
    std::atomic<int> paused{0};
    int last_paused = 0;
    std::atomic<int> seek_req{0};
    int seek_flags = 0;
    int64_t seek_pos = 0;
    int64_t seek_rel = 0;
    std::atomic<int> read_pause_return{0};
    AVFormatContext* ic = nullptr;
    std::atomic<int> audio_stream{-1};
    Tav_sync_type av_sync_type = AV_SYNC_AUDIO_MASTER;
    double external_clock = 0;
    int64_t external_clock_time = 0;

    // Audio (see the audio output unit).
    std::atomic<double> audio_clock{0};
    double audio_diff_cum = 0, audio_diff_avg_coef = 0, audio_diff_threshold = 0;
    int audio_diff_avg_count = 0;
    AVStream* audio_st = nullptr;
    AVCodecContext* audio_ctx = nullptr;
    TPacketQueue audioq;
    int audio_hw_buf_size = 0;
    uint8_t* audio_buf = nullptr;
    std::atomic<unsigned> audio_buf_size{0};
    std::atomic<int> audio_buf_index{0};
    TQueuedPacket audio_pkt;
    AVFrame* audio_frame = nullptr;
    bool audio_pkt_pending = false;  // the current packet still has frames to give
    int audio_src_fmt = AV_SAMPLE_FMT_S16;
    int audio_src_rate = 0, audio_src_channels = 0;
    SwrContext* reformat_ctx = nullptr;
    int audio_device_rate = 0, audio_device_channels = 0;
    std::atomic<int> show_audio{0};
    std::array<int16_t, SAMPLE_ARRAY_SIZE> sample_array{};
    std::atomic<int> sample_array_index{0};
    int last_i_start = 0;
    RDFTContext* rdft = nullptr;
    int rdft_bits = 0;
    std::vector<float> rdft_data;
    int xpos = 0;

    // Subtitles.
    std::atomic<int> subtitle_stream{-1};
    std::atomic<int> subtitle_stream_changed{0};
    AVStream* subtitle_st = nullptr;
    AVCodecContext* subtitle_ctx = nullptr;
    TPacketQueue subtitleq;
    TSubPicture subpq[SUBPICTURE_QUEUE_SIZE];
    int subpq_size = 0, subpq_rindex = 0, subpq_windex = 0;
    std::mutex subpq_mutex;
    std::condition_variable subpq_cond;

    // Video.
    std::atomic<double> frame_timer{0};
    double frame_last_pts = 0;
    double frame_last_delay = 0;
    std::atomic<double> video_clock{0};
    std::atomic<int> video_stream{-1};
    AVStream* video_st = nullptr;
    AVCodecContext* video_ctx = nullptr;
    TPacketQueue videoq;
    std::atomic<double> video_current_pts{0};
    std::atomic<double> video_current_pts_drift{0};
    std::atomic<int64_t> video_current_pos{-1};
    TVideoPicture pictq[VIDEO_PICTURE_QUEUE_SIZE];
    int pictq_size = 0, pictq_rindex = 0, pictq_windex = 0;
    std::mutex pictq_mutex;
    std::condition_variable pictq_cond;
    // Held while an overlay is filled (and hooked), read for a frame grab, or
    // freed. The main thread takes it only through LockServingHandOvers.
    std::timed_mutex overlay_lock;
    int sink_width = 0, sink_height = 0, sink_format = AV_PIX_FMT_YUV420P;

    std::wstring filename;
    std::atomic<int> width{0}, height{0};
    int xleft = 0, ytop = 0;
    int64_t faulty_pts = 0, faulty_dts = 0;
    int64_t last_dts_for_fault_detection = INT64_MIN, last_pts_for_fault_detection = INT64_MIN;
    float skip_frames = 1, skip_frames_index = 0;
    std::atomic<int> refresh{0};
    TCustomPlayer* Owner = nullptr;
    std::atomic<int> Opened{0};
    int64_t StartTime = 0;
    int64_t Duration = -1;
    std::atomic<int64_t> AudioDuration{-1};
    int IsImage2 = 0, IsDevice = 0;
    std::atomic<int> ErrorEOF{0}, EventEOF{0}, ReachEOF{0}, Reading{0};
    std::atomic<int> open_paused{0}, seek_paused{0}, seek_done{0}, seek_flushed{0};
    // 1 = the refresh shows the next due picture although paused (the first
    // picture of a paused open or after a seek while paused).
    std::atomic<int> show_paused{0};
    bool eof = false;  // end of input seen by the read thread (until a seek)

    // Engine threads (joined by StreamClose and the component close).
    HANDLE parse_tid = nullptr, video_tid = nullptr, subtitle_tid = nullptr, refresh_tid = nullptr;
};

// A new state record in one zero-filled library allocation (av_mallocz);
// nullptr when memory runs out. Never throws.
std::shared_ptr<TVideoState> NewVideoState();

double GetAudioClock(TVideoState* vs);
double GetVideoClock(TVideoState* vs);
double GetExternalClock(TVideoState* vs);
double GetMasterClock(TVideoState* vs);
// The library-clock time at which a picture with time APts is due; called
// under the picture-queue mutex by the video thread.
double ComputeTargetTime(TVideoState* vs, double APts);

void StreamSeek(TVideoState* vs, int AFlags, bool AWait, int64_t ARel, int64_t APos);
void TogglePauseState(TVideoState* vs);

// Starts an engine thread running AProc(vs); nullptr when it cannot start.
HANDLE StartEngineThread(int (*AProc)(TVideoState*), TVideoState* vs);
// Waits for an engine thread (serving hand-overs on the main thread) and
// closes its handle.
void JoinEngineThread(HANDLE& AThread);

// Waits of the main thread for the player's threads. The player's threads
// hand their events and log lines to the main thread synchronously, so
// while the main thread waits for them it serves those hand-overs and the
// messages other threads send to its windows, every 10 ms. It dispatches no
// posted message: no user action runs inside a player operation. On any
// other thread these only wait.
//
// Serves once (main thread only; elsewhere does nothing).
void ServeHandOvers();
// True when the handle was signalled within AMs (INFINITE waits for ever).
bool WaitServingHandOvers(HANDLE AHandle, DWORD AMs);
// Takes the lock, serving meanwhile.
void LockServingHandOvers(std::timed_mutex& ALock);
