// One conversion task: the working tables, the codecs, the headers, the
// packet loop and the end of the task.
#include <algorithm>
#include <cmath>

#include <cstring>

#include "Src/AVCodecStubs.h"
#include "Src/AVFilterStubs.h"
#include "Src/AVFormatStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/FFOwners.h"
#include "Src/FFUtils.h"
#include "Src/FFmpeg.h"
#include "Src/FFmpegLoader.h"
#include "Src/FFmpegLogger.h"
#include "Src/SwResampleStubs.h"
#include "Src/SwScaleStubs.h"

namespace {

std::string TypeName(int AType) { return WideToUtf8(MediaTypeName(AType)); }

}  // namespace

// ---------------------------------------------------------------- set-up

void TCustomFFmpeg::BuildInputTables() {
    Ffile_table.assign(Fnb_input_files, {});
    int total = 0;
    for (int k = 0; k < Fnb_input_files; ++k) {
        Ffile_table[k].ist_index = total;
        Ffile_table[k].nb_streams = static_cast<int>(Finput_files[k]->nb_streams);
        total += Ffile_table[k].nb_streams;
    }
    for (int k = 0; k < Fnb_input_files; ++k) {
        for (unsigned s = 0; s < Finput_files[k]->nb_streams; ++s) {
            TAVInputStream* ist = Fist_table.emplace_back(std::make_unique<TAVInputStream>()).get();
            ist->st = Finput_files[k]->streams[s];
            ist->file_index = k;
            ist->index = static_cast<int>(s);
            ist->discard = 1;
            if (Frate_emu) ist->start = Now();
        }
    }
}

void TCustomFFmpeg::ChooseSource(TAVOutputStream& AOst, int AIndex) {
    const AVMediaType type = AOst.enc->codec_type;
    int source = -1;
    if (Fnb_stream_maps > 0) {
        const TAVStreamMap& m = Fstream_maps[AIndex];
        source = Ffile_table[m.file_index].ist_index + m.stream_index;
        if (Fist_table[source]->st->codecpar->codec_type != type) {
            ff::av_dump_format(Foutput_files[AOst.file_index], AOst.file_index, Foutput_files[AOst.file_index]->url, 1);
            throw FFmpegException(FormatText("Codec type mismatch for mapping #%d.%d (%s) -> #%d.%d (%s)", m.file_index,
                                             m.stream_index, TypeName(Fist_table[source]->st->codecpar->codec_type).c_str(),
                                             AOst.file_index, AOst.index, TypeName(type).c_str()));
        }
        AOst.sync_ist = Fist_table[Ffile_table[m.sync_file_index].ist_index + m.sync_stream_index].get();
    } else {
        // The stream the probe saw most frames of; the first of equals.
        double best = -1;
        for (size_t j = 0; j < Fist_table.size(); ++j) {
            TAVInputStream* ist = Fist_table[j].get();
            if (!ist->discard || ist->st->discard == AVDISCARD_ALL || ist->st->codecpar->codec_type != type) continue;
            if (FJoinMode && ist->file_index != AOst.file_index) continue;
            const double score = AnalysedFrameRate(ist->st);
            if (score > best) {
                best = score;
                source = static_cast<int>(j);
            }
        }
        if (source < 0 && !FJoinMode)
            for (size_t j = 0; j < Fist_table.size(); ++j)
                if (Fist_table[j]->st->codecpar->codec_type == type && Fist_table[j]->st->discard != AVDISCARD_ALL)
                    source = static_cast<int>(j);
        if (source < 0) {
            ff::av_dump_format(Foutput_files[AOst.file_index], AOst.file_index, Foutput_files[AOst.file_index]->url, 1);
            throw FFmpegException(FormatText("Could not find input stream matching output stream #%d.%d (%s)",
                                             AOst.file_index, AOst.index, TypeName(type).c_str()));
        }
        AOst.sync_ist = Fist_table[source].get();
    }
    AOst.source_index = source;
    Fist_table[source]->discard = 0;
    AOst.show_fps = 1;
}

