// The end of an input during the main loop: an input that ends before its
// end, as its demuxer tells (a read error, a packet cut by the end of the
// file, an index reaching past the end), fails the task naming the input;
// "loop_input" reads an input again from its start; a timestamp far past
// the end is dropped. All run on the task's converting thread.
#include <algorithm>

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
    return true;
}

namespace {

// The first byte past the packets the demuxer's index places furthest into
// the file, over the streams the task uses; -1 when no such stream has an
// index.
int64_t IndexEnd(const std::vector<std::unique_ptr<TAVInputStream>>& AStreams, int AFirst, int ACount) {
    int64_t end = -1;
    for (int k = 0; k < ACount; ++k) {
        const TAVInputStream& ist = *AStreams[AFirst + k];
        if (ist.discard || ist.is_past_recording_time) continue;
        const int n = ff::avformat_index_get_entries_count(ist.st);
        for (int i = 0; i < n; ++i) {
            const AVIndexEntry* e = ff::avformat_index_get_entry(ist.st, i);
            if (e && e->pos >= 0) end = std::max(end, e->pos + e->size);
        }
    }
    return end;
}

// Whether a timestamp (stream time base, the input's offset added) lies
// more than AMargin microseconds past the end of an input whose length its
// index or timestamps give (one estimated from the bit rate is too rough).
// The input's end is its start plus its length plus AOffset (microseconds).
bool PastTheEnd(const AVFormatContext* AInput, int64_t AOffset, double AMargin, int64_t ATimestamp, AVRational ATimeBase) {
    if (ATimestamp == AV_NOPTS_VALUE || AInput->duration <= 0 || AInput->duration == AV_NOPTS_VALUE ||
        AInput->duration_estimation_method == AVFMT_DURATION_FROM_BITRATE)
        return false;
    const int64_t start = AInput->start_time != AV_NOPTS_VALUE ? AInput->start_time : 0;
    const int64_t end = start + AInput->duration + AOffset;
    return static_cast<double>(ff::av_rescale_q(ATimestamp, ATimeBase, AV_TIME_BASE_Q)) > end + AMargin;
}

}  // namespace

void TCustomFFmpeg::DropTimestampPastTheEnd(AVPacket* APkt, int AFile, const TAVInputStream& AIst) {
    // Followed, such a timestamp (a flipped byte) would fill the output
    // with copies of one picture up to it; without it the packet is timed
    // by the packets before it.
    const AVFormatContext* ic = Finput_files[AFile];
    if (ic->iformat->flags & AVFMT_TS_DISCONT) return;
    const AVRational tb = AIst.st->time_base;
    const double margin = Fdts_delta_threshold * 1000000.0;
    const int64_t offset = Finput_files_ts_offset[AFile];
    if (!PastTheEnd(ic, offset, margin, APkt->dts, tb) && !PastTheEnd(ic, offset, margin, APkt->pts, tb)) return;
    if (Fverbose >= 0)
        GlobalLogger()->Log(this, llWarning, "stream #%d.%d: a timestamp past the end of the input (%0.3f s) is dropped",
                            AIst.file_index, AIst.index, (APkt->pts != AV_NOPTS_VALUE ? APkt->pts : APkt->dts) * av_q2d(tb));
    APkt->dts = AV_NOPTS_VALUE;
    APkt->pts = AV_NOPTS_VALUE;
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
    } else if (ic->pb) {
        // A container with its index at the front (MP4, MOV) cut after the
        // index: the demuxer meets the end of the file where the index puts
        // packets still to come, and reports a plain end.
        const TAVInputFile& f = Ffile_table[AFile];
        const int64_t size = ff::avio_size(ic->pb);
        const int64_t indexEnd = IndexEnd(Fist_table, f.ist_index, f.nb_streams);
        if (size >= 0 && indexEnd > size)
            reason = FormatText("the file ends early (its index reaches byte %lld of a %lld-byte file)",
                                static_cast<long long>(indexEnd), static_cast<long long>(size));
    }
    if (reason.empty()) return;
    const std::wstring m = name + L": " + reason;
    GlobalLogger()->Log(this, llError, m);
    throw FFmpegException(m);
}
