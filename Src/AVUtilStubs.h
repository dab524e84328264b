#pragma once
// Entry points of avutil (avutil-57.dll).
// Every name below is required; the loader binds them in this order.
#include <windows.h>

#include <string>

#include "Src/LibAVHeaders.h"
#include "Src/StubBinding.h"

#define VANTREL_AVUTIL_ENTRIES(X) \
    X(av_compare_ts) X(av_fifo_alloc2) X(av_fifo_freep2) X(av_fifo_read) X(av_fifo_write) \
    X(av_fifo_peek) X(av_fifo_drain2) X(av_fifo_can_read) X(av_fifo_can_write) X(av_fifo_grow2) \
    X(av_find_nearest_q_idx) X(av_free) X(av_freep) X(av_gcd) X(av_get_pix_fmt) X(av_log) \
    X(av_log_default_callback) X(av_log_get_level) X(av_log_set_callback) X(av_log_set_level) \
    X(av_malloc) X(av_mallocz) X(av_realloc) X(av_reduce) X(av_rescale) X(av_rescale_q) \
    X(av_rescale_q_rnd) X(av_rescale_rnd) X(av_strdup) X(av_strlcpy) X(av_strstart) \
    X(av_pix_fmt_desc_get) X(av_get_pix_fmt_name) X(av_get_sample_fmt_name) X(av_get_sample_fmt) \
    X(av_get_bytes_per_sample) X(av_sample_fmt_is_planar) X(av_get_packed_sample_fmt) X(av_samples_get_buffer_size) \
    X(av_samples_alloc) X(av_frame_alloc) X(av_frame_free) X(av_frame_unref) X(av_frame_ref) \
    X(av_frame_clone) X(av_frame_get_buffer) X(av_frame_make_writable) X(av_frame_copy) \
    X(av_frame_copy_props) X(av_dict_get) X(av_dict_set) X(av_dict_set_int) X(av_dict_free) \
    X(av_dict_count) X(av_dict_copy) X(av_opt_set) X(av_opt_set_int) X(av_opt_set_q) X(av_opt_get) \
    X(av_opt_find) X(av_opt_find2) X(av_opt_set_defaults) X(av_opt_next) X(av_opt_free) \
    X(av_opt_set_dict) X(av_strerror) X(av_image_get_buffer_size) X(av_image_fill_arrays) \
    X(av_image_copy) X(av_image_alloc) X(av_get_picture_type_char) X(av_d2q) X(av_q2intfloat) \
    X(av_gettime) X(av_gettime_relative) X(av_usleep) X(av_parse_video_size) X(av_parse_video_rate) \
    X(av_parse_time) X(av_parse_ratio) X(av_channel_layout_default) X(av_channel_layout_uninit) \
    X(av_channel_layout_copy) X(av_channel_layout_describe) X(av_channel_layout_compare) \
    X(av_channel_layout_from_string) X(av_fast_malloc) X(av_fast_realloc) X(av_default_item_name) \
    X(av_get_media_type_string) X(av_audio_fifo_alloc) X(av_audio_fifo_free) X(av_audio_fifo_write) \
    X(av_audio_fifo_read) X(av_audio_fifo_size) X(av_samples_set_silence) X(av_channel_layout_check) \
    X(av_get_pix_fmt_string) X(av_get_sample_fmt_string) X(av_opt_set_bin)

namespace ff {
VANTREL_AVUTIL_ENTRIES(VANTREL_STUB_DECLARE)
}  // namespace ff

void AVUtilFixup(const std::wstring& ALibName, HMODULE AHandle);
void AVUtilUnfix();