void TCustomFFmpeg::SetupStreamCopy(TAVOutputStream& AOst, TAVInputStream& AIst) {
    AVCodecParameters* par = AOst.st->codecpar;
    const AVCodecParameters* ipar = AIst.st->codecpar;
    const AVMediaType type = ipar->codec_type;
    if (AOst.owner) {
        // A later joined input writes its packets into the first input's stream.
        if (ipar->codec_id != par->codec_id)
            throw FFmpegException(FormatText("Cannot copy stream #%d.%d (%s) into the joined output: its codec differs from the first input's",
                                             AIst.file_index, AIst.index, TypeName(type).c_str()));
        return;
    }
    if (type == AVMEDIA_TYPE_VIDEO) {
        if (OnCustomHook) throw FFmpegException("-vcodec copy and CustomHook are incompatible (frames are not decoded)");
        if (Fusing_vhook) throw FFmpegException("-vcodec copy and -vhook are incompatible (frames are not decoded)");
        if (FPostHooks) throw FFmpegException("-vcodec copy and PostHooks are incompatible (frames are not decoded)");
    } else if (type == AVMEDIA_TYPE_AUDIO) {
        if (Faudio_volume != 256) throw FFmpegException("-acodec copy and -vol are incompatible (frames are not decoded)");
    } else if (type != AVMEDIA_TYPE_SUBTITLE) {
        throw FFmpegException("invalid codec_type of output stream");
    }
    const unsigned ownTag = AOst.enc->codec_tag;
    if (ff::avcodec_parameters_copy(par, ipar) < 0) throw FFmpegException("av_mallocz fail");
    const AVOutputFormat* of = Foutput_files[AOst.file_index]->oformat;
    if (ownTag) par->codec_tag = ownTag;
    else if (!(!of->codec_tag || ff::av_codec_get_id(of->codec_tag, ipar->codec_tag) == ipar->codec_id ||
               ff::av_codec_get_tag(of->codec_tag, ipar->codec_id) <= 0))
        par->codec_tag = 0;
    else if (of->codec_tag && ff::av_codec_get_id(of->codec_tag, ipar->codec_tag) != ipar->codec_id)
        par->codec_tag = 0;
    if (type == AVMEDIA_TYPE_AUDIO && par->block_align == 1 && par->codec_id == AV_CODEC_ID_MP3) par->block_align = 0;
    if (type == AVMEDIA_TYPE_AUDIO && par->codec_id == AV_CODEC_ID_AC3) par->block_align = 0;
    AOst.st->time_base = AIst.st->time_base;
    AOst.st->avg_frame_rate = AIst.st->avg_frame_rate;
    AOst.st->r_frame_rate = AIst.st->r_frame_rate;
    // The pixel shape chosen when the stream was made ("aspect", or the
    // input's own) is the one the copy carries.
    const AVRational chosen = AOst.enc->sample_aspect_ratio;
    if (type == AVMEDIA_TYPE_VIDEO && chosen.num > 0 && chosen.den > 0) AOst.st->sample_aspect_ratio = par->sample_aspect_ratio = chosen;
    else AOst.st->sample_aspect_ratio = AIst.st->sample_aspect_ratio;
}

void TCustomFFmpeg::AllocateScaledPicture(TAVOutputStream& AOst) {
    const AVCodecContext* enc = AOst.enc;
    AOst.pict_tmp.reset(ff::av_frame_alloc());
    if (!AOst.pict_tmp) throw FFmpegException("Cannot allocate temp picture, check pix fmt");
    AOst.pict_tmp->format = enc->pix_fmt;
    AOst.pict_tmp->width = enc->width;
    AOst.pict_tmp->height = enc->height;
    if (ff::av_frame_get_buffer(AOst.pict_tmp.get(), 0) < 0) throw FFmpegException("Cannot allocate temp picture, check pix fmt");
}

