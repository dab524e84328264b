// Join mode: several inputs written one after another into one output.
//
// The output entry is repeated once per input, so output stream group j
// (the streams of entry j) is fed by input j alone. Every group writes into
// the same format streams and uses the encoders opened for group 0; only the
// per-input work (resampler, scaler or filter graph, bitstream filters) is
// the group's own. The encoders are not drained between the inputs: they
// run on, so the output has one continuous, monotonic time line and the
// delayed pictures of one input are written among the next input's. When an
// input ends, its decoders are drained, the frame counters of its group are
// carried to the following groups, and the next input's timestamps are moved
// to start where the output of the ended input stops.
#include <cmath>

#include "Src/AVCodecStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/FFUtils.h"
#include "Src/FFmpeg.h"

void TCustomFFmpeg::SetupJoinedStream(TAVOutputStream& AOst) {
    TAVOutputStream& owner = *Fost_table[AOst.index];
    AOst.owner = &owner;
    AOst.enc = owner.enc;
    AOst.stream_copy = owner.stream_copy;
}

bool TCustomFFmpeg::JoinedGroupAtLimit(int AInput) const {
    for (int i = AInput * Fgroup_size; i < (AInput + 1) * Fgroup_size; ++i) {
        const TAVOutputStream& ost = *Fost_table[i];
        const int type = ost.enc->codec_type;
        if (type >= 0 && type < 4 && ost.frame_number >= Fmax_frames[type]) return true;
    }
    return false;
}

double TCustomFFmpeg::JoinedStreamEnd(TAVOutputStream& AOst) const {
    const AVCodecContext* enc = AOst.enc;
    if (AOst.encoding_needed && enc->codec_type == AVMEDIA_TYPE_VIDEO) return AOst.sync_opts * av_q2d(enc->time_base);
    if (AOst.encoding_needed && enc->codec_type == AVMEDIA_TYPE_AUDIO && enc->sample_rate > 0) {
        // Samples handed to the encoder and those still queued for it.
        AVAudioFifo* fifo = SharedState(AOst).fifo;
        const int queued = fifo ? ff::av_audio_fifo_size(fifo) : 0;
        return static_cast<double>(AOst.sync_opts + queued) / enc->sample_rate;
    }
    return SharedState(AOst).last_dts * av_q2d(AOst.st->time_base);
}

bool TCustomFFmpeg::JoinNextInput(int AInput) {
    for (size_t n = 0; n < Fist_table.size(); ++n) {
        TAVInputStream& ist = *Fist_table[n];
        if (ist.file_index == AInput && ist.decoding_needed) OutputPacket(ist, static_cast<int>(n), nullptr);
    }
    const int total = static_cast<int>(Fost_table.size());
    for (int i = (AInput + 1) * Fgroup_size; i < total; ++i) {
        Fost_table[i]->sync_opts = Fost_table[i - Fgroup_size]->sync_opts;
        Fost_table[i]->frame_number = Fost_table[i - Fgroup_size]->frame_number;
    }
    double end = 0.0;
    for (int i = AInput * Fgroup_size; i < (AInput + 1) * Fgroup_size && i + Fgroup_size < total; ++i) {
        end = std::max(end, JoinedStreamEnd(*Fost_table[i]));
        Fost_table[i]->show_fps = 0;  // the report moves on to the next group
    }
    if (AInput >= Fnb_input_files - 1) return false;
    Finput_files_ts_offset[AInput + 1] += std::llrint(end * 1000000.0);
    Fcurrent_input = AInput + 1;
    return true;
}

void TCustomFFmpeg::DrainJoinedEncoders(int AInput) {
    for (int i = AInput * Fgroup_size; i < (AInput + 1) * Fgroup_size; ++i) {
        TAVOutputStream& ost = *Fost_table[i];
        if (!ost.encoding_needed) continue;
        if (ost.enc->codec_type == AVMEDIA_TYPE_AUDIO) {
            EncodeAudioFifo(ost, true);
            EncodeAndWrite(ost, nullptr);
        } else if (ost.enc->codec_type == AVMEDIA_TYPE_VIDEO) {
            EncodeAndWrite(ost, nullptr);
        }
    }
}
