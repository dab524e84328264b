#pragma once
// Entry points of avcodec (avcodec-59.dll).
// Every name below is required; the loader binds them in this order.
#include <windows.h>

#include <string>

#include "Src/LibAVHeaders.h"
#include "Src/StubBinding.h"

#define VANTREL_AVCODEC_ENTRIES(X) \
    X(avcodec_find_decoder) X(avcodec_find_decoder_by_name) X(avcodec_find_encoder) \
    X(avcodec_find_encoder_by_name) X(avcodec_alloc_context3) X(avcodec_free_context) \
    X(avcodec_open2) X(avcodec_close) X(avcodec_is_open) X(avcodec_parameters_to_context) \
    X(avcodec_parameters_from_context) X(avcodec_parameters_copy) X(avcodec_parameters_alloc) \
    X(avcodec_parameters_free) X(avcodec_send_packet) X(avcodec_receive_frame) X(avcodec_send_frame) \
    X(avcodec_receive_packet) X(avcodec_flush_buffers) X(avcodec_decode_subtitle2) \
    X(avcodec_encode_subtitle) X(avsubtitle_free) X(avcodec_string) X(avcodec_get_name) \
    X(avcodec_get_class) X(avcodec_get_type) X(avcodec_descriptor_get) \
    X(avcodec_descriptor_get_by_name) X(av_get_bits_per_sample) X(av_get_exact_bits_per_sample) \
    X(av_get_audio_frame_duration2) X(av_get_profile_name) X(av_packet_alloc) X(av_packet_free) \
    X(av_packet_unref) X(av_packet_make_writable) X(av_packet_ref) X(av_packet_clone) X(av_packet_move_ref) X(av_new_packet) \
    X(av_packet_rescale_ts) X(av_bsf_get_by_name) X(av_bsf_alloc) X(av_bsf_init) \
    X(av_bsf_send_packet) X(av_bsf_receive_packet) X(av_bsf_flush) X(av_bsf_free) X(av_codec_iterate) \
    X(av_codec_is_encoder) X(av_codec_is_decoder) X(avcodec_align_dimensions2) X(av_parser_init) \
    X(av_parser_parse2) X(av_parser_close) X(av_rdft_init) X(av_rdft_calc) X(av_rdft_end) \
    X(av_packet_get_side_data)

namespace ff {
VANTREL_AVCODEC_ENTRIES(VANTREL_STUB_DECLARE)
}  // namespace ff

void AVCodecFixup(const std::wstring& ALibName, HMODULE AHandle);
void AVCodecUnfix();
