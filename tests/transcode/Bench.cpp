// Times the transcoder on a generated 1280x720 25 fps 20 s clip with sound:
// H.264 (libx264, medium) + AAC MP4, a decode-only run, and an MP3 run,
// each with one codec thread.
//
// "transcode_bench.exe batch <input> <output>..." converts the input into
// each output (H.264 medium + AAC) as one batch of the encoder component,
// all tasks at once, with the program's default thread use; the script
// times the whole process against ffmpeg.exe.
#include <windows.h>

#include <process.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Src/DIzizuZUR.h"
#include "Src/FFmpeg.h"
#include "Src/FFmpegLogger.h"
#include "Src/MyUtils.h"
#include "platform/MainThread.h"
#include "tools/testmedia/TestMedia.h"

namespace {

double Run(const std::wstring& AInput, const std::wstring& AOutput, const std::vector<std::pair<std::wstring, std::wstring>>& AOptions) {
    TCustomFFmpeg t(2);
    t.CodecThreads = 1;  // one thread, as ffmpeg.exe is run with "-threads 1"
    t.InitOptions();
    if (!t.OpenInput(AInput)) throw EEngineError(t.LastErrMsg());
    for (const auto& [n, v] : AOptions) t.ParseOption(n, v);
    if (t.OpenOutput(AOutput) < 0) throw EEngineError(t.LastErrMsg());
    const auto start = std::chrono::steady_clock::now();
    t.StartConvert(false);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (t.FatalException()) throw EEngineError(t.FatalMessage());
    return seconds;
}

// The batch mode; the process's exit code.
int Batch(int argc, char** argv) {
    platform::InitMainThread();
    const std::string error = testmedia::LoadTranscoderLibraries();
    if (!error.empty()) {
        std::printf("libraries: %s\n", error.c_str());
        return 1;
    }
    TDIzizuZUR encoder;
    encoder.TriggerEventInMainThread = false;
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    int failed = 0;
    encoder.OnTerminate = [&](TObject*, const TCustomDIzizuZUR::TTerminateInfo& AInfo) {
        if (AInfo.TaskIndex < 0) SetEvent(done);
        else if (AInfo.Exception) ++failed, std::printf("task %d: %s\n", AInfo.TaskIndex, WideToUtf8(AInfo.ExceptionMsg).c_str());
    };
    for (int i = 3; i < argc; ++i) {
        const int task = encoder.AddTask(Utf8ToWide(argv[2]), PInputOptions(nullptr));
        if (task < 0 || !encoder.SetOutputFile(task, Utf8ToWide(argv[i]),
                                               L"vcodec=libx264\npreset=medium\nacodec=aac\nab=128000")) {
            std::printf("set-up: %s\n", WideToUtf8(encoder.LastErrMsg()).c_str());
            return 1;
        }
    }
    encoder.Start(argc - 3);
    WaitForSingleObject(done, INFINITE);
    CloseHandle(done);
    return failed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 3 && std::string(argv[1]) == "batch") {
        TFFLogger logger;
        logger.TriggerEventInMainThread = false;
        logger.SetLogLevel(llError);
        const int code = Batch(argc, argv);
        // The timing is of the conversions; the process ends without the
        // static teardown, which once waited at exit for good.
        std::fflush(stdout);
        _exit(code);
    }
    TFFLogger logger;
    logger.TriggerEventInMainThread = false;
    logger.SetLogLevel(llError);
    const auto& media = testmedia::StandardMedia();  // loads the libraries
    if (!media.Error.empty()) {
        std::printf("no media: %s\n", media.Error.c_str());
        return 1;
    }
    const std::wstring folder = argc > 1 ? Utf8ToWide(argv[1]) + L"\\" : media.Folder;
    testmedia::ClipSpec clip;
    clip.FileName = folder + L"bench720.mp4";
    clip.Seconds = 20;
    clip.Video.Width = 1280;
    clip.Video.Height = 720;
    clip.Video.Source = "testsrc2";
    clip.Audio.push_back({});
    const std::string error = testmedia::MakeClip(clip);
    if (!error.empty()) {
        std::printf("clip: %s\n", error.c_str());
        return 1;
    }
    try {
        const double h264 = Run(clip.FileName, folder + L"bench-h264.mp4",
                                {{L"vcodec", L"libx264"}, {L"preset", L"medium"}, {L"acodec", L"aac"}, {L"ab", L"128000"}});
        std::printf("H.264 medium + AAC: %.2f s\n", h264);
        const double decode = Run(clip.FileName, L"NUL", {{L"f", L"null"}});
        std::printf("decode only:        %.2f s\n", decode);
        const double mp3 = Run(clip.FileName, folder + L"bench.mp3", {{L"acodec", L"libmp3lame"}, {L"ab", L"192000"}});
        std::printf("MP3 audio:          %.2f s\n", mp3);
    } catch (const EEngineError& e) {
        std::printf("failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
