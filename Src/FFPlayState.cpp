#include "Src/FFPlayState.h"

#include <process.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <new>

#include "Src/AVCodecStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/FFPlay.h"
#include "Src/FFmpegLoader.h"
#include "platform/MainThread.h"

double NowSeconds() { return ff::av_gettime() / 1000000.0; }

// --- Packets and packet queues ---

TQueuedPacket& TQueuedPacket::operator=(TQueuedPacket&& AOther) noexcept {
    if (this != &AOther) {
        Release();
        pkt = AOther.pkt;
        flush = AOther.flush;
        AOther.pkt = nullptr;
    }
    return *this;
}

void TQueuedPacket::Release() {
    if (pkt) ff::av_packet_free(&pkt);
    flush = false;
}

void TPacketQueue::Init() {
    Flush();
    abort_request = 0;
}

void TPacketQueue::Append(TQueuedPacket&& APkt) {
    std::lock_guard<std::mutex> lock(mutex);
    const int bytes = (APkt.pkt ? APkt.pkt->size : 0) + PACKET_NODE_SIZE;
    FItems.push_back(std::move(APkt));
    ++nb_packets;
    size += bytes;
    cond.notify_one();
}

int TPacketQueue::Put(const AVPacket* APkt) {
    TQueuedPacket item;
    item.pkt = ff::av_packet_alloc();
    if (!item.pkt || ff::av_packet_ref(item.pkt, APkt) < 0) return -1;
    Append(std::move(item));
    return 0;
}

int TPacketQueue::PutFlush() {
    TQueuedPacket item;
    item.flush = true;
    Append(std::move(item));
    return 0;
}

int TPacketQueue::PutEmpty(int AStreamIndex) {
    TQueuedPacket item;
    item.pkt = ff::av_packet_alloc();
    if (!item.pkt) return -1;
    item.pkt->stream_index = AStreamIndex;
    Append(std::move(item));
    return 0;
}

int TPacketQueue::Get(TQueuedPacket& APkt, bool ABlock) {
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
        if (abort_request) return -1;
        if (!FItems.empty()) {
            APkt = std::move(FItems.front());
            FItems.pop_front();
            --nb_packets;
            size -= (APkt.pkt ? APkt.pkt->size : 0) + PACKET_NODE_SIZE;
            return 1;
        }
        if (!ABlock) return 0;
        cond.wait(lock);
    }
}

void TPacketQueue::Flush() {
    std::deque<TQueuedPacket> old;
    {
        std::lock_guard<std::mutex> lock(mutex);
        old.swap(FItems);
        nb_packets = 0;
        size = 0;
    }
}

void TPacketQueue::Abort() {
    std::lock_guard<std::mutex> lock(mutex);
    abort_request = 1;
    cond.notify_all();
}

// --- The state record ---

std::shared_ptr<TVideoState> NewVideoState() {
    void* memory = ff::av_mallocz(sizeof(TVideoState));
    if (!memory) return nullptr;
    TVideoState* vs = nullptr;
    try {
        vs = new (memory) TVideoState();
        // A failing control block deletes the record through the deleter.
        return std::shared_ptr<TVideoState>(vs, [](TVideoState* AState) {
            AState->~TVideoState();
            ff::av_free(AState);
        });
    } catch (...) {
        if (!vs) ff::av_free(memory);
        return nullptr;
    }
}

TVideoState::~TVideoState() {
    for (auto& sp : subpq) ff::avsubtitle_free(&sp.sub);
    if (audio_frame) ff::av_frame_free(&audio_frame);
    if (rdft) ff::av_rdft_end(rdft);
}

// --- Clocks ---

double GetAudioClock(TVideoState* vs) {
    double pts = vs->audio_clock;
    int bytes_per_sec = 0;
    if (vs->audio_st && vs->audio_device_rate > 0) bytes_per_sec = vs->audio_device_rate * 2 * vs->audio_device_channels;
    if (bytes_per_sec != 0)
        pts -= static_cast<double>(static_cast<int>(vs->audio_buf_size) - vs->audio_buf_index) / bytes_per_sec;
    return pts;
}

double GetVideoClock(TVideoState* vs) {
    if (vs->paused) return vs->video_current_pts;
    const double drift = vs->video_current_pts_drift;
    if (drift != 0) return drift + NowSeconds();
    return vs->StartTime / 1000000.0;
}

double GetExternalClock(TVideoState* vs) {
    return vs->external_clock + (ff::av_gettime() - vs->external_clock_time) * 0.000001;
}

double GetMasterClock(TVideoState* vs) {
    switch (vs->av_sync_type) {
    case AV_SYNC_VIDEO_MASTER:
        return vs->video_st ? GetVideoClock(vs) : GetAudioClock(vs);
    case AV_SYNC_AUDIO_MASTER:
        return vs->audio_st ? GetAudioClock(vs) : GetVideoClock(vs);
    default:
        return GetExternalClock(vs);
    }
}

double ComputeTargetTime(TVideoState* vs, double APts) {
    double delay = APts - vs->frame_last_pts;
    if (delay <= 0 || delay >= AV_NOSYNC_THRESHOLD)
        delay = vs->frame_last_delay;
    else
        vs->frame_last_delay = delay;
    vs->frame_last_pts = APts;
    const bool slave = (vs->av_sync_type == AV_SYNC_AUDIO_MASTER && vs->audio_st) ||
                       vs->av_sync_type == AV_SYNC_EXTERNAL_CLOCK;
    if (slave) {
        const double diff = GetVideoClock(vs) - GetMasterClock(vs);
        const double threshold = std::max(AV_SYNC_THRESHOLD, delay);
        if (std::fabs(diff) < AV_NOSYNC_THRESHOLD) {
            if (diff <= -threshold)
                delay = 0;
            else if (diff >= threshold)
                delay = 2 * delay;
        }
    }
    vs->frame_timer = vs->frame_timer + delay;
    return vs->frame_timer;
}

