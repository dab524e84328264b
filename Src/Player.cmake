# The player: plays one file into a host window through SDL 1.2.
target_sources(vantrel_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FFPlayState.cpp ${CMAKE_CURRENT_LIST_DIR}/FFPlayRead.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FFPlayVideo.cpp ${CMAKE_CURRENT_LIST_DIR}/FFPlayAudio.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FFPlayDisplay.cpp ${CMAKE_CURRENT_LIST_DIR}/FFPlayLoop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FFPlay.cpp ${CMAKE_CURRENT_LIST_DIR}/FFPlayEvents.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FFPlayControl.cpp ${CMAKE_CURRENT_LIST_DIR}/FFPlayHost.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FFPlayHook.cpp)
