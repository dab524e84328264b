// Target presets (vcd, svcd, dvd, dv, dv50 in a television norm) and the
// small options that prepare an encoding pass: quantiser matrices, the
// statistics file, and the format lists of "pix_fmt"/"sample_fmt" "list".
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "Src/AVUtilStubs.h"
#include "Src/FFmpeg.h"
#include "Src/FFmpegLogger.h"

namespace {

enum TNorm { nmPal, nmNtsc, nmFilm };

// PAL for 25 fps, NTSC for 29.97 and 23.976, else -1.
int NormOfRate(int64_t AMilliFps) {
    if (AMilliFps == 25000) return nmPal;
    if (AMilliFps == 29970 || AMilliFps == 23976) return nmNtsc;
    return -1;
}

int64_t MilliFps(AVRational ARate) { return ARate.den ? std::llround(ARate.num * 1000.0 / ARate.den) : 0; }

}  // namespace

int TCustomFFmpeg::DetectNorm(const std::string& ANorm, const std::string& ADefaultNorm) {
    if (ANorm == "pal") return nmPal;
    if (ANorm == "ntsc") return nmNtsc;
    if (ANorm == "film") return nmFilm;
    if (Fframe_rate.den == 0) throw FFmpegException("frame_rate is invalid.");
    int norm = NormOfRate(MilliFps(Fframe_rate));
    for (int i = 0; i < Fnb_input_files && norm < 0; ++i)
        for (unsigned j = 0; j < Finput_files[i]->nb_streams && norm < 0; ++j) {
            const AVStream* st = Finput_files[i]->streams[j];
            if (st->codecpar->codec_type != AVMEDIA_TYPE_VIDEO) continue;
            norm = NormOfRate(MilliFps(st->avg_frame_rate.den ? st->avg_frame_rate : st->r_frame_rate));
        }
    if (norm < 0) norm = ADefaultNorm == "film" ? nmFilm : ADefaultNorm == "ntsc" ? nmNtsc : nmPal;
    if (Fverbose > 0) GlobalLogger()->Log(this, llVerbose, "Assuming %s for target.", norm == nmPal ? "PAL" : "NTSC");
    return norm;
}

void TCustomFFmpeg::SetTargetPreset(const std::string& ATarget, const std::string& ANorm, const std::string& ADefaultNorm) {
    const int norm = DetectNorm(ANorm, ADefaultNorm);
    const bool pal = norm == nmPal;
    const std::string rate = pal ? "25" : norm == nmNtsc ? "30000/1001" : "24000/1001";
    const auto opt = [this](const char* AName, const std::string& AValue) {
        DispatchOption(Utf8ToWide(AName), Utf8ToWide(AValue));
    };
    const auto assumeAspect = [&](const char* AAspect) {
        if (Fframe_aspect_ratio != 0) return;
        GlobalLogger()->Log(this, llInfo, "Assuming %s for aspect ratio", AAspect);
        opt("aspect", AAspect);
    };
    // The values a disc of the target needs; EnforceTargetValues puts them
    // back when a later option contradicts them.
    const auto fix = [&](const char* ASize, int ASampleRate, int64_t ABitRate, int64_t AMin, int64_t AMax,
                         int64_t ABufSize) {
        FTarget = {ATarget, ASize, rate, ASampleRate, ABitRate, AMin, AMax, ABufSize};
        opt("s", ASize), opt("r", rate), opt("g", pal ? "15" : "18");
        opt("b", std::to_string(ABitRate)), opt("maxrate", std::to_string(AMax));
        opt("minrate", std::to_string(AMin)), opt("bufsize", std::to_string(ABufSize));
        Faudio_sample_rate = ASampleRate;
    };
    if (ATarget == "vcd") {
        opt("vcodec", "mpeg1video"), opt("acodec", "mp2"), opt("f", "vcd");
        fix(pal ? "352x288" : "352x240", 44100, 1150000, 1150000, 1150000, 327680);
        opt("ab", "224000");
        Faudio_channels = 2;
        // The mux rate and preload belong to the MPEG muxer; 0.44 s is
        // 36000 + 3 * 1200 ticks of the 90 kHz clock.
        opt("packetsize", "2324"), opt("muxrate", "1411200");
        Fmux_preload = 0.44f;
        Fmux_preload_set = true;
        assumeAspect("4:3");
    } else if (ATarget == "svcd") {
        opt("vcodec", "mpeg2video"), opt("acodec", "mp2"), opt("f", "svcd");
        fix(pal ? "480x576" : "480x480", 44100, 2040000, 0, 2516000, 1835008);
        // Room for the scan offsets of the SVCD user data: a private option
        // of the MPEG-2 encoder.
        opt("scan_offset", "1"), opt("ab", "224000");
        opt("packetsize", "2324");
        if (Faudio_channels == 1) Faudio_channels = 2;
        assumeAspect("4:3");
    } else if (ATarget == "dvd") {
        opt("vcodec", "mpeg2video"), opt("acodec", "ac3"), opt("f", "dvd");
        fix(pal ? "720x576" : "720x480", 48000, 6000000, 0, 9000000, 1835008);
        opt("packetsize", "2048"), opt("muxrate", "10080000"), opt("ab", "448000");
        if (Faudio_channels == 1) Faudio_channels = 2;
        assumeAspect("16:9");
    } else if (ATarget == "dv" || ATarget == "dv50") {
        opt("f", "dv"), opt("s", pal ? "720x576" : "720x480");
        opt("pix_fmt", ATarget == "dv50" ? "yuv422p" : pal ? "yuv420p" : "yuv411p");
        opt("r", rate);
        Faudio_sample_rate = 48000;
        Faudio_channels = 2;
        FTarget = {ATarget, pal ? "720x576" : "720x480", rate, 48000, 0, 0, 0, 0};
    } else {
        throw FFmpegException("Unknown target type");
    }
}

