# The transcoder: one conversion task from its inputs to its output.
target_sources(vantrel_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FFmpeg.cpp ${CMAKE_CURRENT_LIST_DIR}/FFmpegFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FFmpegTranscode.cpp ${CMAKE_CURRENT_LIST_DIR}/FFmpegEncode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FFmpegJoin.cpp ${CMAKE_CURRENT_LIST_DIR}/FFmpegInputEnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FFmpegOptions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FFmpegPresets.cpp ${CMAKE_CURRENT_LIST_DIR}/FFmpegTargets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FFmpegFilters.cpp ${CMAKE_CURRENT_LIST_DIR}/FFmpegHooks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FFmpegPreview.cpp)