void TCustomFFmpeg::SetupEncoder(TAVOutputStream& AOst, TAVInputStream& AIst, int AIndex) {
    AVCodecContext* enc = AOst.enc;
    AVCodecContext* dec = AIst.dec;
    switch (enc->codec_type) {
    case AVMEDIA_TYPE_AUDIO:
        if (!AOst.owner) AOst.fifo_owned.reset(ff::av_audio_fifo_alloc(enc->sample_fmt, enc->ch_layout.nb_channels, 1024));
        AOst.fifo = AOst.owner ? AOst.owner->fifo : AOst.fifo_owned.get();
        if (!AOst.fifo) throw FFmpegException("av_fifo_alloc fail");
        AOst.audio_resample = enc->sample_rate != dec->sample_rate || Faudio_sync_method > 1;
        break;
    case AVMEDIA_TYPE_VIDEO: {
        if (enc->pix_fmt == AV_PIX_FMT_NONE) throw FFmpegException("Video pixel format is unknown, stream cannot be encoded");
        AOst.topBand = AOst.original_topBand = Fframe_topBand;
        AOst.bottomBand = AOst.original_bottomBand = Fframe_bottomBand;
        AOst.leftBand = AOst.original_leftBand = Fframe_leftBand;
        AOst.rightBand = AOst.original_rightBand = Fframe_rightBand;
        AOst.video_crop = Fframe_topBand + Fframe_bottomBand + Fframe_leftBand + Fframe_rightBand != 0;
        const int w = dec->width - AOst.leftBand - AOst.rightBand, h = dec->height - AOst.topBand - AOst.bottomBand;
        if (FEnableFilter || Fdo_deinterlace) {
            BuildVideoFilterGraph(AOst, AIst);
            break;
        }
        AOst.video_resample = enc->width != w || enc->height != h || enc->pix_fmt != dec->pix_fmt;
        if (AOst.video_resample) {
            AllocateScaledPicture(AOst);
            AOst.img_resample_ctx.reset(ff::sws_getContext(w, h, dec->pix_fmt, enc->width, enc->height, enc->pix_fmt,
                                                           static_cast<int>(Fsws_flags), nullptr, nullptr, nullptr));
            if (!AOst.img_resample_ctx) throw FFmpegException("Cannot get resampling context");
            AOst.original_height = dec->height;
            AOst.original_width = dec->width;
            enc->bits_per_raw_sample = 0;
        }
        AOst.resample_height = h;
        AOst.resample_width = w;
        AOst.resample_pix_fmt = dec->pix_fmt;
        break;
    }
    case AVMEDIA_TYPE_SUBTITLE:
        break;
    default:
        throw FFmpegException("invalid codec_type of output stream");
    }
    AOst.encoding_needed = 1;
    AIst.decoding_needed = 1;
    if ((enc->flags & (AV_CODEC_FLAG_PASS1 | AV_CODEC_FLAG_PASS2)) && !AOst.owner) {
        const std::string name =
            (Fpass_logfilename_prefix.empty() ? std::string("ffmpeg2pass") : Fpass_logfilename_prefix) + "-" + std::to_string(AIndex) + ".log";
        // The prefix is UTF-8, as libx264 takes its file names.
        const std::wstring wide = Utf8ToWide(name);
        const AVCodec* codec = Foutput_codecs[AIndex] ? Foutput_codecs[AIndex] : ff::avcodec_find_encoder(enc->codec_id);
        if (codec && std::strcmp(codec->name, "libx264") == 0) {
            // libx264 writes and reads its statistics itself, through its "stats" option.
            if ((enc->flags & AV_CODEC_FLAG_PASS2) && GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES)
                throw FFmpegException(FormatText("Cannot read file: Error reading log file \"%s\" for pass-2 encoding", name.c_str()));
            AOst.x264_stats = name;
        } else if (enc->flags & AV_CODEC_FLAG_PASS1) {
            AOst.logfile.reset(_wfopen(wide.c_str(), L"wb"));
            if (!AOst.logfile) throw FFmpegException(FormatText("Cannot write log file %s for pass-1 encoding", name.c_str()));
        } else {
            uint8_t* text = nullptr;
            int size = 0;
            const int r = ReadWholeFile(wide, text, size);
            if (r == -12)
                throw FFmpegException(FormatText("Could not allocate file buffer: Error reading log file \"%s\" for pass-2 encoding", name.c_str()));
            if (r < 0) throw FFmpegException(FormatText("Cannot read file: Error reading log file \"%s\" for pass-2 encoding", name.c_str()));
            enc->stats_in = reinterpret_cast<char*>(text);
        }
    }
}