void TCustomFFmpeg::EnforceTargetValues() {
    if (FTarget.Size.empty()) return;
    const auto restore = [this](const char* AWhat, const std::string& AHad, const std::string& AName,
                                const std::string& AValue) {
        GlobalLogger()->Log(this, llWarning, "Target %s: %s %s replaced by the target's %s", FTarget.Name.c_str(), AWhat,
                            AHad.c_str(), AValue.c_str());
        DispatchOption(Utf8ToWide(AName), Utf8ToWide(AValue));
    };
    int w = 0, h = 0;
    ff::av_parse_video_size(&w, &h, FTarget.Size.c_str());
    if (Fframe_width != w || Fframe_height != h)
        restore("frame size", std::to_string(Fframe_width) + "x" + std::to_string(Fframe_height), "s", FTarget.Size);
    AVRational rate{0, 1};
    ff::av_parse_video_rate(&rate, FTarget.Rate.c_str());
    if (av_cmp_q(rate, Fframe_rate) != 0)
        restore("frame rate", std::to_string(Fframe_rate.num) + "/" + std::to_string(Fframe_rate.den), "r", FTarget.Rate);
    if (Faudio_sample_rate != FTarget.SampleRate) {
        GlobalLogger()->Log(this, llWarning, "Target %s: sample rate %d replaced by the target's %d", FTarget.Name.c_str(),
                            Faudio_sample_rate, FTarget.SampleRate);
        Faudio_sample_rate = FTarget.SampleRate;
    }
    if (FTarget.MaxRate <= 0) return;
    const AVCodecContext* video = FOptions.avcodec_opts[AVMEDIA_TYPE_VIDEO];
    if (!video) return;
    const struct {
        const char* Name;
        int64_t Had, Want;
    } limits[] = {{"maxrate", video->rc_max_rate, FTarget.MaxRate},
                  {"minrate", video->rc_min_rate, FTarget.MinRate},
                  {"bufsize", video->rc_buffer_size, FTarget.BufSize}};
    for (const auto& l : limits)
        if (l.Had != l.Want) restore(l.Name, std::to_string(l.Had), l.Name, std::to_string(l.Want));
    // A bit rate inside the target's limits is the user's choice.
    const int64_t b = video->bit_rate;
    if (b < FTarget.MinRate || b > FTarget.MaxRate || b <= 0)
        restore("video bit rate", std::to_string(b), "b", std::to_string(FTarget.BitRate));
}

void TCustomFFmpeg::SetTargetOption(const std::string& AValue) {
    const size_t first = AValue.find_first_not_of(' ');
    const std::string value = first == std::string::npos ? "" : AValue.substr(first, AValue.find_last_not_of(' ') - first + 1);
    for (const char* norm : {"pal", "ntsc", "film"}) {
        const std::string prefix = std::string(norm) + "-";
        if (value.rfind(prefix, 0) == 0) return SetTargetPreset(value.substr(prefix.size()), norm, "ntsc");
    }
    SetTargetPreset(value, "auto", "ntsc");
}

void TCustomFFmpeg::SetMatrix(uint16_t*& AMatrix, const std::string& AText) {
    if (AMatrix) std::memset(AMatrix, 0, 64 * sizeof(uint16_t));
    else AMatrix = static_cast<uint16_t*>(ff::av_mallocz(64 * sizeof(uint16_t)));
    if (!AMatrix) throw FFmpegException("Out of memory for the quantiser matrix");
    const char* p = AText.c_str();
    for (int i = 0;; ++i) {
        AMatrix[i] = static_cast<uint16_t>(std::strtoul(p, nullptr, 10));
        if (!std::isdigit(static_cast<unsigned char>(*p))) AMatrix[i] = 0;
        if (i == 63) return;
        p = std::strchr(p, ',');
        if (!p) {
            // A matrix read only in part would be used half-filled: drop it.
            ff::av_freep(&AMatrix);
            throw FFmpegException(FormatText("Syntax error in matrix \"%s\" at coeff %d", AText.c_str(), i));
        }
        ++p;
    }
}

void TCustomFFmpeg::SetVstatsName() {
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring folder = exe;
    folder.erase(folder.find_last_of(L"\\/") + 1);
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t stamp[16];
    swprintf(stamp, 16, L"%02u%02u%02u", now.wHour, now.wMinute, now.wSecond);
    if (Fvstats_filename) ff::av_freep(&Fvstats_filename);
    Fvstats_filename = ff::av_strdup(WideToAnsi(folder + L"vstats_" + stamp + L".log").c_str());
}

void TCustomFFmpeg::LogFormatList(bool APixel) {
    char line[128];
    const int last = APixel ? AV_PIX_FMT_NB - 1 : AV_SAMPLE_FMT_NB - 1;
    for (int i = -1; i <= last; ++i) {
        const char* text = APixel ? ff::av_get_pix_fmt_string(line, sizeof line, static_cast<AVPixelFormat>(i))
                                  : ff::av_get_sample_fmt_string(line, sizeof line, static_cast<AVSampleFormat>(i));
        if (!text) continue;
        std::string s = text;
        while (!s.empty() && (s.back() == ' ' || s.back() == '\n')) s.pop_back();
        GlobalLogger()->Log(this, llInfo, Utf8ToWide(s));
    }
}
