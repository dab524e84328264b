#include "Src/FFmpegLoader.h"

#include <array>

#include "Src/AVCodecStubs.h"
#include "Src/AVDeviceStubs.h"
#include "Src/AVFilterStubs.h"
#include "Src/AVFormatStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/FFmpegLogger.h"
#include "Src/MyUtilStubs.h"
#include "Src/MyUtils.h"
#include "Src/SwResampleStubs.h"
#include "Src/SwScaleStubs.h"
#include "Src/libsdl.h"

namespace {

const TLibraryItem LibraryTable[LibraryCount] = {
    {avCodec, L"avcodec", 59, &AVCodecFixup, &AVCodecUnfix},
    {avDevice, L"avdevice", 59, &AVDeviceFixup, &AVDeviceUnfix},
    {avFilter, L"avfilter", 8, &AVFilterFixup, &AVFilterUnfix},
    {avFormat, L"avformat", 59, &AVFormatFixup, &AVFormatUnfix},
    {avUtil, L"avutil", 57, &AVUtilFixup, &AVUtilUnfix},
    {swScale, L"swscale", 6, &SwScaleFixup, &SwScaleUnfix},
    {myUtil, L"msvcrt", -1, &MyUtilFixup, &MyUtilUnfix},
    {lbSDL, L"SDL", -1, &SDLFixup, &SDLUnfix},
    {swResample, L"swresample", 4, &SwResampleFixup, &SwResampleUnfix},
};

struct TLibraryStatus {
    HMODULE Handle = nullptr;
    bool Fixuped = false;
};

// Process-wide loader state, shared by every TFFmpegLoader.
struct LoaderState {
    std::recursive_mutex Lock;
    std::array<TLibraryStatus, LibraryCount> Status;
    std::wstring LastErrMsg;
    TPathFileName LibraryPath;
};

LoaderState& State() {
    static LoaderState s;
    return s;
}

void AssertNotEmpty(TLibraries ALibs) {
    EngineAssert(!ALibs.Empty(), L"FFmpegLoader", L"empty library set");
}

// Sets the control word at start-up and restores the saved one at shutdown.
struct FPUControlWordGuard {
    uint16_t Saved;
    FPUControlWordGuard() : Saved(CurrentFPUControlWord()) { ApplyEngineFPUControlWord(); }
    ~FPUControlWordGuard() { __asm__ __volatile__("fldcw %0" : : "m"(Saved)); }
};
FPUControlWordGuard TheFPUControlWordGuard;

}  // namespace

TFFmpegLoader FFLoader;
std::mutex AVCodecLock;

void ApplyEngineFPUControlWord() {
    const uint16_t word = EngineFPUControlWord;
    __asm__ __volatile__("fclex\n\tfldcw %0" : : "m"(word));
}

uint16_t CurrentFPUControlWord() {
    uint16_t word = 0;
    __asm__ __volatile__("fnstcw %0" : "=m"(word));
    return word;
}

TPathFileName LibraryFileName(TLibrary ALib) {
    const TLibraryItem& item = LibraryTable[ALib];
    TPathFileName name = item.Name;
    if (item.Version >= 0) name += L"-" + std::to_wstring(item.Version);
    return name + L".dll";
}

bool TFFmpegLoader::Load(TLibrary ALib) {
    LoaderState& s = State();
    std::lock_guard<std::recursive_mutex> guard(s.Lock);
    TLibraryStatus& row = s.Status[ALib];
    if (!row.Handle) {
        TPathFileName folder = s.LibraryPath;
        if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
        const TPathFileName file = LibraryFileName(ALib);
        DWORD code = 0;
        HMODULE handle = LoadLibraryFromFolder(folder, file, code);
        if (!handle) {
            s.LastErrMsg = FormatText("Load library %s error: %s", WideToUtf8(folder + file).c_str(),
                                      WideToUtf8(SysErrorMessage(code)).c_str());
            return false;
        }
        row.Handle = handle;
    }
    if (!row.Fixuped) {
        try {
            LibraryTable[ALib].Fixup(LibraryFileName(ALib), row.Handle);
            row.Fixuped = true;
        } catch (const EEngineError& e) {
            s.LastErrMsg = e.Message();
        }
    }
    if (!row.Fixuped) {
        Unload(ALib);
        return false;
    }
    if (ALib == avUtil && InstallLogger) GlobalLogger()->InstallAVLogCallback();
    return true;
}

bool TFFmpegLoader::Load(TLibraries ALibs) {
    AssertNotEmpty(ALibs);
    LoaderState& s = State();
    std::lock_guard<std::recursive_mutex> guard(s.Lock);
    // Only what this call loads is taken back on failure: libraries loaded
    // before may be in use by other components.
    TLibraries loadedHere;
    for (int i = 0; i < LibraryCount; ++i) {
        const TLibrary lib = static_cast<TLibrary>(i);
        if (!ALibs.Contains(lib)) continue;
        const bool wasLoaded = s.Status[lib].Handle != nullptr;
        if (!Load(lib)) {
            if (!loadedHere.Empty()) Unload(loadedHere);
            return false;
        }
        if (!wasLoaded) loadedHere = loadedHere + TLibraries{lib};
    }
    return true;
}

bool TFFmpegLoader::Loaded(TLibrary ALib) const {
    LoaderState& s = State();
    std::lock_guard<std::recursive_mutex> guard(s.Lock);
    return s.Status[ALib].Handle && s.Status[ALib].Fixuped;
}

bool TFFmpegLoader::Loaded(TLibraries ALibs) const {
    AssertNotEmpty(ALibs);
    for (int i = 0; i < LibraryCount; ++i)
        if (ALibs.Contains(static_cast<TLibrary>(i)) && !Loaded(static_cast<TLibrary>(i))) return false;
    return true;
}

void TFFmpegLoader::Unload(TLibrary ALib) {
    LoaderState& s = State();
    std::lock_guard<std::recursive_mutex> guard(s.Lock);
    TLibraryStatus& row = s.Status[ALib];
    if (row.Fixuped || row.Handle) LibraryTable[ALib].Unfix();  // also after a partial Fixup
    row.Fixuped = false;
    if (row.Handle) {
        FreeLibrary(row.Handle);
        row.Handle = nullptr;
    }
}

void TFFmpegLoader::Unload(TLibraries ALibs) {
    AssertNotEmpty(ALibs);
    for (int i = 0; i < LibraryCount; ++i)
        if (ALibs.Contains(static_cast<TLibrary>(i))) Unload(static_cast<TLibrary>(i));
}

std::wstring TFFmpegLoader::LastErrMsg() const {
    LoaderState& s = State();
    std::lock_guard<std::recursive_mutex> guard(s.Lock);
    return s.LastErrMsg;
}

TPathFileName TFFmpegLoader::LibraryPath() const {
    LoaderState& s = State();
    std::lock_guard<std::recursive_mutex> guard(s.Lock);
    return s.LibraryPath;
}

void TFFmpegLoader::SetLibraryPath(const TPathFileName& APath) {
    LoaderState& s = State();
    std::lock_guard<std::recursive_mutex> guard(s.Lock);
    s.LibraryPath = APath;
}