void TCustomFFmpeg::BuildOutputTables() {
    int total = 0;
    for (int i = 0; i < Fnb_output_files; ++i) {
        if (!Foutput_files[i]->nb_streams) {
            ff::av_dump_format(Foutput_files[i], i, Foutput_files[i]->url, 1);
            throw FFmpegException(FormatText("Output file #%d does not contain any stream", i));
        }
        total += static_cast<int>(Foutput_files[i]->nb_streams);
    }
    if (Fnb_stream_maps > 0 && Fnb_stream_maps != total) throw FFmpegException("Number of stream maps must match number of output streams");
    for (int i = 0; i < Fnb_stream_maps; ++i) {
        const TAVStreamMap& m = Fstream_maps[i];
        if (m.file_index < 0 || m.file_index >= Fnb_input_files || m.stream_index < 0 ||
            m.stream_index >= Ffile_table[m.file_index].nb_streams)
            throw FFmpegException(FormatText("Could not find input stream #%d.%d", m.file_index, m.stream_index));
        if (m.sync_file_index < 0 || m.sync_file_index >= Fnb_input_files || m.sync_stream_index < 0 ||
            m.sync_stream_index >= Ffile_table[m.sync_file_index].nb_streams)
            throw FFmpegException(FormatText("Could not find sync stream #%d.%d", m.sync_file_index, m.sync_stream_index));
    }
    Fgroup_size = static_cast<int>(Foutput_files[0]->nb_streams);
    for (int j = 0; j < Fnb_output_files; ++j) {
        for (unsigned k = 0; k < Foutput_files[j]->nb_streams; ++k) {
            TAVOutputStream* ost = Fost_table.emplace_back(std::make_unique<TAVOutputStream>()).get();
            ost->file_index = j;
            ost->index = static_cast<int>(k);
            ost->st = Foutput_files[j]->streams[k];
            const TOutputStreamSetup& setup = Foutput_setup[j * MAX_STREAMS + k];
            ost->enc = setup.enc;
            ost->stream_copy = setup.stream_copy;
            if (FJoinMode && j > 0) SetupJoinedStream(*ost);
            ChooseSource(*ost, static_cast<int>(Fost_table.size()) - 1);
        }
    }
    for (size_t n = 0; n < Fost_table.size(); ++n) {
        TAVOutputStream& ost = *Fost_table[n];
        TAVInputStream& ist = *Fist_table[ost.source_index];
        ff::av_dict_copy(&ost.st->metadata, ist.st->metadata, AV_DICT_DONT_OVERWRITE);
        ost.st->disposition = ist.st->disposition;
        if (ost.stream_copy) SetupStreamCopy(ost, ist);
        else SetupEncoder(ost, ist, static_cast<int>(n));
    }
}

void TCustomFFmpeg::OpenEncoders() {
    for (size_t n = 0; n < Fost_table.size(); ++n) {
        TAVOutputStream& ost = *Fost_table[n];
        if (!ost.encoding_needed || ost.owner) continue;
        const AVCodec* codec = Foutput_codecs[n] ? Foutput_codecs[n] : ff::avcodec_find_encoder(ost.enc->codec_id);
        const std::string type = TypeName(ost.enc->codec_type);
        if (!codec) {
            DumpStreamMapping();
            const std::wstring m = FormatText("Encoder (codec id %d) not found for output stream #%d.%d (%s)",
                                              static_cast<int>(ost.enc->codec_id), ost.file_index, ost.index, type.c_str());
            GlobalLogger()->Log(this, llError, m);
            throw FFmpegException(m);
        }
        AVDictionary* opts = nullptr;
        CopyPrivateOptions(FOptions, ost.enc->codec_type, &opts);
        TakePendingCodecOptions(FOptions, codec, &opts);
        if (!ost.x264_stats.empty()) ff::av_dict_set(&opts, "stats", ost.x264_stats.c_str(), 0);
        if (ost.enc->codec_type == AVMEDIA_TYPE_SUBTITLE) {
            const AVCodecContext* dec = Fist_table[ost.source_index]->dec;
            if (dec && dec->subtitle_header) {
                ost.enc->subtitle_header = static_cast<uint8_t*>(ff::av_mallocz(dec->subtitle_header_size + 1));
                if (ost.enc->subtitle_header) memcpy(ost.enc->subtitle_header, dec->subtitle_header, dec->subtitle_header_size);
                ost.enc->subtitle_header_size = dec->subtitle_header_size;
            }
            ost.enc->time_base = AV_TIME_BASE_Q;
        }
        int r;
        {
            std::lock_guard<std::mutex> lock(AVCodecLock);
            ost.codec_id = ost.enc->codec_id;
            ClearLastLibraryError();
            r = ff::avcodec_open2(ost.enc, codec, &opts);
        }
        ff::av_dict_free(&opts);
        if (r < 0) {
            // The encoder's own words say what it refused.
            std::wstring reason = LastLibraryError();
            if (reason.empty()) reason = LibErrorText(r);
            DumpStreamMapping();
            const std::wstring m = FormatText("Error while opening encoder for output stream #%d.%d (%s): ", ost.file_index,
                                              ost.index, type.c_str()) + reason;
            GlobalLogger()->Log(this, llError, m);
            throw FFmpegException(m);
        }
        FOpenEncoders.push_back(&ost);
        ff::avcodec_parameters_from_context(ost.st->codecpar, ost.enc);
        ost.st->time_base = ost.enc->time_base;
        if (ost.enc->codec_type == AVMEDIA_TYPE_VIDEO) ost.st->avg_frame_rate = ost.enc->framerate;
        Fextra_size += ost.enc->extradata_size;
    }
    // An encoder-private option that none of the opened encoders has did nothing.
    if (const AVDictionaryEntry* e = ff::av_dict_get(FOptions.pending_codec_opts, "", nullptr, AV_DICT_IGNORE_SUFFIX)) {
        const std::wstring m =
            FormatText("No encoder of the output has the option \"%s\" (value \"%s\")", e->key, e->value);
        GlobalLogger()->Log(this, llError, m);
        throw FFmpegException(m);
    }
}

