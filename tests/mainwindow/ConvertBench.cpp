// Benchmark (not a test), run by scripts/bench: one queue row converted
// through the shown main window against ffmpeg.exe with the same settings.
//
//   mainwindow_convert_bench.exe <ffmpeg.exe> [rounds] [seconds]
//
// A 640x480 25 fps clip with stereo sound (testsrc with moving grain,
// MPEG-4 + AAC) is made at start; the program's windows start, the clip is
// added through "添加一个文件" in the skinned open dialog, "MP4视频" / "MP4
// H264编码视频(*.mp4)" and one task at a time are chosen. Each round clicks
// "开始" and waits for the end action of the batch (an event, no polling),
// and ffmpeg.exe converts the clip with the command line made from the
// output record the window handed to the encoder in the first round (with
// the lines of its built-in encoder preset); the two take turns at going
// first. The two outputs of the first round are compared:
// streams, sizes, rates and the x264 settings each encoder wrote into its
// stream, so that a difference of settings cannot pass for one of speed.
// Reports the medians and their ratios; the window's time runs from the
// click to the end of the batch (opening the files and closing the encoders
// included); ffmpeg.exe's is its own "-benchmark" time (which leaves out
// opening the files and closing the encoders) and its whole job: the
// process's time less that of the same process doing nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "Src/AVProbe.h"
#include "Src/FFmpegPresets.h"
#include "Src/MyUtils.h"
#include "app/FormatCatalogue.h"
#include "app/OptionIni.h"
#include "app/StartUp.h"
#include "app/Unit1.h"
#include "app/Unit5.h"
#include "platform/ListView.h"
#include "platform/MainThread.h"
#include "platform/Owners.h"
#include "platform/SysUtils.h"
#include "skin/boxes/bsMessages.h"
#include "skin/boxes/bsSkinComboBox.h"
#include "skin/boxes/bsSkinEdits.h"
#include "skin/boxes/bsSkinOfficeCombo.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsCheckRadio.h"
#include "skin/controls/bsSkinCtrlsViews.h"
#include "skin/shell/bsSkinDialogBase.h"
#include "skin/shell/bsSkinOpenDialog.h"
#include "tests/dialogs/DialogDriver.h"
#include "tests/mainwindow/BenchApplication.h"
#include "tests/mainwindow/QueueInput.h"
#include "tools/testmedia/TestMedia.h"

