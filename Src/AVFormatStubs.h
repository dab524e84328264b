#pragma once
// Entry points of avformat (avformat-59.dll).
// Every name below is required; the loader binds them in this order.
#include <windows.h>

#include <string>

#include "Src/LibAVHeaders.h"
#include "Src/StubBinding.h"

#define VANTREL_AVFORMAT_ENTRIES(X) \
    X(av_find_input_format) X(av_guess_format) X(av_guess_codec) X(av_codec_get_id) \
    X(av_codec_get_tag) X(av_filename_number_test) X(av_read_frame) X(av_read_pause) X(av_read_play) \
    X(av_seek_frame) X(avformat_seek_file) X(avformat_flush) X(av_interleaved_write_frame) \
    X(av_write_frame) X(av_write_trailer) X(avformat_write_header) X(avformat_alloc_context) \
    X(avformat_alloc_output_context2) X(avformat_free_context) X(avformat_open_input) \
    X(avformat_close_input) X(avformat_find_stream_info) X(avformat_new_stream) X(av_new_program) \
    X(av_dump_format) X(av_demuxer_iterate) X(av_muxer_iterate) X(av_find_best_stream) \
    X(av_guess_frame_rate) X(av_guess_sample_aspect_ratio) X(av_sdp_create) X(av_pkt_dump_log2) \
    X(avformat_get_class) X(avformat_query_codec) X(avio_open) X(avio_open2) X(avio_closep) \
    X(avio_feof) X(avio_size) X(avio_seek) X(avio_read) X(avio_write) X(avio_flush) \
    X(avio_alloc_context) X(avio_context_free) X(avformat_index_get_entries_count) X(avformat_index_get_entry)

namespace ff {
VANTREL_AVFORMAT_ENTRIES(VANTREL_STUB_DECLARE)
}  // namespace ff

void AVFormatFixup(const std::wstring& ALibName, HMODULE AHandle);
void AVFormatUnfix();