void TCustomFFmpeg::OpenDecoders() {
    for (size_t n = 0; n < Fist_table.size(); ++n) {
        TAVInputStream& ist = *Fist_table[n];
        if (!ist.decoding_needed) continue;
        const AVCodec* codec = n < Finput_codecs.size() && Finput_codecs[n] ? Finput_codecs[n]
                                                                               : ff::avcodec_find_decoder(ist.st->codecpar->codec_id);
        const std::string type = TypeName(ist.st->codecpar->codec_type);
        if (!codec) {
            DumpStreamMapping();
            const std::wstring m = FormatText("Decoder (codec id %d) not found for input stream #%d.%d (%s)",
                                              static_cast<int>(ist.st->codecpar->codec_id), ist.file_index, ist.index, type.c_str());
            GlobalLogger()->Log(this, llError, m);
            throw FFmpegException(m);
        }
        int r;
        {
            std::lock_guard<std::mutex> lock(AVCodecLock);
            AVDictionary* opts = nullptr;
            if (n < Finput_decoder_opts.size() && Finput_decoder_opts[n]) ff::av_dict_copy(&opts, Finput_decoder_opts[n].get(), 0);
            r = ff::avcodec_open2(ist.dec, codec, &opts);
            ff::av_dict_free(&opts);
        }
        if (r < 0) {
            DumpStreamMapping();
            const std::wstring m =
                FormatText("Error while opening decoder for input stream #%d.%d (%s)", ist.file_index, ist.index, type.c_str());
            GlobalLogger()->Log(this, llError, m);
            throw FFmpegException(m);
        }
        FOpenDecoders.push_back(&ist);
    }
}

void TCustomFFmpeg::InitInputTimestamps() {
    for (const auto& ist : Fist_table) {
        const AVRational rate = ist->st->avg_frame_rate;
        ist->pts = rate.num ? -std::llrint(ist->st->codecpar->video_delay * 1000000.0 / av_q2d(rate)) : 0;
        ist->next_pts = AV_NOPTS_VALUE;
        ist->is_start = 1;
    }
}

void TCustomFFmpeg::ApplyMetadataMaps() {
    for (int i = 0; i < Fnb_meta_data_maps; ++i) {
        const TAVMetaDataMap& m = Fmeta_data_maps[i];
        const char* what = nullptr;
        int index = 0;
        if (m.out_file < 0 || m.out_file >= Fnb_output_files) what = "Invalid output file index %d map_meta_data(%d,%d)", index = m.out_file;
        else if (m.in_file < 0 || m.in_file >= Fnb_input_files) what = "Invalid input file index %d map_meta_data(%d,%d)", index = m.in_file;
        if (what) {
            DumpStreamMapping();
            const std::wstring msg = FormatText(what, index, m.out_file, m.in_file);
            GlobalLogger()->Log(this, llError, msg);
            throw FFmpegException(msg);
        }
        ff::av_dict_copy(&Foutput_files[m.out_file]->metadata, Finput_files[m.in_file]->metadata, AV_DICT_DONT_OVERWRITE);
    }
}

void TCustomFFmpeg::CopyChapters() {
    // The muxer takes chapters from the context; copies are trimmed to the
    // recorded part.
    // Joined inputs: only the first input's chapters have a known place.
    for (int i = 0; i < (FJoinMode ? 1 : Fnb_input_files); ++i) {
        AVFormatContext* is = Finput_files[i];
        for (int j = 0; j < Fnb_output_files && (!FJoinMode || j == 0); ++j) {
            AVFormatContext* os = Foutput_files[j];
            for (unsigned c = 0; c < is->nb_chapters; ++c) {
                AVChapter* in = is->chapters[c];
                const int64_t ts_off = ff::av_rescale_q(Fstart_time - Finput_files_ts_offset[i], AV_TIME_BASE_Q, in->time_base);
                const bool limited = Frecording_time != INT64_MAX;
                const int64_t rt = limited ? ff::av_rescale_q(Frecording_time, AV_TIME_BASE_Q, in->time_base) : INT64_MAX;
                if (in->end < ts_off) continue;
                if (limited && in->start > rt + ts_off) break;
                auto* out = static_cast<AVChapter*>(ff::av_mallocz(sizeof(AVChapter)));
                if (!out) throw FFmpegException("av_mallocz fail");
                out->id = in->id;
                out->time_base = in->time_base;
                out->start = std::max<int64_t>(0, in->start - ts_off);
                out->end = limited ? std::min(rt, in->end - ts_off) : in->end - ts_off;
                ff::av_dict_copy(&out->metadata, in->metadata, 0);
                void* grown = ff::av_realloc(os->chapters, sizeof(AVChapter*) * (os->nb_chapters + 1));
                if (!grown) {
                    ff::av_dict_free(&out->metadata);
                    ff::av_free(out);
                    throw FFmpegException("av_realloc fail");
                }
                os->chapters = static_cast<AVChapter**>(grown);
                os->chapters[os->nb_chapters++] = out;
            }
        }
    }
}

