#pragma once
// The player tests' clips, made once per process in a temporary folder.
#include <string>
#include <vector>

#include "Src/AVCodecStubs.h"
#include "Src/AVFormatStubs.h"
#include "Src/FFOwners.h"
#include "Src/UnicodeProtocol.h"
#include "tools/testmedia/TestMedia.h"

// Copies the streams of AFrom into a Matroska file, the first video stream
// twice (streams 0 and 1, then the others); an empty result on success.
inline std::string WriteWithVideoTwice(const std::wstring& AFrom, const std::wstring& ATo) {
    AVFormatContext* in = nullptr;
    const std::string from = ToLibFileName(AFrom), to = ToLibFileName(ATo);
    if (ff::avformat_open_input(&in, from.c_str(), nullptr, nullptr) < 0) return "cannot open the source";
    std::string error;
    AVFormatContext* out = nullptr;
    std::vector<std::vector<int>> map(in->nb_streams);  // output streams of each input stream
    if (ff::avformat_find_stream_info(in, nullptr) < 0 ||
        ff::avformat_alloc_output_context2(&out, nullptr, "matroska", to.c_str()) < 0) {
        error = "cannot set up the copy";
    } else {
        auto add = [&](unsigned AIndex) {
            AVStream* st = ff::avformat_new_stream(out, nullptr);
            if (!st || ff::avcodec_parameters_copy(st->codecpar, in->streams[AIndex]->codecpar) < 0) return false;
            st->codecpar->codec_tag = 0;
            st->time_base = in->streams[AIndex]->time_base;
            map[AIndex].push_back(st->index);
            return true;
        };
        bool ok = true;
        for (unsigned i = 0; i < in->nb_streams; ++i)
            if (in->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO) ok = ok && add(i) && add(i);
        for (unsigned i = 0; i < in->nb_streams; ++i)
            if (in->streams[i]->codecpar->codec_type != AVMEDIA_TYPE_VIDEO) ok = ok && add(i);
        if (!ok || ff::avio_open(&out->pb, to.c_str(), AVIO_FLAG_WRITE) < 0 || ff::avformat_write_header(out, nullptr) < 0) {
            error = "cannot start the copy";
        } else {
            TPacketPtr pkt = NewPacket();
            while (error.empty() && ff::av_read_frame(in, pkt.get()) >= 0) {
                for (int target : map[pkt->stream_index]) {
                    TPacketPtr copy(ff::av_packet_clone(pkt.get()));
                    if (!copy) {
                        error = "out of memory";
                        break;
                    }
                    ff::av_packet_rescale_ts(copy.get(), in->streams[pkt->stream_index]->time_base,
                                             out->streams[target]->time_base);
                    copy->stream_index = target;
                    if (ff::av_interleaved_write_frame(out, copy.get()) < 0) error = "cannot write a packet";
                }
                ff::av_packet_unref(pkt.get());
            }
            if (ff::av_write_trailer(out) < 0 && error.empty()) error = "cannot finish the copy";
        }
        if (out->pb) ff::avio_closep(&out->pb);
    }
    if (out) ff::avformat_free_context(out);
    ff::avformat_close_input(&in);
    return error;
}

struct PlayerMedia {
    std::wstring Folder;
    std::wstring Bars5s;    // 5 s 320x240 25 fps colour bars, MPEG-4 video and AAC sound
    std::wstring BarsOnly;  // 2 s 320x240 colour bars, video only
    std::wstring Sound;     // 2 s 44.1 kHz stereo sine tone, audio only (WAV)
    std::wstring Subtitled; // 2 s colour bars, sound and a text subtitle stream (MKV)
    std::wstring TwoAudio;  // 2 s colour bars, MP3 sound first and AAC sound second (MKV)
    std::wstring EveryKey;  // 2 s 320x240 colour bars at 25 fps, every picture a key picture, video only
    std::wstring TwoVideo;  // Bars5s with its video stream twice (streams 0 and 1, sound 2; MKV)
    std::string Error;
};

inline const PlayerMedia& PlayerClips() {
    static const PlayerMedia media = [] {
        PlayerMedia m;
        m.Folder = testmedia::ScratchFolder(L"vantrel-player");
        auto make = [&](const std::wstring& AName, double ASeconds, bool AVideo, bool AAudio,
                        const char* ASubtitles = nullptr) {
            testmedia::ClipSpec spec;
            spec.FileName = m.Folder + AName;
            spec.Seconds = ASeconds;
            spec.HasVideo = AVideo;
            spec.Video.Width = 320;
            spec.Video.Height = 240;
            if (AAudio) {
                testmedia::AudioSpec a;
                if (!AVideo) a.Encoder = "pcm_s16le";
                spec.Audio.push_back(a);
            }
            spec.SubtitleLanguage = ASubtitles;
            if (m.Error.empty()) m.Error = testmedia::MakeClip(spec);
            return spec.FileName;
        };
        m.Bars5s = make(L"bars5s.mp4", 5, true, true);
        m.BarsOnly = make(L"barsonly.mp4", 2, true, false);
        m.Sound = make(L"sound.wav", 2, false, true);
        m.Subtitled = make(L"subtitled.mkv", 2, true, true, "eng");
        testmedia::ClipSpec two;
        two.FileName = m.TwoAudio = m.Folder + L"two-audio.mkv";
        two.Seconds = 2;
        two.Video = testmedia::VideoSpec{320, 240};
        two.Audio = {testmedia::AudioSpec{"libmp3lame"}, testmedia::AudioSpec{"aac", 44100, 2, nullptr, 880}};
        if (m.Error.empty()) m.Error = testmedia::MakeClip(two);
        testmedia::ClipSpec keys;
        keys.FileName = m.EveryKey = m.Folder + L"every-key.mp4";
        keys.Seconds = 2;
        keys.Video = testmedia::VideoSpec{320, 240};
        keys.Video.Gop = 1;
        if (m.Error.empty()) m.Error = testmedia::MakeClip(keys);
        m.TwoVideo = m.Folder + L"two-video.mkv";
        if (m.Error.empty()) m.Error = WriteWithVideoTwice(m.Bars5s, m.TwoVideo);
        return m;
    }();
    return media;
}
