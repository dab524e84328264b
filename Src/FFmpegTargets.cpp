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
    const std::wstring rate = pal ? L"25" : norm == nmNtsc ? L"30000/1001" : L"24000/1001";
    const auto opt = [this](const wchar_t* AName, const std::wstring& AValue) { DispatchOption(AName, AValue); };
    const auto assumeAspect = [&](const char* AAspect) {
        if (Fframe_aspect_ratio != 0) return;
        GlobalLogger()->Log(this, llInfo, "Assuming %s for aspect ratio", AAspect);
        opt(L"aspect", Utf8ToWide(AAspect));
    };
    const std::wstring gop = pal ? L"15" : L"18";
    if (ATarget == "vcd") {
        opt(L"vcodec", L"mpeg1video"), opt(L"acodec", L"mp2"), opt(L"f", L"vcd");
        opt(L"s", pal ? L"352x288" : L"352x240"), opt(L"r", rate), opt(L"g", gop);
        opt(L"b", L"1150000"), opt(L"maxrate", L"1150000"), opt(L"minrate", L"1150000"), opt(L"bufsize", L"327680");
        opt(L"ab", L"224000");
        Faudio_sample_rate = 44100;
        Faudio_channels = 2;
        opt(L"packetsize", L"2324"), opt(L"muxrate", L"1411200");
        Fmux_preload = 0.44f;
        assumeAspect("4:3");
    } else if (ATarget == "svcd") {
        opt(L"vcodec", L"mpeg2video"), opt(L"acodec", L"mp2"), opt(L"f", L"svcd");
        opt(L"s", pal ? L"480x576" : L"480x480"), opt(L"r", rate), opt(L"g", gop);
        opt(L"b", L"2040000"), opt(L"maxrate", L"2516000"), opt(L"minrate", L"0"), opt(L"bufsize", L"1835008");
        opt(L"flags", L"+scan_offset"), opt(L"ab", L"224000");
        Faudio_sample_rate = 44100;
        opt(L"packetsize", L"2324");
        if (Faudio_channels == 1) Faudio_channels = 2;
        assumeAspect("4:3");
    } else if (ATarget == "dvd") {
        opt(L"vcodec", L"mpeg2video"), opt(L"acodec", L"ac3"), opt(L"f", L"dvd");
        opt(L"s", pal ? L"720x576" : L"720x480"), opt(L"r", rate), opt(L"g", gop);
        opt(L"b", L"6000000"), opt(L"maxrate", L"9000000"), opt(L"minrate", L"0"), opt(L"bufsize", L"1835008");
        opt(L"packetsize", L"2048"), opt(L"muxrate", L"10080000"), opt(L"ab", L"448000");
        Faudio_sample_rate = 48000;
        if (Faudio_channels == 1) Faudio_channels = 2;
        assumeAspect("16:9");
    } else if (ATarget == "dv" || ATarget == "dv50") {
        opt(L"f", L"dv"), opt(L"s", pal ? L"720x576" : L"720x480");
        opt(L"pix_fmt", ATarget == "dv50" ? L"yuv422p" : pal ? L"yuv420p" : L"yuv411p");
        opt(L"r", rate);
        Faudio_sample_rate = 48000;
        Faudio_channels = 2;
    } else {
        throw FFmpegException("Unknown target type");
    }
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