namespace {

constexpr int kFormatKey = 1104;  // "MP4 H264编码视频(*.mp4)": libx264 + MP3

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::wstring Quoted(const std::wstring& s) { return L"\"" + s + L"\""; }

// The ffmpeg.exe output options of an output record, in the order the
// encoder applies the record's fields. Fields that ffmpeg.exe could not be
// given here go to unsupported, so that the comparison is never made with
// settings of its own.
std::wstring FfmpegOutputOptions(const TOutputOptions& o, std::wstring& unsupported) {
    std::wstring args;
    auto add = [&args](const std::wstring& name, const std::wstring& value) { args += L" " + name + L" " + value; };
    auto number = [&add](const wchar_t* name, int value) {
        if (value > 0) add(name, std::to_wstring(value));
    };
    auto refuse = [&unsupported](const wchar_t* what) { unsupported += std::wstring(unsupported.empty() ? L"" : L", ") + what; };
    if (!o.FileFormat.empty()) add(L"-f", o.FileFormat);
    if (o.DisableVideo) args += L" -vn";
    if (!o.VideoCodec.empty()) add(L"-c:v", o.VideoCodec);
    if (!o.VideoPreset.empty()) {
        // The encoder applies a built-in preset line by line to a codec
        // context whose flag words start empty: a flag value sets the word
        // rather than adding to the encoder's own default flags.
        const std::string preset = FindBuiltinPreset(WideToUtf8(o.VideoPreset));
        if (preset.empty()) refuse(L"video preset");
        size_t start = 0;
        while (start < preset.size()) {
            size_t end = preset.find('\n', start);
            if (end == std::string::npos) end = preset.size();
            const std::string line = preset.substr(start, end - start);
            start = end + 1;
            const size_t eq = line.find('=');
            if (eq == std::string::npos) continue;
            std::string value = line.substr(eq + 1);
            const std::string key = line.substr(0, eq);
            if ((key == "flags" || key == "flags2") && !value.empty() && value[0] == '+') value.erase(0, 1);
            add(L"-" + Utf8ToWide(key), Utf8ToWide(value));
        }
    }
    number(L"-b:v", o.VideoBitrate);
    number(L"-maxrate", o.VideoMaxRate);
    number(L"-minrate", o.VideoMinRate);
    number(L"-bufsize", o.VideoBufSize);
    number(L"-bt", o.VideoBitRateTolerance);
    number(L"-g", o.GroupPictureSize);
    if (!o.FrameRate.empty()) add(L"-r", o.FrameRate);
    if (!o.FrameSize.empty()) {
        std::wstring size = o.FrameSize;
        std::replace(size.begin(), size.end(), L'*', L'x');
        add(L"-s", size);
    }
    if (!o.FrameAspectRatio.empty()) add(L"-aspect", o.FrameAspectRatio);
    if (!o.VideoTag.empty()) add(L"-tag:v", o.VideoTag);
    if (!o.VideoFilters.empty() || o.CropTop > 0 || o.CropBottom > 0 || o.CropLeft > 0 || o.CropRight > 0)
        refuse(L"video filters");
    if (o.DisableAudio) args += L" -an";
    if (!o.AudioCodec.empty()) add(L"-c:a", o.AudioCodec);
    number(L"-b:a", o.AudioBitrate);
    number(L"-ar", o.AudioSampleRate);
    number(L"-ac", o.AudioChannels);
    if (o.AudioVolume >= 0 && o.AudioVolume != 256) refuse(L"audio volume");
    if (!o.AudioTag.empty()) add(L"-tag:a", o.AudioTag);
    if (o.TargetType != ttIgnore) refuse(L"disc target");
    if (o.TimeStart != NoTimeValue || o.TimeLength != NoTimeValue) refuse(L"time range");
    if (!o.ExtOptions.empty()) refuse(L"extra options");
    return args;
}

// Runs ffmpeg.exe; its "-benchmark" real time in rtime (when asked for), the
// process's wall time as the result (negative on failure, with the tail of
// its log shown).
double RunFfmpeg(const std::wstring& exe, const std::wstring& arguments, const std::wstring& logFile, double& rtime,
                 bool benchmark = true) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE rawLog = CreateFileW(logFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    if (rawLog == INVALID_HANDLE_VALUE) return -1;
    platform::KernelHandle log(rawLog);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = nullptr;
    si.hStdOutput = log.Get();
    si.hStdError = log.Get();
    PROCESS_INFORMATION pi{};
    std::wstring command = Quoted(exe) + L" " + arguments;
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) return -1;
    platform::KernelHandle process(pi.hProcess), thread(pi.hThread);
    WaitForSingleObject(process.Get(), INFINITE);
    QueryPerformanceCounter(&t1);
    DWORD code = 1;
    GetExitCodeProcess(process.Get(), &code);
    log.Reset();
    std::ifstream in(logFile.c_str());
    std::string line, last;
    rtime = -1;
    while (std::getline(in, line)) {
        const size_t at = line.find("rtime=");
        if (at != std::string::npos) rtime = std::atof(line.c_str() + at + 6);
        if (!line.empty()) last = line;
    }
    if (code != 0 || (benchmark && rtime < 0)) {
        std::printf("ffmpeg.exe failed (%lu): %s\n", static_cast<unsigned long>(code), last.c_str());
        return -1;
    }
    return Seconds(t0, t1);
}

