#pragma once
// Entry points of avfilter (avfilter-8.dll).
// Every name below is required; the loader binds them in this order.
#include <windows.h>

#include <string>

#include "Src/LibAVHeaders.h"
#include "Src/StubBinding.h"

#define VANTREL_AVFILTER_ENTRIES(X) \
    X(avfilter_graph_alloc) X(avfilter_graph_free) X(avfilter_graph_create_filter) \
    X(avfilter_graph_alloc_filter) X(avfilter_graph_parse_ptr) X(avfilter_graph_config) \
    X(avfilter_get_by_name) X(avfilter_init_str) X(avfilter_link) X(avfilter_inout_alloc) \
    X(avfilter_inout_free) X(av_filter_iterate) X(av_buffersrc_add_frame_flags) \
    X(av_buffersrc_parameters_alloc) X(av_buffersrc_parameters_set) X(av_buffersink_get_frame) \
    X(av_buffersink_get_frame_flags) X(av_buffersink_set_frame_size) X(av_buffersink_get_time_base)

namespace ff {
VANTREL_AVFILTER_ENTRIES(VANTREL_STUB_DECLARE)
}  // namespace ff

void AVFilterFixup(const std::wstring& ALibName, HMODULE AHandle);
void AVFilterUnfix();
