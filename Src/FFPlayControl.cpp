// The player's playback control on the host's thread: pause, resume,
// step, seek, and the property setters that act on the open file.
#include <cmath>
#include <stdexcept>

#include "Src/AVFormatStubs.h"
#include "Src/FFPlay.h"

// --- Playback control ---

bool TCustomPlayer::Paused() {
    auto vs = State();
    return !vs || vs->paused;
}

void TCustomPlayer::Pause() {
    auto vs = State();
    if (!vs || vs->paused) return;
    TogglePauseState(vs.get());
    Fstep = false;
    SetPlayState(psPause);
}

void TCustomPlayer::Resume() {
    auto vs = State();
    if (!vs || !vs->paused) return;
    TogglePauseState(vs.get());
    Fstep = false;
    SetPlayState(psResume);
}

void TCustomPlayer::TogglePause() {
    auto vs = State();
    if (!vs) return;
    TogglePauseState(vs.get());
    Fstep = false;
    SetPlayState(vs->paused ? psPause : psResume);
}

void TCustomPlayer::StepToNextFrame() {
    auto vs = State();
    if (!vs) return;
    if (vs->paused) TogglePauseState(vs.get());
    if (!Fstep.exchange(true)) SetPlayState(psStep);
}

void TCustomPlayer::ToggleAudioDisplay() {
    auto vs = State();
    if (!vs) return;
    vs->show_audio = (vs->show_audio + 1) % 3;
    // The play thread draws: a new surface starts black, then the display
    // of the new mode follows.
    PushReopenEvent(vs.get());
}

void TCustomPlayer::Seek(int64_t APTS, TSeekFlags ASeekFlags, bool AWaitForSeekEnd) {
    auto vs = State();
    if (!vs) return;
    if (ASeekFlags.Contains(sfByte)) {
        StreamSeek(vs.get(), ASeekFlags.LibFlags(), AWaitForSeekEnd, 0, APTS);
        return;
    }
    int64_t target = APTS;
    // A container of unknown duration has no upper bound to clamp to.
    if (vs->ic->duration != AV_NOPTS_VALUE) target = std::min(target, vs->ic->duration);
    if (vs->ic->start_time != AV_NOPTS_VALUE) target += vs->ic->start_time;
    StreamSeek(vs.get(), ASeekFlags.LibFlags(), AWaitForSeekEnd, APTS <= 0 ? 1 : 0, target);
}

void TCustomPlayer::Seek(double ADelta, TSeekFlags ASeekFlags, bool AWaitForSeekEnd) {
    auto vs = State();
    if (!vs) return;
    if (ASeekFlags.Contains(sfByte)) {
        const double bytes = vs->ic->bit_rate ? ADelta * vs->ic->bit_rate / 8.0 : ADelta * 180000.0;
        const int64_t here = vs->ic->pb ? ff::avio_seek(vs->ic->pb, 0, SEEK_CUR) : 0;
        StreamSeek(vs.get(), ASeekFlags.LibFlags(), AWaitForSeekEnd, std::llround(bytes), std::llround(here + bytes));
        return;
    }
    StreamSeek(vs.get(), ASeekFlags.LibFlags(), AWaitForSeekEnd, std::llround(ADelta * 1000000),
               std::llround((GetMasterClock(vs.get()) + ADelta) * 1000000));
}

// --- Property setters ---

void TCustomPlayer::SetAspectRatio(float AValue) {
    if (AValue == FAspectRatio) return;
    FAspectRatio = AValue;
    if (auto vs = State()) PushReopenEvent(vs.get());
}

void TCustomPlayer::SetShowAudio(TShowAudio AValue) {
    FShowAudio = AValue;
    auto vs = State();
    if (vs && vs->audio_st && !DisableDisplay) vs->show_audio = AValue;
}

std::wstring TCustomPlayer::Format() const { return Ffile_iformat ? Utf8ToWide(Ffile_iformat->name) : L""; }

void TCustomPlayer::SetFormat(const std::wstring& AName) {
    if (!AVLibLoaded()) {
        LogError(L"libav or libsdl not loaded.", true);
        return;
    }
    if (AName.empty()) {
        Ffile_iformat = nullptr;
        return;
    }
    const AVInputFormat* f = ff::av_find_input_format(WideToUtf8(AName).c_str());
    if (!f) throw std::invalid_argument("Unknown input format: " + WideToUtf8(AName));
    Ffile_iformat = f;
}

int TCustomPlayer::VideoStreamIndex() {
    auto vs = State();
    return vs ? vs->video_stream.load() : -1;
}
int TCustomPlayer::AudioStreamIndex() {
    auto vs = State();
    return vs ? vs->audio_stream.load() : -1;
}
int TCustomPlayer::SubtitleStreamIndex() {
    auto vs = State();
    return vs ? vs->subtitle_stream.load() : -1;
}

void TCustomPlayer::SetVideoStreamIndex(int AIndex) {
    auto vs = State();
    if (vs && AIndex != vs->video_stream) SwitchStream(vs.get(), AVMEDIA_TYPE_VIDEO, AIndex);
}
void TCustomPlayer::SetAudioStreamIndex(int AIndex) {
    auto vs = State();
    if (vs && AIndex != vs->audio_stream) SwitchStream(vs.get(), AVMEDIA_TYPE_AUDIO, AIndex);
}
void TCustomPlayer::SetSubtitleStreamIndex(int AIndex) {
    auto vs = State();
    if (vs && AIndex != vs->subtitle_stream) SwitchStream(vs.get(), AVMEDIA_TYPE_SUBTITLE, AIndex);
}