void TCustomFFmpeg::WriteHeaders() {
    for (int i = 0; i < Fnb_output_files && (!FJoinMode || i == 0); ++i) {
        ClearLastLibraryError();
        const int r = ff::avformat_write_header(Foutput_files[i], nullptr);
        if (r < 0) {
            std::wstring reason = LastLibraryError();
            if (reason.empty()) reason = LibErrorText(r);
            DumpStreamMapping();
            const std::wstring m =
                FormatText("Could not write header for output file #%d (incorrect codec parameters ?): ", i) + reason;
            GlobalLogger()->Log(this, llError, m);
            throw FFmpegException(m);
        }
    }
    // RTP outputs: the session description a receiver needs.
    const int outputs = FJoinMode ? std::min(Fnb_output_files, 1) : Fnb_output_files;
    bool allRtp = outputs > 0;
    for (int i = 0; i < outputs; ++i) allRtp = allRtp && std::strcmp(Foutput_files[i]->oformat->name, "rtp") == 0;
    if (!allRtp) return;
    char sdp[2048] = {};
    if (ff::av_sdp_create(Foutput_files.data(), outputs, sdp, sizeof sdp) < 0) return;
    std::string text = sdp;
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    GlobalLogger()->Log(this, llInfo, L"SDP:\r\n" + Utf8ToWide(text));
}

void TCustomFFmpeg::DumpStreamMapping() {
    for (int i = 0; i < Fnb_output_files && (!FJoinMode || i == 0); ++i)
        ff::av_dump_format(Foutput_files[i], i, Foutput_files[i]->url, 1);
    if (Fverbose < 0) return;
    GlobalLogger()->Log(this, llVerbose, L"Stream mapping:");
    for (const auto& ost : Fost_table) {
        const TAVInputStream* src = Fist_table[ost->source_index].get();
        const std::string type = TypeName(ost->enc->codec_type);
        GlobalLogger()->Log(this, llVerbose, "  Stream #%d.%d -> #%d.%d (%s)", src->file_index, src->index,
                            FJoinMode ? 0 : ost->file_index, ost->index, type.c_str());
        if (ost->sync_ist && ost->sync_ist != src)
            GlobalLogger()->Log(this, llVerbose, " [sync #%d.%d (%s)]", ost->sync_ist->file_index, ost->sync_ist->index, type.c_str());
    }
}

void TCustomFFmpeg::InitBitstreamFilters(TAVOutputStream& AOst) {
    // The chains were given for the output's streams, under its first entry.
    for (const std::string& name : Fbitstream_filters[AOst.owner ? 0 : AOst.file_index][AOst.index]) {
        const AVBitStreamFilter* filter = ff::av_bsf_get_by_name(name.c_str());
        AVBSFContext* ctx = nullptr;
        if (!filter || ff::av_bsf_alloc(filter, &ctx) < 0) throw FFmpegException("Unknown bitstream filter " + name);
        AOst.bsfs.emplace_back(ctx);
        ff::avcodec_parameters_copy(ctx->par_in, AOst.st->codecpar);
        ctx->time_base_in = AOst.st->time_base;
        if (ff::av_bsf_init(ctx) < 0) throw FFmpegException("Error initializing bitstream filter: " + name);
    }
}

void TCustomFFmpeg::FreeTranscodeTables() {
    Ffile_table.clear();
    for (const auto& ist : Fist_table) {
        std::erase(FOpenDecoders, ist.get());
        if (ist->dec) {
            std::lock_guard<std::mutex> lock(AVCodecLock);
            ff::avcodec_free_context(&ist->dec);
        }
    }
    Fist_table.clear();
    for (const auto& ost : Fost_table) {
        if (ost->encoding_needed && ost->enc && !ost->owner) {
            ff::av_freep(&ost->enc->stats_in);
            std::erase(FOpenEncoders, ost.get());
            std::lock_guard<std::mutex> lock(AVCodecLock);
            ff::avcodec_close(ost->enc);
        }
    }
    Fost_table.clear();
    Fdecoded.reset();
    Faudio_frame.reset();
    Fenc_pkt.reset();
    Fbsf_pkt.reset();
}