// The settings text x264 writes into its stream ("cabac=1 ref=3 ..."),
// empty when the file has none.
std::string X264Settings(const std::wstring& file) {
    std::ifstream in(file.c_str(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t at = bytes.find("x264 - core");
    if (at == std::string::npos) return std::string();
    const size_t options = bytes.find("options: ", at);
    const size_t end = bytes.find('\0', at);
    if (options == std::string::npos || options > end) return std::string();
    return bytes.substr(options + 9, end - options - 9);
}

// The stream properties both encoders were asked for, as one line.
std::string StreamLine(const std::wstring& file) {
    TAVProbe probe;
    if (!probe.LoadFile(file)) return "cannot probe: " + WideToUtf8(probe.LastErrMsg());
    const TVideoStreamInfo v = probe.FirstVideoStreamInfo();
    const TAudioStreamInfo a = probe.FirstAudioStreamInfo();
    char text[256];
    std::snprintf(text, sizeof text, "%s %s %dx%d %d/%d fps; %s %d Hz %d ch", WideToUtf8(probe.FormatName()).c_str(),
                  WideToUtf8(v.CodecName).c_str(), v.Width, v.Height, v.FrameRate.num, v.FrameRate.den,
                  WideToUtf8(a.CodecName).c_str(), a.SampleRate, a.Channels);
    probe.CloseFile();
    return text;
}

String Cell(TListItem* row, int index) { return (*row->SubItems())[index]; }


// Chooses the format of a catalogue key in the two lists; false when the
// catalogue has no such key.
bool ChooseFormat(int key) {
    const auto categories = formats::Categories();
    for (size_t c = 0; c < categories.size(); ++c)
        for (size_t f = 0; f < categories[c].Formats.size(); ++f)
            if (categories[c].Formats[f].Key == key) {
                Form1->bsSkinOfficeComboBox2->SetItemIndex(static_cast<int>(c));
                Form1->bsSkinOfficeComboBox1->SetItemIndex(static_cast<int>(f));
                return true;
            }
    return false;
}

struct Bench {
    std::wstring Ffmpeg, Folder, Clip, Outputs;
    int Rounds = 5;
    double ClipSeconds = 25;
    std::vector<String> Warnings;

    int Run() {
        testmedia::ClipSpec spec;
        spec.FileName = Clip;
        spec.Seconds = ClipSeconds;
        spec.Video.Source = "testsrc";
        spec.Video.Filter = "noise=alls=8:allf=t";  // moving grain: the encoder has real work
        spec.Audio.push_back(testmedia::AudioSpec{});
        const std::string made = testmedia::MakeClip(spec);
        if (!made.empty()) return Fail("cannot make the clip: " + made);

        CreateProgramForms();
        Form1->Video_OutPut_Folder_Edit->SetText(Outputs);
        Form1->FileOutPutPath = Outputs;
        HANDLE rawDone = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        platform::KernelHandle done(rawDone);
        int endActions = 0;
        Form1->EndActionSink = [&](TForm1::TEndAction) {
            ++endActions;
            SetEvent(done.Get());
        };
        Form1->ShowMessageBox = [this](const String& text, const String&, UINT) {
            Warnings.push_back(text);
            return IDOK;
        };
        MessageFormShownHook() = [this](TbsMessageForm* f) {
            Warnings.push_back(f->Message->Caption());
            f->ModalResult = mrOk;
        };
        Form1->Show();
        Application->ProcessMessages();
        if (!ChooseFormat(kFormatKey)) return Fail("no format " + std::to_string(kFormatKey));
        Form5->bsSkinComboBox2->SetItemIndex(0);  // one task at a time
        Form5->bsSkinCheckRadioBox1->SetChecked(true);  // the end action: open the folder (recorded)
        mainwindowtest::AddOneThroughOpenDialog(Clip);
        if (Form1->lvFiles->Items()->Count() != 1) return Fail("the clip did not become a queue row");
        TListItem* row = Form1->lvFiles->Items()->Item(0);

        std::vector<double> window, rtime, wall, started;
        std::wstring firstWindowOutput, firstFfmpegOutput, arguments;
        // One conversion through the window; false (reported) when it failed.
        auto throughWindow = [&](int round) {
            LARGE_INTEGER t0, t1;
            QueryPerformanceCounter(&t0);
            Form1->bsSkinButton2->ButtonClick();  // "开始"
            if (!Form1->BatchRunning()) return Fail("the batch did not start") == 0;
            platform::PumpingWait(done.Get(), 600000);
            QueryPerformanceCounter(&t1);
            if (Form1->BatchRunning() || Cell(row, 3) != L"100%" || !Warnings.empty())
                return Fail("the row did not convert: " + WideToUtf8(Warnings.empty() ? Cell(row, 3) : Warnings[0])) == 0;
            window.push_back(Seconds(t0, t1));
            const std::wstring output = Outputs + L"\\" + Cell(row, 2);
            if (round > 0) {
                DeleteFileW(output.c_str());
                return true;
            }
            std::wstring unsupported;
            arguments = FfmpegOutputOptions(Form1->OO1[0], unsupported);
            if (!unsupported.empty()) return Fail("no ffmpeg.exe options for: " + WideToUtf8(unsupported)) == 0;
            std::printf("encoder record -> ffmpeg.exe options:%s\n", WideToUtf8(arguments).c_str());
            firstWindowOutput = output;
            return true;
        };
        auto throughFfmpeg = [&](int round) {
            const std::wstring output = Outputs + L"\\ffmpeg-" + std::to_wstring(round) + L".mp4";
            double r = -1, unused = -1;
            const double w = RunFfmpeg(
                Ffmpeg, L"-hide_banner -nostdin -y -benchmark -i " + Quoted(Clip) + arguments + L" " + Quoted(output),
                Folder + L"ffmpeg.log", r);
            if (w < 0) return false;
            // The same process doing nothing: what the start and end of a process cost.
            const double idle = RunFfmpeg(Ffmpeg, L"-hide_banner -version", Folder + L"ffmpeg.log", unused, false);
            if (idle < 0) return false;
            rtime.push_back(r);
            wall.push_back(w);
            started.push_back(idle);
            if (round == 0) firstFfmpegOutput = output;
            else DeleteFileW(output.c_str());
            return true;
        };
        // The first round gives the options; later ones take turns at going first.
        for (int round = 0; round < Rounds; ++round) {
            const bool ok = round % 2 == 0 ? throughWindow(round) && throughFfmpeg(round)
                                           : throughFfmpeg(round) && throughWindow(round);
            if (!ok) return 1;
            std::printf("round %d: window %.3f s, ffmpeg.exe %.3f s (process %.3f s, of it %.3f s an idle process)\n",
                        round + 1, window.back(), rtime.back(), wall.back(), started.back());
            std::fflush(stdout);
        }
        if (endActions != Rounds) return Fail("end actions: " + std::to_string(endActions));

        const std::string ours = StreamLine(firstWindowOutput), theirs = StreamLine(firstFfmpegOutput);
        const std::string ourX264 = X264Settings(firstWindowOutput), theirX264 = X264Settings(firstFfmpegOutput);
        std::printf("window output:     %s\nffmpeg.exe output: %s\n", ours.c_str(), theirs.c_str());
        std::printf("x264 settings (window):     %s\n", ourX264.c_str());
        if (theirX264 != ourX264) std::printf("x264 settings (ffmpeg.exe): %s\n", theirX264.c_str());
        const bool same = ours == theirs && ourX264 == theirX264;
        std::printf("settings: %s\n", same ? "the same" : "DIFFERENT - the times do not compare");
        std::vector<double> job;
        for (size_t i = 0; i < wall.size(); ++i) job.push_back(wall[i] - started[i]);
        const double w = Median(window), f = Median(rtime), j = Median(job);
        std::printf("median of %d: window %.3f s, ffmpeg.exe %.3f s (its whole job %.3f s: the process less an idle one)\n",
                    Rounds, w, f, j);
        std::printf("window / ffmpeg.exe: %.3f (own time), %.3f (whole job)\n", w / f, w / j);
        DeleteFileW(firstWindowOutput.c_str());
        DeleteFileW(firstFfmpegOutput.c_str());
        return same ? 0 : 1;
    }

    static int Fail(const std::string& why) {
        std::printf("%s\n", why.c_str());
        return 1;
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: mainwindow_convert_bench <ffmpeg.exe> [rounds] [seconds]\n");
        return 2;
    }
    TApplication app;
    if (!mainwindowbench::StartApplication()) return 1;
    Bench bench;
    bench.Ffmpeg = Utf8ToWide(argv[1]);
    if (argc > 2) bench.Rounds = std::max(1, std::atoi(argv[2]));
    if (argc > 3) bench.ClipSeconds = std::max(1.0, std::atof(argv[3]));
    bench.Folder = testmedia::ScratchFolder(L"vantrel-convert-bench");
    bench.Clip = bench.Folder + L"source.mp4";
    bench.Outputs = bench.Folder + L"out";
    CreateDirectoryW(bench.Outputs.c_str(), nullptr);
    optionini::SetFolder(bench.Folder);
    int code = 1;
    try {
        code = bench.Run();
    } catch (const std::exception& e) {
        std::printf("failed: %s\n", e.what());
    }
    MessageFormShownHook() = nullptr;
    if (Form1) {
        Form1->EndActionSink = nullptr;
        Form1->btnClearClick(nullptr);
    }
    FreeProgramForms();
    DeleteFileW(bench.Clip.c_str());
    DeleteFileW((bench.Folder + L"ffmpeg.log").c_str());
    DeleteFileW((bench.Folder + L"option.ini").c_str());
    RemoveDirectoryW(bench.Outputs.c_str());
    RemoveDirectoryW(bench.Folder.c_str());
    return code;
}
