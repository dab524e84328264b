#pragma once
// The player tests' clips, made once per process in a temporary folder.
#include <string>

#include "tools/testmedia/TestMedia.h"

struct PlayerMedia {
    std::wstring Folder;
    std::wstring Bars5s;    // 5 s 320x240 25 fps colour bars, MPEG-4 video and AAC sound
    std::wstring BarsOnly;  // 2 s 320x240 colour bars, video only
    std::wstring Sound;     // 2 s 44.1 kHz stereo sine tone, audio only (WAV)
    std::wstring Subtitled; // 2 s colour bars, sound and a text subtitle stream (MKV)
    std::wstring TwoAudio;  // 2 s colour bars, MP3 sound first and AAC sound second (MKV)
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
        return m;
    }();
    return media;
}