// ---------------------------------------------------------------- the task

void TCustomFFmpeg::Transcode() {
    Fno_packet.assign(FMaxFiles, false);
    struct Tables {
        TCustomFFmpeg* T;
        ~Tables() { T->FreeTranscodeTables(); }
    } tables{this};
    Fdecoded = NewFrame();
    Faudio_frame = NewFrame();
    Fenc_pkt = NewPacket();
    Fbsf_pkt = NewPacket();
    BuildInputTables();
    for (const auto& ist : Fist_table) {
        const AVCodec* codec = ff::avcodec_find_decoder(ist->st->codecpar->codec_id);
        ist->dec = ff::avcodec_alloc_context3(codec);
        if (!ist->dec) throw FFmpegException("av_mallocz fail");
        ff::avcodec_parameters_to_context(ist->dec, ist->st->codecpar);
        ist->dec->pkt_timebase = ist->st->time_base;
        ist->dec->thread_count = CodecThreads;
        // Frame threads hold pictures back: with a picture limit the other
        // streams would run that far past the last picture.
        if (Fmax_frames[0] != INT32_MAX) ist->dec->thread_type = FF_THREAD_SLICE;
        if (ist->dec->codec_type == AVMEDIA_TYPE_VIDEO && ist->dec->pix_fmt == AV_PIX_FMT_NONE) ist->dec->pix_fmt = AV_PIX_FMT_YUV420P;
    }
    BuildOutputTables();
    // Decoders first: a subtitle encoder starts from its decoder's header.
    OpenDecoders();
    OpenEncoders();
    InitInputTimestamps();
    ApplyMetadataMaps();
    CopyChapters();
    WriteHeaders();
    for (const auto& ost : Fost_table) InitBitstreamFilters(*ost);
    DumpStreamMapping();
    Ftimer_start = Now();
    Flast_report = Ftimer_start;
    Flast_reported_time = 0;
    Fno_packet_count = 0;
    RunLoop();
    FinishTask();
}

int TCustomFFmpeg::ChooseInput() {
    int file = -1;
    double ipts_min = 1e100, opts_min = 1e100;
    for (const auto& ost : Fost_table) {
        TAVInputStream* ist = Fist_table[ost->source_index].get();
        if (ist->is_past_recording_time || Fno_packet[ist->file_index]) continue;
        const double opts = ost->last_dts * av_q2d(ost->st->time_base);
        const double ipts = static_cast<double>(ist->pts);
        if (!Ffile_table[ist->file_index].eof_reached) {
            if (ipts < ipts_min) {
                ipts_min = ipts;
                if (Finput_sync) file = ist->file_index;
            }
            if (opts < opts_min) {
                opts_min = opts;
                if (!Finput_sync) file = ist->file_index;
            }
        }
        const int type = ost->enc->codec_type;
        if (type >= 0 && type < 4 && ost->frame_number >= Fmax_frames[type]) return -1;
    }
    return file;
}

void TCustomFFmpeg::RunLoop() {
    const TPacketPtr packet = NewPacket();
    AVPacket* pkt = packet.get();
    Fcurrent_input = 0;
    while (!WaitWhilePaused()) {
        const int file = FJoinMode ? (JoinedGroupAtLimit(Fcurrent_input) ? -1 : Fcurrent_input) : ChooseInput();
        if (file < 0) {
            if (FJoinMode || Fno_packet_count == 0) break;
            std::fill(Fno_packet.begin(), Fno_packet.end(), false);
            Fno_packet_count = 0;
            Sleep(10);
            continue;
        }
        if (Flimit_filesize && Foutput_files[0]->pb && ff::avio_seek(Foutput_files[0]->pb, 0, SEEK_CUR) > Flimit_filesize) break;
        const int r = ff::av_read_frame(Finput_files[file], pkt);
        if (r == AVERROR(EAGAIN)) {
            if (FJoinMode) continue;  // the same input again
            Fno_packet[file] = true;
            ++Fno_packet_count;
            continue;
        }
        // A packet cut short by the end of the file is a file cut short;
        // one damaged elsewhere (a broadcast glitch) is the decoder's business.
        const bool cut = r >= 0 && (pkt->flags & AV_PKT_FLAG_CORRUPT) && Finput_files[file]->pb &&
                         ff::avio_feof(Finput_files[file]->pb);
        if (r < 0 || cut) CheckInputEnd(file, r, cut);
        if (r == AVERROR_EOF && Floop_input && !FJoinMode && RewindInput(file)) continue;
        if (r < 0) {
            Ffile_table[file].eof_reached = 1;
            if (FJoinMode) {
                if (!JoinNextInput(file)) break;
                continue;
            }
            if (Fopt_shortest) break;
            continue;
        }
        std::fill(Fno_packet.begin(), Fno_packet.end(), false);
        Fno_packet_count = 0;
        const bool handled = HandlePacket(pkt, file);
        ff::av_packet_unref(pkt);
        if (handled && Now() - Flast_report > ReportInterval) {
            Flast_report = Now();
            PrintReport(file, false);
        }
    }
}