// --- Seek and pause ---

namespace {

// Waits for an event in 100 ms slices, serving hand-overs on the main
// thread. A state that is being closed sets no more events: the wait ends
// with it.
void WaitInSlices(TVideoState* vs, TManualEvent& AEvent) {
    while (!WaitServingHandOvers(AEvent.Handle(), 100) && !vs->abort_request) {
    }
}

}  // namespace

void StreamSeek(TVideoState* vs, int AFlags, bool AWait, int64_t ARel, int64_t APos) {
    if (vs->seek_req != 0) return;
    TCustomPlayer* p = vs->Owner;
    p->FSeeking = true;
    vs->seek_paused = vs->paused.load();
    vs->seek_pos = APos;
    vs->seek_rel = ARel;
    vs->seek_flags = AFlags;
    p->FSeekEvent.Reset();
    vs->seek_req = 1;
    if (AWait) {
        WaitInSlices(vs, p->FSeekEvent);
        if (vs->video_st) WaitInSlices(vs, p->FPictEvent);
    }
}

void TogglePauseState(TVideoState* vs) {
    TCustomPlayer* p = vs->Owner;
    if (!p->FSeekEvent.Wait(250)) p->FSeekEvent.Set();
    if (vs->abort_request) return;
    if (vs->paused) {
        // A drift of 0 means no picture has been shown since the open (see
        // GetVideoClock): then the pacing moves on to make the first queued
        // picture (or the next one) due now, and the clock keeps saying so.
        const bool shown = vs->video_current_pts_drift != 0;
        {
            // Pictures queued before the pause keep their distance to the
            // pacing clock instead of turning late.
            std::lock_guard<std::mutex> lock(vs->pictq_mutex);
            const double now = NowSeconds();
            const double shift = shown ? now + vs->video_current_pts_drift - vs->video_current_pts
                                 : vs->pictq_size > 0 ? now - vs->pictq[vs->pictq_rindex].target_clock
                                                      : now - vs->frame_timer;
            vs->frame_timer = vs->frame_timer + shift;
            for (int i = 0; i < vs->pictq_size; ++i)
                vs->pictq[(vs->pictq_rindex + i) % VIDEO_PICTURE_QUEUE_SIZE].target_clock += shift;
        }
        if (shown) {
            if (vs->read_pause_return != ERR_NOT_SUPPORTED)
                vs->video_current_pts = vs->video_current_pts_drift + NowSeconds();
            vs->video_current_pts_drift = vs->video_current_pts - NowSeconds();
        }
        vs->paused = 0;
    } else {
        if (vs->video_st) {
            if (!p->FPictEvent.Wait(250)) p->FPictEvent.Set();
            if (vs->abort_request) return;
        }
        vs->paused = 1;
    }
}

// --- Engine threads ---

namespace {

struct TThreadStart {
    int (*Proc)(TVideoState*);
    TVideoState* State;
};

unsigned __stdcall EngineThreadProc(void* AArg) {
    const TThreadStart start = *static_cast<TThreadStart*>(AArg);
    delete static_cast<TThreadStart*>(AArg);
    ApplyEngineFPUControlWord();
    try {
        return static_cast<unsigned>(start.Proc(start.State));
    } catch (const std::exception& e) {
        start.State->Owner->LogError(L"engine thread: " + Utf8ToWide(e.what()), false);
    } catch (...) {
        start.State->Owner->LogError(L"engine thread: unknown exception", false);
    }
    return 0;
}

}  // namespace

HANDLE StartEngineThread(int (*AProc)(TVideoState*), TVideoState* vs) {
    auto* start = new (std::nothrow) TThreadStart{AProc, vs};
    if (!start) return nullptr;
    const uintptr_t h = _beginthreadex(nullptr, 0, EngineThreadProc, start, 0, nullptr);
    if (!h) {
        delete start;
        return nullptr;
    }
    return reinterpret_cast<HANDLE>(h);
}

void JoinEngineThread(HANDLE& AThread) {
    if (!AThread) return;
    WaitServingHandOvers(AThread, INFINITE);
    CloseHandle(AThread);
    AThread = nullptr;
}

// --- Waits of the main thread ---

void ServeHandOvers() {
    if (!platform::IsMainThread()) return;
    platform::CheckSynchronize();
    // Delivers the messages other threads sent to this thread's windows
    // (and nothing posted).
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

bool WaitServingHandOvers(HANDLE AHandle, DWORD AMs) {
    if (!platform::IsMainThread()) return WaitForSingleObject(AHandle, AMs) == WAIT_OBJECT_0;
    constexpr DWORD kSlice = 10;
    const DWORD start = GetTickCount();
    for (;;) {
        ServeHandOvers();
        DWORD slice = kSlice;
        if (AMs != INFINITE) {
            const DWORD spent = GetTickCount() - start;
            if (spent >= AMs) return WaitForSingleObject(AHandle, 0) == WAIT_OBJECT_0;
            slice = std::min(slice, AMs - spent);
        }
        // A hand-over posts to this thread's queue, which is left alone here:
        // only sent messages end a slice early.
        const DWORD r = MsgWaitForMultipleObjects(1, &AHandle, FALSE, slice, QS_SENDMESSAGE);
        if (r == WAIT_OBJECT_0) return true;
        if (r == WAIT_FAILED) return false;
    }
}

void LockServingHandOvers(std::timed_mutex& ALock) {
    if (!platform::IsMainThread()) {
        ALock.lock();
        return;
    }
    while (!ALock.try_lock_for(std::chrono::milliseconds(10))) ServeHandOvers();
}
