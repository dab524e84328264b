// The refresh thread and the play thread's SDL event loop: showing pictures
// at their due time, dropping late ones, retiring subtitles, creating
// surfaces and overlays, and closing on a quit request.
#include "Src/FFPlay.h"
#include "Src/FFPlayLoop.h"
#include "Src/FFPlayThreads.h"

int RefreshThread(TVideoState* vs) {
    while (vs->abort_request != 1) {
        if (vs->refresh != 1) {
            vs->refresh = 1;
            SDL_Event ev{};
            ev.type = FF_REFRESH_EVENT;
            ev.user.data1 = vs;
            ff::SDL_PushEvent(&ev);
        }
        Sleep(vs->audio_st && vs->show_audio != 0 ? vs->Owner->rdftspeed : 5);
    }
    return 0;
}

namespace {

void AdvancePicture(TVideoState* vs) {
    std::lock_guard<std::mutex> lock(vs->pictq_mutex);
    vs->pictq_rindex = (vs->pictq_rindex + 1) % VIDEO_PICTURE_QUEUE_SIZE;
    --vs->pictq_size;
    vs->pictq_cond.notify_all();
}

void RetireSubtitles(TVideoState* vs) {
    std::lock_guard<std::mutex> lock(vs->subpq_mutex);
    auto retire = [vs] {
        FreeSubPicture(vs->subpq[vs->subpq_rindex]);
        vs->subpq_rindex = (vs->subpq_rindex + 1) % SUBPICTURE_QUEUE_SIZE;
        --vs->subpq_size;
    };
    if (vs->subtitle_stream_changed) {
        while (vs->subpq_size > 0) retire();
        vs->subtitle_stream_changed = 0;
    } else if (vs->subpq_size > 0) {
        const TSubPicture& sp = vs->subpq[vs->subpq_rindex];
        const TSubPicture* sp2 =
            vs->subpq_size > 1 ? &vs->subpq[(vs->subpq_rindex + 1) % SUBPICTURE_QUEUE_SIZE] : nullptr;
        if (vs->video_current_pts > sp.pts + sp.sub.end_display_time / 1000.0 ||
            (sp2 && vs->video_current_pts > sp2->pts + sp2->sub.start_display_time / 1000.0))
            retire();
    }
    vs->subpq_cond.notify_all();
}

}  // namespace

void VideoRefresh(TVideoState* vs, bool AAdvance) {
    TCustomPlayer* p = vs->Owner;
    bool dropped = false;
    // A paused player holds its picture: only a picture it owes (see
    // show_paused) or the dropping after a seek goes on.
    if (vs->video_st && AAdvance && vs->paused && !vs->seek_done && !vs->show_paused) {
        p->UpdatePosition();  // the held position (also after a dropping refresh)
        return;
    }
    if (vs->video_st) {
        bool have_picture = false;
        for (;;) {
            const bool seek_done = vs->seek_done != 0;
            int queued;
            {
                std::lock_guard<std::mutex> lock(vs->pictq_mutex);
                queued = vs->pictq_size;
            }
            if (queued == 0) {
                if (!AAdvance) VideoDisplay(vs);
                break;
            }
            const double time = NowSeconds();
            TVideoPicture& vp = vs->pictq[vs->pictq_rindex];
            if (time < vp.target_clock) return;
            vs->video_current_pts = vp.pts;
            vs->video_current_pts_drift = vp.pts - time;
            vs->video_current_pos = vp.pos;
            const double next_target = queued > 1
                                           ? vs->pictq[(vs->pictq_rindex + 1) % VIDEO_PICTURE_QUEUE_SIZE].target_clock
                                           : vp.target_clock + vs->video_clock - vp.pts;
            if ((p->framedrop && time > next_target && !vs->IsDevice) || seek_done) {
                vs->skip_frames *= 1.0f + float(FRAME_SKIP_FACTOR);
                if (queued > 1 || time > next_target + 0.5 || seek_done) {
                    AdvancePicture(vs);
                    dropped = true;
                    continue;
                }
            }
            have_picture = true;
            break;
        }
        if (have_picture) {
            if (vs->subtitle_st) RetireSubtitles(vs);
            VideoDisplay(vs);
            if (AAdvance) {
                AdvancePicture(vs);
                if (vs->paused) vs->show_paused = 0;
                // A single step shows one picture and pauses again.
                if (p->Fstep && !vs->paused) TogglePauseState(vs);
            }
        }
    } else if (vs->audio_st) {
        VideoDisplay(vs);
    }
    // While a seek is on its way the clock still runs on the old position:
    // the next position reported is the one the seek reached.
    const bool seeking = vs->video_st && (vs->seek_req || vs->seek_done);
    if (!dropped && !seeking) p->UpdatePosition();
}

namespace {

// One event under the data lock; false ends the loop.
bool HandleEvent(TCustomPlayer* p, const SDL_Event& AEvent) {
    TVideoState* vs = p->RawState();
    if (!vs) {
        ff::SDL_Quit();
        return false;
    }
    switch (AEvent.type) {
    case SDL_QUIT:
    case FF_QUIT_EVENT:
        p->CloseStream();
        return false;
    case SDL_VIDEORESIZE:
        p->Fscreen = ff::SDL_SetVideoMode(AEvent.resize.w, AEvent.resize.h, 0,
                                          SDL_HWSURFACE | SDL_ASYNCBLIT | SDL_RESIZABLE | SDL_HWACCEL);
        p->ScreenWidth = AEvent.resize.w;
        p->ScreenHeight = AEvent.resize.h;
        vs->width = AEvent.resize.w;
        vs->height = AEvent.resize.h;
        if (vs->paused) VideoRefresh(vs, false);
        break;
    case SDL_VIDEOEXPOSE:
        if (vs->paused)
            VideoRefresh(vs, false);
        else
            VideoDisplay(vs);
        break;
    case FF_ALLOC_EVENT:
        VideoOpen(vs, false);
        AllocPicture(vs);
        break;
    case FF_REFRESH_EVENT:
        VideoRefresh(vs, true);
        vs->refresh = 0;
        break;
    case FF_REOPEN_EVENT:
        VideoOpen(vs, true);
        VideoDisplay(vs);
        break;
    default:
        break;
    }
    return true;
}

}  // namespace

void EventLoop(TCustomPlayer* p) {
    for (;;) {
        SDL_Event event;
        if (!ff::SDL_WaitEvent(&event)) {
            if (!p->RawState()) return;
            Sleep(10);
            continue;
        }
        std::lock_guard<std::timed_mutex> lock(p->FDataLock);
        if (!HandleEvent(p, event)) return;
    }
}
