// Hook modules: DLLs named by the "vhook" option that export "Configure",
// "Process" and "Release" (C calling convention) and change every decoded
// picture in place. A task loads its modules itself, only from an absolute
// path, and unloads them when it is cleaned up.
#include <exception>
#include <mutex>

#include "Src/AVUtilStubs.h"
#include "Src/FFmpeg.h"
#include "Src/FFmpegLogger.h"
#include "Src/FFmpegPreview.h"
#include "Src/SwScaleStubs.h"
#include "platform/MainThread.h"

namespace {

// The picture as the modules see it: four plane pointers and line sizes.
struct THookPicture {
    uint8_t* data[4];
    int linesize[4];
};

using THookConfigure = int(__cdecl*)(void** ACtx, int AArgc, char** AArgv, int ALastIndex);
using THookProcess = void(__cdecl*)(void* ACtx, THookPicture* APicture, int APixFmt, int AWidth, int AHeight, int64_t APts);
using THookRelease = void(__cdecl*)(void* ACtx);

bool IsAbsolutePath(const std::wstring& AName) {
    if (AName.size() >= 3 && iswalpha(AName[0]) && AName[1] == L':' && (AName[2] == L'\\' || AName[2] == L'/')) return true;
    return AName.size() >= 2 && AName[0] == L'\\' && AName[1] == L'\\';
}

std::vector<std::wstring> HookWords(const std::wstring& AValue) {
    const wchar_t separator = AValue.find(L'|') != std::wstring::npos ? L'|' : L' ';
    std::vector<std::wstring> words;
    size_t start = 0;
    while (start <= AValue.size() && words.size() < 64) {
        size_t end = AValue.find(separator, start);
        if (end == std::wstring::npos) end = AValue.size();
        if (end > start) words.push_back(AValue.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

}  // namespace

int TCustomFFmpeg::FrameHookAdd(const std::vector<std::wstring>& AArgs) {
    if (AArgs.empty()) return -2;
    if (!IsAbsolutePath(AArgs[0])) {
        GlobalLogger()->Log(this, llError, L"A hook module is loaded only from an absolute path: " + AArgs[0]);
        return -1;
    }
    TFrameHookEntry entry;
    entry.Module = LoadLibraryExW(AArgs[0].c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!entry.Module) {
        GlobalLogger()->Log(this, llError, SysErrorMessage(GetLastError()));
        return -1;
    }
    entry.Configure = reinterpret_cast<void*>(GetProcAddress(entry.Module, "Configure"));
    entry.Process = reinterpret_cast<void*>(GetProcAddress(entry.Module, "Process"));
    entry.Release = reinterpret_cast<void*>(GetProcAddress(entry.Module, "Release"));
    const std::string file = WideToAnsi(AArgs[0]);
    int result = 0;
    if (!entry.Process) {
        ff::av_log(nullptr, AV_LOG_ERROR, "Failed to find Process entrypoint in %s\n", file.c_str());
        result = -2;
    } else if (!entry.Configure && AArgs.size() > 1) {
        ff::av_log(nullptr, AV_LOG_ERROR, "Failed to find Configure entrypoint in %s\n", file.c_str());
        result = -2;
    } else if (entry.Configure) {
        std::vector<std::string> texts;
        for (const std::wstring& a : AArgs) texts.push_back(WideToAnsi(a));
        std::vector<char*> argv;
        for (std::string& t : texts) argv.push_back(t.data());
        argv.push_back(nullptr);
        const auto configure = reinterpret_cast<THookConfigure>(entry.Configure);
        if (configure(&entry.ctx, static_cast<int>(texts.size()), argv.data(), static_cast<int>(texts.size()) - 1) != 0) {
            ff::av_log(nullptr, AV_LOG_ERROR, "Failed to Configure %s\n", file.c_str());
            result = -22;
        }
    }
    if (result != 0) {
        FreeLibrary(entry.Module);
        return result;
    }
    FFrameHooks.push_back(entry);
    return 0;
}

void TCustomFFmpeg::SetVideoHook(const std::wstring& AValue) {
    if (FrameHookAdd(HookWords(AValue)) != 0) throw FFmpegException(L"Failed to add video hook function: " + AValue);
    Fusing_vhook = true;
}

void TCustomFFmpeg::FrameHookProcess(AVFrame* APicture, int64_t APts) {
    THookPicture picture;
    for (int i = 0; i < 4; ++i) {
        picture.data[i] = APicture->data[i];
        picture.linesize[i] = APicture->linesize[i];
    }
    for (const TFrameHookEntry& e : FFrameHooks)
        reinterpret_cast<THookProcess>(e.Process)(e.ctx, &picture, APicture->format, APicture->width, APicture->height, APts);
}

void TCustomFFmpeg::FrameHookRelease() {
    for (TFrameHookEntry& e : FFrameHooks) {
        if (e.Release) reinterpret_cast<THookRelease>(e.Release)(e.ctx);
        FreeLibrary(e.Module);
    }
    FFrameHooks.clear();
}

void TCustomFFmpeg::RunCustomHook(AVFrame* APicture, int64_t APts) {
    TAVPicture picture;
    for (int i = 0; i < 4; ++i) {
        picture.data[i] = APicture->data[i];
        picture.linesize[i] = APicture->linesize[i];
    }
    const int w = APicture->width, h = APicture->height;
    const AVPixelFormat format = static_cast<AVPixelFormat>(APicture->format);
    bool update = true, stop = false;
    if (!ConvertToBitmap(FHookContext, picture, format, w, h)) {
        GlobalLogger()->Log(this, llError, L"Cannot initialize the toRGB conversion context");
        stop = true;
    } else {
        try {
            OnCustomHook(this, FHookContext.Bitmap->Handle(), FHookFrameNumber, APts, update, stop);
        } catch (const EEngineError& e) {
            GlobalLogger()->Log(this, llError, L"Error occurs OnCustomHook: " + e.Message());
            update = false;
        } catch (const std::exception& e) {
            GlobalLogger()->Log(this, llError, L"Error occurs OnCustomHook: " + Utf8ToWide(e.what()));
            update = false;
        }
        if (update) {
            // The handler drew on the bitmap: its pixels go back into the picture.
            GdiFlush();
            TBitmap& bitmap = *FHookContext.Bitmap;
            FHookContext.fromRGB_convert_ctx = ff::sws_getCachedContext(FHookContext.fromRGB_convert_ctx, w, h, AV_PIX_FMT_BGR24, w, h,
                                                                        format, SWS_BICUBIC, nullptr, nullptr, nullptr);
            if (!FHookContext.fromRGB_convert_ctx) {
                GlobalLogger()->Log(this, llError, L"Cannot initialize the fromRGB conversion context");
                stop = true;
            } else {
                const uint8_t* const src[4] = {static_cast<const uint8_t*>(bitmap.ScanLine(0)), nullptr, nullptr, nullptr};
                const int stride[4] = {bitmap.BytesPerLine(), 0, 0, 0};
                ff::sws_scale(FHookContext.fromRGB_convert_ctx, src, stride, 0, h, APicture->data, APicture->linesize);
            }
        }
    }
    if (stop) {
        // Neither the custom hook nor the hook modules run again in this task.
        OnCustomHook = nullptr;
        Fusing_vhook = false;
    }
}

AVFrame* TCustomFFmpeg::PreProcessVideoFrame(TAVInputStream& AIst, AVFrame* AFrame) {
    ++FHookFrameNumber;
    const bool modules = Fusing_vhook && !FFrameHooks.empty();
    if (!OnCustomHook && !modules) return nullptr;
    // One working picture for the whole run; a new buffer only when the
    // pictures change size or format, or when an encoder still holds the last.
    AVFrame* work = FHookFrame.get();
    if (work && (work->width != AFrame->width || work->height != AFrame->height || work->format != AFrame->format))
        FHookFrame.reset(), work = nullptr;
    bool ready = true;
    if (!work) {
        FHookFrame.reset(ff::av_frame_alloc());
        work = FHookFrame.get();
        ready = work != nullptr;
        if (ready) {
            work->width = AFrame->width;
            work->height = AFrame->height;
            work->format = AFrame->format;
            ready = ff::av_frame_get_buffer(work, 0) >= 0;
        }
    }
    ready = ready && ff::av_frame_make_writable(work) >= 0 && ff::av_frame_copy(work, AFrame) >= 0 &&
            ff::av_frame_copy_props(work, AFrame) >= 0;
    if (!ready) {
        FHookFrame.reset();
        GlobalLogger()->Log(this, llError, L"hook buf malloc error.");
        return nullptr;
    }
    if (OnCustomHook) RunCustomHook(work, AIst.pts);
    else FrameHookProcess(work, AIst.pts);
    return work;
}

namespace {

// Post hooks of tasks converting side by side take turns. A post hook holds
// it while it hands a picture to the UI thread, so the UI thread never blocks
// on it: a post-hook set change from there is only recorded, and a post hook
// run on the UI thread itself (an inline conversion) serves the hand-overs
// of the other tasks while it waits for its turn.
std::mutex PostHookLock;

std::unique_lock<std::mutex> LockPostHooks() {
    std::unique_lock<std::mutex> lock(PostHookLock, std::defer_lock);
    if (!platform::IsMainThread()) {
        lock.lock();
        return lock;
    }
    while (!lock.try_lock()) {
        if (!platform::CheckSynchronize()) Sleep(1);
    }
    return lock;
}

constexpr TPostHooks Bit(TPostHook AHook) { return 1u << AHook; }

}  // namespace

void TCustomFFmpeg::SetPostHooks(TPostHooks AValue) {
    if (FConverting) {
        RequestPostHookSet(FPendingPostHooks, AValue);
        return;
    }
    // Outside a run there is no preview window to free.
    FPostHooks = AValue;
    FPendingPostHooks = NoPostHookRequest;
    // A task that a worker started meanwhile takes the set at its next post hook.
    if (FConverting) RequestPostHookSet(FPendingPostHooks, AValue);
}

void TCustomFFmpeg::RunPostHooks(AVFrame* APicture, const AVCodecContext* AEnc) {
    FPostHooks = TakePostHookRequest(FPendingPostHooks, FPostHooks);
    TPostHooks hooks = FPostHooks;
    if (!(hooks & Bit(phPreview))) FPreviewer.reset();
    const bool bitmap = (hooks & Bit(phBitmap)) && OnPreviewBitmap;
    if (!bitmap && !(hooks & Bit(phPreview))) return;
    const int64_t now = Now();
    if (now - Fpreview_last_time <= PreviewInterval) return;
    Fpreview_last_time = now;
    const int64_t pts = APicture->pts == AV_NOPTS_VALUE ? INT64_MIN : ff::av_rescale_q(APicture->pts, AEnc->time_base, AV_TIME_BASE_Q);
    TAVPicture picture;
    for (int i = 0; i < 4; ++i) {
        picture.data[i] = APicture->data[i];
        picture.linesize[i] = APicture->linesize[i];
    }
    bool ok;
    {
        const std::unique_lock<std::mutex> lock = LockPostHooks();
        ok = ConvertToBitmap(FPostContext, picture, APicture->format, APicture->width, APicture->height);
        if (!ok) {
            GlobalLogger()->Log(this, llError, L"Cannot initialize the toRGB conversion context");
        } else if (bitmap) {
            OnPreviewBitmap(this, FPostContext.Bitmap->Handle(), FHookFrameNumber, pts);
        } else {
            if (!FPreviewer) FPreviewer = std::make_unique<TPreviewer>();
            ok = FPreviewer->PaintFrame(FPostContext.Bitmap->Handle(), FHookFrameNumber, pts);
        }
    }
    if (!ok) {
        hooks &= ~(bitmap ? Bit(phBitmap) : Bit(phPreview));
        FPostHooks = hooks;
        if (!(hooks & Bit(phPreview))) FPreviewer.reset();
    }
}
