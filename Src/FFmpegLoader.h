#pragma once
// The library loader: loads the media libraries (FFmpeg, SDL, the C run-time)
// by file name from a folder at run time and binds every entry point the
// engine calls into the variables of the binding units (namespace ff).
//
// Threads: Load, Unload and LibraryPath are for the main thread; Loaded may
// be asked from any thread. AVCodecLock is held for exactly one codec open or
// close anywhere in the process.
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <mutex>
#include <string>

using TPathFileName = std::wstring;

// Load order and bit order of a set. swResample is the 5.1 generation's
// resampling library, used by the transcoder and the player.
enum TLibrary { avCodec, avDevice, avFilter, avFormat, avUtil, swScale, myUtil, lbSDL, swResample };
constexpr int LibraryCount = swResample + 1;

class TLibraries {
public:
    constexpr TLibraries() = default;
    constexpr TLibraries(std::initializer_list<TLibrary> ALibs) {
        for (TLibrary l : ALibs) FBits |= 1u << l;
    }
    constexpr bool Contains(TLibrary ALib) const { return FBits & (1u << ALib); }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr uint16_t Bits() const { return FBits; }
    constexpr TLibraries operator+(TLibraries AOther) const {
        TLibraries r;
        r.FBits = FBits | AOther.FBits;
        return r;
    }

private:
    uint16_t FBits = 0;
};

constexpr TLibraries ProbeLibraries{avCodec, avFormat, avUtil, swScale, myUtil};
constexpr TLibraries TranscoderLibraries = ProbeLibraries + TLibraries{avFilter, swResample};
constexpr TLibraries PlayerLibraries = TranscoderLibraries + TLibraries{lbSDL};

using TFixupProc = void (*)(const std::wstring& ALibName, HMODULE AHandle);
using TUnfixProc = void (*)();

struct TLibraryItem {
    TLibrary Lib;
    const wchar_t* Name;
    int Version;  // goes into the file name; negative: none
    TFixupProc Fixup;
    TUnfixProc Unfix;
};

// "avcodec-59.dll", "msvcrt.dll", ...
TPathFileName LibraryFileName(TLibrary ALib);

class TFFmpegLoader {
public:
    TFFmpegLoader() = default;

    bool Load(TLibrary ALib);
    bool Load(TLibraries ALibs);  // EAssertionFailed for an empty set
    bool Loaded(TLibrary ALib) const;
    bool Loaded(TLibraries ALibs) const;  // EAssertionFailed for an empty set
    void Unload(TLibrary ALib);
    void Unload(TLibraries ALibs);  // EAssertionFailed for an empty set

    std::wstring LastErrMsg() const;
    TPathFileName LibraryPath() const;
    void SetLibraryPath(const TPathFileName& APath);
    bool InstallLogger = true;
};

// The process-wide loader (all loaders share the same state).
extern TFFmpegLoader FFLoader;
// Held around every codec open and close (probe, player, transcoder).
extern std::mutex AVCodecLock;

// The floating-point control word the engine runs with: all exceptions
// masked, 64-bit precision, round to nearest. Set at start-up for the main
// thread; the engine's own threads call ApplyEngineFPUControlWord first.
constexpr uint16_t EngineFPUControlWord = 0x133F;
void ApplyEngineFPUControlWord();
uint16_t CurrentFPUControlWord();