bool TCustomFFmpeg::HandlePacket(AVPacket* APkt, int AFileIndex) {
    if (Fdo_pkt_dump) ff::av_pkt_dump_log2(nullptr, AV_LOG_DEBUG, APkt, Fdo_hex_dump, Finput_files[AFileIndex]->streams[APkt->stream_index]);
    if (APkt->stream_index >= Ffile_table[AFileIndex].nb_streams) return true;
    const int istIndex = Ffile_table[AFileIndex].ist_index + APkt->stream_index;
    TAVInputStream& ist = *Fist_table[istIndex];
    if (ist.discard) return true;
    const AVRational tb = ist.st->time_base;
    const int64_t offset = ff::av_rescale_q(Finput_files_ts_offset[AFileIndex], AV_TIME_BASE_Q, tb);
    if (APkt->dts != AV_NOPTS_VALUE) APkt->dts += offset;
    if (APkt->pts != AV_NOPTS_VALUE) APkt->pts += offset;
    const double scale = APkt->stream_index < MAX_STREAMS ? Finput_files_ts_scale[AFileIndex][APkt->stream_index] : 0.0;
    if (scale != 0) {
        if (APkt->dts != AV_NOPTS_VALUE) APkt->dts = std::llrint(APkt->dts * scale);
        if (APkt->pts != AV_NOPTS_VALUE) APkt->pts = std::llrint(APkt->pts * scale);
    }
    if (APkt->dts != AV_NOPTS_VALUE && ist.next_pts != AV_NOPTS_VALUE && (Finput_files[AFileIndex]->iformat->flags & AVFMT_TS_DISCONT) &&
        !Fcopy_ts) {
        const int64_t dts = ff::av_rescale_q(APkt->dts, tb, AV_TIME_BASE_Q);
        const int64_t delta = dts - ist.next_pts;
        if (std::llabs(delta) > Fdts_delta_threshold * 1000000.0 || dts + 1 < ist.pts) {
            Finput_files_ts_offset[AFileIndex] -= delta;
            if (Fverbose > 2)
                GlobalLogger()->Log(this, llVerbose, "timestamp discontinuity %lld, new offset= %lld", static_cast<long long>(delta),
                                    static_cast<long long>(Finput_files_ts_offset[AFileIndex]));
            APkt->dts -= ff::av_rescale_q(delta, AV_TIME_BASE_Q, tb);
            if (APkt->pts != AV_NOPTS_VALUE) APkt->pts -= ff::av_rescale_q(delta, AV_TIME_BASE_Q, tb);
        }
    }
    DropTimestampPastTheEnd(APkt, AFileIndex, ist);
    if (Frecording_time != INT64_MAX) {
        const int64_t ts = APkt->pts != AV_NOPTS_VALUE ? APkt->pts : APkt->dts;
        if (ts != AV_NOPTS_VALUE && ff::av_compare_ts(ts, tb, Frecording_time + Fstart_time, AV_TIME_BASE_Q) >= 0) {
            ist.is_past_recording_time = 1;
            return true;
        }
    }
    if (OutputPacket(ist, istIndex, APkt) < 0) {
        const std::wstring m = FormatText("Error while decoding stream #%d.%d (%s)", ist.file_index, ist.index,
                                          TypeName(ist.st->codecpar->codec_type).c_str());
        if (Fexit_on_error) throw FFmpegException(m);
        if (Fverbose >= 0) GlobalLogger()->Log(this, llVerbose, m);
        return false;
    }
    return true;
}

void TCustomFFmpeg::FinishTask() {
    for (size_t n = 0; n < Fist_table.size(); ++n)
        if (Fist_table[n]->decoding_needed && Fist_table[n]->decoder_flushed != 1) OutputPacket(*Fist_table[n], static_cast<int>(n), nullptr);
    if (FJoinMode) DrainJoinedEncoders(Fcurrent_input);
    for (int i = 0; i < Fnb_output_files && (!FJoinMode || i == 0); ++i) ff::av_write_trailer(Foutput_files[i]);
    PrintReport(-1, true);
    FFinished = !FBroken;
}
