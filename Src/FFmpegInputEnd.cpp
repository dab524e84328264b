// The end of an input during the main loop: an input that ends before its
// end fails the task naming the input, and "loop_input" reads an input
// again from its start. Both run on the task's converting thread.
#include "Src/AVFormatStubs.h"
#include "Src/FFUtils.h"
#include "Src/FFmpeg.h"
#include "Src/FFmpegLogger.h"

bool TCustomFFmpeg::RewindInput(int AFile) {
    AVFormatContext* ic = Finput_files[AFile];
    if (ic->duration <= 0 || ic->duration == AV_NOPTS_VALUE)
        throw FFmpegException(Finput_names.at(AFile) + L": an input without a known duration cannot loop (option loop_input)");
    const int64_t start = ic->start_time != AV_NOPTS_VALUE ? ic->start_time : 0;
    const int r = ff::av_seek_frame(ic, -1, start, AVSEEK_FLAG_BACKWARD);
    if (r < 0) throw FFmpegException(Finput_names.at(AFile) + L": cannot loop the input: " + LibErrorText(r));
    // The next pass follows the last on the time line.
    Finput_files_ts_offset[AFile] += ic->duration;
    const TAVInputFile& f = Ffile_table[AFile];
    for (int k = 0; k < f.nb_streams; ++k) Fist_table[f.ist_index + k]->packets_read = 0;
    return true;
}

void TCustomFFmpeg::CheckInputEnd(int AFile, int AReadResult, bool ACutPacket) {
    const std::wstring& name = Finput_names.at(AFile);
    AVFormatContext* ic = Finput_files[AFile];
    std::wstring reason;
    if (ACutPacket) {
        reason = L"the file ends inside a packet (cut short)";
    } else if (AReadResult != AVERROR_EOF) {
        reason = LibErrorText(AReadResult);
    } else if (ic->pb && ic->pb->error < 0) {
        reason = LibErrorText(ic->pb->error);
    } else if (!Finput_seeked[AFile]) {
        // A container with an index (MP4, MOV) says how many packets each
        // stream has; a half-downloaded file ends before them.
        const TAVInputFile& f = Ffile_table[AFile];
        for (int k = 0; k < f.nb_streams && reason.empty(); ++k) {
            const TAVInputStream& ist = *Fist_table[f.ist_index + k];
            if (ist.st->nb_frames > 0 && ist.packets_read > 0 && ist.packets_read < ist.st->nb_frames &&
                !ist.is_past_recording_time)
                reason = FormatText("the file ends early (stream #%d: %lld of %lld packets)", k,
                                    static_cast<long long>(ist.packets_read), static_cast<long long>(ist.st->nb_frames));
        }
    }
    if (reason.empty()) return;
    const std::wstring m = name + L": " + reason;
    GlobalLogger()->Log(this, llError, m);
    throw FFmpegException(m);
}
